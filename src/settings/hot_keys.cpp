#include "settings/hot_keys.h"

#include <algorithm>

#include "base/text_rules.h"
#include "settings/settings_state.h"
#include "settings/setting_text.h"

namespace veloria {

namespace {

struct KeyName {
    unsigned key;
    std::wstring_view name;
};

// Keys other than letters, digits and F1..F24, by their virtual-key codes.
constexpr std::array<KeyName, 23> kKeyNames{{
    {0x08, L"Backspace"}, {0x09, L"Tab"},    {0x0D, L"Enter"},  {0x13, L"Pause"},  {0x1B, L"Esc"},
    {0x20, L"Space"},     {0x21, L"PageUp"}, {0x22, L"PageDown"}, {0x23, L"End"},  {0x24, L"Home"},
    {0x25, L"Left"},      {0x26, L"Up"},     {0x27, L"Right"},  {0x28, L"Down"},   {0x2D, L"Insert"},
    {0x2E, L"Delete"},    {0x6A, L"Num*"},   {0x6B, L"Num+"},   {0x6D, L"Num-"},   {0x6F, L"Num/"},
    {0xBB, L"Plus"},      {0xBC, L"Comma"},  {0xBD, L"Minus"},
}};

struct ModifierName {
    unsigned modifier;
    std::wstring_view name;
};
constexpr std::array<ModifierName, 4> kModifierNames{{
    {kModControl, L"Ctrl"}, {kModAlt, L"Alt"}, {kModShift, L"Shift"}, {kModWin, L"Win"}}};

// The modifier a part of a key's text names, in any letter case.
std::optional<unsigned> ModifierNamed(std::wstring_view part)
{
    for (const ModifierName& named : kModifierNames) {
        if (SameLetters(named.name, part)) {
            return named.modifier;
        }
    }
    return std::nullopt;
}

std::wstring KeyText(unsigned key)
{
    if ((key >= L'0' && key <= L'9') || (key >= L'A' && key <= L'Z')) {
        return std::wstring(1, static_cast<wchar_t>(key));
    }
    if (key >= 0x70 && key <= 0x87) {
        return L"F" + DecimalText(key - 0x6F);
    }
    if (key >= 0x60 && key <= 0x69) {
        return L"Num" + DecimalText(key - 0x60);
    }
    for (const KeyName& named : kKeyNames) {
        if (named.key == key) {
            return std::wstring(named.name);
        }
    }
    return L"#" + DecimalText(key);
}

std::optional<unsigned> ParseKey(std::wstring_view text)
{
    if (text.size() == 1) {
        const wchar_t c = text[0] >= L'a' && text[0] <= L'z' ? static_cast<wchar_t>(text[0] - 32) : text[0];
        if ((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z')) {
            return static_cast<unsigned>(c);
        }
    }
    for (const KeyName& named : kKeyNames) {
        if (SameLetters(named.name, text)) {
            return named.key;
        }
    }
    if (text.size() >= 2 && (text[0] == L'F' || text[0] == L'f')) {
        if (const auto number = ShortDecimal(text.substr(1)); number && *number >= 1 && *number <= 24) {
            return 0x6F + *number;
        }
    }
    if (text.size() == 4 && SameLetters(text.substr(0, 3), L"Num")) {
        if (const auto number = ShortDecimal(text.substr(3))) {
            return 0x60 + *number;
        }
    }
    if (!text.empty() && text[0] == L'#') {
        if (const auto number = ShortDecimal(text.substr(1)); number && *number > 0 && *number < 255) {
            return *number;
        }
    }
    return std::nullopt;
}

}  // namespace

std::wstring HotKeyText(const HotKey& hotKey)
{
    return ModifiersText(hotKey.modifiers) + (hotKey.modifiers != 0 ? L"+" : L"") + KeyText(hotKey.key);
}

std::wstring HotKeyAndCharacterText(const HotKey& hotKey, wchar_t character)
{
    return HotKeyText(hotKey) + L" (" + std::wstring(1, character) + L")";
}

std::optional<HotKey> ParseHotKey(std::wstring_view text)
{
    HotKey hotKey;
    for (;;) {
        const std::size_t plus = text.find(L'+', 1);  // "Num+" and "Ctrl++": a '+' may be the key itself
        const std::wstring_view part = TrimBlanks(text.substr(0, plus));
        if (plus == std::wstring_view::npos || part == L"Num") {
            const std::optional<unsigned> key = ParseKey(TrimBlanks(text));
            if (!key || (hotKey.modifiers & (kModControl | kModAlt | kModWin)) == 0) {
                return std::nullopt;
            }
            hotKey.key = *key;
            return hotKey;
        }
        const std::optional<unsigned> modifier = ModifierNamed(part);
        if (!modifier) {
            return std::nullopt;
        }
        hotKey.modifiers |= *modifier;
        text.remove_prefix(plus + 1);
    }
}

std::optional<HotKey> FromHotKeyControl(std::uint16_t word)
{
    const unsigned flags = word >> 8;
    HotKey hotKey;
    hotKey.key = word & 0xFFu;
    hotKey.modifiers = ((flags & 1u) != 0 ? kModShift : 0) | ((flags & 2u) != 0 ? kModControl : 0) |
                       ((flags & 4u) != 0 ? kModAlt : 0);
    if (hotKey.key == 0 || (hotKey.modifiers & (kModControl | kModAlt)) == 0) {
        return std::nullopt;
    }
    return hotKey;
}

std::uint16_t ToHotKeyControl(const std::optional<HotKey>& hotKey)
{
    if (!hotKey) {
        return 0;
    }
    // The arrows and the keys above them are extended keys: without the
    // flag the control names them after the number pad's.
    const bool extended = (hotKey->key >= 0x21 && hotKey->key <= 0x28) || hotKey->key == 0x2D || hotKey->key == 0x2E;
    const unsigned flags = ((hotKey->modifiers & kModShift) != 0 ? 1u : 0) |
                           ((hotKey->modifiers & kModControl) != 0 ? 2u : 0) |
                           ((hotKey->modifiers & kModAlt) != 0 ? 4u : 0) | (extended ? 8u : 0);
    return static_cast<std::uint16_t>((flags << 8) | (hotKey->key & 0xFFu));
}

std::wstring ModifiersText(unsigned modifiers)
{
    std::wstring text;
    for (const ModifierName& modifier : kModifierNames) {
        if ((modifiers & modifier.modifier) != 0) {
            text += (text.empty() ? L"" : L"+") + std::wstring(modifier.name);
        }
    }
    return text;
}

std::optional<unsigned> ParseWheelModifiers(std::wstring_view text)
{
    unsigned modifiers = 0;
    while (!text.empty()) {
        const std::size_t plus = text.find(L'+');
        const std::wstring_view part = TrimBlanks(text.substr(0, plus));
        const std::optional<unsigned> modifier = ModifierNamed(part);
        if (!modifier) {
            return std::nullopt;
        }
        modifiers |= *modifier;
        text = plus == std::wstring_view::npos ? std::wstring_view() : text.substr(plus + 1);
    }
    if (std::find(kWheelModifierChoices.begin(), kWheelModifierChoices.end(), modifiers) ==
        kWheelModifierChoices.end()) {
        return std::nullopt;
    }
    return modifiers;
}

bool PressedByAltGr(const HotKey& hotKey)
{
    constexpr unsigned kAltGr = kModControl | kModAlt;
    return (hotKey.modifiers & kAltGr) == kAltGr && (hotKey.modifiers & kModWin) == 0;
}

std::optional<wchar_t> CharacterAltGrTypes(const HotKey& hotKey, const KeyScan* scans, std::size_t count)
{
    if (!PressedByAltGr(hotKey)) {
        return std::nullopt;
    }
    constexpr unsigned kShiftState = 1;
    constexpr unsigned kAltGrState = 2 | 4;
    const unsigned state = kAltGrState | ((hotKey.modifiers & kModShift) != 0 ? kShiftState : 0);
    for (std::size_t k = 0; k < count; ++k) {
        const unsigned key = scans[k].scan & 0xFFu;
        // Other state bits (the layouts' own, Kana say) mean other keys held.
        if (key == hotKey.key && (scans[k].scan >> 8) == state) {
            return scans[k].character;
        }
    }
    return std::nullopt;
}

KeySettings ReadKeySettings(const KeySettingTexts& texts)
{
    KeySettings settings;
    for (std::size_t action = 0; action < kKeyActionCount; ++action) {
        const std::wstring_view text = TrimBlanks(texts[action]);
        if (!text.empty()) {
            const std::optional<HotKey> key = ParseHotKey(text);
            settings.keys[action] = key ? key : ParseHotKey(kKeySettingNames[action].defaultText);
        }
    }
    settings.wheel = ReadTruthValue(texts[kWheelSetting], kKeySettingNames[kWheelSetting].defaultText);
    settings.clickThrough =
        ReadTruthValue(texts[kClickThroughSetting], kKeySettingNames[kClickThroughSetting].defaultText);
    settings.wheelModifiers = ParseWheelModifiers(texts[kWheelKeysSetting])
                                  .value_or(*ParseWheelModifiers(kKeySettingNames[kWheelKeysSetting].defaultText));
    return settings;
}

KeySettingTexts KeySettingsTexts(const KeySettings& settings)
{
    KeySettingTexts texts;
    for (std::size_t action = 0; action < kKeyActionCount; ++action) {
        texts[action] = settings.keys[action] ? HotKeyText(*settings.keys[action]) : L"";
    }
    texts[kWheelSetting] = settings.wheel ? L"1" : L"0";
    texts[kClickThroughSetting] = settings.clickThrough ? L"1" : L"0";
    texts[kWheelKeysSetting] = ModifiersText(settings.wheelModifiers);
    return texts;
}

KeySettings DefaultKeySettings()
{
    KeySettingTexts defaults;
    for (std::size_t k = 0; k < defaults.size(); ++k) {
        defaults[k] = kKeySettingNames[k].defaultText;
    }
    return ReadKeySettings(defaults);
}

KeySettings& Keys()
{
    return SettingsState::Current().keys;
}

}  // namespace veloria
