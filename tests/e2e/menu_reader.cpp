// menu_reader.dll: reads the popup menus and list views veloria.exe shows,
// from inside it (a menu belongs to the process that made it, a list view
// hands its texts only to its own process). probe.exe loads it into the
// program; it writes "menu-<pid>.txt" beside itself and unloads. Lines,
// tab-separated:
//   popup  left,top,right,bottom
//   item   LEVEL INDEX KIND CHECKED left,top,right,bottom CAPTION LIT
//   sysitem WINDOW ID GREYED CAPTION   (the system menus of its windows)
//   row    LIST TEXT TEXT SELECTED     (the rows of its list views)
// KIND is separator, submenu or string; a submenu's items follow its entry
// at LEVEL+1, with an empty rectangle while it is closed. LIT is 1 for the
// entry the menu has lit under the pointer. Captions are in UTF-8.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

HMODULE g_self = nullptr;
std::FILE* g_out = nullptr;

// A caption as UTF-8, the form the tests read.
std::string Utf8(const wchar_t* text)
{
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), length, nullptr, nullptr);
    bytes.pop_back();
    return bytes;
}

void WriteSystemMenu(HWND window)
{
    const HMENU menu = ::GetSystemMenu(window, FALSE);
    for (int index = 0; index < ::GetMenuItemCount(menu); ++index) {
        const auto position = static_cast<UINT>(index);
        wchar_t caption[128] = {};
        ::GetMenuStringW(menu, position, caption, 128, MF_BYPOSITION);
        std::fprintf(g_out, "sysitem\t%llx\t%u\t%d\t%s\n",
                     static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)),
                     ::GetMenuItemID(menu, index),
                     (::GetMenuState(menu, position, MF_BYPOSITION) & MF_GRAYED) != 0 ? 1 : 0, Utf8(caption).c_str());
    }
}

BOOL CALLBACK WriteRows(HWND list, LPARAM)
{
    char name[32] = {};
    ::GetClassNameA(list, name, sizeof(name));
    const LRESULT rows = std::string(name) == "SysListView32" ? ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) : 0;
    for (LRESULT row = 0; row < rows; ++row) {
        std::fprintf(g_out, "row\t%llx", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(list)));
        for (int column = 0; column < 2; ++column) {
            wchar_t text[256] = {};
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = 256;
            ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            std::fprintf(g_out, "\t%s", Utf8(text).c_str());
        }
        const LRESULT selected = ::SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED);
        std::fprintf(g_out, "\t%d\n", selected != 0 ? 1 : 0);
    }
    return TRUE;
}

BOOL CALLBACK CollectPopups(HWND window, LPARAM context)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof(name));
    const bool popup = std::string(name) == "#32768" || context == 0;
    if (pid == ::GetCurrentProcessId() && popup && ::IsWindowVisible(window)) {
        if (context != 0) {
            reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
        } else {
            if ((::GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU) != 0) {
                WriteSystemMenu(window);
            }
            ::EnumChildWindows(window, WriteRows, 0);
        }
    }
    return TRUE;
}

void WriteItems(std::FILE* out, HMENU menu, int level)
{
    for (int index = 0; index < ::GetMenuItemCount(menu); ++index) {
        const auto position = static_cast<UINT>(index);
        const UINT state = ::GetMenuState(menu, position, MF_BYPOSITION);
        const HMENU sub = ::GetSubMenu(menu, index);
        wchar_t caption[512] = {};
        ::GetMenuStringW(menu, position, caption, 512, MF_BYPOSITION);
        RECT r{};
        if (!::GetMenuItemRect(nullptr, menu, position, &r)) {
            r = RECT{};
        }
        const char* kind = (state & MF_SEPARATOR) != 0 ? "separator" : sub != nullptr ? "submenu" : "string";
        std::fprintf(out, "item\t%d\t%d\t%s\t%d\t%ld,%ld,%ld,%ld\t%s\t%d\n", level, index, kind,
                     (state & MF_CHECKED) != 0 ? 1 : 0, r.left, r.top, r.right, r.bottom, Utf8(caption).c_str(),
                     (state & MF_HILITE) != 0 ? 1 : 0);
        if (sub != nullptr) {
            WriteItems(out, sub, level + 1);
        }
    }
}

DWORD WINAPI Read(void*)
{
    std::vector<HWND> popups;
    ::EnumWindows(CollectPopups, reinterpret_cast<LPARAM>(&popups));
    char path[MAX_PATH] = {};
    std::string file(path, ::GetModuleFileNameA(g_self, path, MAX_PATH));
    file = file.substr(0, file.find_last_of("\\/") + 1) + "menu-" + std::to_string(::GetCurrentProcessId()) + ".txt";
    // Written aside, then renamed: the probe never reads half a file.
    if (std::FILE* out = std::fopen((file + ".part").c_str(), "wb")) {
        g_out = out;
        ::EnumWindows(CollectPopups, 0);
        for (HWND popup : popups) {
            RECT r{};
            ::GetWindowRect(popup, &r);
            std::fprintf(out, "popup\t%ld,%ld,%ld,%ld\n", r.left, r.top, r.right, r.bottom);
            if (const auto menu = reinterpret_cast<HMENU>(::SendMessageA(popup, MN_GETHMENU, 0, 0))) {
                WriteItems(out, menu, 0);
            }
        }
        std::fclose(out);
        ::MoveFileExA((file + ".part").c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
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
