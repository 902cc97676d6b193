// What a browser host asks of the site of its control: making the control,
// the page asked for, the addresses its pages send to the user's browser,
// and its end.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "controls/browser_host.h"

namespace veloria {

// Posted to the host window when a page has addresses for the user's browser.
inline constexpr UINT kOpenOutside = WM_APP + 0x201;

class PageSite {
public:
    // Makes the control of `clsid` (the web browser, or another control)
    // and shows it in the host; false when the control is not there.
    virtual bool Start(const CLSID& clsid, bool webBrowser) noexcept = 0;
    virtual IDispatch* browser() const = 0;
    // The program asks for `address`: its load, and the redirections that
    // keep to its site, stay in place.
    virtual void Asked(const std::wstring& address) = 0;
    // The addresses the page sent to the user's browser since last asked.
    virtual std::vector<std::wstring> TakeOutside() = 0;
    virtual void Resize(const RECT& area) noexcept = 0;
    // The host window is going: the control is ended, and whatever it
    // still calls finds nobody to tell.
    virtual void Stop() noexcept = 0;
    // The host's reference goes.
    virtual void Drop() noexcept = 0;

protected:
    ~PageSite() = default;
};

// A site of the host window `host`, child `id` of `owner`; null when out
// of memory. The host holds one reference.
PageSite* NewPageSite(HWND host, HWND owner, int id, PageScroll scroll) noexcept;

// Calls `id` of `object` with one argument or none, as a method or a
// property put.
HRESULT Call(IDispatch* object, DISPID id, WORD kind, const VARIANT* argument);
// Calls the member `name` of `object` as `Call` does.
bool CallNamed(IDispatch* object, const wchar_t* name, WORD kind, const VARIANT* argument);

}  // namespace veloria
