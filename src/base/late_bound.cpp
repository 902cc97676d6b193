#include "base/late_bound.h"

#include <string>

namespace veloria {

HMODULE LoadSystemLibrary(const wchar_t* library) noexcept
{
    constexpr DWORD kSystemFolderOnly = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    if (const HMODULE module = ::LoadLibraryExW(library, nullptr, kSystemFolderOnly)) {
        return module;
    }
    // A Windows without the flag refuses it as a bad parameter: the
    // library by its full path in the system folder then.
    if (::GetLastError() != ERROR_INVALID_PARAMETER) {
        return nullptr;
    }
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    try {
        const std::wstring path = std::wstring(folder, length) + L"\\" + library;
        return ::LoadLibraryExW(path.c_str(), nullptr, 0);
    } catch (...) {
        return nullptr;
    }
}

void LoadLibrariesFromTheSystemOnly() noexcept
{
    using SetDirectories = BOOL WINAPI(DWORD);
    // kernel32 is in every process already: nothing is loaded to find it.
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    const auto set = kernel != nullptr ? reinterpret_cast<SetDirectories*>(reinterpret_cast<void*>(
                                             ::GetProcAddress(kernel, "SetDefaultDllDirectories")))
                                       : nullptr;
    if (set != nullptr) {
        constexpr DWORD kSystemFolderOnly = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
        set(kSystemFolderOnly);
    }
}

}  // namespace veloria
