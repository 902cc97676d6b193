// The program's side of the platform's web browser control, hosted in a
// child window of the window that shows a page (the options dialog's
// sponsor banner, the banner and tell-a-friend windows). Another control,
// such as the About window's movie player, can be hosted the same way.
//
// Hosting an OLE control needs a client site, an in-place site and an
// in-place frame on the container's side; here they are one small object
// of our own (no ATL), which also receives the control's events and is the
// page's UI handler. A page's links and new windows go to the user's own
// browser (http and https only); the window keeps its page. The site
// knows only the host window: when the host goes, the site goes inert, so
// a control that calls it late finds nobody to tell. A failed navigation
// reaches the owner as kBrowserNavigateError, and so does a control that
// cannot be created or a machine without a browser engine: the owner then
// behaves as on any navigation error.
#pragma once

#include <windows.h>

#include <string>

#include "base/window_base.h"

namespace veloria {

// Posted to the owner when the page cannot be shown; wParam is the id the
// host was created with.
inline constexpr UINT kBrowserNavigateError = WM_APP + 0x200;

// Where the engine's mode for the program is asked for, under the user's key.
inline constexpr const wchar_t* kBrowserEmulationKey =
    L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";

// Whether a page gets scroll bars when it is larger than its window.
enum class PageScroll { Bars, None };

class PageSite;

class BrowserHost : public WindowBase<BrowserHost> {
public:
    BrowserHost() = default;
    ~BrowserHost();

    // Makes the host window, child `id` of `owner` at `bounds`, with the
    // control of class `control` in it (by default the platform's web
    // browser, its pages scrolled as `scroll` says). False only when the
    // window itself cannot be made.
    bool Create(HWND owner, const RECT& bounds, int id, PageScroll scroll = PageScroll::Bars,
                const CLSID* control = nullptr);

    // The control was made (a web browser may still lack its page engine).
    bool HasControl() const;

    // Sets the control's text property `name` to `value`, or calls its
    // method `name` without arguments; false when the control has no such
    // member or refuses.
    bool PutText(const wchar_t* name, const std::wstring& value);
    bool CallMethod(const wchar_t* name);

    // Starts loading `address`; returns at once.
    void Navigate(const std::wstring& address);
    void SetVisible(bool visible);
    void Resize(const RECT& bounds);

    // Ends the control and the host window (also done by the destructor or
    // when the owner is destroyed).
    void Destroy();

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void TearDown() noexcept;
    void ReportError() const;

    HWND owner_ = nullptr;
    int id_ = 0;
    PageSite* site_ = nullptr;  // holds the control; one reference of ours
    bool failed_ = false;          // no control, or no engine to show pages
};

}  // namespace veloria
