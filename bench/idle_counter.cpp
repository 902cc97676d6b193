// idle_counter.dll: counts, from inside a program, what wakes the thread of
// its main window while the program should be idle. process_bench.exe loads
// it into the program (CreateRemoteThread on LoadLibraryA) after creating
// three events named "VeloriaIdle<Ready|Start|Stop>-<pid>". It hooks that
// thread, tells Ready, and counts from Start to Stop:
//   - the messages the thread retrieves (WH_GETMESSAGE, PM_REMOVE), which
//     is what GetMessage returns to the program's loop;
//   - the messages other threads send to its windows (WH_CALLWNDPROC with
//     InSendMessageEx), which wake the thread inside GetMessage without
//     being returned;
//   - the process's CPU time (kernel and user) from GetProcessTimes, taken
//     here because only a process's own figure is exact under Wine.
// Before Start the caller posts and sends the registered message
// "VeloriaIdleCheck" once each: seeing them shows that the hooks see what
// the thread gets. They are counted apart. At Stop it writes
// "idle-<pid>.txt" beside itself, unhooks and unloads. Lines, tab-separated:
//   retrieved COUNT / sent COUNT / checks POSTED SENT
//   cpu100ns KERNEL USER SINCESTART   (over the count; since the start)
//   message KIND MESSAGE CLASS COUNT   (each message number and window
//                                      class seen, KIND retrieved or sent)
#include <windows.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

HMODULE g_self = nullptr;
HWND g_mainWindow = nullptr;
volatile LONG g_counting = 0;

struct Seen {
    bool sent;
    UINT message;
    char windowClass[64];
    long count;
};

// Only the thread that is hooked writes here.
std::array<Seen, 64> g_seen{};
std::size_t g_seenCount = 0;
long g_retrieved = 0;
long g_sentIn = 0;
UINT g_checkMessage = 0;
long g_checksPosted = 0;
long g_checksSent = 0;

void Note(bool sent, UINT message, HWND window)
{
    (sent ? g_sentIn : g_retrieved) += 1;
    char name[64] = {};
    if (window != nullptr) {
        ::GetClassNameA(window, name, sizeof(name));
    }
    for (std::size_t k = 0; k < g_seenCount; ++k) {
        Seen& seen = g_seen[k];
        if (seen.sent == sent && seen.message == message && std::string(seen.windowClass) == name) {
            ++seen.count;
            return;
        }
    }
    if (g_seenCount < g_seen.size()) {
        Seen& seen = g_seen[g_seenCount++];
        seen = Seen{sent, message, {}, 1};
        ::lstrcpynA(seen.windowClass, window != nullptr ? name : "(thread)", sizeof(seen.windowClass));
    }
}

LRESULT CALLBACK Retrieved(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == g_checkMessage) {
        ++g_checksPosted;
    } else if (code == HC_ACTION && wParam == PM_REMOVE && g_counting != 0) {
        Note(false, message->message, message->hwnd);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    const bool fromOutside = code == HC_ACTION && (::InSendMessageEx(nullptr) & ISMEX_SEND) != 0;
    if (fromOutside && message->message == g_checkMessage) {
        ++g_checksSent;
    } else if (fromOutside && g_counting != 0) {
        Note(true, message->message, message->hwnd);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK FindMainWindow(HWND window, LPARAM)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof(name));
    if (pid == ::GetCurrentProcessId() &&
        (std::string(name) == "Veloria" || std::string(name) == "VeloriaBareTray")) {
        g_mainWindow = window;
        return FALSE;
    }
    return TRUE;
}

HANDLE OpenNamedEvent(const char* what)
{
    const std::string name = std::string("VeloriaIdle") + what + "-" + std::to_string(::GetCurrentProcessId());
    return ::OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, name.c_str());
}

std::uint64_t Ticks(const FILETIME& time)
{
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

void CpuTimes(std::uint64_t& kernel, std::uint64_t& user)
{
    FILETIME created{};
    FILETIME ended{};
    FILETIME kernelTime{};
    FILETIME userTime{};
    ::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernelTime, &userTime);
    kernel = Ticks(kernelTime);
    user = Ticks(userTime);
}

void Write(std::uint64_t kernel, std::uint64_t user, std::uint64_t sinceStart)
{
    char path[MAX_PATH] = {};
    std::string file(path, ::GetModuleFileNameA(g_self, path, MAX_PATH));
    file = file.substr(0, file.find_last_of("\\/") + 1) + "idle-" + std::to_string(::GetCurrentProcessId()) + ".txt";
    // Written aside, then renamed: the reader never sees half a file.
    std::FILE* out = std::fopen((file + ".part").c_str(), "wb");
    if (out == nullptr) {
        return;
    }
    std::fprintf(out, "retrieved\t%ld\nsent\t%ld\nchecks\t%ld\t%ld\ncpu100ns\t%llu\t%llu\t%llu\n", g_retrieved,
                 g_sentIn, g_checksPosted, g_checksSent, static_cast<unsigned long long>(kernel),
                 static_cast<unsigned long long>(user), static_cast<unsigned long long>(sinceStart));
    for (std::size_t k = 0; k < g_seenCount; ++k) {
        const Seen& seen = g_seen[k];
        std::fprintf(out, "message\t%s\t0x%04x\t%s\t%ld\n", seen.sent ? "sent" : "retrieved", seen.message,
                     seen.windowClass, seen.count);
    }
    std::fclose(out);
    ::MoveFileExA((file + ".part").c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
}

DWORD WINAPI Watch(void*)
{
    const HANDLE ready = OpenNamedEvent("Ready");
    const HANDLE start = OpenNamedEvent("Start");
    const HANDLE stop = OpenNamedEvent("Stop");
    g_checkMessage = ::RegisterWindowMessageA("VeloriaIdleCheck");
    ::EnumWindows(FindMainWindow, 0);
    const DWORD thread = g_mainWindow != nullptr ? ::GetWindowThreadProcessId(g_mainWindow, nullptr) : 0;
    HHOOK retrieved = thread != 0 ? ::SetWindowsHookExA(WH_GETMESSAGE, Retrieved, g_self, thread) : nullptr;
    HHOOK sent = thread != 0 ? ::SetWindowsHookExA(WH_CALLWNDPROC, Sent, g_self, thread) : nullptr;
    if (ready != nullptr && start != nullptr && stop != nullptr && retrieved != nullptr && sent != nullptr) {
        ::SetEvent(ready);
        if (::WaitForSingleObject(start, 60000) == WAIT_OBJECT_0) {
            std::uint64_t kernel0 = 0;
            std::uint64_t user0 = 0;
            CpuTimes(kernel0, user0);
            ::InterlockedExchange(&g_counting, 1);
            const bool stopped = ::WaitForSingleObject(stop, 600000) == WAIT_OBJECT_0;
            std::uint64_t kernel1 = 0;
            std::uint64_t user1 = 0;
            CpuTimes(kernel1, user1);
            ::InterlockedExchange(&g_counting, 0);
            // A hook call under way ends before the table is read.
            ::Sleep(50);
            if (stopped) {
                Write(kernel1 - kernel0, user1 - user0, kernel1 + user1);
            }
        }
    }
    for (HHOOK hook : {retrieved, sent}) {
        if (hook != nullptr) {
            ::UnhookWindowsHookEx(hook);
        }
    }
    for (HANDLE event : {ready, start, stop}) {
        if (event != nullptr) {
            ::CloseHandle(event);
        }
    }
    ::FreeLibraryAndExitThread(g_self, 0);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_self = instance;
        ::DisableThreadLibraryCalls(instance);
        if (HANDLE thread = ::CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr)) {
            ::CloseHandle(thread);
        }
    }
    return TRUE;
}
