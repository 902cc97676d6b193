#include "test_windows.h"

#include <cstdint>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace veloria::test {

namespace {

const char* TestWindowClass(HINSTANCE instance)
{
    static const char* const name = [instance] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = "VeloriaModuleTestWindow";
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        ::RegisterClassA(&windowClass);
        return "VeloriaModuleTestWindow";
    }();
    return name;
}

void PumpMessages()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

}  // namespace

std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/"));
}

WindowHandle MakeTestWindow(const char* title)
{
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WindowHandle window(::CreateWindowExA(0, TestWindowClass(instance), title, WS_OVERLAPPEDWINDOW, 100, 100,
                                          300, 200, nullptr, nullptr, instance, nullptr));
    if (!window) {
        throw std::runtime_error("could not create a test window");
    }
    ::ShowWindow(window.get(), SW_SHOWNORMAL);
    PumpMessages();
    return window;
}

ForeignWindow::ForeignWindow(const char* title)
{
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        throw std::runtime_error("could not create a pipe");
    }
    KernelHandle reader(readEnd);
    KernelHandle writer(writeEnd);
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    std::string command = "\"" + OwnFolder() + "\\probe.exe\" window \"" + title + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                          &info)) {
        throw std::runtime_error("could not start the probe: " + command);
    }
    process_.reset(info.hProcess);
    ::CloseHandle(info.hThread);
    processId_ = info.dwProcessId;
    writer.reset();

    // The probe prints the window's handle as its first line.
    std::string line;
    char c = 0;
    DWORD got = 0;
    while (line.size() < 64 && ::ReadFile(reader.get(), &c, 1, &got, nullptr) && got == 1 && c != '\n') {
        line += c;
    }
    window_ = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::stoull(line, nullptr, 16)));
}

ForeignWindow::~ForeignWindow()
{
    if (window_ != nullptr) {
        ::PostMessageA(window_, WM_CLOSE, 0, 0);
    }
    if (process_ && ::WaitForSingleObject(process_.get(), 5000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process_.get(), 1);
    }
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
    for (;;) {
        path_ = std::string(base) + "veloria-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
                std::to_string(++counter);
        if (::CreateDirectoryA(path_.c_str(), nullptr)) {
            break;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            throw std::runtime_error("could not create " + path_);
        }
    }
}

TempFolder::~TempFolder()
{
    WIN32_FIND_DATAA found{};
    const std::string pattern = path_ + "\\*";
    HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = file(name);
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                ::RemoveDirectoryA(path.c_str());
            } else {
                ::DeleteFileA(path.c_str());
            }
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryA(path_.c_str());
}

void WriteFile(const std::string& path, const std::string& contents)
{
    std::ofstream out(path, std::ios::binary);
    out << contents;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

}  // namespace veloria::test
