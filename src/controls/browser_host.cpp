// The host window of a web browser control (or another control): it makes
// the control through its site (browser_site.cpp) and ends it when the
// window goes. The page is loaded by Navigate (dispatch id 104), shown or
// hidden through Visible (402). A page's links and new windows leave for
// the user's own browser: the control's window keeps the page the program
// asked for.
#include "controls/browser_host.h"

#include <exdisp.h>
#include <exdispid.h>
#include <mshtmhst.h>
#include <ocidl.h>
#include <oleidl.h>

#include <new>
#include <utility>
#include <vector>

#include "base/com_ptr.h"
#include "base/dpi.h"
#include "base/handle.h"
#include "base/program_folder.h"
#include "base/shell_open.h"
#include "controls/browser_site.h"
#include "controls/page_rules.h"

namespace veloria {

namespace {

constexpr const wchar_t* kHostClass = L"VeloriaBrowserHost";
constexpr DISPID kNavigate = 104;
constexpr DISPID kVisible = 402;
// The platform's HTML document: without it no page can be shown (Wine
// without its Gecko engine, say), whatever the browser object says.
constexpr CLSID kHtmlDocument = {0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};

bool BrowserEngineInstalled()
{
    ComPtr<IUnknown> document;
    return SUCCEEDED(
        ::CoCreateInstance(kHtmlDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, document.put_void()));
}

// The engine's newest mode for this program, asked for under the user's
// own key by the program's file name, before the first control is made
// (the engine reads it once per process). Without it a control shows
// pages as the oldest engine did.
void AskForNewestEngineMode()
{
    static bool asked = false;
    if (asked) {
        return;
    }
    asked = true;
    const auto read = [](const wchar_t* name) {
        wchar_t text[64] = {};
        DWORD size = sizeof(text);
        ::RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Internet Explorer", name, RRF_RT_REG_SZ, nullptr,
                       text, &size);
        return std::wstring(text);
    };
    const DWORD mode = BrowserEmulationMode(read(L"svcVersion"), read(L"Version"));
    const std::wstring path = ProgramPath();
    const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    HKEY opened = nullptr;
    if (mode == 0 || name.empty() ||
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kBrowserEmulationKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                          nullptr, &opened, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const RegKey key(opened);
    DWORD current = 0;
    DWORD size = sizeof(current);
    if (::RegGetValueW(key.get(), nullptr, name.c_str(), RRF_RT_REG_DWORD, nullptr, &current, &size) !=
            ERROR_SUCCESS ||
        current != mode) {
        ::RegSetValueExW(key.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mode), sizeof(mode));
    }
}

}  // namespace


BrowserHost::~BrowserHost()
{
    Destroy();
}

bool BrowserHost::Create(HWND owner, const RECT& bounds, int id, PageScroll scroll, const CLSID* control)
{
    Destroy();
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    WNDCLASSEXW windowClass{};
    windowClass.lpszClassName = kHostClass;
    if (CreateBound(instance, windowClass, 0, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, bounds.left, bounds.top,
                    bounds.right - bounds.left, bounds.bottom - bounds.top, owner) == nullptr) {
        return false;
    }
    ::SetWindowLongPtrW(hwnd(), GWLP_ID, id);
    owner_ = owner;
    id_ = id;
    site_ = NewPageSite(hwnd(), owner, id, scroll);
    const bool webBrowser = control == nullptr;
    if (webBrowser) {
        AskForNewestEngineMode();
    }
    // Without an engine to show pages the web browser is not made at all:
    // it could show nothing, and would only cost its libraries.
    failed_ = site_ == nullptr || (webBrowser && !BrowserEngineInstalled()) ||
              !site_->Start(webBrowser ? CLSID_WebBrowser : *control, webBrowser);
    return true;
}

void BrowserHost::Navigate(const std::wstring& address)
{
    if (failed_ || site_ == nullptr) {
        ReportError();
        return;
    }
    site_->Asked(address);
    const Bstr url(address.c_str());
    VARIANT argument{};
    argument.vt = VT_BSTR;
    argument.bstrVal = url.get();
    if (FAILED(Call(site_->browser(), kNavigate, DISPATCH_METHOD, &argument))) {
        ReportError();
    }
}

void BrowserHost::SetVisible(bool visible)
{
    if (site_ != nullptr && site_->browser() != nullptr) {
        VARIANT argument{};
        argument.vt = VT_BOOL;
        argument.boolVal = visible ? VARIANT_TRUE : VARIANT_FALSE;
        Call(site_->browser(), kVisible, DISPATCH_PROPERTYPUT, &argument);
    }
    ::ShowWindow(hwnd(), visible ? SW_SHOW : SW_HIDE);
}

bool BrowserHost::HasControl() const
{
    return site_ != nullptr && site_->browser() != nullptr;
}

bool BrowserHost::PutText(const wchar_t* name, const std::wstring& value)
{
    const Bstr text(value.c_str());
    VARIANT argument{};
    argument.vt = VT_BSTR;
    argument.bstrVal = text.get();
    return HasControl() && CallNamed(site_->browser(), name, DISPATCH_PROPERTYPUT, &argument);
}

bool BrowserHost::CallMethod(const wchar_t* name)
{
    return HasControl() && CallNamed(site_->browser(), name, DISPATCH_METHOD, nullptr);
}

void BrowserHost::Resize(const RECT& bounds)
{
    PlaceWindow(hwnd(), bounds);
}

void BrowserHost::Destroy()
{
    if (hwnd() != nullptr) {
        ::DestroyWindow(hwnd());  // WM_DESTROY tears the control down
    }
}

void BrowserHost::ReportError() const
{
    if (owner_ != nullptr) {
        ::PostMessageW(owner_, kBrowserNavigateError, static_cast<WPARAM>(id_), 0);
    }
}

void BrowserHost::TearDown() noexcept
{
    if (site_ != nullptr) {
        site_->Stop();
        site_->Drop();
        site_ = nullptr;
    }
}

LRESULT BrowserHost::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE && site_ != nullptr) {
        site_->Resize(RECT{0, 0, LOWORD(lParam), HIWORD(lParam)});
    } else if (message == kOpenOutside && site_ != nullptr) {
        for (const std::wstring& address : site_->TakeOutside()) {
            OpenInBrowser(owner_, address);
        }
        return 0;
    } else if (message == WM_DESTROY) {
        TearDown();
    }
    return Default(message, wParam, lParam);
}

}  // namespace veloria
