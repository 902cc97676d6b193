// What a pick does, by the modifier keys held when it ends, and what a new
// messenger conversation window gets, by the settings.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

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

// Windows no pick ever changes, by class: the desktop's (Progman,
// WorkerW), every taskbar and the notification area's overflow windows.
bool IsRefusedClass(std::wstring_view windowClass);

// Windows that come and go with a moment's use (menus, tooltips, drop
// shadows, input-method windows, a combo box's list): a remembered
// program's level is not given to them.
bool IsFleetingClass(std::wstring_view windowClass);

// What a window's own program had set before Veloria first changed it: kept
// on the window itself, in two window properties, so that it lives exactly
// as long as the window and survives Veloria's own restarts. Each value is
// never 0 (a missing property reads 0).
struct WindowNote {
    bool layered = false;       // its program had made it layered
    bool clickThrough = false;  // it had WS_EX_TRANSPARENT
    std::uint32_t flags = 0;    // the LWA_COLORKEY (1) and LWA_ALPHA (2) its program had set
    std::uint32_t key = 0;      // its colour key, a COLORREF
    std::uint8_t alpha = 255;
    bool operator==(const WindowNote&) const = default;
};
std::pair<std::uintptr_t, std::uintptr_t> EncodeNote(const WindowNote& note);
std::optional<WindowNote> DecodeNote(std::uintptr_t state, std::uintptr_t key);

}  // namespace veloria
