// bare_tray.exe: the least a tray program with Veloria's features must do,
// as the reference its start-up, working set and idling are measured
// against: a hidden window, OLE and the common controls, one COM object
// that every Windows has (a shell link), a tray icon, then the message loop.
// Its manifest asks for the same common controls as the program's.
//
// Names of DLLs on its command line are loaded before the loop: the
// benchmark tells so how much of the program's extra cost the extra DLLs
// it loads account for.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

namespace {

constexpr UINT kTrayCallback = WM_APP + 1;

NOTIFYICONDATAA& Icon()
{
    static NOTIFYICONDATAA icon{};
    return icon;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        ::Shell_NotifyIconA(NIM_DELETE, &Icon());
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    const HRESULT ole = ::OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    IShellLinkA* link = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                     reinterpret_cast<void**>(&link)))) {
        link->Release();
    }

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "VeloriaBareTray";
    ::RegisterClassExA(&windowClass);
    const HWND window = ::CreateWindowExA(WS_EX_TOOLWINDOW, windowClass.lpszClassName, "Bare tray", WS_POPUP, 0, 0,
                                          0, 0, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    NOTIFYICONDATAA& icon = Icon();
    icon.cbSize = sizeof(icon);
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = kTrayCallback;
    icon.hIcon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
    ::lstrcpynA(icon.szTip, "Bare tray", sizeof(icon.szTip));
    ::Shell_NotifyIconA(NIM_ADD, &icon);

    // Split in place: no C++ library here, to keep the program as small as
    // such a program can be.
    for (char* name = commandLine; *name != '\0';) {
        char* end = name;
        while (*end != '\0' && *end != ' ') {
            ++end;
        }
        const bool last = *end == '\0';
        *end = '\0';
        if (end != name) {
            ::LoadLibraryA(name);
        }
        name = last ? end : end + 1;
    }

    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    if (SUCCEEDED(ole)) {
        ::OleUninitialize();
    }
    return 0;
}
