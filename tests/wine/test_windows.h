// Helpers of the Windows module tests: a window to act on, throw-away
// folders and files.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "base/handle.h"
#include "shell/program.h"

namespace veloria::test {

// What each layer keeps, held for every test as the program holds it.
inline ProgramState g_programState;

// The folder this test program lies in; the built program lies beside it.
inline std::wstring OwnFolder()
{
    wchar_t path[MAX_PATH] = {};
    const std::wstring file(path, ::GetModuleFileNameW(nullptr, path, MAX_PATH));
    return file.substr(0, file.find_last_of(L"\\/"));
}

// A visible top-level window of this process.
inline WindowHandle MakeTestWindow(const wchar_t* title = L"Veloria test window")
{
    WindowHandle window(::CreateWindowExW(0, L"STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                                          nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    if (!window) {
        throw std::runtime_error("could not create a test window");
    }
    return window;
}

inline LONG ExStyle(HWND window)
{
    return ::GetWindowLongW(window, GWL_EXSTYLE);
}

// The alpha of a layered window, -1 for one that is not layered.
inline int LayeredAlpha(HWND window)
{
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    const bool layered = (ExStyle(window) & WS_EX_LAYERED) != 0;
    return layered && ::GetLayeredWindowAttributes(window, &key, &alpha, &flags) && (flags & LWA_ALPHA) ? alpha : -1;
}

// A new empty folder under the temporary folder, removed with its contents;
// its name holds letters that no code page spells together.
class TempFolder {
public:
    TempFolder()
    {
        static int counter = 0;
        const auto folder = std::filesystem::temp_directory_path() /
                            (L"veloria \u017B\u00F3\u0142w \u03A9\u03BC\u03AD\u03B3\u03B1 \u65E5\u672C " +
                             std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directory(folder);
        path_ = folder.wstring();
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& path() const { return path_; }
    std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

inline void WriteFile(const std::wstring& path, const std::string& contents)
{
    std::ofstream(std::filesystem::path(path), std::ios::binary) << contents;
}

inline std::string ReadFile(const std::wstring& path)
{
    std::ostringstream contents;
    contents << std::ifstream(std::filesystem::path(path), std::ios::binary).rdbuf();
    return contents.str();
}

}  // namespace veloria::test
