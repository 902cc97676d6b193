#include "update/update_checks.h"

#include <objbase.h>

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "base/handle.h"
#include "base/window_base.h"
#include "update/auto_update.h"
#include "update/manifest.h"
#include "update/ping.h"
#include "update/web_links.h"

namespace veloria {

namespace {

constexpr const wchar_t* kChecksClass = L"VeloriaUpdateChecks";
constexpr UINT kWorkerDone = WM_APP + 1;  // lParam: the worker's Outcome, owned by the message
// Deadlines are timers 1 to 3, one per kind; this one looks again, while a
// check waits, whether the last worker has gone.
constexpr UINT_PTR kWorkerGoneTimer = 10;
constexpr UINT kWorkerGoneMs = 250;
// At the program's end a worker may take this long to return.
constexpr DWORD kLastWorkerMs = 500;

UINT_PTR DeadlineTimer(UpdateCheck kind)
{
    return static_cast<UINT_PTR>(kind) + 1;
}

// What a worker is given, shared with the window thread, which may cancel it.
struct Job {
    unsigned serial = 0;
    bool echo = false;
    std::wstring host;
    std::wstring address;
    ULONGLONG deadline = 0;
    HWND reply = nullptr;
    FetchCancel cancel;
};

// What a worker hands back.
struct Outcome {
    unsigned serial = 0;
    bool answered = false;  // the server answered the echo, or none was asked
    std::optional<std::vector<XmlNode>> document;
};

DWORD WINAPI RunJob(void* parameter) noexcept
{
    const std::unique_ptr<std::shared_ptr<Job>> held(static_cast<std::shared_ptr<Job>*>(parameter));
    Job& job = **held;
    std::unique_ptr<Outcome> outcome(new (std::nothrow) Outcome);
    if (!outcome) {
        return 0;  // the deadline ends the check
    }
    outcome->serial = job.serial;
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try {
        outcome->answered = !job.echo || PingHost(job.host);
        if (outcome->answered) {
            if (const auto bytes = FetchManifestBytes(job.address, job.deadline, job.cancel)) {
                outcome->document = ParseManifest(*bytes);
            }
        }
    } catch (...) {
        outcome->document.reset();
    }
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    // Told even when the check was given up: the window learns that this
    // worker is gone. A window already gone takes nothing.
    if (::PostMessageW(job.reply, kWorkerDone, 0, reinterpret_cast<LPARAM>(outcome.get()))) {
        static_cast<void>(outcome.release());
    }
    return 0;
}

}  // namespace

class UpdateChecks::Window : public WindowBase<UpdateChecks::Window> {
public:
    void Request(UpdateCheck kind, HWND failureOwner)
    {
        if (ended_ || UnderWay(kind) || !MakeWindow()) {
            return;
        }
        checks_.push_back({kind, failureOwner, ::GetTickCount64() + kUpdateCheckDeadlineMs, nullptr});
        ::SetTimer(hwnd(), DeadlineTimer(kind), kUpdateCheckDeadlineMs, nullptr);
        StartNext();
    }

    bool UnderWay(UpdateCheck kind) const
    {
        return std::any_of(checks_.begin(), checks_.end(), [kind](const Check& check) { return check.kind == kind; });
    }

    void Watch(HWND window)
    {
        if (std::find(watchers_.begin(), watchers_.end(), window) == watchers_.end()) {
            watchers_.push_back(window);
        }
    }
    void Unwatch(HWND window) { std::erase(watchers_, window); }

    void End() noexcept
    {
        if (ended_) {
            return;  // the shut-down ended them; the program's end finds nothing left
        }
        ended_ = true;
        for (Check& check : checks_) {
            if (check.job) {
                check.job->cancel.Cancel();
            }
        }
        checks_.clear();
        watchers_.clear();
        if (worker_) {
            ::WaitForSingleObject(worker_.get(), kLastWorkerMs);
        }
        if (hwnd() != nullptr) {
            MSG message;
            while (::PeekMessageW(&message, hwnd(), kWorkerDone, kWorkerDone, PM_REMOVE)) {
                delete reinterpret_cast<Outcome*>(message.lParam);
            }
            ::DestroyWindow(hwnd());
        }
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case kWorkerDone:
            OnWorkerDone(std::unique_ptr<Outcome>(reinterpret_cast<Outcome*>(lParam)));
            return 0;
        case WM_TIMER:
            if (wParam == kWorkerGoneTimer) {
                StartNext();
            } else {
                OnDeadline(static_cast<UpdateCheck>(wParam - 1));
            }
            return 0;
        default:
            return Default(message, wParam, lParam);
        }
    }

    std::wstring listing;

private:
    struct Check {
        UpdateCheck kind;
        HWND failureOwner;
        ULONGLONG deadline;
        std::shared_ptr<Job> job;  // once it runs
    };

    bool MakeWindow()
    {
        if (hwnd() != nullptr) {
            return true;
        }
        WNDCLASSEXW windowClass{};
        windowClass.lpszClassName = kChecksClass;
        return CreateBound(::GetModuleHandleW(nullptr), windowClass, 0, L"", 0, 0, 0, 0, 0, HWND_MESSAGE) != nullptr;
    }

    bool WorkerRunning()
    {
        if (worker_ && ::WaitForSingleObject(worker_.get(), 0) != WAIT_TIMEOUT) {
            worker_.reset();
        }
        return static_cast<bool>(worker_);
    }

    // Starts the first waiting check once the last worker has gone, so that
    // no two workers ever use the network at once.
    void StartNext()
    {
        if (checks_.empty() || checks_.front().job) {
            ::KillTimer(hwnd(), kWorkerGoneTimer);
            return;
        }
        if (WorkerRunning()) {
            ::SetTimer(hwnd(), kWorkerGoneTimer, kWorkerGoneMs, nullptr);
            return;
        }
        ::KillTimer(hwnd(), kWorkerGoneTimer);
        Check& next = checks_.front();
        std::shared_ptr<Job> job(new Job);
        job->serial = ++serial_;
        job->echo = next.kind != UpdateCheck::Download;
        job->host = WebDomain();
        const AddressParts parts = CurrentAddressParts();
        job->address = next.kind == UpdateCheck::Listing ? ManifestListAddress(parts) : ManifestAddress(parts);
        job->deadline = next.deadline;
        job->reply = hwnd();
        auto* parameter = new std::shared_ptr<Job>(job);
        const HANDLE thread = ::CreateThread(nullptr, 0, &RunJob, parameter, 0, nullptr);
        if (thread == nullptr) {
            delete parameter;
            Check failed = TakeFirst();
            StartNext();
            Finish(failed, nullptr);
            return;
        }
        worker_.reset(thread);
        next.job = std::move(job);
    }

    Check TakeFirst()
    {
        Check first = std::move(checks_.front());
        checks_.erase(checks_.begin());
        ::KillTimer(hwnd(), DeadlineTimer(first.kind));
        return first;
    }

    void OnWorkerDone(std::unique_ptr<Outcome> outcome)
    {
        if (!checks_.empty() && checks_.front().job && checks_.front().job->serial == outcome->serial) {
            const Check done = TakeFirst();
            StartNext();
            Finish(done, outcome.get());
        } else {
            StartNext();  // a worker whose check was given up: its result goes nowhere
        }
    }

    void OnDeadline(UpdateCheck kind)
    {
        ::KillTimer(hwnd(), DeadlineTimer(kind));
        const auto found =
            std::find_if(checks_.begin(), checks_.end(), [kind](const Check& check) { return check.kind == kind; });
        if (found == checks_.end()) {
            return;
        }
        const Check done = std::move(*found);
        checks_.erase(found);
        if (done.job) {
            done.job->cancel.Cancel();
        }
        StartNext();
        Finish(done, nullptr);
    }

    // What a finished check means; `outcome` is null when its deadline
    // passed. Watchers hear of it before any question is asked.
    void Finish(const Check& check, const Outcome* outcome)
    {
        const bool loaded = outcome != nullptr && outcome->document.has_value();
        if (check.kind == UpdateCheck::Listing) {
            listing = loaded ? ListManifestNodes(*outcome->document) : std::wstring();
            Notify(check.kind);
            return;
        }
        if (check.kind == UpdateCheck::Startup && outcome != nullptr && !outcome->answered) {
            Notify(check.kind);  // the server did not answer the echo: no check
            return;
        }
        if (loaded) {
            ReadManifestNodes(*outcome->document, Manifest());
        } else {
            Manifest().LastVersion = kUnknownManifestValue;
            Manifest().DownloadURL = kUnknownManifestValue;
        }
        Notify(check.kind);
        if (loaded) {
            OfferNewerVersion();
        } else if (check.kind == UpdateCheck::Download) {
            ShowUpdateFailure(::IsWindow(check.failureOwner) ? check.failureOwner : nullptr);
        }
    }

    void Notify(UpdateCheck kind) const
    {
        const std::vector<HWND> watchers = watchers_;  // a watcher may go meanwhile
        for (HWND window : watchers) {
            if (::IsWindow(window)) {
                ::SendMessageW(window, kUpdateCheckDone, static_cast<WPARAM>(kind), 0);
            }
        }
    }

    std::vector<Check> checks_;  // the first may run; the others wait, one of each kind
    KernelHandle worker_;        // the last worker started, until it has gone
    unsigned serial_ = 0;
    std::vector<HWND> watchers_;
    bool ended_ = false;
};

UpdateChecks::UpdateChecks() : window_(std::make_unique<Window>()) {}

UpdateChecks::~UpdateChecks()
{
    window_->End();
}

namespace {

UpdateChecks::Window& Running()
{
    return UpdateChecks::Current().window();
}

}  // namespace

void RequestUpdateCheck(UpdateCheck kind, HWND failureOwner)
{
    Running().Request(kind, failureOwner);
}

bool UpdateCheckUnderWay(UpdateCheck kind)
{
    return Running().UnderWay(kind);
}

const std::wstring& ManifestListing()
{
    return Running().listing;
}

void WatchUpdateChecks(HWND window)
{
    Running().Watch(window);
}

void UnwatchUpdateChecks(HWND window)
{
    Running().Unwatch(window);
}

void EndUpdateChecks() noexcept
{
    Running().End();
}

}  // namespace veloria
