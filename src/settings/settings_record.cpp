#include "settings/settings_record.h"

#include <algorithm>

#include "base/alpha_rules.h"
#include "settings/settings_state.h"

namespace veloria {

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
    return SettingsState::Current().record;
}

std::int16_t TaskbarLevel(const SettingsRecord& settings)
{
    // Never below the sliders' lowest level: a stored 0 (the default, or
    // a level never saved) would hide the taskbar and the tray icon with
    // it, the program's only way in.
    return std::max<std::int16_t>(ReadSetting<&SettingsRecord::AtutoMenuInicio_ALPHAV>(settings), kLowestSliderLevel);
}

}  // namespace veloria
