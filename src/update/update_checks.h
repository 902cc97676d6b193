// Update checks off the window thread.
//
// A check (the echo to the maker's server where its kind asks for one,
// the manifest's fetch and its parse) runs on a worker thread with a COM
// apartment of its own; its result comes back as a posted message that
// owns the parsed document, to a hidden window of this module on the
// window thread, which applies it there. The window thread never waits on
// the network, on name resolution or on the echo.
//
// Each check has one deadline, kUpdateCheckDeadlineMs from the moment it
// was asked for, whatever the server does: past it the check ends as a
// failed load, its network handles are closed so that the worker returns,
// and nothing the worker produces later reaches a window. At most one check
// runs at a time: asking for a kind that is running or waiting joins it;
// another kind waits for the running one (and for its worker to be gone).
//
// Windows that show the state of checks watch them: each finished check is
// sent to every watcher as kUpdateCheckDone, wParam the kind.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "base/installed.h"

namespace veloria {

enum class UpdateCheck {
    Startup,   // echo, then the manifest with its query; a newer version is offered
    Download,  // the manifest with its query; a newer version is offered, a failure told
    Listing,   // echo, then the manifest without a query, listed for the updates tab
};

inline constexpr UINT kUpdateCheckDone = WM_APP + 0x300;
inline constexpr DWORD kUpdateCheckDeadlineMs = 15000;

// Starts a check of `kind`, or joins the one asked for already. A failed
// Download check is told in a message owned by `failureOwner`.
// The program's update checks, held by the program's owner: their hidden
// window, the checks asked for and the last worker. Their end ends every
// check as EndUpdateChecks does.
class UpdateChecks : public Installed<UpdateChecks> {
public:
    UpdateChecks();
    ~UpdateChecks();

    class Window;
    Window& window() noexcept { return *window_; }

private:
    std::unique_ptr<Window> window_;
};

void RequestUpdateCheck(UpdateCheck kind, HWND failureOwner = nullptr);

// A check of `kind` is running or waiting to run.
bool UpdateCheckUnderWay(UpdateCheck kind);

// The listing of the manifest by the last Listing check; empty when that
// could not load it.
const std::wstring& ManifestListing();

void WatchUpdateChecks(HWND window);
void UnwatchUpdateChecks(HWND window);

// At the program's end: every check is abandoned and its handles closed,
// the workers are given a moment (bounded) to return, and no result of
// theirs is shown.
void EndUpdateChecks() noexcept;

}  // namespace veloria
