// probe.exe: the end-to-end tests' eyes and hands inside Wine.
//
// It looks at windows from outside veloria.exe and makes windows of its own
// process for the program to act on. Each command prints plain lines that
// the Linux-side harness reads:
//
//   probe find CLASS                 handles of top-level windows of CLASS
//   probe wait CLASS COUNT MS        waits until COUNT such windows exist;
//                                    prints them, exit 1 on timeout
//   probe info HWND                  key=value lines: class, title, pid,
//                                    visible, exstyle, layered, alpha, rect
//   probe children HWND              one line per child window: handle,
//                                    class, visible, rect, title (HWND 0:
//                                    the top-level windows)
//   probe text HWND                  the window's text as WM_GETTEXT gives it
//   probe send HWND MSG WPARAM LPARAM  sends a message (numbers), prints
//                                    the result
//   probe alpha HWND LEVEL           makes HWND layered at LEVEL
//   probe opaque HWND                takes the layered style off HWND
//   probe close HWND                 posts WM_CLOSE
//   probe mutex NAME                 "held" or "free"
//   probe colours L T R B            how many colours the screen shows in
//                                    that rectangle
//   probe menu PID                   the popup menus the process shows, as
//                                    menu_reader.dll reads them inside it
//   probe list PATTERN               the names FindFirstFile/FindNextFile
//                                    give for PATTERN, in their order
//   probe untray HWND ID             removes the tray icon of HWND and ID
//   probe post HWND MESSAGE          posts the registered MESSAGE to HWND
//   probe record FILE TEXT           appends TEXT and a line end to FILE
//                                    (registered as a browser, it records
//                                    the addresses the shell hands it)
//   probe window TITLE [KIND X Y]    makes windows of this process at X,Y,
//                                    prints their handles and serves them
//                                    until the first is closed. KIND:
//                                    plain (one top-level window), dialog
//                                    (a dialog, then its child button),
//                                    owned (an owner, a dialog it owns,
//                                    that dialog's child button)
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

HWND ParseHandle(const char* text)
{
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(text, nullptr, 16)));
}

void PrintHandle(HWND window)
{
    std::printf("%llx\n", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
}

struct ClassSearch {
    std::string className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectByClass(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<ClassSearch*>(context);
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof(name));
    if (search->className == name) {
        search->found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> FindByClass(const std::string& className)
{
    ClassSearch search{className, {}};
    ::EnumWindows(CollectByClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int Find(const char* className)
{
    for (HWND window : FindByClass(className)) {
        PrintHandle(window);
    }
    return 0;
}

int Wait(const char* className, int count, int timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        const std::vector<HWND> found = FindByClass(className);
        if (static_cast<int>(found.size()) == count) {
            for (HWND window : found) {
                PrintHandle(window);
            }
            return 0;
        }
        if (static_cast<int>(::GetTickCount() - start) > timeoutMs) {
            std::printf("found %d\n", static_cast<int>(found.size()));
            return 1;
        }
        ::Sleep(50);
    }
}

int Info(HWND window)
{
    if (!::IsWindow(window)) {
        std::printf("exists=0\n");
        return 1;
    }
    char className[256] = {};
    char title[256] = {};
    ::GetClassNameA(window, className, sizeof(className));
    ::GetWindowTextA(window, title, sizeof(title));
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    const LONG exStyle = ::GetWindowLongA(window, GWL_EXSTYLE);
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    const bool layered = (exStyle & WS_EX_LAYERED) != 0;
    const bool hasAlpha = layered && ::GetLayeredWindowAttributes(window, &key, &alpha, &flags) &&
                          (flags & LWA_ALPHA) != 0;
    RECT rect{};
    ::GetWindowRect(window, &rect);
    std::printf("exists=1\nclass=%s\ntitle=%s\npid=%lu\nvisible=%d\nexstyle=%lx\nlayered=%d\nalpha=%d\n"
                "rect=%ld,%ld,%ld,%ld\n",
                className, title, pid, ::IsWindowVisible(window) ? 1 : 0, static_cast<unsigned long>(exStyle),
                layered ? 1 : 0, hasAlpha ? alpha : -1, rect.left, rect.top, rect.right, rect.bottom);
    return 0;
}

BOOL CALLBACK PrintChild(HWND window, LPARAM)
{
    char className[256] = {};
    char title[256] = {};
    ::GetClassNameA(window, className, sizeof(className));
    ::GetWindowTextA(window, title, sizeof(title));
    RECT rect{};
    ::GetWindowRect(window, &rect);
    std::printf("%llx\t%s\t%d\t%ld,%ld,%ld,%ld\t%s\n",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)), className,
                ::IsWindowVisible(window) ? 1 : 0, rect.left, rect.top, rect.right, rect.bottom, title);
    return TRUE;
}

int Children(HWND parent)
{
    if (parent == nullptr) {
        ::EnumWindows(PrintChild, 0);
    } else {
        ::EnumChildWindows(parent, PrintChild, 0);
    }
    return 0;
}

int Text(HWND window)
{
    char text[1024] = {};
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                               5000, &copied)) {
        return 1;
    }
    std::printf("%s\n", text);
    return 0;
}

int Colours(int left, int top, int right, int bottom)
{
    HDC screen = ::GetDC(nullptr);
    std::vector<COLORREF> seen;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const COLORREF colour = ::GetPixel(screen, x, y);
            bool known = false;
            for (COLORREF c : seen) {
                known = known || c == colour;
            }
            if (!known) {
                seen.push_back(colour);
            }
        }
    }
    ::ReleaseDC(nullptr, screen);
    std::printf("%d\n", static_cast<int>(seen.size()));
    return 0;
}

std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

int Menu(DWORD pid)
{
    const std::string library = OwnFolder() + "menu_reader.dll";
    const std::string output = OwnFolder() + "menu-" + std::to_string(pid) + ".txt";
    ::DeleteFileA(output.c_str());
    HANDLE process = ::OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
    if (process == nullptr) {
        return 1;
    }
    void* remote = ::VirtualAllocEx(process, nullptr, library.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ::WriteProcessMemory(process, remote, library.c_str(), library.size() + 1, nullptr);
    const auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
    HANDLE thread = ::CreateRemoteThread(process, nullptr, 0, loadLibrary, remote, 0, nullptr);
    if (thread != nullptr) {
        ::WaitForSingleObject(thread, 10000);
        ::CloseHandle(thread);
    }
    int result = 1;
    for (int waited = 0; waited < 200; ++waited) {
        if (std::FILE* in = std::fopen(output.c_str(), "rb")) {
            char buffer[4096];
            size_t got = 0;
            while ((got = std::fread(buffer, 1, sizeof(buffer), in)) > 0) {
                std::fwrite(buffer, 1, got, stdout);
            }
            std::fclose(in);
            ::DeleteFileA(output.c_str());
            result = 0;
            break;
        }
        ::Sleep(50);
    }
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    ::CloseHandle(process);
    return result;
}

int List(const char* pattern)
{
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) {
        return 0;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            std::printf("%s\n", name.c_str());
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return 0;
}

int Untray(HWND owner, UINT id)
{
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = owner;
    record.uID = id;
    return ::Shell_NotifyIconA(NIM_DELETE, &record) ? 0 : 1;
}

int PostRegistered(HWND window, const char* name)
{
    return ::PostMessageA(window, ::RegisterWindowMessageA(name), 0, 0) ? 0 : 1;
}

int Record(const char* path, const char* text)
{
    std::FILE* out = std::fopen(path, "ab");
    if (out == nullptr) {
        return 1;
    }
    std::fprintf(out, "%s\n", text);
    std::fclose(out);
    return 0;
}

int Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) {
        return 1;
    }
    std::printf("%lld\n", static_cast<long long>(result));
    return 0;
}

int Alpha(HWND window, int level)
{
    ::SetWindowLongA(window, GWL_EXSTYLE, ::GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    return ::SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(level), LWA_ALPHA) ? 0 : 1;
}

int Mutex(const char* name)
{
    HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, name);
    std::printf("%s\n", mutex != nullptr ? "held" : "free");
    if (mutex != nullptr) {
        ::CloseHandle(mutex);
    }
    return 0;
}

LRESULT CALLBACK ProbeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow(const char* className, const char* title, DWORD style, int x, int y, int width, int height,
                HWND parent)
{
    return ::CreateWindowExA(0, className, title, style, x, y, width, height, parent, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

int Window(const char* title, const std::string& kind, int x, int y)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ProbeWindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VeloriaProbeWindow";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassA(&windowClass);
    constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    std::vector<HWND> made;
    if (kind == "dialog") {
        made.push_back(MakeWindow(windowClass.lpszClassName, title, kDialogStyle, x, y, 320, 220, nullptr));
        made.push_back(MakeWindow("BUTTON", "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 240, 120,
                                  made[0]));
    } else if (kind == "owned") {
        made.push_back(MakeWindow(windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 420, 320,
                                  nullptr));
        made.push_back(MakeWindow(windowClass.lpszClassName, "Owned dialog", kDialogStyle, x + 120, y + 90, 260,
                                  180, made[0]));
        made.push_back(MakeWindow("BUTTON", "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 180, 90,
                                  made[1]));
    } else {
        made.push_back(MakeWindow(windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 400, 300,
                                  nullptr));
    }
    for (HWND window : made) {
        if (window == nullptr) {
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

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "find" && argc == 3) {
        return Find(argv[2]);
    }
    if (command == "wait" && argc == 5) {
        return Wait(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    }
    if (command == "info" && argc == 3) {
        return Info(ParseHandle(argv[2]));
    }
    if (command == "children" && argc == 3) {
        return Children(ParseHandle(argv[2]));
    }
    if (command == "text" && argc == 3) {
        return Text(ParseHandle(argv[2]));
    }
    if (command == "close" && argc == 3) {
        return ::PostMessageA(ParseHandle(argv[2]), WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (command == "colours" && argc == 6) {
        return Colours(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    }
    if (command == "menu" && argc == 3) {
        return Menu(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)));
    }
    if (command == "list" && argc == 3) {
        return List(argv[2]);
    }
    if (command == "untray" && argc == 4) {
        return Untray(ParseHandle(argv[2]), static_cast<UINT>(std::atoi(argv[3])));
    }
    if (command == "post" && argc == 4) {
        return PostRegistered(ParseHandle(argv[2]), argv[3]);
    }
    if (command == "record" && argc == 4) {
        return Record(argv[2], argv[3]);
    }
    if (command == "send" && argc == 6) {
        return Send(ParseHandle(argv[2]), static_cast<UINT>(std::strtoul(argv[3], nullptr, 0)),
                    static_cast<WPARAM>(std::strtoull(argv[4], nullptr, 0)),
                    static_cast<LPARAM>(std::strtoll(argv[5], nullptr, 0)));
    }
    if (command == "opaque" && argc == 3) {
        const HWND window = ParseHandle(argv[2]);
        return ::SetWindowLongA(window, GWL_EXSTYLE, ::GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_LAYERED) ? 0 : 1;
    }
    if (command == "alpha" && argc == 4) {
        return Alpha(ParseHandle(argv[2]), std::atoi(argv[3]));
    }
    if (command == "mutex" && argc == 3) {
        return Mutex(argv[2]);
    }
    if (command == "window" && argc == 3) {
        return Window(argv[2], "plain", 200, 200);
    }
    if (command == "window" && argc == 6) {
        return Window(argv[2], argv[3], std::atoi(argv[4]), std::atoi(argv[5]));
    }
    std::fprintf(stderr, "usage: probe find|wait|info|close|mutex|window ...\n");
    return 2;
}
