// "Config.ini" beside the program: reading it into the settings record at
// start-up (CargarConfiguracion) and the file side of a save. The path is
// built afresh for every key read or written. Reading goes through the
// system's profile functions, so names match in any case, a key present
// with an empty value reads empty, values are cut to 254 characters, and a
// file in the system's code page reads as well as one in UTF-16.
//
// A save writes the file in the system's code page as long as every value
// fits it, so that it stays the file users and earlier versions know; a
// value that does not fit (a language file named in another script) turns
// the file into UTF-16 with its byte-order mark first, so nothing is lost.
#pragma once

#include <windows.h>

#include <string>

#include "settings/hot_keys.h"
#include "settings/program_levels.h"
#include "settings/settings_record.h"

namespace veloria {

inline constexpr const wchar_t* kConfigFileName = L"Config.ini";

// folder + "\Config.ini"
std::wstring ConfigFilePath(const std::wstring& folder);

// The nine keys from the file in `folder`, in read order; each missing file,
// section or key gives that key's default text.
SettingsRecord ReadSettingsFile(const std::wstring& folder);

// The remembered programs of the file in `folder` (none for a missing file
// or section).
ProgramLevels ReadProgramLevels(const std::wstring& folder);

// The texts of the keys' section of the file in `folder`; each missing key
// gives its default text.
KeySettingTexts ReadKeyTexts(const std::wstring& folder);

// Fills the program's settings record, its remembered programs and its keys
// from the file in `folder`. A file saved as UTF-8 with its byte-order mark
// (as Notepad and many editors save), which Windows' profile functions
// misread, is first rewritten whole in the form a save gives it (the code
// page where every value fits it, else UTF-16 with its mark), nothing of it
// lost. False when such a file could not be rewritten (read-only, locked):
// it was then read from its decoded text, and saves to it will fail.
bool ReadConfiguration(const std::wstring& folder);

// The same from the file beside the program.
void CargarConfiguracion();

// False when that file was saved as UTF-8 and could not be rewritten at
// start: the user is told that saving there will fail.
bool ConfigFileRewritable();

struct SaveOutcome {
    bool saved = true;
    std::wstring path;  // the file that could not be written
    DWORD error = 0;    // the system's reason
};

// Stores each of `values` in `record` and writes it to the file in `folder`,
// in save order. Every key is stored and tried even after a failure; the
// outcome names the first failure.
SaveOutcome WriteSettingsFile(const std::wstring& folder, const SettingsRecord& values, SettingsRecord& record);

// Writes to the file in `folder` what it takes to go from the programs
// `before` to `after`: the lines of new and changed programs, and no line
// of a forgotten one. Every other line of the section stays as it is.
SaveOutcome WriteProgramLevels(const std::wstring& folder, const ProgramLevels& before, const ProgramLevels& after);

// The message the user sees when a save could not be written.
std::wstring SaveFailureMessage(const SaveOutcome& outcome);

// The file side of a save for the running program: all nine values go into
// its record and "Config.ini" beside it. A failure is told to the user in a
// message box owned by `owner`; the record keeps the new values.
bool GuardarConfiguracionArchivo(HWND owner, const SettingsRecord& values);

// The same for the keys: `keys` become the ones in use, and the texts that
// differ from those of the keys in use so far are written.
bool GuardarTeclas(HWND owner, const KeySettings& keys);

// The same for the remembered programs: `programs` become the ones in use
// and are written beside the program, a failure told as above. What a
// failed save could not write is tried again by the next.
bool GuardarProgramas(HWND owner, const ProgramLevels& programs);

}  // namespace veloria
