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

namespace veloria::test {

// The folder this test program lies in; the built program lies beside it.
inline std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    const std::string file(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
    return file.substr(0, file.find_last_of("\\/"));
}

// A visible top-level window of this process.
inline WindowHandle MakeTestWindow(const char* title = "Veloria test window")
{
    WindowHandle window(::CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                                          nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr));
    if (!window) {
        throw std::runtime_error("could not create a test window");
    }
    return window;
}

inline LONG ExStyle(HWND window)
{
    return ::GetWindowLongA(window, GWL_EXSTYLE);
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

// A new empty folder under the temporary folder, removed with its contents.
class TempFolder {
public:
    TempFolder()
    {
        static int counter = 0;
        const auto folder = std::filesystem::temp_directory_path() /
                            ("veloria-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
                             std::to_string(++counter));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directory(folder);
        path_ = folder.string();
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

inline void WriteFile(const std::string& path, const std::string& contents)
{
    std::ofstream(path, std::ios::binary) << contents;
}

inline std::string ReadFile(const std::string& path)
{
    std::ostringstream contents;
    contents << std::ifstream(path, std::ios::binary).rdbuf();
    return contents.str();
}

}  // namespace veloria::test
