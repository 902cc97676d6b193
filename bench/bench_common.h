// What the benchmark programs share: starting and ending a program as the
// system would, and reading what Linux says of a process's threads (Wine
// shows Linux's files under Z:). One line per figure: the program's, the
// reference's, their comparison, the goal and whether it is met.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

inline constexpr DWORD kEndWaitMs = 20000;

struct Program {
    std::string path;
    const char* windowClass;
    const char* label;
    std::string arguments;
};

inline std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

inline double Now()
{
    LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline std::string FolderOf(const std::string& path)
{
    return path.substr(0, path.find_last_of("\\/"));
}

inline bool Launch(const Program& program, PROCESS_INFORMATION& started)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + program.path + "\"" + (program.arguments.empty() ? "" : " ") + program.arguments;
    const std::string folder = FolderOf(program.path);
    started = PROCESS_INFORMATION{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &started)) {
        std::printf("cannot start %s (error %lu)\n", program.path.c_str(), ::GetLastError());
        return false;
    }
    return true;
}

struct FindContext {
    DWORD pid;
    const char* windowClass;
    HWND found;
};

inline BOOL CALLBACK FindWindowOf(HWND window, LPARAM context)
{
    auto& find = *reinterpret_cast<FindContext*>(context);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof(name));
    if (pid == find.pid && std::string(name) == find.windowClass) {
        find.found = window;
        return FALSE;
    }
    return TRUE;
}

inline HWND MainWindowOf(const PROCESS_INFORMATION& process, const Program& program)
{
    for (int tries = 0; tries < 50; ++tries) {
        FindContext find{process.dwProcessId, program.windowClass, nullptr};
        ::EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&find));
        if (find.found != nullptr) {
            return find.found;
        }
        ::Sleep(100);
    }
    return nullptr;
}

// Ends the program as the system would, through its main window; a program
// that does not end in time is killed and the run counts as failed.
inline bool End(PROCESS_INFORMATION& process, const Program& program)
{
    bool ended = false;
    if (const HWND window = MainWindowOf(process, program)) {
        ::PostMessageA(window, WM_CLOSE, 0, 0);
        ended = ::WaitForSingleObject(process.hProcess, kEndWaitMs) == WAIT_OBJECT_0;
    }
    if (!ended) {
        std::printf("%s did not end through WM_CLOSE in time\n", program.label);
        ::TerminateProcess(process.hProcess, 1);
        ::WaitForSingleObject(process.hProcess, kEndWaitMs);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    process = PROCESS_INFORMATION{};
    return ended;
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    return values.size() % 2 != 0 ? values[half] : (values[half - 1] + values[half]) / 2;
}

inline void Figure(const char* what, const std::string& mine, const std::string& reference, const std::string& comparison,
            const std::string& goal, bool met)
{
    std::printf("%-24s %-18s %-18s %-16s goal %-14s %s\n", what, mine.c_str(), reference.c_str(),
                comparison.c_str(), goal.c_str(), met ? "met" : "MISSED");
}

struct ThreadRuns {
    std::string name;
    unsigned long long nanoseconds = 0;
    unsigned long long runs = 0;
};

inline std::string ReadLinuxFile(const std::string& path)
{
    std::string text;
    if (std::FILE* in = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t read = 0;
        while ((read = std::fread(buffer, 1, sizeof(buffer), in)) > 0) {
            text.append(buffer, read);
        }
        std::fclose(in);
    }
    std::replace(text.begin(), text.end(), '\0', ' ');
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

inline std::vector<std::string> Numbered(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if (found.cFileName[0] >= '1' && found.cFileName[0] <= '9') {
            names.push_back(found.cFileName);
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

inline std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

// The Linux process Wine runs `path` in: the one whose command line (the
// Windows one, under Wine) starts with it; this program's own names it
// further on. The program folders are the run's own.
inline std::string LinuxProcess(const std::string& path)
{
    for (const std::string& pid : Numbered("Z:\\proc")) {
        const std::string commandLine = Lower(ReadLinuxFile("Z:\\proc\\" + pid + "\\cmdline"));
        if (commandLine.rfind(Lower(path), 0) == 0 || commandLine.rfind("\"" + Lower(path), 0) == 0) {
            return pid;
        }
    }
    return {};
}

inline std::map<std::string, ThreadRuns> SchedulerRuns(const std::string& pid)
{
    std::map<std::string, ThreadRuns> threads;
    const std::string folder = "Z:\\proc\\" + pid + "\\task";
    for (const std::string& id : Numbered(folder)) {
        ThreadRuns& thread = threads[id];
        thread.name = id == pid ? "main" : ReadLinuxFile(folder + "\\" + id + "\\comm");
        std::sscanf(ReadLinuxFile(folder + "\\" + id + "\\schedstat").c_str(), "%llu %*u %llu",
                    &thread.nanoseconds, &thread.runs);
    }
    return threads;
}

// A process's time on a processor over all its threads, in seconds.
inline double ProcessSeconds(const std::string& pid)
{
    unsigned long long nanoseconds = 0;
    for (const auto& [id, thread] : SchedulerRuns(pid)) {
        nanoseconds += thread.nanoseconds;
    }
    return static_cast<double>(nanoseconds) / 1e9;
}

// Opens Wine's desktop (the first program to run does) and waits, 40
// seconds at most, for its taskbar: tray icons need it.
inline int Desktop()
{
    for (int tries = 0; tries < 400; ++tries) {
        if (::FindWindowA("Shell_TrayWnd", nullptr) != nullptr) {
            return 0;
        }
        ::Sleep(100);
    }
    std::printf("no taskbar\n");
    return 1;
}

}  // namespace bench
