#include "settings/settings_record.h"

#include <algorithm>

#include "base/alpha_rules.h"
#include "settings/setting_text.h"

namespace veloria {

namespace {

const SettingKey& KeyOf(std::wstring SettingsRecord::*field)
{
    for (const SettingKey& key : kSettingKeys) {
        if (key.field == field) {
            return key;
        }
    }
    return kSettingKeys.front();  // unreachable: every field has a key
}

// The field's text with its key's default text for the fallback reading.
struct Reading {
    const std::wstring& text;
    const wchar_t* fallback;
};

Reading Read(const SettingsRecord& settings, std::wstring SettingsRecord::*field)
{
    return {settings.*field, KeyOf(field).defaultText};
}

}  // namespace

SettingsRecord DefaultSettings()
{
    SettingsRecord record;
    for (const SettingKey& key : kSettingKeys) {
        record.*key.field = key.defaultText;
    }
    return record;
}

SettingsRecord& Settings()
{
    static SettingsRecord record;
    return record;
}

int DefaultAlphaLevel(const SettingsRecord& settings)
{
    const auto [text, fallback] = Read(settings, &SettingsRecord::DefaultAlpha);
    return ReadWholeNumber(text, fallback);
}

bool PlainWindowLook(const SettingsRecord& settings)
{
    const auto [text, fallback] = Read(settings, &SettingsRecord::ControlStyle);
    return ReadTruthValue(text, fallback);
}

bool AutoStartEnabled(const SettingsRecord& settings)
{
    const auto [text, fallback] = Read(settings, &SettingsRecord::AutoStart);
    return ReadTruthValue(text, fallback);
}

bool AutoUpdateEnabled(const SettingsRecord& settings)
{
    const auto [text, fallback] = Read(settings, &SettingsRecord::AutoUpdate);
    return ReadNumberIsOne(text, fallback);
}

bool TaskbarTranslucentAtStart(const SettingsRecord& settings)
{
    const auto [text, fallback] = Read(settings, &SettingsRecord::AtutoMenuInicio_ALPHA);
    return ReadTruthValue(text, fallback);
}

std::int16_t TaskbarLevel(const SettingsRecord& settings)
{
    // Never below the sliders' lowest level: a stored 0 (the default, or
    // a level never saved) would hide the taskbar and the tray icon with
    // it, the program's only way in.
    const auto [text, fallback] = Read(settings, &SettingsRecord::AtutoMenuInicio_ALPHAV);
    return std::max<std::int16_t>(ReadShortNumber(text, fallback), kLowestSliderLevel);
}

const std::wstring& LanguageFileName(const SettingsRecord& settings)
{
    return settings.LanguageFile;
}

bool MessengerWindowsEnabled(const SettingsRecord& settings)
{
    const auto [text, fallback] = Read(settings, &SettingsRecord::AutoMSN_ChatWindow);
    return ReadNumberIsOne(text, fallback);
}

double MessengerWindowLevel(const SettingsRecord& settings)
{
    const auto [text, fallback] = Read(settings, &SettingsRecord::AutoMSN_ChatWindow_ALPHA);
    return ReadNumber(text, fallback);
}

}  // namespace veloria
