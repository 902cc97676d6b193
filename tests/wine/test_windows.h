// Helpers of the Windows module tests: windows to act on, throw-away
// folders and files.
#pragma once

#include <windows.h>

#include <string>

#include "app/handle.h"

namespace veloria::test {

// The folder this test program lies in; the built program lies beside it.
std::string OwnFolder();

// A visible top-level window of this process.
WindowHandle MakeTestWindow(const char* title = "Veloria test window");

// The extended style, and the alpha if the window is layered (-1 if not).
LONG ExStyle(HWND window);
int LayeredAlpha(HWND window);

// A new empty folder under the temporary folder, removed with its contents.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

void WriteFile(const std::string& path, const std::string& contents);
std::string ReadFile(const std::string& path);

}  // namespace veloria::test
