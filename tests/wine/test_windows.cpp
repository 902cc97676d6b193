#include "test_windows.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace veloria::test {

std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    const std::string file(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
    return file.substr(0, file.find_last_of("\\/"));
}

WindowHandle MakeTestWindow(const char* title)
{
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "VeloriaModuleTestWindow";
    ::RegisterClassA(&windowClass);  // fails harmlessly after the first time
    WindowHandle window(::CreateWindowExA(0, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                          100, 300, 200, nullptr, nullptr, instance, nullptr));
    if (!window) {
        throw std::runtime_error("could not create a test window");
    }
    return window;
}

LONG ExStyle(HWND window)
{
    return ::GetWindowLongA(window, GWL_EXSTYLE);
}

int LayeredAlpha(HWND window)
{
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    if ((ExStyle(window) & WS_EX_LAYERED) == 0 || !::GetLayeredWindowAttributes(window, &key, &alpha, &flags) ||
        (flags & LWA_ALPHA) == 0) {
        return -1;
    }
    return alpha;
}

TempFolder::TempFolder()
{
    char base[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    do {
        path_ = std::string(base) + "veloria-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
                std::to_string(++counter);
    } while (!::CreateDirectoryA(path_.c_str(), nullptr) && ::GetLastError() == ERROR_ALREADY_EXISTS);
}

TempFolder::~TempFolder()
{
    WIN32_FIND_DATAA found{};
    const FindHandle search(::FindFirstFileA(file("*").c_str(), &found));
    for (bool more = static_cast<bool>(search); more; more = ::FindNextFileA(search.get(), &found)) {
        const std::string path = file(found.cFileName);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            ::DeleteFileA(path.c_str());
        } else if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..") {
            ::RemoveDirectoryA(path.c_str());
        }
    }
    ::RemoveDirectoryA(path_.c_str());
}

void WriteFile(const std::string& path, const std::string& contents)
{
    std::ofstream(path, std::ios::binary) << contents;
}

std::string ReadFile(const std::string& path)
{
    std::ostringstream contents;
    contents << std::ifstream(path, std::ios::binary).rdbuf();
    return contents.str();
}

}  // namespace veloria::test
