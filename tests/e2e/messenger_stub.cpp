// messenger_stub.dll: stands in for the messenger client's automation
// component in the test prefix (InprocServer32 of the Messenger class).
//
// Its identifiers are the component's published ones (MessengerAPI,
// msgrua.h), written here on their own: the stand-in must not learn them
// from the program it tests. A Messenger object opens a hidden window
// "VeloriaMessengerStub"; WM_APP+1 sent to it with a window handle in
// wParam fires OnIMWindowCreated with a window object whose "hWnd" gives
// that handle (wParam 0: an object without a readable "hWnd"). It logs
// "created", "advise", "fired HANDLE" and "unadvise" to messenger-log.txt
// beside itself.
#include <windows.h>
#include <ocidl.h>
#include <oleauto.h>
#include <olectl.h>

#include <cstdint>
#include <cstdio>
#include <string>

#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace {

constexpr CLSID kClassMessenger = {0xB69003B3, 0xC55E, 0x4B48, {0x83, 0x6C, 0xBC, 0x59, 0x46, 0xFC, 0x3B, 0x28}};
constexpr IID kDMessengerEvents = {0xC9A6A6B6, 0x9BC1, 0x43A5, {0xB0, 0x6B, 0xE5, 0x88, 0x74, 0xEE, 0xBC, 0x96}};
constexpr DISPID kDispidOnIMWindowCreated = 0x0411;  // DISPID_MUAE_ONIMWINDOWCREATED

HMODULE g_module = nullptr;

void Log(const std::string& line)
{
    char path[MAX_PATH] = {};
    std::string file(path, ::GetModuleFileNameA(g_module, path, MAX_PATH));
    file = file.substr(0, file.find_last_of("\\/") + 1) + "messenger-log.txt";
    if (std::FILE* out = std::fopen(file.c_str(), "ab")) {
        std::fprintf(out, "%s\n", line.c_str());
        std::fclose(out);
    }
}

// IDispatch without type information, for both objects below.
#define VELORIA_STUB_COUNTING                                                                           \
    LONG references = 1;                                                                                \
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references)); } \
    ULONG STDMETHODCALLTYPE Release() override                                                         \
    {                                                                                                   \
        const LONG left = ::InterlockedDecrement(&references);                                          \
        if (left == 0) {                                                                                \
            delete this;                                                                                \
        }                                                                                               \
        return static_cast<ULONG>(left);                                                                \
    }                                                                                                   \
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override                                    \
    {                                                                                                   \
        *count = 0;                                                                                     \
        return S_OK;                                                                                    \
    }                                                                                                   \
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

// The conversation window object: one property, "hWnd".
struct WindowObject final : IDispatch {
    explicit WindowObject(LONG value) : handle(value) {}
    LONG handle;
    VELORIA_STUB_COUNTING
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        *out = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ? this : nullptr;
        return *out != nullptr ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (count != 1 || handle == 0 || ::lstrcmpiW(names[0], L"hWnd") != 0) {
            return DISP_E_UNKNOWNNAME;
        }
        ids[0] = 1;
        return S_OK;
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

// The Messenger object, which is also its own connection point for
// DMessengerEvents.
struct Messenger final : IDispatch, IConnectionPointContainer, IConnectionPoint {
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
        Log("created");
    }
    ~Messenger() { ::DestroyWindow(window); }

    HWND window = nullptr;
    IDispatch* sink = nullptr;
    VELORIA_STUB_COUNTING

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *out = static_cast<IDispatch*>(this);
        } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
            *out = static_cast<IConnectionPointContainer*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override
    {
        *out = IsEqualIID(iid, kDMessengerEvents) ? static_cast<IConnectionPoint*>(this) : nullptr;
        return *out != nullptr ? (AddRef(), S_OK) : CONNECT_E_NOCONNECTION;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override
    {
        *iid = kDMessengerEvents;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override
    {
        *out = this;
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* unknown, DWORD* cookie) override
    {
        if (sink != nullptr) {
            return CONNECT_E_ADVISELIMIT;
        }
        if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&sink)))) {
            return CONNECT_E_CANNOTCONNECT;
        }
        *cookie = 1;
        Log("advise");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override
    {
        if (cookie != 1 || sink == nullptr) {
            return CONNECT_E_NOCONNECTION;
        }
        sink->Release();
        sink = nullptr;
        Log("unadvise");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<Messenger*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (message != WM_APP + 1 || self == nullptr || self->sink == nullptr) {
            return ::DefWindowProcA(hwnd, message, wParam, lParam);
        }
        const auto handle = static_cast<LONG>(static_cast<std::uintptr_t>(wParam));
        auto* object = new WindowObject(handle);
        VARIANT argument{};
        argument.vt = VT_DISPATCH;
        argument.pdispVal = object;
        DISPPARAMS params{&argument, nullptr, 1, 0};
        Log("fired " + std::to_string(handle));
        self->sink->Invoke(kDispidOnIMWindowCreated, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                           nullptr, nullptr);
        object->Release();
        return 0;
    }
};

struct Factory final : IClassFactory {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        *out = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory) ? this : nullptr;
        return *out != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        auto* messenger = new Messenger();
        const HRESULT result = messenger->QueryInterface(iid, out);
        messenger->Release();
        return result;
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
