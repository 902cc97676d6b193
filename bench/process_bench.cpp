// process_bench.exe: what running Veloria costs the machine, measured from
// outside it under Wine beside a bare tray program (bare_tray.exe) that
// does the least any program with its features must do. One line per
// figure: the program's, the reference's, their comparison, the goal and
// whether it is met. Exits 1 when a figure cannot be taken; a missed goal
// is printed as MISSED and does not fail.
//
//   startup VELORIA BARE RUNS
//       each program started RUNS times (after one run each not counted,
//       the two taking turns): the time from CreateProcess until its first
//       wait for input (WaitForInputIdle) and its working set one second
//       later, medians; and the DLLs the program loads that the bare one
//       does not, with the same figures for the bare program told to load
//       them too: how much of the difference they account for. Each run is
//       ended through its main window's WM_CLOSE.
//   idle VELORIA BARE COUNTER SETTLE SECONDS
//       both programs started side by side and left alone for SETTLE
//       seconds (the banner's countdown ends in six), then for SECONDS
//       seconds: their CPU time and the messages that wake their main
//       window's thread, counted from inside by the COUNTER dll
//       (idle_counter.dll) loaded into each; and what Linux's scheduler
//       says of each of their threads (Wine shows Linux's files under Z:):
//       its time on a processor to the nanosecond and how often it ran, in
//       /proc/PID/task/TID/schedstat. A thread that never ran was never
//       woken, by a message or anything else.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "bench_common.h"

namespace {

using namespace bench;

constexpr DWORD kIdleWaitMs = 30000;
constexpr double kMiB = 1024.0 * 1024.0;

std::set<std::string> Modules(HANDLE process)
{
    std::vector<HMODULE> modules(512);
    DWORD needed = 0;
    std::set<std::string> names;
    if (!::EnumProcessModules(process, modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)),
                              &needed)) {
        return names;
    }
    modules.resize(std::min<std::size_t>(modules.size(), needed / sizeof(HMODULE)));
    if (modules.empty()) {
        return names;
    }
    // The first is the program itself.
    modules.erase(modules.begin());
    for (HMODULE module : modules) {
        char name[MAX_PATH] = {};
        if (const DWORD length = ::GetModuleBaseNameA(process, module, name, MAX_PATH)) {
            ::CharLowerBuffA(name, length);
            names.insert(name);
        }
    }
    return names;
}

struct StartFigures {
    std::vector<double> seconds;
    std::vector<double> workingSets;
    std::set<std::string> modules;
};

bool StartOnce(const Program& program, StartFigures* figures)
{
    PROCESS_INFORMATION process{};
    const double before = Now();
    if (!Launch(program, process)) {
        return false;
    }
    const DWORD idle = ::WaitForInputIdle(process.hProcess, kIdleWaitMs);
    const double after = Now();
    bool taken = idle == 0;
    if (!taken) {
        std::printf("%s did not wait for input within %lu s\n", program.label, kIdleWaitMs / 1000);
    } else if (figures != nullptr) {
        ::Sleep(1000);
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof(memory);
        taken = ::GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory)) != 0;
        figures->seconds.push_back(after - before);
        figures->workingSets.push_back(static_cast<double>(memory.WorkingSetSize));
        if (figures->modules.empty()) {
            figures->modules = Modules(process.hProcess);
        }
    }
    const bool ended = End(process, program);
    // The shell takes the icon away; the next run starts on a quiet desktop.
    ::Sleep(500);
    return taken && ended;
}

std::string Joined(const std::vector<double>& values, double scale, const char* format)
{
    std::string text;
    for (double value : values) {
        char number[32];
        std::snprintf(number, sizeof(number), format, value * scale);
        text += (text.empty() ? "" : " ") + std::string(number);
    }
    return text;
}

int Startup(const Program& veloria, const Program& bare, int runs)
{
    StartFigures mine;
    StartFigures reference;
    // One run each first, not counted: the files are read from disk once.
    bool taken = StartOnce(veloria, nullptr) && StartOnce(bare, nullptr);
    for (int run = 0; taken && run < runs; ++run) {
        taken = StartOnce(veloria, &mine) && StartOnce(bare, &reference);
    }
    if (!taken) {
        return 1;
    }
    const double seconds = Median(mine.seconds);
    const double referenceSeconds = Median(reference.seconds);
    const double ratio = seconds / referenceSeconds;
    const double workingSet = Median(mine.workingSets) / kMiB;
    const double referenceSet = Median(reference.workingSets) / kMiB;
    std::printf("%-24s %-18s %-18s %-16s\n", "", "veloria.exe", "bare tray", "comparison");
    Figure("start-up to input idle", Format("%.0f ms", seconds * 1000), Format("%.0f ms", referenceSeconds * 1000),
           Format("ratio %.2fx", ratio), "<= 1.30x", ratio <= 1.3);
    Figure("working set once idle", Format("%.1f MiB", workingSet), Format("%.1f MiB", referenceSet),
           Format("%+.1f MiB", workingSet - referenceSet), "<= +3.0 MiB", workingSet - referenceSet <= 3.0);
    std::printf("runs, start-up (ms)      veloria.exe %s; bare tray %s\n", Joined(mine.seconds, 1000, "%.0f").c_str(),
                Joined(reference.seconds, 1000, "%.0f").c_str());
    std::printf("runs, working set (MiB)  veloria.exe %s; bare tray %s\n",
                Joined(mine.workingSets, 1 / kMiB, "%.1f").c_str(),
                Joined(reference.workingSets, 1 / kMiB, "%.1f").c_str());
    std::string extra;
    for (const std::string& name : mine.modules) {
        if (reference.modules.count(name) == 0) {
            extra += (extra.empty() ? "" : " ") + name;
        }
    }
    std::printf("DLLs loaded (veloria.exe %zu, bare tray %zu); only by veloria.exe: %s\n", mine.modules.size(),
                reference.modules.size(), extra.empty() ? "none" : extra.c_str());

    // The bare program loading the same DLLs besides.
    Program loading = bare;
    loading.arguments = extra;
    loading.label = "bare tray with those DLLs";
    StartFigures withDlls;
    for (int run = 0; run < runs; ++run) {
        if (!StartOnce(loading, &withDlls)) {
            return 1;
        }
    }
    const double dllSeconds = Median(withDlls.seconds) - referenceSeconds;
    const double dllSet = Median(withDlls.workingSets) / kMiB - referenceSet;
    std::printf("bare tray loading them   %.0f ms, %.1f MiB: the DLLs account for %+.0f of the %+.0f ms and %+.1f of "
                "the %+.1f MiB\n", Median(withDlls.seconds) * 1000, Median(withDlls.workingSets) / kMiB,
                dllSeconds * 1000, (seconds - referenceSeconds) * 1000, dllSet, workingSet - referenceSet);
    return 0;
}

HANDLE MakeEvent(const char* what, DWORD pid)
{
    const std::string name = std::string("VeloriaIdle") + what + "-" + std::to_string(pid);
    return ::CreateEventA(nullptr, TRUE, FALSE, name.c_str());
}

bool Inject(const PROCESS_INFORMATION& process, const std::string& library)
{
    void* remote = ::VirtualAllocEx(process.hProcess, nullptr, library.size() + 1, MEM_COMMIT | MEM_RESERVE,
                                    PAGE_READWRITE);
    if (remote == nullptr) {
        return false;
    }
    ::WriteProcessMemory(process.hProcess, remote, library.c_str(), library.size() + 1, nullptr);
    const auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
    HANDLE thread = ::CreateRemoteThread(process.hProcess, nullptr, 0, load, remote, 0, nullptr);
    DWORD loaded = 0;
    if (thread != nullptr) {
        ::WaitForSingleObject(thread, 10000);
        ::GetExitCodeThread(thread, &loaded);
        ::CloseHandle(thread);
    }
    ::VirtualFreeEx(process.hProcess, remote, 0, MEM_RELEASE);
    return loaded != 0;
}

struct IdleFigures {
    long retrieved = -1;
    long sent = -1;
    long checksPosted = 0;
    long checksSent = 0;
    double cpuSeconds = -1;
    double cpuSinceStart = 0;
    std::vector<std::string> messages;
    std::size_t threadCount = 0;
    double threadSeconds = 0;
    unsigned long long threadRuns = 0;
    std::vector<std::string> threads;
    unsigned long long runsSinceStart = 0;
};

IdleFigures ReadIdle(const std::string& library, DWORD pid)
{
    const std::string path = FolderOf(library) + "\\idle-" + std::to_string(pid) + ".txt";
    IdleFigures figures;
    for (int tries = 0; tries < 100 && ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES; ++tries) {
        ::Sleep(100);
    }
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        if (kind == "retrieved") {
            fields >> figures.retrieved;
        } else if (kind == "sent") {
            fields >> figures.sent;
        } else if (kind == "checks") {
            fields >> figures.checksPosted >> figures.checksSent;
        } else if (kind == "cpu100ns") {
            unsigned long long kernel = 0;
            unsigned long long user = 0;
            unsigned long long sinceStart = 0;
            fields >> kernel >> user >> sinceStart;
            figures.cpuSeconds = static_cast<double>(kernel + user) / 1e7;
            figures.cpuSinceStart = static_cast<double>(sinceStart) / 1e7;
        } else if (kind == "message") {
            std::string how;
            std::string number;
            std::string windowClass;
            std::string count;
            fields >> how >> number >> windowClass >> count;
            figures.messages.push_back(how + " " + number + " to " + windowClass + " x" + count);
        }
    }
    in.close();
    ::DeleteFileA(path.c_str());
    return figures;
}

std::string Listed(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : ", ") + item;
    }
    return text.empty() ? "none" : text;
}

int Idle(const Program& veloria, const Program& bare, const std::string& library, int settle, int seconds)
{
    const Program* programs[] = {&veloria, &bare};
    PROCESS_INFORMATION processes[2]{};
    HANDLE events[2][3]{};
    bool taken = true;
    for (int k = 0; k < 2 && taken; ++k) {
        taken = Launch(*programs[k], processes[k]);
        if (taken) {
            events[k][0] = MakeEvent("Ready", processes[k].dwProcessId);
            events[k][1] = MakeEvent("Start", processes[k].dwProcessId);
            events[k][2] = MakeEvent("Stop", processes[k].dwProcessId);
        }
    }
    ::Sleep(static_cast<DWORD>(settle) * 1000);
    for (int k = 0; k < 2 && taken; ++k) {
        taken = Inject(processes[k], library) && ::WaitForSingleObject(events[k][0], 10000) == WAIT_OBJECT_0;
        if (!taken) {
            std::printf("cannot count the messages of %s\n", programs[k]->label);
        }
    }
    // One message posted and one sent to each main window before the count,
    // for the counter to show that it sees them. (Not "abort if hung": a
    // thread that has slept for five seconds counts as hung to Wine.)
    const UINT check = ::RegisterWindowMessageA("VeloriaIdleCheck");
    for (int k = 0; k < 2 && taken; ++k) {
        const HWND window = MainWindowOf(processes[k], *programs[k]);
        DWORD_PTR result = 0;
        taken = window != nullptr && ::PostMessageA(window, check, 0, 0) &&
                ::SendMessageTimeoutA(window, check, 0, 0, SMTO_NORMAL, 5000, &result);
        if (!taken) {
            std::printf("cannot reach the main window of %s (error %lu)\n", programs[k]->label, ::GetLastError());
        }
    }
    ::Sleep(1000);
    std::string linux[2];
    for (int k = 0; k < 2 && taken; ++k) {
        linux[k] = LinuxProcess(programs[k]->path);
        taken = !linux[k].empty();
        if (!taken) {
            std::printf("cannot find the Linux process of %s\n", programs[k]->label);
        }
    }
    IdleFigures figures[2];
    if (taken) {
        for (auto& event : events) {
            ::SetEvent(event[1]);
        }
        // The counters have started: they do not run again until Stop.
        ::Sleep(200);
        std::map<std::string, ThreadRuns> before[2] = {SchedulerRuns(linux[0]), SchedulerRuns(linux[1])};
        ::Sleep(static_cast<DWORD>(seconds) * 1000);
        std::map<std::string, ThreadRuns> after[2] = {SchedulerRuns(linux[0]), SchedulerRuns(linux[1])};
        for (auto& event : events) {
            ::SetEvent(event[2]);
        }
        for (int k = 0; k < 2; ++k) {
            figures[k] = ReadIdle(library, processes[k].dwProcessId);
            figures[k].threadCount = after[k].size();
            for (const auto& [id, thread] : after[k]) {
                const auto earlier = before[k].find(id);
                const ThreadRuns start = earlier != before[k].end() ? earlier->second : ThreadRuns{};
                const unsigned long long nanoseconds = thread.nanoseconds - start.nanoseconds;
                const unsigned long long runs = thread.runs - start.runs;
                figures[k].threadSeconds += static_cast<double>(nanoseconds) / 1e9;
                figures[k].threadRuns += runs;
                figures[k].runsSinceStart += thread.runs;
                if (runs != 0 || nanoseconds != 0) {
                    figures[k].threads.push_back(thread.name + " (" + id + ") " +
                                                 Format("%.3f ms", static_cast<double>(nanoseconds) / 1e6) + " x" +
                                                 std::to_string(runs));
                }
            }
            if (figures[k].threadCount == 0) {
                std::printf("cannot read Linux's figures for the threads of %s\n", programs[k]->label);
                taken = false;
            }
            if (figures[k].retrieved < 0 || figures[k].sent < 0 || figures[k].cpuSeconds < 0) {
                std::printf("no count from %s\n", programs[k]->label);
                taken = false;
            } else if (figures[k].checksPosted != 1 || figures[k].checksSent != 1 || figures[k].cpuSinceStart <= 0) {
                std::printf("the counter in %s saw %ld of 1 posted and %ld of 1 sent check messages and %.3f s of CPU "
                            "time since the start: its counts cannot be trusted\n",
                            programs[k]->label, figures[k].checksPosted, figures[k].checksSent,
                            figures[k].cpuSinceStart);
                taken = false;
            }
        }
    }
    for (int k = 0; k < 2; ++k) {
        if (processes[k].hProcess != nullptr) {
            taken = End(processes[k], *programs[k]) && taken;
        }
        for (HANDLE event : events[k]) {
            if (event != nullptr) {
                ::CloseHandle(event);
            }
        }
    }
    if (!taken) {
        return 1;
    }
    const IdleFigures& mine = figures[0];
    const IdleFigures& reference = figures[1];
    std::printf("%-24s %-18s %-18s %-16s\n", "", "veloria.exe", "bare tray", "");
    Figure("CPU time", Format("%.0f ms", mine.cpuSeconds * 1000), Format("%.0f ms", reference.cpuSeconds * 1000),
           "GetProcessTimes", "0 ms", mine.cpuSeconds == 0);
    Figure("wake-ups (retrieved)", std::to_string(mine.retrieved), std::to_string(reference.retrieved), "", "0",
           mine.retrieved == 0);
    Figure("messages sent in", std::to_string(mine.sent), std::to_string(reference.sent), "", "0", mine.sent == 0);
    Figure("CPU time, Linux's count", Format("%.3f ms", mine.threadSeconds * 1000),
           Format("%.3f ms", reference.threadSeconds * 1000), "", "0 ms", mine.threadSeconds == 0);
    Figure("thread runs", std::to_string(mine.threadRuns), std::to_string(reference.threadRuns),
           Format("%.0f thread(s)", static_cast<double>(mine.threadCount - 1)), "0", mine.threadRuns == 0);
    std::printf("  (GetProcessTimes counts in 10 ms ticks charged to whichever thread runs at a tick, and takes\n"
                "  in the counter's own two readings; Linux's count is to the nanosecond, and it and the thread\n"
                "  count leave the counter's own thread out)\n");
    std::printf("veloria.exe's threads that ran: %s\n", Listed(mine.threads).c_str());
    std::printf("bare tray's threads that ran:   %s\n", Listed(reference.threads).c_str());
    std::printf("since start              veloria.exe %.0f ms, %llu thread runs; bare tray %.0f ms, %llu thread runs\n",
                mine.cpuSinceStart * 1000, mine.runsSinceStart, reference.cpuSinceStart * 1000,
                reference.runsSinceStart);
    std::printf("(the counters saw the check messages posted and sent to each program before the count)\n");
    std::printf("veloria.exe's messages:  %s\n", Listed(mine.messages).c_str());
    std::printf("bare tray's messages:    %s\n", Listed(reference.messages).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "desktop" && argc == 2) {
        return Desktop();
    }
    if (command == "startup" && argc == 5) {
        return Startup({argv[2], "Veloria", "veloria.exe", ""}, {argv[3], "VeloriaBareTray", "bare tray", ""},
                       std::atoi(argv[4]));
    }
    if (command == "idle" && argc == 7) {
        return Idle({argv[2], "Veloria", "veloria.exe", ""}, {argv[3], "VeloriaBareTray", "bare tray", ""}, argv[4],
                    std::atoi(argv[5]), std::atoi(argv[6]));
    }
    std::fprintf(stderr, "usage: process_bench desktop | startup VELORIA BARE RUNS | "
                         "idle VELORIA BARE COUNTER SETTLE SECONDS\n");
    return 2;
}
