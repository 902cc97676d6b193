// The keys and the wheel: four system-wide keys that change the window in
// front, the wheel with Ctrl and Alt over any window, and click-through.
//
// They live in "Config.ini", section "[Keys]", as texts a user can read and
// write: "Ctrl+Alt+Down". A key missing from the file, or a text that is no
// key, is the default; an empty text is no key at all. A key needs Ctrl,
// Alt or the Windows key, so that it never takes a plain letter from every
// program.
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
// Any letter case, blanks around the parts; nothing for a text that is no
// key or lacks Ctrl, Alt and Win.
std::optional<HotKey> ParseHotKey(std::wstring_view text);

// The hot-key control's word (key in the low byte; Shift 1, Ctrl 2, Alt 4,
// extended 8 in the high one) and back. The Windows key it cannot show.
std::optional<HotKey> FromHotKeyControl(std::uint16_t word);
std::uint16_t ToHotKeyControl(const std::optional<HotKey>& hotKey);

enum class KeyAction { MoreSeeThrough, MoreSolid, Opaque, ClickThrough };
inline constexpr std::size_t kKeyActionCount = 4;

struct KeySettings {
    std::array<std::optional<HotKey>, kKeyActionCount> keys;
    bool wheel = true;         // Ctrl+Alt+wheel over a window
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
// The four keys in KeyAction order, then "Wheel" and "UseClickThrough".
inline constexpr std::array<KeySettingName, kKeyActionCount + 2> kKeySettingNames{{
    {L"MoreSeeThrough", L"Ctrl+Alt+Down"},
    {L"MoreSolid", L"Ctrl+Alt+Up"},
    {L"Opaque", L"Ctrl+Alt+0"},
    {L"ClickThrough", L"Ctrl+Alt+T"},
    {L"Wheel", L"1"},
    {L"UseClickThrough", L"1"},
}};
using KeySettingTexts = std::array<std::wstring, kKeySettingNames.size()>;

KeySettings ReadKeySettings(const KeySettingTexts& texts);
KeySettingTexts KeySettingsTexts(const KeySettings& settings);

// The keys in use.
KeySettings& Keys();

}  // namespace veloria
