// menu_reader.dll: read the popup menu that veloria.exe is showing, from
// inside veloria.exe.
//
// A menu belongs to the process that made it, so its items cannot be read
// from outside. probe.exe loads this library into the program
// (CreateRemoteThread on LoadLibraryA); on loading, it starts a thread that
// finds the program's open popup menus, writes their items to
// "menu-<pid>.txt" beside the library and unloads itself. One line a popup
// and one line an item, tab-separated:
//   popup  HWND  left,top,right,bottom
//   item   LEVEL INDEX KIND CHECKED left,top,right,bottom CAPTION
// KIND is "separator", "submenu" or "string"; items of a submenu follow
// their entry at LEVEL+1, with an empty rectangle when it is not open.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

HMODULE g_self = nullptr;

std::string Folder(HMODULE module)
{
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(module, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

BOOL CALLBACK CollectPopups(HWND window, LPARAM context)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof(name));
    if (pid == ::GetCurrentProcessId() && std::string(name) == "#32768" && ::IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    }
    return TRUE;
}

void WriteItems(std::FILE* out, HMENU menu, int level)
{
    const int count = ::GetMenuItemCount(menu);
    for (int index = 0; index < count; ++index) {
        const UINT position = static_cast<UINT>(index);
        const UINT state = ::GetMenuState(menu, position, MF_BYPOSITION);
        const HMENU sub = ::GetSubMenu(menu, index);
        char caption[512] = {};
        ::GetMenuStringA(menu, position, caption, sizeof(caption), MF_BYPOSITION);
        RECT rect{};
        if (!::GetMenuItemRect(nullptr, menu, position, &rect)) {
            rect = RECT{};
        }
        const char* kind = (state & MF_SEPARATOR) != 0 ? "separator" : sub != nullptr ? "submenu" : "string";
        std::fprintf(out, "item\t%d\t%d\t%s\t%d\t%ld,%ld,%ld,%ld\t%s\n", level, index, kind,
                     (state & MF_CHECKED) != 0 ? 1 : 0, rect.left, rect.top, rect.right, rect.bottom, caption);
        if (sub != nullptr) {
            WriteItems(out, sub, level + 1);
        }
    }
}

DWORD WINAPI Read(void*)
{
    std::vector<HWND> popups;
    ::EnumWindows(CollectPopups, reinterpret_cast<LPARAM>(&popups));
    const std::string folder = Folder(g_self);
    const std::string name = "menu-" + std::to_string(::GetCurrentProcessId()) + ".txt";
    const std::string partial = folder + name + ".part";
    if (std::FILE* out = std::fopen(partial.c_str(), "wb")) {
        for (HWND popup : popups) {
            const auto menu = reinterpret_cast<HMENU>(::SendMessageA(popup, MN_GETHMENU, 0, 0));
            RECT rect{};
            ::GetWindowRect(popup, &rect);
            std::fprintf(out, "popup\t%llx\t%ld,%ld,%ld,%ld\n",
                         static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(popup)), rect.left,
                         rect.top, rect.right, rect.bottom);
            if (menu != nullptr) {
                WriteItems(out, menu, 0);
            }
        }
        std::fclose(out);
        ::MoveFileExA(partial.c_str(), (folder + name).c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    ::FreeLibraryAndExitThread(g_self, 0);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_self = instance;
        ::DisableThreadLibraryCalls(instance);
        if (HANDLE thread = ::CreateThread(nullptr, 0, Read, nullptr, 0, nullptr)) {
            ::CloseHandle(thread);
        }
    }
    return TRUE;
}
