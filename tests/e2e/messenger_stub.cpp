// messenger_stub.dll: a stand-in for the messenger client's automation
// component, registered in the test prefix only (InprocServer32 under the
// Messenger class id).
//
// It offers the Messenger object with a connection point for the event
// dispinterface DMessengerEvents. When an object is made it opens a hidden
// window "VeloriaMessengerStub"; a test sends that window WM_APP+1 with a
// window handle in wParam, and the stub fires OnIMWindowCreated (DISPID
// 0x411) with a window object whose "hWnd" property gives that handle
// (wParam 0: an object whose "hWnd" cannot be read). What happens is
// written, a line each, to "messenger-log.txt" beside the library:
// "created", "advise", "fired HANDLE", "unadvise".
#include <windows.h>
#include <ocidl.h>
#include <oleauto.h>
#include <olectl.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "transparency/messenger.h"

#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace {

HMODULE g_module = nullptr;
constexpr UINT kFireMessage = WM_APP + 1;
constexpr const char* kStubWindowClass = "VeloriaMessengerStub";

void Log(const std::string& line)
{
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(g_module, path, MAX_PATH);
    std::string file(path, length);
    file = file.substr(0, file.find_last_of("\\/") + 1) + "messenger-log.txt";
    if (std::FILE* out = std::fopen(file.c_str(), "ab")) {
        std::fprintf(out, "%s\n", line.c_str());
        std::fclose(out);
    }
}

// Reference counting shared by the stub's objects.
template <typename Self>
struct Counted {
    LONG references = 1;
    ULONG Add() { return static_cast<ULONG>(::InterlockedIncrement(&references)); }
    ULONG Drop(Self* self)
    {
        const LONG left = ::InterlockedDecrement(&references);
        if (left == 0) {
            delete self;
        }
        return static_cast<ULONG>(left);
    }
};

// The window object of the event: one property, "hWnd" (DISPID 1).
class WindowObject final : public IDispatch {
public:
    WindowObject(LONG handle, bool readable) : handle_(handle), readable_(readable) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return count_.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return count_.Drop(this); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (count == 1 && readable_ && ::lstrcmpiW(names[0], L"hWnd") == 0) {
            ids[0] = 1;
            return S_OK;
        }
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override
    {
        if (id != 1 || (flags & DISPATCH_PROPERTYGET) == 0 || result == nullptr) {
            return DISP_E_MEMBERNOTFOUND;
        }
        ::VariantInit(result);
        result->vt = VT_I4;
        result->lVal = handle_;
        return S_OK;
    }

private:
    Counted<WindowObject> count_;
    LONG handle_;
    bool readable_;
};

class Messenger;

class EventsPoint final : public IConnectionPoint {
public:
    explicit EventsPoint(IConnectionPointContainer* container) : container_(container) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
            *out = static_cast<IConnectionPoint*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return count_.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return count_.Drop(this); }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override
    {
        *iid = veloria::kMessengerEventsId;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override
    {
        *out = container_;
        container_->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override
    {
        if (sink_ != nullptr) {
            return CONNECT_E_ADVISELIMIT;
        }
        if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&sink_)))) {
            return CONNECT_E_CANNOTCONNECT;
        }
        *cookie = 1;
        Log("advise");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override
    {
        if (cookie != 1 || sink_ == nullptr) {
            return CONNECT_E_NOCONNECTION;
        }
        sink_->Release();
        sink_ = nullptr;
        Log("unadvise");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    void Fire(LONG handle)
    {
        if (sink_ == nullptr) {
            return;
        }
        auto* window = new WindowObject(handle, handle != 0);
        VARIANT argument;
        ::VariantInit(&argument);
        argument.vt = VT_DISPATCH;
        argument.pdispVal = window;
        DISPPARAMS params{&argument, nullptr, 1, 0};
        Log("fired " + std::to_string(handle));
        sink_->Invoke(veloria::kOnIMWindowCreated, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                      nullptr, nullptr);
        window->Release();
    }

private:
    Counted<EventsPoint> count_;
    IConnectionPointContainer* container_;  // not held: it holds us
    IDispatch* sink_ = nullptr;
};

class Messenger final : public IDispatch, public IConnectionPointContainer {
public:
    Messenger() : point_(new EventsPoint(this))
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = g_module;
        windowClass.lpszClassName = kStubWindowClass;
        ::RegisterClassA(&windowClass);
        window_ = ::CreateWindowExA(0, kStubWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, g_module, nullptr);
        ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(point_));
        Log("created");
    }
    ~Messenger()
    {
        ::DestroyWindow(window_);
        point_->Release();
    }

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
    ULONG STDMETHODCALLTYPE AddRef() override { return count_.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return count_.Drop(this); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
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
        if (!IsEqualIID(iid, veloria::kMessengerEventsId)) {
            *out = nullptr;
            return CONNECT_E_NOCONNECTION;
        }
        *out = point_;
        point_->AddRef();
        return S_OK;
    }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == kFireMessage) {
            if (auto* point = reinterpret_cast<EventsPoint*>(::GetWindowLongPtrA(window, GWLP_USERDATA))) {
                point->Fire(static_cast<LONG>(static_cast<std::uintptr_t>(wParam)));
            }
            return 0;
        }
        return ::DefWindowProcA(window, message, wParam, lParam);
    }

    Counted<Messenger> count_;
    EventsPoint* point_;
    HWND window_ = nullptr;
};

class Factory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
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
};

Factory g_factory;

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID id, REFIID iid, void** out)
{
    if (!IsEqualCLSID(id, veloria::kMessengerClassId)) {
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
