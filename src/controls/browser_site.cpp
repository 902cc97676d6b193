// The site of a control in a host window: the client site, the in-place
// site and frame, the page's UI handler and the browser's event sink.
//
// Creation follows the control's wishes: the client site goes first when
// it asks for that (OLEMISC_SETCLIENTSITEFIRST), then InitNew, the site,
// in-place activation in the host window, the silent mode (no script error
// dialogs) and the event sink advised on DWebBrowserEvents2. Teardown runs
// in the reverse order: the sink unadvised, the control deactivated, the
// site taken away before Close, every reference dropped.
//
// As the page's UI handler it shows no context menu, no 3-D border, scroll
// bars only where the window wants them, and takes no UI activation (which
// takes the keyboard focus) unless the user is at the page. A page's links
// and new windows are handed to the host, for the user's own browser.
#include "controls/browser_site.h"

#include <exdisp.h>
#include <exdispid.h>
#include <mshtmhst.h>
#include <ocidl.h>
#include <oleidl.h>

#include <new>
#include <utility>
#include <vector>

#include "base/com_ptr.h"
#include "controls/page_rules.h"

namespace veloria {

namespace {

constexpr DISPID kSilent = 551;

}  // namespace

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

bool CallNamed(IDispatch* object, const wchar_t* name, WORD kind, const VARIANT* argument)
{
    DISPID id = 0;
    auto* names = const_cast<LPOLESTR>(name);
    return SUCCEEDED(object->GetIDsOfNames(IID_NULL, &names, 1, LOCALE_USER_DEFAULT, &id)) &&
           SUCCEEDED(Call(object, id, kind, argument));
}


// COM objects are destroyed by their own Release, never through an
// interface pointer, so the interfaces need no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class BrowserSite final : public PageSite,
                          public IOleClientSite,
                          public IOleInPlaceSiteEx,
                          public IOleInPlaceFrame,
                          public IDocHostUIHandler,
                          public IDispatch {
public:
    BrowserSite(HWND host, HWND owner, int id, PageScroll scroll)
        : host_(host), owner_(owner), id_(id), scroll_(scroll)
    {
    }

    bool Start(const CLSID& clsid, bool webBrowser) noexcept override
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
        if (browser_ && webBrowser) {
            // Script errors of a page are never put in front of the user.
            VARIANT silent{};
            silent.vt = VT_BOOL;
            silent.boolVal = VARIANT_TRUE;
            Call(browser_.get(), kSilent, DISPATCH_PROPERTYPUT, &silent);
        }
        if (const auto container = control_.As<IConnectionPointContainer>()) {
            if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, events_.put())) &&
                FAILED(events_->Advise(static_cast<IDispatch*>(this), &cookie_))) {
                events_.reset();
            }
        }
        return static_cast<bool>(browser_);
    }

    IDispatch* browser() const override { return browser_.get(); }

    void Asked(const std::wstring& address) override
    {
        asked_ = address;
        ownLoad_ = true;
    }

    std::vector<std::wstring> TakeOutside() override { return std::exchange(outside_, {}); }

    void Resize(const RECT& area) noexcept override
    {
        if (const auto inPlace = control_.As<IOleInPlaceObject>()) {
            inPlace->SetObjectRects(&area, &area);
        }
    }

    void Drop() noexcept override { Release(); }

    void Stop() noexcept override
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
        } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite) ||
                   IsEqualIID(iid, IID_IOleInPlaceSiteEx)) {
            *out = static_cast<IOleInPlaceSiteEx*>(this);
        } else if (IsEqualIID(iid, IID_IDocHostUIHandler)) {
            *out = static_cast<IDocHostUIHandler*>(this);
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

    // IOleInPlaceSiteEx: UI activation takes the keyboard focus, so it is
    // granted only to a user at the page (clicking it, or already in it),
    // never to a page that just loaded.
    HRESULT STDMETHODCALLTYPE OnInPlaceActivateEx(BOOL* noRedraw, DWORD) noexcept override
    {
        if (noRedraw != nullptr) {
            *noRedraw = FALSE;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivateEx(BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestUIActivate() noexcept override { return UserAtPage() ? S_OK : S_FALSE; }

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

    // IDocHostUIHandler: the page alone, without the engine's own menus,
    // borders or help.
    HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) noexcept override
    {
        return S_OK;  // shown, as far as the page knows: nothing at all
    }
    HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) noexcept override
    {
        if (info == nullptr) {
            return E_POINTER;
        }
        info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_NO3DOUTERBORDER | DOCHOSTUIFLAG_DISABLE_HELP_MENU |
                        DOCHOSTUIFLAG_THEME | DOCHOSTUIFLAG_DPI_AWARE |
                        (scroll_ == PageScroll::None ? DOCHOSTUIFLAG_SCROLL_NO : 0);
        info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                     IOleInPlaceUIWindow*) noexcept override
    {
        return S_OK;  // no tool bars or menus of its own
    }
    HRESULT STDMETHODCALLTYPE HideUI() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UpdateUI() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, const GUID*, DWORD) noexcept override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* key, DWORD) noexcept override
    {
        return Nothing(key);
    }
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget*, IDropTarget** target) noexcept override
    {
        return Nothing(target) == S_FALSE ? E_NOTIMPL : E_POINTER;
    }
    HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** external) noexcept override { return Nothing(external); }
    HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) noexcept override
    {
        return Nothing(translated);
    }
    HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*, IDataObject** filtered) noexcept override
    {
        return Nothing(filtered);
    }

    // IDispatch: the events of DWebBrowserEvents2 that matter here: a failed
    // page, where its window goes, new windows, and the end of a load.
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
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) noexcept override
    {
        const Arguments arguments(params);
        switch (id) {
        case DISPID_NAVIGATEERROR:  // (window, address, frame, status, cancel)
            if (owner_ != nullptr && IsPage(arguments.Object(0))) {
                ::PostMessageW(owner_, kBrowserNavigateError, static_cast<WPARAM>(id_), 0);
            }
            break;
        case DISPID_BEFORENAVIGATE2:  // (window, address, flags, frame, post data, headers, cancel)
            if (IsPage(arguments.Object(0))) {
                const std::wstring address = arguments.Text(1);
                const PageStep step = TopLevelStep(address, asked_, ownLoad_);
                if (step != PageStep::Stay) {
                    arguments.Cancel(6);
                }
                if (step == PageStep::OpenOutside) {
                    SendOutside(address);
                }
            }
            break;
        case DISPID_NEWWINDOW3:  // (new window, cancel, flags, opener's address, address)
            arguments.Cancel(1);
            if (IsWebAddress(arguments.Text(4))) {
                SendOutside(arguments.Text(4));
            }
            break;
        case DISPID_DOCUMENTCOMPLETE:  // (window, address)
            if (IsPage(arguments.Object(0))) {
                ownLoad_ = false;
            }
            break;
        default:
            break;
        }
        return S_OK;
    }

private:
    ~BrowserSite() = default;

    // An event's arguments, in the order the event declares them (the
    // dispatch call holds them last first); a missing or mistyped one
    // reads as nothing.
    class Arguments {
    public:
        explicit Arguments(const DISPPARAMS* params) : params_(params) {}

        const VARIANT* At(UINT index) const
        {
            if (params_ == nullptr || params_->rgvarg == nullptr || index >= params_->cArgs) {
                return nullptr;
            }
            const VARIANT* value = &params_->rgvarg[params_->cArgs - 1 - index];
            return value->vt == (VT_BYREF | VT_VARIANT) ? value->pvarVal : value;
        }
        std::wstring Text(UINT index) const
        {
            const VARIANT* value = At(index);
            return value != nullptr && value->vt == VT_BSTR && value->bstrVal != nullptr ? value->bstrVal : L"";
        }
        IUnknown* Object(UINT index) const
        {
            const VARIANT* value = At(index);
            return value != nullptr && value->vt == VT_DISPATCH ? value->pdispVal : nullptr;
        }
        void Cancel(UINT index) const
        {
            const VARIANT* value = At(index);
            if (value != nullptr && value->vt == (VT_BYREF | VT_BOOL) && value->pboolVal != nullptr) {
                *value->pboolVal = VARIANT_TRUE;
            }
        }

    private:
        const DISPPARAMS* params_;
    };

    // The event is about the whole page, not a frame in it (an event that
    // names no window counts as the page's).
    bool IsPage(IUnknown* window) const
    {
        if (window == nullptr || !control_) {
            return true;
        }
        ComPtr<IUnknown> mine;
        ComPtr<IUnknown> theirs;
        control_->QueryInterface(IID_IUnknown, mine.put_void());
        window->QueryInterface(IID_IUnknown, theirs.put_void());
        return mine.get() == theirs.get();
    }

    // Handed over once the event has returned: the shell is not called
    // from inside the engine.
    void SendOutside(const std::wstring& address)
    {
        if (host_ != nullptr) {
            outside_.push_back(address);
            ::PostMessageW(host_, kOpenOutside, 0, 0);
        }
    }

    bool UserAtPage() const
    {
        if (host_ == nullptr) {
            return false;
        }
        const HWND focus = ::GetFocus();
        if (focus != nullptr && (focus == host_ || ::IsChild(host_, focus))) {
            return true;
        }
        POINT cursor{};
        const bool pressed =
            ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0;
        if (!pressed || !::GetCursorPos(&cursor)) {
            return false;
        }
        const HWND under = ::WindowFromPoint(cursor);
        return under == host_ || ::IsChild(host_, under);
    }

    template <typename T>
    static HRESULT Nothing(T** out)
    {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        return S_FALSE;
    }

    LONG references_ = 1;
    HWND host_;
    HWND owner_;
    int id_;
    ComPtr<IOleObject> control_;
    ComPtr<IDispatch> browser_;
    ComPtr<IConnectionPoint> events_;
    DWORD cookie_ = 0;
    PageScroll scroll_;
    std::wstring asked_;
    bool ownLoad_ = false;
    std::vector<std::wstring> outside_;
};
#pragma GCC diagnostic pop

PageSite* NewPageSite(HWND host, HWND owner, int id, PageScroll scroll) noexcept
{
    return new (std::nothrow) BrowserSite(host, owner, id, scroll);
}

}  // namespace veloria
