// The running program: everything it holds, made in WinMain and ended there
// in the reverse order of the members below. OLE comes first and goes last:
// the windows, the browser controls they host and the messenger's
// connection end before it. The state of each layer comes next, so that
// every window finds it from its making to its end. The main window's own
// end (its shut-down, at WM_DESTROY) comes first of all: it closes the
// other windows and ends what runs on its own (update checks, hooks,
// watches).
#pragma once

#include <windows.h>
#include <ole2.h>

#include "base/message_loop.h"
#include "language/language_state.h"
#include "settings/settings_state.h"
#include "shell/main_window.h"
#include "transparency/transparency_state.h"
#include "update/update_checks.h"
#include "update/update_state.h"

namespace veloria {

// OLE for the thread, from its making to its end: one thread, one
// apartment; the messenger's events arrive on it, and the web browser
// control needs OLE, not just COM.
class OleSession {
public:
    OleSession() : started_(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleSession()
    {
        if (started_) {
            ::OleUninitialize();
        }
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool started_;
};

// What each layer keeps while the program runs: made before the windows,
// ended after them. A module test holds one in place of the program.
struct ProgramState {
    MessageLoop loop;
    SettingsState settings;
    LanguageState language;
    UpdateState update;
    TransparencyState transparency;
    UpdateChecks updateChecks;  // a hidden window and its workers
};

class Program {
public:
    explicit Program(HINSTANCE instance);

    // The start-up, then the message loop until the main window is gone;
    // the program's exit code.
    int Run();

private:
    HINSTANCE instance_;
    OleSession ole_;
    ProgramState state_;
    OtherWindows windows_;
    MainWindow main_{windows_};
};

}  // namespace veloria
