#include "settings/config_file.h"

#include <algorithm>
#include <utility>

#include "base/code_page.h"
#include "base/error_report.h"
#include "base/file_bytes.h"
#include "base/profile.h"
#include "base/program_folder.h"
#include "base/text_encoding.h"
#include "base/text_rules.h"
#include "settings/settings_state.h"

namespace veloria {

namespace {

// A settings file is a few hundred bytes; one far bigger is not read whole
// into a conversion.
constexpr std::size_t kLargestConvertedFile = 1024 * 1024;

constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool FitsCodePage(const SettingsRecord& values)
{
    for (const SettingKey& key : kSettingKeys) {
        if (!ToCodePage(values.*key.field)) {
            return false;
        }
    }
    return true;
}

bool NamesFitCodePage(const std::vector<RememberedProgram>& programs)
{
    for (const RememberedProgram& program : programs) {
        if (!ToCodePage(program.name)) {
            return false;
        }
    }
    return true;
}

ProgramLevels& SavedPrograms()
{
    return SettingsState::Current().savedPrograms;
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
    const std::wstring text = isUnicode || bytes->substr(0, 3) == kUtf8Mark ? DecodeTextFile(*bytes)
                                                                          : FromCodePage(*bytes);
    if (toUnicode) {
        ReplaceFileBytes(path, Utf16Bytes(text));
    } else if (const auto narrow = ToCodePage(text)) {
        ReplaceFileBytes(path, *narrow);
    }
}

// Writes keys to one file; every key is tried, and the first failure kept.
class ProfileWriter {
public:
    explicit ProfileWriter(std::wstring path) : path_(std::move(path)) {}
    const std::wstring& path() const { return path_; }
    // `value` null removes the key.
    void Write(const wchar_t* section, const wchar_t* key, const wchar_t* value)
    {
        if (!::WritePrivateProfileStringW(section, key, value, path_.c_str())) {
            Failed();
        }
    }
    void Failed()
    {
        if (outcome_.saved) {
            outcome_ = {false, path_, ::GetLastError()};
        }
    }
    const SaveOutcome& outcome() const { return outcome_; }

private:
    std::wstring path_;
    SaveOutcome outcome_;
};

// Tells the user of a save that failed; true when it did not.
bool Told(HWND owner, const SaveOutcome& outcome)
{
    if (!outcome.saved) {
        ShowMessage(owner, SaveFailureMessage(outcome), MB_ICONWARNING);
    }
    return outcome.saved;
}

// A folder of its own in the user's temporary folder, gone with the owner.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        wchar_t base[MAX_PATH] = {};
        wchar_t name[MAX_PATH] = {};
        const DWORD length = ::GetTempPathW(MAX_PATH, base);
        if (length == 0 || length >= MAX_PATH || ::GetTempFileNameW(base, L"vel", 0, name) == 0) {
            return;
        }
        ::DeleteFileW(name);  // the unique name it made becomes the folder's
        if (::CreateDirectoryW(name, nullptr)) {
            path_ = name;
        }
    }
    ~TemporaryFolder()
    {
        if (!path_.empty()) {
            ::DeleteFileW(ConfigFilePath(path_).c_str());
            ::RemoveDirectoryW(path_.c_str());
        }
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

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

ProgramLevels ReadProgramLevels(const std::wstring& folder)
{
    // A section longer than the buffer comes cut, two characters short of
    // its size: the buffer grows, up to a bound no real list comes near.
    constexpr DWORD kLargestSection = 1 << 20;
    const std::wstring path = ConfigFilePath(folder);
    std::wstring buffer(4096, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD copied = ::GetPrivateProfileSectionW(kProgramsSection, buffer.data(), size, path.c_str());
        if (copied + 2 < size || size >= kLargestSection) {
            buffer.resize(std::min(copied, size));
            buffer.append(2, L'\0');
            return ProgramLevels::FromSection(buffer);
        }
        buffer.assign(size * 4, L'\0');
    }
}

KeySettingTexts ReadKeyTexts(const std::wstring& folder)
{
    KeySettingTexts texts;
    for (std::size_t k = 0; k < texts.size(); ++k) {
        texts[k] = ReadProfileText(kKeysSection, kKeySettingNames[k].key, kKeySettingNames[k].defaultText,
                                   ConfigFilePath(folder));
    }
    return texts;
}

bool ReadConfiguration(const std::wstring& folder)
{
    // Windows' profile functions know no UTF-8 mark: it would stick to the
    // first section's name. Such a file is rewritten whole before it is
    // read, in the form a save gives it.
    const std::wstring path = ConfigFilePath(folder);
    // Its first bytes tell; only a marked file is read whole.
    const std::optional<std::string> start = ReadFileBytes(path, kUtf8Mark.size());
    const std::optional<std::string> bytes =
        start == kUtf8Mark ? ReadFileBytes(path, kLargestConvertedFile + 1) : std::nullopt;
    std::optional<TemporaryFolder> copy;
    std::wstring from = folder;
    bool rewritten = true;
    if (bytes && bytes->substr(0, 3) == kUtf8Mark && bytes->size() <= kLargestConvertedFile) {
        const std::wstring text = DecodeTextFile(*bytes);
        const std::optional<std::string> narrow = ToCodePage(text);
        rewritten = ReplaceFileBytes(path, narrow ? *narrow : Utf16Bytes(text));
        // Read-only or locked: its text is read from a copy that Windows
        // can read, and the file stays as it is.
        if (!rewritten && !copy.emplace().path().empty() &&
            ReplaceFileBytes(ConfigFilePath(copy->path()), Utf16Bytes(text))) {
            from = copy->path();
        }
    }
    Settings() = ReadSettingsFile(from);
    RememberedPrograms() = ReadProgramLevels(from);
    SavedPrograms() = RememberedPrograms();
    Keys() = ReadKeySettings(ReadKeyTexts(from));
    return rewritten;
}

void CargarConfiguracion()
{
    SettingsState::Current().fileWritable = ReadConfiguration(ProgramFolder());
}

bool ConfigFileRewritable()
{
    return SettingsState::Current().fileWritable;
}

SaveOutcome WriteSettingsFile(const std::wstring& folder, const SettingsRecord& values, SettingsRecord& record)
{
    ProfileWriter file(ConfigFilePath(folder));
    // A value the code page cannot spell needs the file in UTF-16 before
    // it is written; once every value fits again, the file goes back after.
    const bool unicode = !FitsCodePage(values);
    if (unicode) {
        ConvertFile(file.path(), true);
    }
    for (const SettingKey& key : kSaveOrder) {
        record.*key.field = values.*key.field;
        file.Write(key.section, key.key, (record.*key.field).c_str());
    }
    if (!unicode && file.outcome().saved) {
        ConvertFile(file.path(), false);
    }
    return file.outcome();
}

SaveOutcome WriteProgramLevels(const std::wstring& folder, const ProgramLevels& before, const ProgramLevels& after)
{
    const ProgramChanges changes = ChangesBetween(before, after);
    ProfileWriter file(ConfigFilePath(folder));
    if (!NamesFitCodePage(changes.written)) {
        ConvertFile(file.path(), true);
    }
    for (const std::wstring& name : changes.removed) {
        // A name may stand on more than one line (written by hand in
        // another letter case): each goes, up to a bound.
        for (int line = 0; line < 64; ++line) {
            wchar_t value[2]{};
            const DWORD copied =
                ::GetPrivateProfileStringW(kProgramsSection, name.c_str(), L"\x1", value, 2, file.path().c_str());
            if (copied == 1 && value[0] == L'\x1') {
                break;
            }
            if (!::WritePrivateProfileStringW(kProgramsSection, name.c_str(), nullptr, file.path().c_str())) {
                file.Failed();
                break;
            }
        }
        file.Write(kProgramsSection, (name + kBackgroundSuffix).c_str(), nullptr);
    }
    for (const RememberedProgram& program : changes.written) {
        file.Write(kProgramsSection, program.name.c_str(), DecimalText(program.level).c_str());
        file.Write(kProgramsSection, (program.name + kBackgroundSuffix).c_str(),
                   program.onlyInBackground ? L"1" : nullptr);
    }
    return file.outcome();
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
    return Told(owner, WriteSettingsFile(ProgramFolder(), values, Settings()));
}

bool GuardarTeclas(HWND owner, const KeySettings& keys)
{
    const KeySettingTexts before = KeySettingsTexts(Keys());
    const KeySettingTexts after = KeySettingsTexts(keys);
    Keys() = keys;
    ProfileWriter file(ConfigFilePath(ProgramFolder()));
    for (std::size_t k = 0; k < after.size(); ++k) {
        if (after[k] != before[k]) {
            file.Write(kKeysSection, kKeySettingNames[k].key, after[k].c_str());
        }
    }
    return Told(owner, file.outcome());
}

bool GuardarProgramas(HWND owner, const ProgramLevels& programs)
{
    RememberedPrograms() = programs;
    if (!Told(owner, WriteProgramLevels(ProgramFolder(), SavedPrograms(), programs))) {
        return false;
    }
    SavedPrograms() = programs;
    return true;
}

}  // namespace veloria
