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

// A program's main window, by its styles (GWL_STYLE and GWL_EXSTYLE): shown,
// top-level, with a caption, neither a tool window nor one that is never
// activated. Only such windows get a level Veloria gives without a pick
// (a remembered program's): its drop-downs, menus, tooltips and the
// shell's switchers keep their own looks.
bool IsMainWindow(std::uint32_t style, std::uint32_t exStyle);

// What a window's own program had set before Veloria changed it, and what
// Veloria gave it (a level, click-through, on top of other windows): kept on
// the window itself, in two window properties, so that it lives exactly as
// long as the window and survives Veloria's own restarts and crashes. Each value is never 0 (a missing property reads 0).
// The values fit 32 bits, for the 32-bit build.
struct WindowNote {
    bool layered = false;       // its program had made it layered
    bool clickThrough = false;  // it had WS_EX_TRANSPARENT
    std::uint32_t flags = 0;    // the LWA_COLORKEY (1) and LWA_ALPHA (2) its program had set
    std::uint32_t key = 0;      // its colour key, a COLORREF
    std::uint8_t alpha = 255;
    std::optional<std::uint8_t> given;  // the level Veloria gave it, if any
    bool clickThroughGiven = false;     // Veloria made it click-through
    bool onTopGiven = false;            // Veloria put it on top; not one its program keeps there
    bool operator==(const WindowNote&) const = default;
};
std::pair<std::uintptr_t, std::uintptr_t> EncodeNote(const WindowNote& note);
std::optional<WindowNote> DecodeNote(std::uintptr_t state, std::uintptr_t key);

// How a window is layered now.
struct WindowLayering {
    bool layered = false;
    std::uint32_t flags = 0;  // LWA_COLORKEY and LWA_ALPHA
    std::uint32_t key = 0;
    std::uint8_t alpha = 255;
};

// Whether the window still shows what Veloria left it with: the level it
// gave, or, where it gave none, its program's own layering. When it does
// not, its program has changed it since, and what it shows now is its
// program's.
bool NoteStillHolds(const WindowNote& note, const WindowLayering& now);

// The note taken afresh from a window whose program changed it since the
// note: its layering as it is now, the click-through Veloria gave (and
// what its program had set before it) and the on-top it gave kept while the
// window still has them.
WindowNote RenewedNote(const WindowNote& note, const WindowLayering& now, bool clickThroughNow, bool onTopNow);

}  // namespace veloria
