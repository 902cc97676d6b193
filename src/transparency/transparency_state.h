// What the program keeps of other programs' windows while it runs: the
// window the level popup acts on, who is told of refusals, the taskbars'
// level and the two watches. One is held by the program's owner; the event
// and hook procedures, which the system calls without a context, reach it
// too.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/handle.h"
#include "base/installed.h"

namespace veloria {

class RefusalListener;

// The watch of remembered programs' new windows, and of the window in front
// (program_watch.h).
struct ProgramWatch {
    struct Pending {
        HWND window;
        DWORD since;
        DWORD maker;  // its making thread, until it is known to be a top-level window; then 0
    };
    HWINEVENTHOOK hook = nullptr;      // windows made
    HWINEVENTHOOK showHook = nullptr;  // windows shown
    HWINEVENTHOOK frontHook = nullptr;
    HWND front = nullptr;  // the window in front, as last heard
    UINT_PTR timer = 0;
    std::vector<Pending> pending;  // looked at again until shown
    // The programs of the processes whose windows were looked at last.
    struct KnownProcess {
        DWORD id = 0;
        KernelHandle process;
        std::wstring program;
    };
    std::array<KnownProcess, 8> known;
    std::size_t nextKnown = 0;
    // The processes of the threads that made windows last.
    struct KnownThread {
        DWORD id = 0;
        KernelHandle thread;
        DWORD process = 0;
    };
    std::array<KnownThread, 8> threads;
    std::size_t nextThread = 0;
};

// The wheel's watch (key_actions.h). The hook has a thread of its own,
// which does nothing but wait for mouse events: the system's mouse never
// waits on the program's window thread, whatever that thread is doing.
struct WheelWatch {
    KernelHandle thread;
    DWORD threadId = 0;
    std::atomic<HWND> notify{nullptr};
    std::atomic<UINT> message{0};
    std::atomic<unsigned> modifiers{0};
    std::atomic<HHOOK> hook{nullptr};
    // The last event the hook heard of: its time and the pointer's place.
    std::atomic<DWORD> heardAt{0};
    std::atomic<LONG> heardX{0};
    std::atomic<LONG> heardY{0};
    // The hook's thread alone: its look's timer, while one runs, and the
    // system's last input at that look.
    UINT_PTR checkTimer = 0;
    DWORD inputAtCheck = 0;
};

struct TransparencyState : Installed<TransparencyState> {
    HWND target = nullptr;  // the level popup's window
    RefusalListener* listener = nullptr;
    // The refusals told, once for each window and process: the last 256
    // (long gone windows, most likely, before them).
    std::array<std::pair<HWND, DWORD>, 256> told{};
    std::size_t nextTold = 0;
    std::int16_t taskbarLevel = 255;  // the level last given to the taskbars
    ProgramWatch programWatch;
    WheelWatch wheelWatch;
};

}  // namespace veloria
