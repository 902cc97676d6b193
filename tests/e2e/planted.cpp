// planted.dll: stands for a DLL someone put beside veloria.exe under a
// system library's name. Loaded, it adds its own file name to planted.txt
// in its folder.
#include <windows.h>

#include <cwchar>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*)
{
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH] = {};
        ::GetModuleFileNameW(self, path, MAX_PATH);
        wchar_t* name = std::wcsrchr(path, L'\\');
        wchar_t record[MAX_PATH + 16] = {};
        std::wcsncpy(record, path, static_cast<std::size_t>(name - path + 1));
        std::wcscat(record, L"planted.txt");
        const HANDLE file = ::CreateFileW(record, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            ::WriteFile(file, name + 1, static_cast<DWORD>(std::wcslen(name + 1) * sizeof(wchar_t)), &written, nullptr);
            ::CloseHandle(file);
        }
    }
    return TRUE;
}
