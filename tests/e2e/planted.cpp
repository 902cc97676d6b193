// planted.dll: stands for a DLL someone put beside veloria.exe under a
// system library's name. Loaded, it leaves "NAME.dll.loaded" beside itself.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*)
{
    wchar_t path[MAX_PATH + 8] = {};
    if (reason == DLL_PROCESS_ATTACH && ::GetModuleFileNameW(self, path, MAX_PATH) != 0) {
        ::lstrcatW(path, L".loaded");
        ::CloseHandle(::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    return TRUE;
}
