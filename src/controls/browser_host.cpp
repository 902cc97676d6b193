// The web browser control and its site.
//
// Creation follows the control's wishes: the client site goes first when
// it asks for that (OLEMISC_SETCLIENTSITEFIRST), then InitNew, the site,
// in-place activation in the host window, and the event sink advised on
// DWebBrowserEvents2. The page is loaded by Navigate (dispatch id 104),
// shown or hidden through Visible (402). Teardown, when the host window is
// destroyed, runs in the reverse order: the sink unadvised, the control
// deactivated, the site taken away before Close, every reference dropped.
#include "controls/browser_host.h"

#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>
#include <oleidl.h>

#include <new>

#include "base/com_ptr.h"

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

// Calls `id` of `object` with one argument or none, as a method or a
// property put.
HRESULT Call(IDispatch* object, DISPID id, WORD kind, const VARIANT* argument)
{
    VARIANT value{};
    if (argument != nullptr) {
        value = *argument;
    }
    DISPID named = DISPID_PROPERTYPUT;
    const bool put = kind == DISPATCH_PROPERTYPUT;
    DISPPARAMS params{argument != nullptr ? &value : nullptr, put ? &named : nullptr, argument != nullptr ? 1u : 0u,
                      put ? 1u : 0u};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, nullptr, nullptr, nullptr);
}

// Calls the member `name` of `object` as `Call` does.
bool CallNamed(IDispatch* object, const wchar_t* name, WORD kind, const VARIANT* argument)
{
    DISPID id = 0;
    auto* names = const_cast<LPOLESTR>(name);
    return SUCCEEDED(object->GetIDsOfNames(IID_NULL, &names, 1, LOCALE_USER_DEFAULT, &id)) &&
           SUCCEEDED(Call(object, id, kind, argument));
}

}  // namespace

// COM objects are destroyed by their own Release, never through an
// interface pointer, so the interfaces need no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class BrowserSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame, public IDispatch {
public:
    BrowserSite(HWND host, HWND owner, int id) : host_(host), owner_(owner), id_(id) {}

    // Makes the control of `clsid` and shows it in the host; false when
    // the control is not there.
    bool Start(const CLSID& clsid) noexcept
    {
        if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, control_.put_void()))) {
            return false;
        }
        DWORD status = 0;
        control_->GetMiscStatus(DVASPECT_CONTENT, &status);
        const bool siteFirst = (status & OLEMISC_SETCLIENTSITEFIRST) != 0;
        if (siteFirst) {
            control_->SetClientSite(this);
        }
        if (const auto persist = control_.As<IPersistStreamInit>()) {
            persist->InitNew();
        }
        if (!siteFirst) {
            control_->SetClientSite(this);
        }
        RECT area{};
        ::GetClientRect(host_, &area);
        control_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, host_, &area);
        browser_ = control_.As<IDispatch>();
        if (const auto container = control_.As<IConnectionPointContainer>()) {
            if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, events_.put())) &&
                FAILED(events_->Advise(static_cast<IDispatch*>(this), &cookie_))) {
                events_.reset();
            }
        }
        return static_cast<bool>(browser_);
    }

    IDispatch* browser() const { return browser_.get(); }

    void Resize(const RECT& area) noexcept
    {
        if (const auto inPlace = control_.As<IOleInPlaceObject>()) {
            inPlace->SetObjectRects(&area, &area);
        }
    }

    // The host window is going: the control is ended, and whatever it
    // still calls finds nobody to tell.
    void Stop() noexcept
    {
        host_ = nullptr;
        owner_ = nullptr;
        if (events_) {
            events_->Unadvise(cookie_);
            events_.reset();
        }
        if (control_) {
            if (const auto inPlace = control_.As<IOleInPlaceObject>()) {
                inPlace->InPlaceDeactivate();
            }
            control_->SetClientSite(nullptr);
            control_->Close(OLECLOSE_NOSAVE);
        }
        browser_.reset();
        control_.reset();
    }

    // IUnknown, shared by every interface of the site.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override
    {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
            *out = static_cast<IOleClientSite*>(this);
        } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite)) {
            *out = static_cast<IOleInPlaceSite*>(this);
        } else if (IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame)) {
            *out = static_cast<IOleInPlaceFrame*>(this);
        } else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, DIID_DWebBrowserEvents2)) {
            *out = static_cast<IDispatch*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override
    {
        return static_cast<ULONG>(::InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() noexcept override
    {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IOleClientSite: no storage, no moniker, nothing to save.
    HRESULT STDMETHODCALLTYPE SaveObject() noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) noexcept override
    {
        *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) noexcept override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() noexcept override { return E_NOTIMPL; }

    // IOleWindow, for both the site and the frame: the host window.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) noexcept override
    {
        *window = host_;
        return host_ != nullptr ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) noexcept override { return E_NOTIMPL; }

    // IOleInPlaceSite: the control lives in the host's client area.
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() noexcept override { return host_ != nullptr ? S_OK : S_FALSE; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                               LPRECT position, LPRECT clip,
                                               LPOLEINPLACEFRAMEINFO info) noexcept override
    {
        if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr || info == nullptr) {
            return E_POINTER;
        }
        *frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *document = nullptr;
        ::GetClientRect(host_, position);
        *clip = *position;
        info->fMDIApp = FALSE;
        info->hwndFrame = owner_;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT area) noexcept override
    {
        if (area != nullptr) {
            Resize(*area);
        }
        return S_OK;
    }

    // IOleInPlaceFrame: no menus, no tool space, no status line.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) noexcept override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) noexcept override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) noexcept override { return S_FALSE; }

    // IDispatch: the events of DWebBrowserEvents2, of which NavigateError
    // alone matters here.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override
    {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) noexcept override
    {
        if (id == DISPID_NAVIGATEERROR && owner_ != nullptr) {
            ::PostMessageW(owner_, kBrowserNavigateError, static_cast<WPARAM>(id_), 0);
        }
        return S_OK;
    }

private:
    ~BrowserSite() = default;

    LONG references_ = 1;
    HWND host_;
    HWND owner_;
    int id_;
    ComPtr<IOleObject> control_;
    ComPtr<IDispatch> browser_;
    ComPtr<IConnectionPoint> events_;
    DWORD cookie_ = 0;
};
#pragma GCC diagnostic pop

BrowserHost::~BrowserHost()
{
    Destroy();
}

bool BrowserHost::Create(HWND owner, const RECT& bounds, int id, const CLSID* control)
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
    site_ = new (std::nothrow) BrowserSite(hwnd(), owner, id);
    const CLSID& clsid = control != nullptr ? *control : CLSID_WebBrowser;
    // Without an engine to show pages the web browser is not made at all:
    // it could show nothing, and would only cost its libraries.
    failed_ = site_ == nullptr || (control == nullptr && !BrowserEngineInstalled()) || !site_->Start(clsid);
    return true;
}

void BrowserHost::Navigate(const std::wstring& address)
{
    if (failed_ || site_ == nullptr) {
        ReportError();
        return;
    }
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
    ::MoveWindow(hwnd(), bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
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
        site_->Release();
        site_ = nullptr;
    }
}

LRESULT BrowserHost::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE && site_ != nullptr) {
        site_->Resize(RECT{0, 0, LOWORD(lParam), HIWORD(lParam)});
    } else if (message == WM_DESTROY) {
        TearDown();
    }
    return Default(message, wParam, lParam);
}

}  // namespace veloria
