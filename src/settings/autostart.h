// Autoiniciar: starting the program with Windows through a Run value of
// the registry named "Veloria 2" (the application title).
//
// The machine-wide Run key comes first, as it always did. Where it cannot
// be opened for writing (an ordinary user, any user under UAC) the same
// value goes under the user's own Run key instead, so that the box the
// user ticked does what it says. The value is enabled when either key
// holds exactly the command RunCommandFor gives; disabling removes every
// entry of the program's own (run_entry.h) and leaves other programs'
// entries of that name alone. Each key is opened with the rights the work
// needs: the machine's key is read with read rights, so that a standard
// user sees an entry an elevated run wrote there.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace veloria {

// A Run key: a root and the path below it.
struct RunLocation {
    HKEY root;
    const wchar_t* path;
};

inline constexpr const wchar_t* kRunKeyPath = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const RunLocation kMachineRun{HKEY_LOCAL_MACHINE, kRunKeyPath};
inline const RunLocation kUserRun{HKEY_CURRENT_USER, kRunKeyPath};

// Writes `data` as `type` (REG_SZ or REG_DWORD) after opening the key;
// false when the key could not be opened or the value not written.
bool SetValue(HKEY root, const wchar_t* path, const wchar_t* name, DWORD type, const std::wstring& data);
// REG_SZ: the text; REG_DWORD: the text as a 32-bit number, 4 bytes; other
// types write nothing. The system's error code, 0 for success.
LONG SetValueEx(HKEY key, const wchar_t* name, DWORD type, const std::wstring& data);
bool DeleteValue(HKEY root, const wchar_t* path, const wchar_t* name);
// The REG_SZ value with every NUL removed; empty when there is none, or
// it is of another type. A failure other than a missing value or key is
// shown in a critical message box and reads empty.
std::wstring QueryValue(HKEY root, const wchar_t* path, const wchar_t* name);
void QueryValueEx(HKEY key, const wchar_t* name, std::wstring& value);

// The program's Run entry, for the program at `executable`.
class Autostart {
public:
    Autostart(std::wstring executable, RunLocation machine = kMachineRun, RunLocation user = kUserRun)
        : executable_(std::move(executable)), machine_(machine), user_(user) {}

    bool IsAutostartEnabled() const;
    void EnableAutostart() const;
    // False when an entry of the program's own stays: the machine's, which
    // only an administrator may remove.
    bool DisableAutostart() const;
    // Makes the registry agree with `wanted`, writing only what differs;
    // false as DisableAutostart.
    bool AplicarAutoinicio(bool wanted) const;

private:
    std::wstring executable_;
    RunLocation machine_;
    RunLocation user_;
};

}  // namespace veloria
