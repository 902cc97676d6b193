// The settings record: nine process-wide texts, one per key of "Config.ini",
// held exactly as read or saved, and converted only when they are used.
//
// kSettingKeys is the single table of sections, keys and defaults; the file
// reader, the file writer and the readings below all go through it.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace veloria {

struct SettingsRecord {
    std::wstring DefaultAlpha;
    std::wstring ControlStyle;
    std::wstring AutoStart;
    std::wstring AutoUpdate;
    std::wstring AtutoMenuInicio_ALPHA;
    std::wstring AtutoMenuInicio_ALPHAV;
    std::wstring LanguageFile;
    std::wstring AutoMSN_ChatWindow;
    std::wstring AutoMSN_ChatWindow_ALPHA;
};

struct SettingKey {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* defaultText;
    std::wstring SettingsRecord::*field;
};

inline constexpr const wchar_t* kGeneralSection = L"General";
inline constexpr const wchar_t* kMessengerSection = L"Live Messenger";

// In the order the keys are read at start-up.
inline constexpr std::array<SettingKey, 9> kSettingKeys{{
    {kGeneralSection, L"DefaultAlpha", L"222", &SettingsRecord::DefaultAlpha},
    {kGeneralSection, L"ControlStyle", L"1", &SettingsRecord::ControlStyle},
    {kGeneralSection, L"AutoStart", L"0", &SettingsRecord::AutoStart},
    {kGeneralSection, L"AutoUpdate", L"0", &SettingsRecord::AutoUpdate},
    {kGeneralSection, L"AtutoMenuInicio_ALPHA", L"0", &SettingsRecord::AtutoMenuInicio_ALPHA},
    {kGeneralSection, L"AtutoMenuInicio_ALPHAV", L"0", &SettingsRecord::AtutoMenuInicio_ALPHAV},
    {kGeneralSection, L"LanguageFile", L"english.ini", &SettingsRecord::LanguageFile},
    {kMessengerSection, L"AutoMSN_ChatWindow", L"0", &SettingsRecord::AutoMSN_ChatWindow},
    {kMessengerSection, L"AutoMSN_ChatWindow_ALPHA", L"200", &SettingsRecord::AutoMSN_ChatWindow_ALPHA},
}};

// In the order a save writes them: the file a save creates lists the keys
// of "General" in this order, then those of "Live Messenger".
inline constexpr std::array<SettingKey, 9> kSaveOrder{{
    kSettingKeys[0], kSettingKeys[1], kSettingKeys[2], kSettingKeys[4], kSettingKeys[5],
    kSettingKeys[3], kSettingKeys[6], kSettingKeys[7], kSettingKeys[8],
}};

SettingsRecord DefaultSettings();

// The record the running program uses.
SettingsRecord& Settings();

// The readings of each setting, each falling back on its key's default.
int DefaultAlphaLevel(const SettingsRecord& settings);           // whole number
bool PlainWindowLook(const SettingsRecord& settings);            // ControlStyle, truth value
bool AutoStartEnabled(const SettingsRecord& settings);           // truth value
bool AutoUpdateEnabled(const SettingsRecord& settings);          // equals 1
bool TaskbarTranslucentAtStart(const SettingsRecord& settings);  // truth value
std::int16_t TaskbarLevel(const SettingsRecord& settings);       // whole number, 16 bits, at least 8
const std::wstring& LanguageFileName(const SettingsRecord& settings);
bool MessengerWindowsEnabled(const SettingsRecord& settings);    // equals 1
double MessengerWindowLevel(const SettingsRecord& settings);     // number

}  // namespace veloria
