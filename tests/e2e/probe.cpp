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
//   probe close HWND                 posts WM_CLOSE
//   probe mutex NAME                 "held" or "free"
//   probe window TITLE               makes a visible top-level window, prints
//                                    its handle and serves it until closed
#include <windows.h>

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

int Window(const char* title)
{
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ProbeWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "VeloriaProbeWindow";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassA(&windowClass);
    HWND window = ::CreateWindowExA(0, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW, 200, 200, 400,
                                    300, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ::ShowWindow(window, SW_SHOWNORMAL);
    PrintHandle(window);
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
    if (command == "close" && argc == 3) {
        return ::PostMessageA(ParseHandle(argv[2]), WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (command == "mutex" && argc == 3) {
        return Mutex(argv[2]);
    }
    if (command == "window" && argc == 3) {
        return Window(argv[2]);
    }
    std::fprintf(stderr, "usage: probe find|wait|info|close|mutex|window ...\n");
    return 2;
}
