#include "settings/config_file.h"

#include "base/error_report.h"
#include "base/profile.h"
#include "base/program_folder.h"

namespace veloria {

std::string ConfigFilePath(const std::string& folder)
{
    return folder + "\\" + kConfigFileName;
}

SettingsRecord ReadSettingsFile(const std::string& folder)
{
    SettingsRecord record;
    for (const SettingKey& key : kSettingKeys) {
        record.*key.field = ReadProfileText(key.section, key.key, key.defaultText, ConfigFilePath(folder));
    }
    return record;
}

void CargarConfiguracion()
{
    Settings() = ReadSettingsFile(ProgramFolder());
}

SaveOutcome WriteSettingsFile(const std::string& folder, const SettingsRecord& values,
                              SettingsRecord& record)
{
    SaveOutcome outcome;
    for (const SettingKey& key : kSaveOrder) {
        record.*key.field = values.*key.field;
        const std::string path = ConfigFilePath(folder);
        if (!::WritePrivateProfileStringA(key.section, key.key, (record.*key.field).c_str(), path.c_str()) &&
            outcome.saved) {
            outcome = {false, path, ::GetLastError()};
        }
    }
    return outcome;
}

std::string SaveFailureMessage(const SaveOutcome& outcome)
{
    return "Veloria could not save its settings to the file\n\n" + outcome.path + "\n\n(" +
           SystemErrorText(outcome.error) +
           ".)\n\nThe new settings are in use until Veloria is closed, but they will be lost at "
           "the next start. Make sure the file and its folder can be written to and the disk "
           "is not full, then save the settings again.";
}

bool GuardarConfiguracionArchivo(HWND owner, const SettingsRecord& values)
{
    const SaveOutcome outcome = WriteSettingsFile(ProgramFolder(), values, Settings());
    if (!outcome.saved) {
        ShowMessage(owner, SaveFailureMessage(outcome), MB_ICONWARNING);
    }
    return outcome.saved;
}

}  // namespace veloria
