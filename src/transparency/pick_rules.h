// What a pick does, by the modifier keys held when it ends, and what a new
// messenger conversation window gets, by the settings.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <cstdint>

#include "settings/settings_record.h"

namespace veloria {

// Shift 1, Ctrl 2, Alt 4, summed.
std::int16_t ModifierBits(bool shift, bool ctrl, bool alt);

enum class PickAction {
    ApplyDefaultLevel,  // no key (or a value outside 1..7): DefaultAlpha
    MakeOpaque,         // Shift
    OpenLevelPopup,     // Ctrl
    Nothing,            // any other combination of Shift, Ctrl and Alt
};
PickAction ActionForModifiers(int tecla);

// A new conversation window: untouched while the feature is off; a stored
// level under 255 is applied (clamped to 0..255 like every level), 255 or
// more makes the window opaque.
struct ConversationWindowAction {
    enum class Kind { Nothing, ApplyLevel, MakeOpaque };
    Kind kind = Kind::Nothing;
    int level = 0;
};
ConversationWindowAction ActionForConversationWindow(const SettingsRecord& settings);

}  // namespace veloria
