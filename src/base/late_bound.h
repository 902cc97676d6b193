// Loading system libraries, and binding a function of one on first use.
// The functions the program binds so are listed in system_calls.h.
//
// A system library is loaded from the system folder only, never from the
// program's folder or the current one: a copy of the program unpacked
// into Downloads must not load a DLL of that name planted beside it.
#pragma once

#include <windows.h>

namespace veloria {

// The system library `library` ("winhttp.dll"), from the system folder.
HMODULE LoadSystemLibrary(const wchar_t* library) noexcept;

// Asks Windows to look for the libraries the program and the system's own
// code load by name in the system folder only (where Windows has the
// call); at the very start.
void LoadLibrariesFromTheSystemOnly() noexcept;

// The function `name` of `library`, loaded (and left loaded) on the first
// call; null when the library or the function is missing.
template <typename Function>
Function* LateBound(const wchar_t* library, const char* name) noexcept
{
    const HMODULE module = LoadSystemLibrary(library);
    return module != nullptr ? reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(module, name)))
                             : nullptr;
}

}  // namespace veloria

// The system function `function` of `library`, late bound: a pointer of
// its own type, or null.
#define VELORIA_LATE_BOUND(library, function) ::veloria::LateBound<decltype(::function)>(L"" library, #function)
