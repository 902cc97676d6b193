// The settings record: ten process-wide texts, one per key of "Config.ini",
// held exactly as read or saved, and converted only when they are used.
//
// kSettingKeys is the single table of the keys: section, name, default,
// type and place in a save; the file reader, the file writer and the
// readings below all go through it.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/setting_text.h"

namespace veloria {

struct SettingsRecord {
    std::wstring DefaultAlpha;
    std::wstring ControlStyle;
    std::wstring AutoStart;
    std::wstring AutoUpdate;
    std::wstring AtutoMenuInicio_ALPHA;
    std::wstring AtutoMenuInicio_ALPHAV;
    std::wstring LanguageFile;
    std::wstring RestoreOnExit;
    std::wstring AutoMSN_ChatWindow;
    std::wstring AutoMSN_ChatWindow_ALPHA;
};

// How the program reads a setting's text (see setting_text.h).
enum class SettingType {
    Text,         // as it stands
    Number,       // a number
    WholeNumber,  // rounded half to even
    ShortNumber,  // the same in 16 bits
    TruthValue,   // on unless it is 0
    NumberIsOne,  // on only when it is 1
};

// One key of the file: where it stands, its default, the field that holds
// it, how it is read and where a save writes it.
struct SettingKey {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* defaultText;
    std::wstring SettingsRecord::*field;
    SettingType type;
    std::size_t savePosition;  // a save lists the keys of "General" in this order, then "Live Messenger"
};

inline constexpr const wchar_t* kGeneralSection = L"General";
inline constexpr const wchar_t* kMessengerSection = L"Live Messenger";

// In the order the keys are read at start-up. A setting is added here.
inline constexpr std::array<SettingKey, 10> kSettingKeys{{
    {kGeneralSection, L"DefaultAlpha", L"222", &SettingsRecord::DefaultAlpha, SettingType::WholeNumber, 0},
    {kGeneralSection, L"ControlStyle", L"1", &SettingsRecord::ControlStyle, SettingType::TruthValue, 1},
    {kGeneralSection, L"AutoStart", L"0", &SettingsRecord::AutoStart, SettingType::TruthValue, 2},
    {kGeneralSection, L"AutoUpdate", L"0", &SettingsRecord::AutoUpdate, SettingType::NumberIsOne, 5},
    {kGeneralSection, L"AtutoMenuInicio_ALPHA", L"0", &SettingsRecord::AtutoMenuInicio_ALPHA, SettingType::TruthValue,
     3},
    {kGeneralSection, L"AtutoMenuInicio_ALPHAV", L"0", &SettingsRecord::AtutoMenuInicio_ALPHAV,
     SettingType::ShortNumber, 4},
    {kGeneralSection, L"LanguageFile", L"english.ini", &SettingsRecord::LanguageFile, SettingType::Text, 6},
    {kMessengerSection, L"AutoMSN_ChatWindow", L"0", &SettingsRecord::AutoMSN_ChatWindow, SettingType::NumberIsOne,
     8},
    {kMessengerSection, L"AutoMSN_ChatWindow_ALPHA", L"200", &SettingsRecord::AutoMSN_ChatWindow_ALPHA,
     SettingType::Number, 9},
    {kGeneralSection, L"RestoreOnExit", L"0", &SettingsRecord::RestoreOnExit, SettingType::NumberIsOne, 7},
}};

static_assert(
    [] {
        std::array<bool, kSettingKeys.size()> taken{};
        for (const SettingKey& key : kSettingKeys) {
            if (key.savePosition >= taken.size() || taken[key.savePosition]) {
                return false;
            }
            taken[key.savePosition] = true;
        }
        return true;
    }(),
    "every key has a place of its own in a save");

// The keys in the order a save writes them.
inline constexpr std::array<SettingKey, kSettingKeys.size()> kSaveOrder = [] {
    std::array<SettingKey, kSettingKeys.size()> order{};
    for (const SettingKey& key : kSettingKeys) {
        order[key.savePosition] = key;
    }
    return order;
}();

constexpr const SettingKey& KeyOf(std::wstring SettingsRecord::*field)
{
    for (const SettingKey& key : kSettingKeys) {
        if (key.field == field) {
            return key;
        }
    }
    throw "every field has a key";  // at compile time: a field without a row does not build
}

// The reading of a setting, as its row's type gives it, falling back on
// its default where its text is no number.
template <std::wstring SettingsRecord::*Field>
auto ReadSetting(const SettingsRecord& settings)
{
    constexpr SettingKey key = KeyOf(Field);
    const std::wstring& text = settings.*Field;
    if constexpr (key.type == SettingType::Number) {
        return ReadNumber(text, key.defaultText);
    } else if constexpr (key.type == SettingType::WholeNumber) {
        return ReadWholeNumber(text, key.defaultText);
    } else if constexpr (key.type == SettingType::ShortNumber) {
        return ReadShortNumber(text, key.defaultText);
    } else if constexpr (key.type == SettingType::TruthValue) {
        return ReadTruthValue(text, key.defaultText);
    } else if constexpr (key.type == SettingType::NumberIsOne) {
        return ReadNumberIsOne(text, key.defaultText);
    } else {
        return std::wstring_view(text);
    }
}

SettingsRecord DefaultSettings();

// The record the running program uses.
SettingsRecord& Settings();

// What the settings mean to the program.
inline int DefaultAlphaLevel(const SettingsRecord& s) { return ReadSetting<&SettingsRecord::DefaultAlpha>(s); }
inline bool PlainWindowLook(const SettingsRecord& s) { return ReadSetting<&SettingsRecord::ControlStyle>(s); }
inline bool AutoStartEnabled(const SettingsRecord& s) { return ReadSetting<&SettingsRecord::AutoStart>(s); }
inline bool AutoUpdateEnabled(const SettingsRecord& s) { return ReadSetting<&SettingsRecord::AutoUpdate>(s); }
// Every window Veloria changed gets its own look back as Veloria closes.
inline bool RestoresOnExit(const SettingsRecord& s) { return ReadSetting<&SettingsRecord::RestoreOnExit>(s); }
inline bool TaskbarTranslucentAtStart(const SettingsRecord& s)
{
    return ReadSetting<&SettingsRecord::AtutoMenuInicio_ALPHA>(s);
}
std::int16_t TaskbarLevel(const SettingsRecord& settings);  // at least the sliders' lowest level
inline const std::wstring& LanguageFileName(const SettingsRecord& s) { return s.LanguageFile; }
inline bool MessengerWindowsEnabled(const SettingsRecord& s)
{
    return ReadSetting<&SettingsRecord::AutoMSN_ChatWindow>(s);
}
inline double MessengerWindowLevel(const SettingsRecord& s)
{
    return ReadSetting<&SettingsRecord::AutoMSN_ChatWindow_ALPHA>(s);
}

}  // namespace veloria
