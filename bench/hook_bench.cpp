// hook_bench.exe: what Veloria's hooks cost while the desktop is busy,
// measured under Wine beside bare hooks that do nothing in the same run.
// One line per figure, with its goal and whether it is met; exits 1 when a
// figure cannot be taken.
//
//   bare events | bare mouse
//       the reference: a hidden window and an out-of-context window-event
//       hook over the events Veloria hears (window made, gone, shown) that
//       only counts them, or a low-level mouse hook that only passes each
//       event on. Ended through the window's WM_CLOSE.
//   storm COUNT
//       the stand-in: makes COUNT top-level windows one after the other,
//       each with a button and an edit box, shows it, lets its messages
//       run and destroys it; says how many had been given a level.
//   run OTHER STANDIN BARE STAND-IN-EXE
//       OTHER and STANDIN are veloria.exe in folders whose "Config.ini"
//       remembers a program of another name and the stand-in's own; BARE is
//       this program (copied). Measures, each program left SETTLE seconds
//       after its start first (the banner's countdown is over):
//       - the stand-in's storm of 2,000 windows: the CPU time of all of
//         Veloria's threads (Linux's count) against the bare event hook's,
//         both running and hearing the same storm, so that what Wine's own
//         costs do from storm to storm touches both alike;
//       - 10,000 mouse moves and 1,000 wheel turns sent with SendInput, no
//         key held: the same against the bare mouse hook, each hook
//         alone, and the longest SendInput call (Windows hands each event
//         to every low-level hook and waits for it before it goes on);
//       - 50 presses of a level key with a window of this program in
//         front, and 50 turns of the wheel with the wheel's keys held over
//         it: the time until the window's level has changed, median and
//         worst.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_common.h"

namespace {

using namespace bench;

constexpr int kStormWindows = 2000;
constexpr int kMoves = 10000;
constexpr int kTurns = 1000;
constexpr int kRounds = 50;
constexpr int kStormRounds = 5;
constexpr int kMouseRounds = 5;
constexpr DWORD kSettleMs = 8000;
constexpr DWORD kStormWaitMs = 300000;
constexpr DWORD kLevelWaitMs = 1000;
constexpr const char* kBareClass = "VeloriaBareHooks";

// Registers a window class of this program's; gives its name.
const char* WindowClass(const char* name, WNDPROC procedure)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassA(&windowClass);
    return name;
}

long g_events = 0;

void CALLBACK CountEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD)
{
    ++g_events;
}

LRESULT CALLBACK PassMouseEvent(int code, WPARAM wParam, LPARAM lParam)
{
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK BareWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

int Bare(const std::string& kind)
{
    if (::CreateWindowA(WindowClass(kBareClass, BareWindow), "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                        ::GetModuleHandleA(nullptr), nullptr) == nullptr) {
        return 1;
    }
    const bool events = kind == "events";
    const HWINEVENTHOOK eventHook =
        events ? ::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, nullptr, CountEvent, 0, 0,
                                   WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS)
               : nullptr;
    const HHOOK mouseHook =
        events ? nullptr : ::SetWindowsHookExA(WH_MOUSE_LL, PassMouseEvent, ::GetModuleHandleA(nullptr), 0);
    if (eventHook == nullptr && mouseHook == nullptr) {
        return 1;
    }
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageA(&message);
    }
    return 0;
}

void RunMessages()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

int Storm(int count)
{
    const char* const standIn = WindowClass("VeloriaStandIn", ::DefWindowProcA);
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    int layered = 0;
    for (int k = 0; k < count; ++k) {
        HWND window = ::CreateWindowA(standIn, "Stand-in", WS_OVERLAPPEDWINDOW, 40 + k % 200, 40 + k % 150,
                                      300, 200, nullptr, nullptr, instance, nullptr);
        if (window == nullptr) {
            return 1;
        }
        ::CreateWindowA("BUTTON", "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 100, 30, window, nullptr,
                        instance, nullptr);
        ::CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 50, 200, 24, window, nullptr,
                        instance, nullptr);
        ::ShowWindow(window, SW_SHOWNOACTIVATE);
        RunMessages();
        layered += (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0 ? 1 : 0;
        ::DestroyWindow(window);
        RunMessages();
    }
    std::printf("%d\n", layered);
    return 0;
}

// A program started, with its Linux process once it has settled.
struct Started {
    const Program* program = nullptr;
    PROCESS_INFORMATION process{};
    std::string linux;
};

// Ends every program started; whether each ended as it should.
bool EndAll(std::vector<Started>& started)
{
    bool ended = true;
    for (Started& each : started) {
        ended = End(each.process, *each.program) && ended;
    }
    started.clear();
    return ended;
}

// Starts the programs together and leaves them to settle.
bool StartSettled(const std::vector<const Program*>& programs, std::vector<Started>& started)
{
    for (const Program* program : programs) {
        started.push_back({program, {}, {}});
        if (!Launch(*program, started.back().process)) {
            started.pop_back();
            EndAll(started);
            return false;
        }
        if (MainWindowOf(started.back().process, *program) == nullptr) {
            std::printf("%s shows no main window\n", program->label);
            EndAll(started);
            return false;
        }
    }
    ::Sleep(kSettleMs);
    for (Started& each : started) {
        each.linux = LinuxProcess(each.program->path);
        if (each.linux.empty()) {
            std::printf("cannot find the Linux process of %s\n", each.program->label);
            EndAll(started);
            return false;
        }
    }
    return true;
}

// The processor time each of `programs` spends while `work` runs, all of
// them started together, and each one's threads that spent a millisecond
// or more.
template <typename Work>
bool CostsOf(const std::vector<const Program*>& programs, Work work, std::vector<double>& seconds,
             std::vector<std::string>& threads)
{
    std::vector<Started> started;
    if (!StartSettled(programs, started)) {
        return false;
    }
    std::vector<std::map<std::string, ThreadRuns>> before;
    for (const Started& each : started) {
        before.push_back(SchedulerRuns(each.linux));
    }
    bool done = work();
    ::Sleep(1000);  // what the hooks still have queued
    seconds.assign(started.size(), 0);
    threads.assign(started.size(), "");
    for (std::size_t k = 0; k < started.size(); ++k) {
        for (const auto& [id, thread] : SchedulerRuns(started[k].linux)) {
            const auto earlier = before[k].find(id);
            const double spent =
                static_cast<double>(thread.nanoseconds - (earlier != before[k].end() ? earlier->second.nanoseconds : 0)) /
                1e9;
            seconds[k] += spent;
            if (spent >= 0.001) {
                threads[k] += (threads[k].empty() ? "" : ", ") + thread.name + " " + Format("%.0f ms", spent * 1000);
            }
        }
    }
    return EndAll(started) && done;
}

bool RunStorm(const std::string& standIn, int& layered)
{
    Program storm{standIn, "", "the stand-in", "storm " + std::to_string(kStormWindows)};
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!::CreatePipe(&read, &write, &inherit, 0)) {
        return false;
    }
    ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    std::string commandLine = "\"" + standIn + "\" " + storm.arguments;
    PROCESS_INFORMATION process{};
    const bool launched = ::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                           &startup, &process) != 0;
    ::CloseHandle(write);
    DWORD exitCode = 1;
    if (launched) {
        if (::WaitForSingleObject(process.hProcess, kStormWaitMs) != WAIT_OBJECT_0) {
            std::printf("the stand-in's storm did not end in time\n");
            ::TerminateProcess(process.hProcess, 1);
        }
        ::GetExitCodeProcess(process.hProcess, &exitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    char text[32] = {};
    DWORD got = 0;
    ::ReadFile(read, text, sizeof(text) - 1, &got, nullptr);
    ::CloseHandle(read);
    layered = std::atoi(text);
    return launched && exitCode == 0;
}

INPUT MouseInput(DWORD flags, LONG dx, DWORD data)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    return input;
}

INPUT KeyInput(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) |
                       (key == VK_NEXT || key == VK_PRIOR ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

// The window in front, on a thread of its own that answers its messages.
HWND g_target = nullptr;

DWORD WINAPI RunTarget(void* ready)
{
    g_target = ::CreateWindowA(WindowClass("VeloriaBenchTarget", ::DefWindowProcA), "Bench target",
                               WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 500, 400, nullptr, nullptr,
                               ::GetModuleHandleA(nullptr), nullptr);
    ::SetEvent(ready);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageA(&message);
    }
    return 0;
}

// The mouse's events one by one, over the window in front (a window of
// this program's: what the mouse does there goes to its thread, whoever
// hooks it); the longest call, in seconds.
bool SendMouse(double& longest)
{
    RECT r{};
    ::GetWindowRect(g_target, &r);
    ::SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    longest = 0;
    for (int k = 0; k < kMoves + kTurns; ++k) {
        INPUT input = k % 11 == 10 ? MouseInput(MOUSEEVENTF_WHEEL, 0, static_cast<DWORD>(k % 2 ? WHEEL_DELTA : -WHEEL_DELTA))
                                   : MouseInput(MOUSEEVENTF_MOVE, k % 2 ? 1 : -1, 0);
        const double before = Now();
        if (::SendInput(1, &input, sizeof(input)) != 1) {
            return false;
        }
        longest = std::max(longest, Now() - before);
    }
    return true;
}

int LevelOf(HWND window)
{
    BYTE alpha = 255;
    DWORD flags = 0;
    if ((::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED) == 0 ||
        !::GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || (flags & LWA_ALPHA) == 0) {
        return 255;
    }
    return alpha;
}

// Each round's time from the input until the target's level changed;
// a round whose level never changed counts as the wait's bound.
std::vector<double> Latencies(bool wheel)
{
    std::vector<double> times;
    RECT r{};
    ::GetWindowRect(g_target, &r);
    for (int round = 0; round < kRounds; ++round) {
        ::SetForegroundWindow(g_target);
        ::SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ::Sleep(50);
        const bool down = round % 2 == 0;  // see-through, then back
        std::vector<INPUT> inputs = {KeyInput(VK_CONTROL, false), KeyInput(VK_MENU, false), KeyInput(VK_SHIFT, false)};
        if (wheel) {
            inputs.push_back(MouseInput(MOUSEEVENTF_WHEEL, 0, static_cast<DWORD>(down ? -WHEEL_DELTA : WHEEL_DELTA)));
        } else {
            const WORD key = down ? VK_NEXT : VK_PRIOR;
            inputs.push_back(KeyInput(key, false));
            inputs.push_back(KeyInput(key, true));
        }
        const std::vector<INPUT> release = {KeyInput(VK_SHIFT, true), KeyInput(VK_MENU, true),
                                            KeyInput(VK_CONTROL, true)};
        const int before = LevelOf(g_target);
        const double start = Now();
        ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        double took = kLevelWaitMs / 1000.0;
        while (Now() - start < kLevelWaitMs / 1000.0) {
            if (LevelOf(g_target) != before) {
                took = Now() - start;
                break;
            }
            ::Sleep(1);
        }
        ::SendInput(static_cast<UINT>(release.size()), const_cast<INPUT*>(release.data()), sizeof(INPUT));
        times.push_back(took);
        ::Sleep(30);
    }
    return times;
}

std::string Ms(double seconds)
{
    return Format("%.1f ms", seconds * 1000);
}

std::string Runs(const std::vector<double>& values)
{
    std::string text;
    for (const double value : values) {
        text += (text.empty() ? "" : " ") + Format("%.0f", value * 1000);
    }
    return text + " ms";
}

int Run(const Program& other, const Program& standIn, const std::string& bare, const std::string& standInExe)
{
    const Program bareEvents{bare, kBareClass, "bare event hook", "bare events"};
    const Program bareMouse{bare, kBareClass, "bare mouse hook", "bare mouse"};
    const HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (const HANDLE thread = ::CreateThread(nullptr, 0, RunTarget, ready, 0, nullptr)) {
        ::WaitForSingleObject(ready, 5000);
        ::CloseHandle(thread);
    }
    ::CloseHandle(ready);
    if (g_target == nullptr) {
        std::printf("cannot open the window in front\n");
        return 1;
    }
    // The storm heard by Veloria and the bare hook at once, one storm for
    // each remembered program in turn, five times over: Wine's own costs
    // vary from storm to storm by more than the goal's margin, and touch
    // both alike in one storm; the ratio is the median of the storms'.
    // The mouse's hooks one at a time: in one chain, the first would pass
    // each event on to the other and wait for it, and the longest call
    // would hold both.
    int layered[2] = {};
    std::vector<double> storm[2];
    std::vector<double> bareStorm[2];
    std::vector<double> stormRatio[2];
    std::string stormThreads[2];
    std::string bareStormThreads[2];
    std::vector<double> mouse[2];
    double longest[2] = {};
    std::string mouseThreads[2];
    const Program* stormed[2] = {&other, &standIn};
    const Program* moused[2] = {&other, &bareMouse};
    std::vector<double> seconds;
    std::vector<std::string> threads;
    for (int round = 0; round < kStormRounds; ++round) {
        for (int k = 0; k < 2; ++k) {
            if (!CostsOf({stormed[k], &bareEvents}, [&] { return RunStorm(standInExe, layered[k]); }, seconds,
                         threads)) {
                std::printf("cannot measure the storm beside %s\n", stormed[k]->label);
                return 1;
            }
            storm[k].push_back(seconds[0]);
            bareStorm[k].push_back(seconds[1]);
            stormRatio[k].push_back(seconds[0] / std::max(seconds[1], 1e-6));
            stormThreads[k] = threads[0];
            bareStormThreads[k] = threads[1];
        }
    }
    for (int round = 0; round < kMouseRounds; ++round) {
        for (int k = 0; k < 2; ++k) {
            double slowest = 0;
            if (!CostsOf({moused[k]}, [&] { return SendMouse(slowest); }, seconds, threads)) {
                std::printf("cannot measure the mouse's events beside %s\n", moused[k]->label);
                return 1;
            }
            mouse[k].push_back(seconds[0]);
            mouseThreads[k] = threads[0];
            longest[k] = std::max(longest[k], slowest);
        }
    }

    std::vector<Started> started;
    if (!StartSettled({&other}, started)) {
        return 1;
    }
    const std::vector<double> keyTimes = Latencies(false);
    const std::vector<double> wheelTimes = Latencies(true);
    ::PostMessageA(g_target, WM_CLOSE, 0, 0);
    if (!EndAll(started)) {
        return 1;
    }

    std::printf("%-24s %-18s %-18s %-16s\n", "", "veloria.exe", "bare hook", "comparison");
    for (int k = 0; k < 2; ++k) {
        const double ratio = Median(stormRatio[k]);
        Figure(k == 0 ? "storm, other remembered" : "storm, its own name", Ms(Median(storm[k])),
               Ms(Median(bareStorm[k])), Format("ratio %.2fx", ratio), "<= 1.20x", ratio <= 1.2);
    }
    std::printf("  (CPU time of every thread while the stand-in made and destroyed %d windows with a button and\n"
                "  an edit box each, Veloria and the bare hook hearing the same storm, medians of %d storms and of\n"
                "  their ratios; windows that had their level before they went, last round: %d and %d)\n",
                kStormWindows, kStormRounds, layered[0], layered[1]);
    for (int k = 0; k < 2; ++k) {
        std::printf("  runs, %s: %s; bare %s\n", k == 0 ? "other" : "own name", Runs(storm[k]).c_str(),
                    Runs(bareStorm[k]).c_str());
        std::printf("  threads, last round: %s; bare %s\n", stormThreads[k].c_str(), bareStormThreads[k].c_str());
    }
    const double mouseRatio = Median(mouse[0]) / std::max(Median(mouse[1]), 1e-6);
    Figure("mouse, CPU time", Ms(Median(mouse[0])), Ms(Median(mouse[1])), Format("ratio %.2fx", mouseRatio),
           "<= 1.20x", mouseRatio <= 1.2);
    Figure("longest event", Ms(longest[0]), Ms(longest[1]), "", "<= 5 ms", longest[0] <= 0.005);
    std::printf("  (%d moves and %d wheel turns, each sent alone, medians of %d; the longest SendInput call of\n"
                "  all rounds, which holds the hook's time and Windows' own)\n", kMoves, kTurns, kMouseRounds);
    std::printf("  runs: %s; bare %s\n", Runs(mouse[0]).c_str(), Runs(mouse[1]).c_str());
    std::printf("  threads, last round: %s; bare %s\n", mouseThreads[0].c_str(), mouseThreads[1].c_str());
    const double keyWorst = *std::max_element(keyTimes.begin(), keyTimes.end());
    const double wheelWorst = *std::max_element(wheelTimes.begin(), wheelTimes.end());
    Figure("key to level, median", Ms(Median(keyTimes)), "", "", "< 50 ms", Median(keyTimes) < 0.05);
    Figure("key to level, worst", Ms(keyWorst), "", "", "< 100 ms", keyWorst < 0.1);
    Figure("wheel to level, median", Ms(Median(wheelTimes)), "", "", "< 50 ms", Median(wheelTimes) < 0.05);
    Figure("wheel to level, worst", Ms(wheelWorst), "", "", "< 100 ms", wheelWorst < 0.1);
    std::printf("  (%d rounds each, from the SendInput call until the window in front has its new level; a\n"
                "  round that never changes it counts %lu ms)\n", kRounds, kLevelWaitMs);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "bare" && argc == 3) {
        return Bare(argv[2]);
    }
    if (command == "storm" && argc == 3) {
        return Storm(std::atoi(argv[2]));
    }
    if (command == "run" && argc == 6) {
        return Run({argv[2], "Veloria", "veloria.exe (another program remembered)", ""},
                   {argv[3], "Veloria", "veloria.exe (the stand-in remembered)", ""}, argv[4], argv[5]);
    }
    std::fprintf(stderr, "usage: hook_bench bare events|mouse | storm COUNT | run OTHER STANDIN BARE STAND-IN\n");
    return 2;
}
