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
    std::string DefaultAlpha;
    std::string ControlStyle;
    std::string AutoStart;
    std::string AutoUpdate;
    std::string AtutoMenuInicio_ALPHA;
    std::string AtutoMenuInicio_ALPHAV;
    std::string LanguageFile;
    std::string AutoMSN_ChatWindow;
    std::string AutoMSN_ChatWindow_ALPHA;
};

struct SettingKey {
    const char* section;
    const char* key;
    const char* defaultText;
    std::string SettingsRecord::*field;
};

inline constexpr const char* kGeneralSection = "General";
inline constexpr const char* kMessengerSection = "Live Messenger";

// In the order the keys are read at start-up.
inline constexpr std::array<SettingKey, 9> kSettingKeys{{
    {kGeneralSection, "DefaultAlpha", "222", &SettingsRecord::DefaultAlpha},
    {kGeneralSection, "ControlStyle", "1", &SettingsRecord::ControlStyle},
    {kGeneralSection, "AutoStart", "0", &SettingsRecord::AutoStart},
    {kGeneralSection, "AutoUpdate", "0", &SettingsRecord::AutoUpdate},
    {kGeneralSection, "AtutoMenuInicio_ALPHA", "0", &SettingsRecord::AtutoMenuInicio_ALPHA},
    {kGeneralSection, "AtutoMenuInicio_ALPHAV", "0", &SettingsRecord::AtutoMenuInicio_ALPHAV},
    {kGeneralSection, "LanguageFile", "english.ini", &SettingsRecord::LanguageFile},
    {kMessengerSection, "AutoMSN_ChatWindow", "0", &SettingsRecord::AutoMSN_ChatWindow},
    {kMessengerSection, "AutoMSN_ChatWindow_ALPHA", "200", &SettingsRecord::AutoMSN_ChatWindow_ALPHA},
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
std::int16_t TaskbarLevel(const SettingsRecord& settings);       // whole number, 16 bits
const std::string& LanguageFileName(const SettingsRecord& settings);
bool MessengerWindowsEnabled(const SettingsRecord& settings);    // equals 1
double MessengerWindowLevel(const SettingsRecord& settings);     // number

}  // namespace veloria
