#include "settings/autostart.h"

#include <algorithm>
#include <vector>

#include "base/error_report.h"
#include "base/handle.h"
#include "base/text_rules.h"
#include "base/version.h"
#include "settings/run_entry.h"
#include "settings/setting_text.h"

namespace veloria {

namespace {

// Opened with the rights the work needs, no more: a standard user may
// read the machine's Run key but not write it.
RegKey OpenKey(HKEY root, const wchar_t* path, REGSAM access)
{
    HKEY key = nullptr;
    return RegKey(::RegOpenKeyExW(root, path, 0, access, &key) == ERROR_SUCCESS ? key : nullptr);
}

// Reading the value failed for a reason nobody expects: the user is told
// the code and the system's words for it, and the value reads empty.
void ReportReadFailure(LONG error)
{
    ShowMessage(nullptr, DecimalText(error) + SystemErrorText(static_cast<DWORD>(error)), MB_ICONERROR);
}

}  // namespace

bool SetValue(HKEY root, const wchar_t* path, const wchar_t* name, DWORD type, const std::wstring& data)
{
    const RegKey key = OpenKey(root, path, KEY_SET_VALUE);
    return key && SetValueEx(key.get(), name, type, data) == ERROR_SUCCESS;
}

LONG SetValueEx(HKEY key, const wchar_t* name, DWORD type, const std::wstring& data)
{
    if (type == REG_SZ) {
        return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    }
    if (type == REG_DWORD) {
        const auto number = static_cast<DWORD>(ReadWholeNumber(data, L"0"));
        return ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    }
    return ERROR_SUCCESS;
}

bool DeleteValue(HKEY root, const wchar_t* path, const wchar_t* name)
{
    const RegKey key = OpenKey(root, path, KEY_SET_VALUE);
    return key && ::RegDeleteValueW(key.get(), name) == ERROR_SUCCESS;
}

std::wstring QueryValue(HKEY root, const wchar_t* path, const wchar_t* name)
{
    std::wstring value;
    if (const RegKey key = OpenKey(root, path, KEY_QUERY_VALUE)) {
        QueryValueEx(key.get(), name, value);
    }
    std::erase(value, L'\0');
    return value;
}

void QueryValueEx(HKEY key, const wchar_t* name, std::wstring& value)
{
    value.clear();
    DWORD type = 0;
    DWORD size = 0;
    LONG result = ::RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
    if (result == ERROR_FILE_NOT_FOUND) {
        return;  // no such value: it reads empty
    }
    // A value that grows between the two calls is asked for again.
    for (int attempt = 0; result == ERROR_SUCCESS || result == ERROR_MORE_DATA; ++attempt) {
        if (type != REG_SZ || attempt == 4) {
            return;
        }
        // The size is in bytes; an odd last byte is no character.
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1);
        DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        result = ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
        if (result == ERROR_SUCCESS) {
            if (type == REG_SZ) {
                value.assign(buffer.data(), std::min<std::size_t>(bytes / sizeof(wchar_t), buffer.size()));
            }
            return;
        }
        size = bytes;
    }
    ReportReadFailure(result);
}

bool Autostart::IsAutostartEnabled() const
{
    const std::wstring command = RunCommandFor(executable_);
    return QueryValue(machine_.root, machine_.path, AppTitle()) == command ||
           QueryValue(user_.root, user_.path, AppTitle()) == command;
}

void Autostart::EnableAutostart() const
{
    const std::wstring command = RunCommandFor(executable_);
    if (SetValue(machine_.root, machine_.path, AppTitle(), REG_SZ, command)) {
        // An entry the user's own key got while the machine's was closed
        // would start the program twice.
        if (IsOwnRunEntry(QueryValue(user_.root, user_.path, AppTitle()), executable_)) {
            DeleteValue(user_.root, user_.path, AppTitle());
        }
        return;
    }
    HKEY key = nullptr;
    if (::RegCreateKeyExW(user_.root, user_.path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        SetValueEx(RegKey(key).get(), AppTitle(), REG_SZ, command);
    }
}

bool Autostart::DisableAutostart() const
{
    bool removed = true;
    for (const RunLocation& where : {machine_, user_}) {
        if (IsOwnRunEntry(QueryValue(where.root, where.path, AppTitle()), executable_)) {
            removed = DeleteValue(where.root, where.path, AppTitle()) && removed;
        }
    }
    return removed;
}

bool Autostart::AplicarAutoinicio(bool wanted) const
{
    if (!wanted) {
        return DisableAutostart();  // touches only entries of the program's own
    }
    if (!IsAutostartEnabled()) {
        EnableAutostart();
    }
    return true;
}

}  // namespace veloria
