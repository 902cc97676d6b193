#include "base/shell_open.h"

#include <shellapi.h>

namespace veloria {

void OpenInBrowser(HWND owner, const std::wstring& address)
{
    ::ShellExecuteW(owner, L"Open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace veloria
