// The keys and the wheel: six system-wide keys that change the window in
// front or open the level popup for it, the wheel with its modifier keys
// over any window, and click-through.
//
// They live in "Config.ini", section "[Keys]", as texts a user can read and
// write: "Ctrl+Alt+Shift+PageDown". A key missing from the file, or a text
// that is no key, is the default; an empty text is no key at all. A key
// needs Ctrl, Alt or the Windows key, so that it never takes a plain letter
// from every program.
//
// The defaults take nothing from anyone: Windows reports AltGr as Ctrl+Alt,
// so a Ctrl+Alt key is some keyboard's character; Ctrl+Alt with the arrows,
// Home, End and the page keys are the screen readers' table keys and the
// Magnifier's; Ctrl+Alt+wheel is the Magnifier's zoom; Insert is the screen
// readers' own modifier and Ctrl+Alt+Delete the system's. Ctrl+Alt+Shift
// with the page keys, Home, End and the function keys types nothing on any
// layout (AltGr+Shift gives characters on letters, digits and punctuation
// only) and is none of theirs.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veloria {

inline constexpr const wchar_t* kKeysSection = L"Keys";

// As RegisterHotKey takes them.
inline constexpr unsigned kModAlt = 1;
inline constexpr unsigned kModControl = 2;
inline constexpr unsigned kModShift = 4;
inline constexpr unsigned kModWin = 8;

struct HotKey {
    unsigned modifiers = 0;  // kMod... summed
    unsigned key = 0;        // a virtual-key code
    bool operator==(const HotKey&) const = default;
};

// "Ctrl+Alt+Shift+Win+Key"; a key without a name of its own as "#code".
std::wstring HotKeyText(const HotKey& hotKey);
// "Ctrl+Alt+0 (})": a key with the character it types.
std::wstring HotKeyAndCharacterText(const HotKey& hotKey, wchar_t character);
// Any letter case, blanks around the parts; nothing for a text that is no
// key or lacks Ctrl, Alt and Win.
std::optional<HotKey> ParseHotKey(std::wstring_view text);

// The hot-key control's word (key in the low byte; Shift 1, Ctrl 2, Alt 4,
// extended 8 in the high one) and back. The Windows key it cannot show.
std::optional<HotKey> FromHotKeyControl(std::uint16_t word);
std::uint16_t ToHotKeyControl(const std::optional<HotKey>& hotKey);

enum class KeyAction { MoreSeeThrough, MoreSolid, Opaque, ClickThrough, OnTop, Pick };
inline constexpr std::size_t kKeyActionCount = 6;

struct KeySettings {
    std::array<std::optional<HotKey>, kKeyActionCount> keys;
    bool wheel = true;  // the wheel over a window, with wheelModifiers held
    unsigned wheelModifiers = kModControl | kModAlt | kModShift;
    bool clickThrough = true;  // the click-through key
    std::optional<HotKey>& operator[](KeyAction action) { return keys[static_cast<std::size_t>(action)]; }
    const std::optional<HotKey>& operator[](KeyAction action) const
    {
        return keys[static_cast<std::size_t>(action)];
    }
};

struct KeySettingName {
    const wchar_t* key;
    const wchar_t* defaultText;
};
// The six keys in KeyAction order, then "Wheel", "UseClickThrough" and
// "WheelKeys" (the modifiers held with the wheel).
inline constexpr std::size_t kWheelSetting = kKeyActionCount;
inline constexpr std::size_t kClickThroughSetting = kKeyActionCount + 1;
inline constexpr std::size_t kWheelKeysSetting = kKeyActionCount + 2;
inline constexpr std::array<KeySettingName, kKeyActionCount + 3> kKeySettingNames{{
    {L"MoreSeeThrough", L"Ctrl+Alt+Shift+PageDown"},
    {L"MoreSolid", L"Ctrl+Alt+Shift+PageUp"},
    {L"Opaque", L"Ctrl+Alt+Shift+Home"},
    {L"ClickThrough", L"Ctrl+Alt+Shift+End"},
    {L"OnTop", L"Ctrl+Alt+Shift+F9"},
    {L"Pick", L"Ctrl+Alt+Shift+F8"},
    {L"Wheel", L"1"},
    {L"UseClickThrough", L"1"},
    {L"WheelKeys", L"Ctrl+Alt+Shift"},
}};

// The modifiers the wheel may be set to, as the options offer them. Each
// has two keys, one of them Ctrl, Alt or Win: a wheel with Ctrl alone
// would take every program's zoom, Shift alone its sideways scrolling;
// Alt+Shift is missing, as its release switches the keyboard layout.
inline constexpr std::array<unsigned, 6> kWheelModifierChoices{
    kModControl | kModAlt | kModShift, kModControl | kModShift, kModControl | kModAlt,
    kModControl | kModWin,             kModAlt | kModWin,       kModShift | kModWin,
};
// "Ctrl+Alt+Shift"; nothing for a text that names no choice above.
std::wstring ModifiersText(unsigned modifiers);
std::optional<unsigned> ParseWheelModifiers(std::wstring_view text);

// AltGr is Ctrl+Alt to Windows: a key with Ctrl and Alt (and without the
// Windows key, with which nothing is typed) is AltGr with its key, and
// Shift as well when it has Shift.
bool PressedByAltGr(const HotKey& hotKey);
// What a keyboard layout answers for a character, as VkKeyScanEx does: its
// key in the low byte and the shift state in the high one (Shift 1, Ctrl 2,
// Alt 4).
struct KeyScan {
    wchar_t character;
    std::uint16_t scan;
};
// The character a key would take from the user typing it with AltGr on the
// layout whose answers `scans` are, or nothing.
std::optional<wchar_t> CharacterAltGrTypes(const HotKey& hotKey, const KeyScan* scans, std::size_t count);
using KeySettingTexts = std::array<std::wstring, kKeySettingNames.size()>;

KeySettings ReadKeySettings(const KeySettingTexts& texts);
KeySettingTexts KeySettingsTexts(const KeySettings& settings);

// The keys as they are with no [Keys] section.
KeySettings DefaultKeySettings();

// The keys in use.
KeySettings& Keys();

}  // namespace veloria
