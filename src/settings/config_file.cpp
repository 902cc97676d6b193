#include "settings/config_file.h"

#include "base/code_page.h"
#include "base/error_report.h"
#include "base/file_bytes.h"
#include "base/profile.h"
#include "base/program_folder.h"
#include "base/text_encoding.h"

namespace veloria {

namespace {

// A settings file is a few hundred bytes; one far bigger is not read whole
// into a conversion.
constexpr std::size_t kLargestConvertedFile = 1024 * 1024;

constexpr std::string_view kUtf16Mark = "\xFF\xFE";

bool FitsCodePage(const SettingsRecord& values)
{
    for (const SettingKey& key : kSettingKeys) {
        if (!ToCodePage(values.*key.field)) {
            return false;
        }
    }
    return true;
}

std::string Utf16Bytes(std::wstring_view text)
{
    std::string bytes(kUtf16Mark);
    for (const wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}

// Rewrites the file in UTF-16, or in the code page where all of it fits;
// a file already in that form, or none, is left alone (the profile
// functions keep a file's form and make a new one in the code page).
void ConvertFile(const std::wstring& path, bool toUnicode)
{
    const std::optional<std::string> bytes = ReadFileBytes(path, kLargestConvertedFile + 1);
    if (!bytes) {
        if (toUnicode) {
            ReplaceFileBytes(path, kUtf16Mark);  // a new file, Unicode from the start
        }
        return;
    }
    const bool isUnicode = bytes->substr(0, 2) == kUtf16Mark;
    if (toUnicode == isUnicode || bytes->size() > kLargestConvertedFile) {
        return;
    }
    const std::wstring text = isUnicode || bytes->substr(0, 3) == "\xEF\xBB\xBF" ? DecodeTextFile(*bytes)
                                                                                 : FromCodePage(*bytes);
    if (toUnicode) {
        ReplaceFileBytes(path, Utf16Bytes(text));
    } else if (const auto narrow = ToCodePage(text)) {
        ReplaceFileBytes(path, *narrow);
    }
}

}  // namespace

std::wstring ConfigFilePath(const std::wstring& folder)
{
    return folder + L"\\" + kConfigFileName;
}

SettingsRecord ReadSettingsFile(const std::wstring& folder)
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

SaveOutcome WriteSettingsFile(const std::wstring& folder, const SettingsRecord& values, SettingsRecord& record)
{
    SaveOutcome outcome;
    // A value the code page cannot spell needs the file in UTF-16 before
    // it is written; once every value fits again, the file goes back after.
    const bool unicode = !FitsCodePage(values);
    if (unicode) {
        ConvertFile(ConfigFilePath(folder), true);
    }
    for (const SettingKey& key : kSaveOrder) {
        record.*key.field = values.*key.field;
        const std::wstring path = ConfigFilePath(folder);
        if (!::WritePrivateProfileStringW(key.section, key.key, (record.*key.field).c_str(), path.c_str()) &&
            outcome.saved) {
            outcome = {false, path, ::GetLastError()};
        }
    }
    if (!unicode && outcome.saved) {
        ConvertFile(ConfigFilePath(folder), false);
    }
    return outcome;
}

std::wstring SaveFailureMessage(const SaveOutcome& outcome)
{
    return L"Veloria could not save its settings to the file\n\n" + outcome.path + L"\n\n(" +
           SystemErrorText(outcome.error) +
           L".)\n\nThe new settings are in use until Veloria is closed, but they will be lost at "
           L"the next start. Make sure the file and its folder can be written to and the disk "
           L"is not full, then save the settings again.";
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
