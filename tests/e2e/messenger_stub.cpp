// messenger_stub.dll: stands in for the messenger client's automation
// component in the test prefix (InprocServer32 of the Messenger class).
//
// Its identifiers are the component's published ones (MessengerAPI,
// msgrua.h), written here on their own: the stand-in must not learn them
// from the program it tests. A Messenger object opens a hidden window
// "VeloriaMessengerStub"; WM_APP+1 sent to it with a window handle in
// wParam fires OnIMWindowCreated with a window object whose "hWnd" gives
// that handle (wParam 0: an object without a readable "hWnd").
#include <windows.h>
#include <ocidl.h>
#include <oleauto.h>
#include <olectl.h>

#include <cstdint>

#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace {

constexpr CLSID kClassMessenger = {0xB69003B3, 0xC55E, 0x4B48, {0x83, 0x6C, 0xBC, 0x59, 0x46, 0xFC, 0x3B, 0x28}};
constexpr IID kDMessengerEvents = {0xC9A6A6B6, 0x9BC1, 0x43A5, {0xB0, 0x6B, 0xE5, 0x88, 0x74, 0xEE, 0xBC, 0x96}};
constexpr DISPID kDispidOnIMWindowCreated = 0x0411;  // DISPID_MUAE_ONIMWINDOWCREATED

HMODULE g_module = nullptr;

// Both objects live as long as the program using them: their counts are
// not kept.
#define VELORIA_STUB_NOT_COUNTED                                        \
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }            \
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

// The conversation window object: one property, "hWnd".
struct WindowObject final : IDispatch {
    explicit WindowObject(LONG value) : handle(value) {}
    LONG handle;
    VELORIA_STUB_NOT_COUNTED
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        *out = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ? this : nullptr;
        return *out != nullptr ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* none) override { return *none = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (count != 1 || handle == 0 || ::lstrcmpiW(names[0], L"hWnd") != 0) {
            return DISP_E_UNKNOWNNAME;
        }
        return ids[0] = 1, S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override
    {
        if (id != 1 || (flags & DISPATCH_PROPERTYGET) == 0 || result == nullptr) {
            return DISP_E_MEMBERNOTFOUND;
        }
        result->vt = VT_I4;
        result->lVal = handle;
        return S_OK;
    }
};

// The Messenger object, its own connection point for DMessengerEvents.
struct Messenger final : IConnectionPointContainer, IConnectionPoint {
    Messenger()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = g_module;
        windowClass.lpszClassName = "VeloriaMessengerStub";
        ::RegisterClassA(&windowClass);
        window = ::CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, g_module,
                                   nullptr);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }

    HWND window = nullptr;
    IDispatch* sink = nullptr;
    VELORIA_STUB_NOT_COUNTED
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        const bool known = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPointContainer);
        *out = known ? static_cast<IConnectionPointContainer*>(this) : nullptr;
        return known ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override
    {
        *out = IsEqualIID(iid, kDMessengerEvents) ? this : nullptr;
        return *out != nullptr ? (AddRef(), S_OK) : CONNECT_E_NOCONNECTION;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override { return *iid = kDMessengerEvents, S_OK; }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override
    {
        return *out = this, AddRef(), S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* unknown, DWORD* cookie) override
    {
        if (sink != nullptr || FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&sink)))) {
            return CONNECT_E_CANNOTCONNECT;
        }
        return *cookie = 1, S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override
    {
        if (cookie != 1 || sink == nullptr) {
            return CONNECT_E_NOCONNECTION;
        }
        sink->Release();
        sink = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<Messenger*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (message != WM_APP + 1 || self == nullptr || self->sink == nullptr) {
            return ::DefWindowProcA(hwnd, message, wParam, lParam);
        }
        WindowObject object(static_cast<LONG>(static_cast<std::uintptr_t>(wParam)));
        VARIANT argument{};
        argument.vt = VT_DISPATCH;
        argument.pdispVal = &object;
        DISPPARAMS params{&argument, nullptr, 1, 0};
        self->sink->Invoke(kDispidOnIMWindowCreated, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                           nullptr, nullptr);
        return 0;
    }
};

struct Factory final : IClassFactory {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        *out = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory) ? this : nullptr;
        return *out != nullptr ? S_OK : E_NOINTERFACE;
    }
    VELORIA_STUB_NOT_COUNTED
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        static Messenger* const messenger = new Messenger();
        return outer != nullptr ? CLASS_E_NOAGGREGATION : messenger->QueryInterface(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
} g_factory;

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID id, REFIID iid, void** out)
{
    if (!IsEqualCLSID(id, kClassMessenger)) {
        *out = nullptr;
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return g_factory.QueryInterface(iid, out);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return S_FALSE;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
