#include "base/shell_open.h"

#include <shellapi.h>

#include <cstdint>

namespace veloria {

long long OpenWithShell(HWND owner, const std::wstring& address)
{
    const HINSTANCE result = ::ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return static_cast<long long>(reinterpret_cast<std::intptr_t>(result));
}

}  // namespace veloria
