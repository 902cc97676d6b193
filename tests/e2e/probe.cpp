// probe.exe: the end-to-end tests' eyes and hands inside Wine. Each command
// prints plain lines for the Linux-side harness, and every answer ends with
// a line "end", so that a cut-off answer is told from a whole one. Texts
// are read and written in UTF-16 and printed in UTF-8.
//
//   windows                 every window, a line each, tab-separated: HANDLE
//                           TOP (of a child; 0 for top-level) CLASS PID
//                           VISIBLE STYLE EXSTYLE LAYERED ("FLAGS KEY ALPHA",
//                           "none" without attributes, "plain" unlayered)
//                           LEFT,TOP,RIGHT,BOTTOM TITLE
//   text HWND | settext HWND TEXT | move HWND X Y W H   its text, as said
//   send HWND MSG WP LP     sends a message, prints the result
//   region HWND             "COUNT L,T,R,B" of its shape, or "none"
//   alpha HWND LEVEL        layered at LEVEL (-1: not layered)
//   show HWND | close HWND | post HWND NAME   shows it | posts WM_CLOSE |
//                           the registered message
//   post HWND MSG WP LP     posts a message
//   front HWND | front      brings the window to the front | prints the
//                           window in front
//   focus HWND              prints the active and the focus window of the
//                           thread of HWND
//   xwindow HWND            prints the X window Wine shows it in
//   acc HWND | accpress HWND  what a screen reader is told of it: "NAME
//                           ROLE VALUE", tab-separated | presses it
//   held                    the modifier keys held: ctrl, alt, shift
//   mutex NAME              "held" or "free"
//   regget HKLM|HKCU\KEY NAME    the REG_SZ value, or "none"
//   menu PID                loads menu_reader.dll into process PID (its
//                           menus and list views)
//   contrast PID            loads high_contrast.dll into it: a theme on
//   record FILE TEXT        appends TEXT to FILE (the test "browser")
//   window TITLE KIND X Y   serves windows to pick: plain, dialog (+ button),
//                           owned (owner, owned dialog, button), edit (+ edit
//                           box), hiddenowner (hidden owner, owned dialog),
//                           popups (main window, captionless drop-down, tool
//                           window), keyed (its own colour key), perpixel
//                           (per-pixel alpha, its title says whether it
//                           still updates), refusing
//                           (turns the layered style down), hung (from 300
//                           ms on), ontop (kept on top by itself), hidden,
//                           class=NAME; a click adds " clicked" to
//                           the title, "VeloriaProbeAnotherWindow" makes one
//                           more, "TITLE +", hidden for its first 300 ms
//   hotkey MODS KEY         holds the system-wide key, as another program
//   tray FILE REFUSE        a stand-in for the shell's tray window: logs
//                           "add|modify|delete HWND" (a balloon adds its
//                           title and text) and refuses the first REFUSE adds
// Serving commands print their windows' handles first ("error N" where one
// was not made).
//   serve                   answers the commands above but the serving ones,
//                           read a line each (see Answer)
#include <windows.h>
#include <oleacc.h>
#include <shellapi.h>  // NIM_ADD...
#include <tlhelp32.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// The arguments as UTF-16: the narrow ones pass through the code page.
std::vector<std::wstring> g_arguments;

std::string Utf8(const wchar_t* text)
{
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), length, nullptr, nullptr);
    bytes.pop_back();
    return bytes;
}

HWND Handle(const char* text)
{
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(text, nullptr, 16)));
}

void PrintHandle(HWND window)
{
    std::printf("%llx\n", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM topLevel)
{
    wchar_t className[256] = {};
    wchar_t title[256] = {};
    ::GetClassNameW(window, className, 256);
    ::GetWindowTextW(window, title, 256);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    const LONG exStyle = ::GetWindowLongA(window, GWL_EXSTYLE);
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    char layered[32] = "plain";
    if ((exStyle & WS_EX_LAYERED) != 0) {
        const bool set = ::GetLayeredWindowAttributes(window, &key, &alpha, &flags);
        std::snprintf(layered, sizeof(layered), set ? "%lu %lx %d" : "none", static_cast<unsigned long>(flags),
                      static_cast<unsigned long>(key), alpha);
    }
    RECT r{};
    ::GetWindowRect(window, &r);
    std::printf("%llx\t%llx\t%s\t%lu\t%d\t%lx\t%lx\t%s\t%ld,%ld,%ld,%ld\t%s\n",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)),
                static_cast<unsigned long long>(topLevel), Utf8(className).c_str(), pid,
                ::IsWindowVisible(window) ? 1 : 0,
                static_cast<unsigned long>(::GetWindowLongA(window, GWL_STYLE)), static_cast<unsigned long>(exStyle),
                layered, r.left, r.top, r.right, r.bottom, Utf8(title).c_str());
    if (topLevel == 0) {
        ::EnumChildWindows(window, PrintWindow, reinterpret_cast<LPARAM>(window));
    }
    return TRUE;
}

bool HasModule(DWORD pid, const char* name)
{
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return false;
    }
    const std::wstring wanted(name, name + std::strlen(name));
    MODULEENTRY32W module{};
    module.dwSize = sizeof(module);
    bool found = false;
    for (BOOL more = ::Module32FirstW(snapshot, &module); more && !found; more = ::Module32NextW(snapshot, &module)) {
        found = ::lstrcmpiW(module.szModule, wanted.c_str()) == 0;
    }
    ::CloseHandle(snapshot);
    return found;
}

// Loads `name`, a library beside the probe, into process `pid`. Menus
// belong to the process that made them: the menu reader is loaded into it
// and writes what it sees beside itself.
int Load(DWORD pid, const char* name)
{
    // A library that has done its work unloads itself; loaded again before
    // then, it would only gain a reference and start nothing.
    for (int wait = 0; wait < 200 && HasModule(pid, name); ++wait) {
        ::Sleep(50);
    }
    char path[MAX_PATH] = {};
    std::string library(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
    library = library.substr(0, library.find_last_of("\\/") + 1) + name;
    HANDLE process = ::OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
    if (process == nullptr) {
        return 1;
    }
    void* remote = ::VirtualAllocEx(process, nullptr, library.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ::WriteProcessMemory(process, remote, library.c_str(), library.size() + 1, nullptr);
    const auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
    HANDLE thread = ::CreateRemoteThread(process, nullptr, 0, load, remote, 0, nullptr);
    if (thread != nullptr) {
        ::WaitForSingleObject(thread, 10000);
        ::CloseHandle(thread);
    }
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    ::CloseHandle(process);
    return thread != nullptr ? 0 : 1;
}

// Appends a line in one write to a file opened for appending only, which
// the system puts at its end as one piece: stand-ins started at once by
// the program each add their line, none written over another's.
int Append(const std::wstring& path, const std::string& text)
{
    const HANDLE out = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        return 1;
    }
    const std::string line = text + "\n";
    DWORD written = 0;
    const BOOL wrote = ::WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(out);
    return wrote && written == line.size() ? 0 : 1;
}

std::wstring g_trayLog;
int g_refusals = 0;

// A picture of half see-through pixels, given to a per-pixel alpha window;
// false when Windows will not take it.
bool UpdatePerPixel(HWND window)
{
    constexpr int kWidth = 200;
    constexpr int kHeight = 150;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP picture = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    for (int i = 0; bits != nullptr && i < kWidth * kHeight; ++i) {
        static_cast<std::uint32_t*>(bits)[i] = 0x80402000;  // alpha 128, colours premultiplied
    }
    HGDIOBJ before = ::SelectObject(dc, picture);
    POINT origin{0, 0};
    SIZE size{kWidth, kHeight};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const bool updated = ::UpdateLayeredWindow(window, screen, nullptr, &size, dc, &origin, 0, &blend, ULW_ALPHA) != 0;
    ::SelectObject(dc, before);
    ::DeleteObject(picture);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return updated;
}

LRESULT CALLBACK ServeWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == ::RegisterWindowMessageA("VeloriaProbeAnotherWindow")) {
        char title[256] = {};
        ::GetWindowTextA(window, title, 200);
        std::strcat(title, " +");
        const HWND another = ::CreateWindowExA(0, "VeloriaProbeWindow", title, WS_OVERLAPPEDWINDOW, 300, 300, 300, 200,
                                               nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ::SetTimer(another, 3, 300, nullptr);
        return 0;
    }
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
        // What Windows tells of a window coming to the front; Wine does not.
        ::NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, window, OBJID_WINDOW, CHILDID_SELF);
    }
    if (message == WM_LBUTTONDOWN) {
        char title[256] = {};
        ::GetWindowTextA(window, title, 200);
        ::SetWindowTextA(window, (std::string(title) + " clicked").c_str());
        return 0;
    }
    if (message == WM_TIMER && wParam == 3) {
        ::KillTimer(window, 3);
        ::ShowWindow(window, SW_SHOWNA);
        return 0;
    }
    if (message == WM_TIMER && wParam == 2) {
        ::KillTimer(window, 2);
        ::Sleep(20000);  // hung: answers nothing for a while
        return 0;
    }
    if (message == WM_TIMER) {
        ::SetWindowTextA(window, UpdatePerPixel(window) ? "updates" : "broken");
        return 0;
    }
    if (message == WM_STYLECHANGING && wParam == static_cast<WPARAM>(GWL_EXSTYLE) &&
        ::GetPropA(window, "refusing") != nullptr) {
        reinterpret_cast<STYLESTRUCT*>(lParam)->styleNew &= ~static_cast<DWORD>(WS_EX_LAYERED);
        return 0;
    }
    if (message == WM_COPYDATA) {
        // Wine's shell hands a tray request over as WM_COPYDATA: the icon's
        // window in wParam, NIM_ADD/NIM_MODIFY/NIM_DELETE in dwData.
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        static const char* const kNames[] = {"add", "modify", "delete", "setfocus", "setversion"};
        const bool add = data->dwData == NIM_ADD;
        const bool refused = add && g_refusals > 0;
        g_refusals -= refused ? 1 : 0;
        char handle[32];
        std::snprintf(handle, sizeof(handle), "%llx", static_cast<unsigned long long>(wParam));
        // A balloon: the texts of Wine's record (flags at byte 8, the text
        // at 280, the title at 796), the line break written as "\n".
        std::string balloon;
        const auto* bytes = static_cast<const unsigned char*>(data->lpData);
        if (data->dwData == NIM_MODIFY && data->cbData >= 924 && (*reinterpret_cast<const UINT*>(bytes + 8) & NIF_INFO)) {
            std::wstring text(reinterpret_cast<const wchar_t*>(bytes + 280), 256);
            std::wstring title(reinterpret_cast<const wchar_t*>(bytes + 796), 64);
            text.resize(text.find(L'\0') == std::wstring::npos ? text.size() : text.find(L'\0'));
            title.resize(title.find(L'\0') == std::wstring::npos ? title.size() : title.find(L'\0'));
            for (std::size_t at = text.find(L'\n'); at != std::wstring::npos; at = text.find(L'\n', at)) {
                text.replace(at, 1, L"\\n");
            }
            balloon = "\tballoon\t" + Utf8(title.c_str()) + "\t" + Utf8(text.c_str());
        }
        Append(g_trayLog, std::string(data->dwData < 5 ? kNames[data->dwData] : "other") + " " + handle +
                              (refused ? " refused" : "") + balloon);
        return refused ? FALSE : TRUE;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

DWORD g_makeError = 0;  // why the first window that was not made was not

HWND Make(const char* className, const char* title, DWORD style, int x, int y, int width, int height, HWND parent,
          DWORD exStyle = 0)
{
    const HWND made = ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, nullptr,
                                        ::GetModuleHandleA(nullptr), nullptr);
    if (made == nullptr && g_makeError == 0) {
        g_makeError = ::GetLastError();
    }
    return made;
}

int Serve(const std::vector<HWND>& made)
{
    for (HWND window : made) {
        if (window == nullptr) {
            std::printf("error %lu\n", static_cast<unsigned long>(g_makeError));
            return 1;
        }
        PrintHandle(window);
    }
    std::fflush(stdout);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}

const char* ServeClass(const char* name)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ServeWindow;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassA(&windowClass);
    return name;
}

int Windows(const char* title, const std::string& kind, int x, int y)
{
    const char* const cls = ServeClass("VeloriaProbeWindow");
    constexpr DWORD kDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
    std::vector<HWND> made;
    if (kind == "dialog") {
        made.push_back(Make(cls, title, kDialog, x, y, 320, 220, nullptr));
        made.push_back(Make("BUTTON", "Press", kButton, 20, 20, 240, 120, made[0]));
    } else if (kind == "edit") {
        made.push_back(Make(cls, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 400, 300, nullptr));
        made.push_back(Make("EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 20, 300, 30, made[0]));
    } else if (kind == "owned") {
        made.push_back(Make(cls, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 420, 320, nullptr));
        made.push_back(Make(cls, "Owned dialog", kDialog, x + 120, y + 90, 260, 180, made[0]));
        made.push_back(Make("BUTTON", "Press", kButton, 20, 20, 180, 90, made[1]));
    } else if (kind == "hiddenowner") {
        made.push_back(Make(cls, "Hidden owner", WS_OVERLAPPEDWINDOW, x, y, 400, 300, nullptr));
        made.push_back(Make(cls, title, kDialog, x, y, 320, 220, made[0]));
    } else if (kind == "popups") {  // a main window, its drop-down and a tool window
        made.push_back(Make(cls, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 400, 300, nullptr));
        made.push_back(Make(cls, "Drop-down", WS_POPUP | WS_BORDER | WS_VISIBLE, x + 20, y + 60, 150, 120, made[0],
                            WS_EX_TOPMOST));
        made.push_back(Make(cls, "Tools", kDialog, x + 200, y + 60, 150, 120, made[0], WS_EX_TOOLWINDOW));
    } else if (kind == "perpixel") {
        made.push_back(Make(cls, title, WS_POPUP | WS_VISIBLE, x, y, 200, 150, nullptr, WS_EX_LAYERED));
        ::SetTimer(made[0], 1, 200, nullptr);
        UpdatePerPixel(made[0]);
    } else if (kind.rfind("class=", 0) == 0) {
        made.push_back(Make(ServeClass(kind.substr(6).c_str()), title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 400, 300,
                            nullptr));
    } else {
        made.push_back(Make(cls, title, WS_OVERLAPPEDWINDOW | (kind == "hidden" ? 0 : WS_VISIBLE), x, y, 400, 300,
                            nullptr));
        if (kind == "keyed") {
            ::SetWindowLongA(made[0], GWL_EXSTYLE, ::GetWindowLongA(made[0], GWL_EXSTYLE) | WS_EX_LAYERED);
            ::SetLayeredWindowAttributes(made[0], RGB(255, 0, 255), 0, LWA_COLORKEY);
        } else if (kind == "hung") {
            ::SetTimer(made[0], 2, 300, nullptr);
        } else if (kind == "refusing") {
            ::SetPropA(made[0], "refusing", reinterpret_cast<HANDLE>(1));
        } else if (kind == "ontop") {
            ::SetWindowPos(made[0], HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        }
    }
    return Serve(made);
}

int Tray(int refusals)
{
    g_trayLog = g_arguments[2];
    g_refusals = refusals;
    // Topmost and newest: the first window of its class the shell finds.
    return Serve({Make(ServeClass("Shell_TrayWnd"), "", WS_POPUP, 0, 0, 0, 0, nullptr, WS_EX_TOPMOST)});
}

int Run(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    const auto arg = [&](int i) { return argv[i + 1]; };
    const auto number = [&](int i) { return std::strtoll(arg(i), nullptr, 0); };
    if (command == "windows" && argc == 2) {
        return ::EnumWindows(PrintWindow, 0) ? 0 : 1;
    }
    if (command == "text" && argc == 3) {
        wchar_t text[1024] = {};
        DWORD_PTR copied = 0;
        if (!::SendMessageTimeoutW(Handle(arg(1)), WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                                   5000, &copied)) {
            return 1;
        }
        std::printf("%s\n", Utf8(text).c_str());
        return 0;
    }
    if (command == "send" && argc == 6) {
        DWORD_PTR result = 0;
        if (!::SendMessageTimeoutA(Handle(arg(1)), static_cast<UINT>(number(2)), static_cast<WPARAM>(number(3)),
                                   static_cast<LPARAM>(number(4)), SMTO_ABORTIFHUNG, 5000, &result)) {
            return 1;
        }
        std::printf("%lld\n", static_cast<long long>(result));
        return 0;
    }
    if (command == "settext" && argc == 4) {
        return ::SetWindowTextW(Handle(arg(1)), g_arguments[3].c_str()) ? 0 : 1;
    }
    if (command == "move" && argc == 7) {
        return ::MoveWindow(Handle(arg(1)), static_cast<int>(number(2)), static_cast<int>(number(3)),
                            static_cast<int>(number(4)), static_cast<int>(number(5)), TRUE)
                   ? 0
                   : 1;
    }
    if (command == "region" && argc == 3) {
        const HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        if (::GetWindowRgn(Handle(arg(1)), region) == ERROR) {
            std::printf("none\n");
        } else {
            std::vector<char> data(::GetRegionData(region, 0, nullptr));
            ::GetRegionData(region, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
            const RECT box = reinterpret_cast<RGNDATA*>(data.data())->rdh.rcBound;
            std::printf("%lu\t%ld,%ld,%ld,%ld\n", reinterpret_cast<RGNDATA*>(data.data())->rdh.nCount, box.left,
                        box.top, box.right, box.bottom);
        }
        ::DeleteObject(region);
        return 0;
    }
    if (command == "alpha" && argc == 4) {
        const HWND window = Handle(arg(1));
        const LONG style = ::GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_LAYERED;
        if (number(2) < 0) {
            return ::SetWindowLongA(window, GWL_EXSTYLE, style) ? 0 : 1;
        }
        ::SetWindowLongA(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
        return ::SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(number(2)), LWA_ALPHA) ? 0 : 1;
    }
    if (command == "show" && argc == 3) {
        ::ShowWindow(Handle(arg(1)), SW_SHOWNA);
        return 0;
    }
    if (command == "close" && argc == 3) {
        return ::PostMessageA(Handle(arg(1)), WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (command == "post" && argc == 4) {
        return ::PostMessageA(Handle(arg(1)), ::RegisterWindowMessageA(arg(2)), 0, 0) ? 0 : 1;
    }
    if (command == "post" && argc == 6) {
        return ::PostMessageA(Handle(arg(1)), static_cast<UINT>(number(2)), static_cast<WPARAM>(number(3)),
                              static_cast<LPARAM>(number(4)))
                   ? 0
                   : 1;
    }
    if (command == "held" && argc == 2) {
        for (const auto& [key, name] : {std::pair{VK_CONTROL, "ctrl"}, {VK_MENU, "alt"}, {VK_SHIFT, "shift"}}) {
            if ((::GetAsyncKeyState(key) & 0x8000) != 0) {
                std::printf("%s\n", name);
            }
        }
        return 0;
    }
    if (command == "mutex" && argc == 3) {
        HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, arg(1));
        std::printf("%s\n", mutex != nullptr ? "held" : "free");
        if (mutex != nullptr) {
            ::CloseHandle(mutex);
        }
        return 0;
    }
    if (command == "regget" && argc == 4) {
        const std::wstring path = g_arguments[2];
        const HKEY root = path.rfind(L"HKLM\\", 0) == 0 ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        wchar_t value[1024] = {};
        DWORD size = sizeof(value);
        const bool found = ::RegGetValueW(root, path.substr(5).c_str(), g_arguments[3].c_str(), RRF_RT_REG_SZ,
                                          nullptr, value, &size) == ERROR_SUCCESS;
        std::printf("%s\n", found ? Utf8(value).c_str() : "none");
        return 0;
    }
    if (command == "menu" && argc == 3) {
        return Load(static_cast<DWORD>(number(1)), "menu_reader.dll");
    }
    if (command == "contrast" && argc == 3) {
        return Load(static_cast<DWORD>(number(1)), "high_contrast.dll");
    }
    if (command == "record" && argc == 4) {
        return Append(g_arguments[2], Utf8(g_arguments[3].c_str()));
    }
    if (command == "window" && argc == 6) {
        return Windows(arg(1), arg(2), static_cast<int>(number(3)), static_cast<int>(number(4)));
    }
    if (command == "front" && argc == 2) {
        PrintHandle(::GetForegroundWindow());
        return 0;
    }
    if (command == "focus" && argc == 3) {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(Handle(arg(1)), nullptr), &info);
        PrintHandle(info.hwndActive);
        PrintHandle(info.hwndFocus);
        return 0;
    }
    if ((command == "acc" || command == "accpress") && argc == 3) {
        // What a screen reader is told of the window: "NAME<tab>ROLE<tab>VALUE", or it presses it.
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        IAccessible* object = nullptr;
        if (FAILED(::AccessibleObjectFromWindow(Handle(arg(1)), static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                reinterpret_cast<void**>(&object)))) {
            return 1;
        }
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        if (command == "accpress") {
            const HRESULT pressed = object->accDoDefaultAction(self);
            object->Release();
            return SUCCEEDED(pressed) ? 0 : 1;
        }
        BSTR name = nullptr;
        BSTR value = nullptr;
        VARIANT role{};
        object->get_accName(self, &name);
        object->get_accValue(self, &value);
        object->get_accRole(self, &role);
        std::printf("%s\t%ld\t%s\n", Utf8(name != nullptr ? name : L"").c_str(), role.vt == VT_I4 ? role.lVal : 0L,
                    Utf8(value != nullptr ? value : L"").c_str());
        ::SysFreeString(name);
        ::SysFreeString(value);
        object->Release();
        return 0;
    }
    if (command == "xwindow" && argc == 3) {
        // The X window Wine shows the window in (Wine keeps it on the window).
        PrintHandle(static_cast<HWND>(::GetPropA(Handle(arg(1)), "__wine_x11_whole_window")));
        return 0;
    }
    if (command == "front" && argc == 3) {
        return ::SetForegroundWindow(Handle(arg(1))) ? 0 : 1;
    }
    if (command == "hotkey" && argc == 4) {
        const HWND holder = Make(ServeClass("VeloriaProbeWindow"), "key holder", WS_POPUP, 0, 0, 0, 0, nullptr);
        return ::RegisterHotKey(holder, 1, static_cast<UINT>(number(1)), static_cast<UINT>(number(2))) ? Serve({holder})
                                                                                                        : 1;
    }
    if (command == "tray" && argc == 4) {
        return Tray(static_cast<int>(number(2)));
    }
    std::fprintf(stderr, "probe: unknown command or arguments\n");
    return 2;
}

}  // namespace

// serve: a command a line on standard input, its arguments tab-separated
// in UTF-8; each answer ends "end CODE". One process for a whole run:
// starting one under Wine costs more than most commands.
int Answer()
{
    std::string line;
    for (int c = std::getchar(); c != EOF; c = std::getchar()) {
        if (c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        std::vector<std::string> narrow{"probe"};
        for (std::size_t start = 0, tab = 0; tab != std::string::npos; start = tab + 1) {
            tab = line.find('\t', start);
            narrow.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
        }
        std::vector<char*> argv;
        g_arguments.clear();
        for (std::string& argument : narrow) {
            argv.push_back(argument.data());
            std::wstring wide(argument.size(), L'\0');
            wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(
                CP_UTF8, 0, argument.data(), static_cast<int>(argument.size()), wide.data(), static_cast<int>(wide.size()))));
            g_arguments.push_back(wide);
        }
        const int result = Run(static_cast<int>(argv.size()), argv.data());
        std::printf("end %d\n", result);
        std::fflush(stdout);
        line.clear();
    }
    return 0;
}

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "serve") == 0) {
        return Answer();
    }
    int count = 0;
    if (wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        g_arguments.assign(wide, wide + count);
        ::LocalFree(wide);
    }
    const int result = Run(argc, argv);
    std::printf("end\n");
    return result;
}
