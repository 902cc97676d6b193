// Helpers of the Windows module tests: windows to act on, in this process
// and in another one, and throw-away folders.
#pragma once

#include <windows.h>

#include <string>

#include "app/handle.h"

namespace veloria::test {

struct FileTraits {
    using Type = HANDLE;
    static Type Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type file) noexcept { ::CloseHandle(file); }
};
using FileHandle = UniqueHandle<FileTraits>;

// The folder this test program lies in; the programs under test are built
// beside it.
std::string OwnFolder();

// A visible top-level window of this process, destroyed with its owner.
WindowHandle MakeTestWindow(const char* title = "Veloria test window");

// A window that lives in another process (the probe), for as long as this
// object lives.
class ForeignWindow {
public:
    explicit ForeignWindow(const char* title);
    ~ForeignWindow();
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;

    HWND hwnd() const { return window_; }
    DWORD processId() const { return processId_; }

private:
    KernelHandle process_;
    HWND window_ = nullptr;
    DWORD processId_ = 0;
};

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
