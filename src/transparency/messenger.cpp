// The events of the messenger component reach the program through a small
// IDispatch of its own, advised on the component's connection point. The
// component calls it on the user-interface thread (the program's apartment)
// whenever the client opens a conversation window.
#include "transparency/messenger.h"

#include <oleauto.h>

#include <new>

#include "settings/settings_record.h"
#include "transparency/alpha_blend.h"
#include "transparency/pick_rules.h"

namespace veloria {

namespace {

// Reads the "hWnd" property of a window object by name; null when it fails.
HWND ReadWindowHandle(IDispatch* window)
{
    if (window == nullptr) {
        return nullptr;
    }
    wchar_t name[] = L"hWnd";
    LPOLESTR names[] = {name};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(window->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        return nullptr;
    }
    DISPPARAMS none{};
    Variant value;
    if (FAILED(window->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.get(), nullptr,
                              nullptr)) ||
        !value.ChangeTo(VT_I4)) {
        return nullptr;
    }
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>((*value).lVal));
}

// The object argument of an event, whichever way the component passes it.
IDispatch* DispatchArgument(const VARIANT& argument)
{
    switch (argument.vt) {
    case VT_DISPATCH:
        return argument.pdispVal;
    case VT_DISPATCH | VT_BYREF:
        return argument.ppdispVal != nullptr ? *argument.ppdispVal : nullptr;
    case VT_VARIANT | VT_BYREF:
        return argument.pvarVal != nullptr ? DispatchArgument(*argument.pvarVal) : nullptr;
    default:
        return nullptr;
    }
}

// A COM object is destroyed by its own Release, never through a pointer to
// its interface, so the interface needs no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class MessengerEvents final : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, kMessengerEventsId)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count != nullptr) {
            *count = 0;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return DISP_E_UNKNOWNNAME;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        // Nothing the program does may throw into the component.
        try {
            if (id == kOnIMWindowCreated && params != nullptr && params->cArgs >= 1 && params->rgvarg != nullptr) {
                // Arguments come last first: the only one is the last.
                msnMessenger_OnIMWindowCreated(DispatchArgument(params->rgvarg[params->cArgs - 1]));
            }
        } catch (...) {
        }
        return S_OK;
    }

private:
    LONG references_ = 1;
};
#pragma GCC diagnostic pop

}  // namespace

bool MessengerConnection::Connect()
{
    Disconnect();
    if (FAILED(::CoCreateInstance(kMessengerClassId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                  IID_IUnknown, messenger_.put_void()))) {
        return false;  // not installed: the feature is simply not there
    }
    const ComPtr<IConnectionPointContainer> container = messenger_.As<IConnectionPointContainer>();
    if (!container || FAILED(container->FindConnectionPoint(kMessengerEventsId, point_.put()))) {
        Disconnect();
        return false;
    }
    auto* events = new (std::nothrow) MessengerEvents();
    if (events == nullptr) {
        Disconnect();
        return false;
    }
    *sink_.put() = events;
    if (FAILED(point_->Advise(sink_.get(), &cookie_))) {
        cookie_ = 0;
        Disconnect();
        return false;
    }
    return true;
}

void MessengerConnection::Disconnect()
{
    if (point_ && cookie_ != 0) {
        point_->Unadvise(cookie_);
    }
    cookie_ = 0;
    point_.reset();
    sink_.reset();
    messenger_.reset();
}

void msnMessenger_OnIMWindowCreated(IDispatch* pIMWindow)
{
    const ConversationWindowAction action = ActionForConversationWindow(Settings());
    if (action.kind == ConversationWindowAction::Kind::Nothing) {
        return;
    }
    const HWND window = ReadWindowHandle(pIMWindow);
    if (window == nullptr) {
        return;
    }
    if (action.kind == ConversationWindowAction::Kind::ApplyLevel) {
        SetWindowAlpha(window, action.level);
    } else {
        ClearWindowAlpha(window);
    }
}

}  // namespace veloria
