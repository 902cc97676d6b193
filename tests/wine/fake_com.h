// Pieces of COM objects that tests make in place of a component: a
// connection point that keeps the sink it is given, a class registered in
// this process only, and a control. They live as long as the test: only the
// control keeps its reference count.
#pragma once

#include <windows.h>
#include <oleidl.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <vector>

// A COM object is deleted by its own Release, not through an interface.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

#define VELORIA_FAKE_COUNTS                                      \
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }      \
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

namespace veloria::test {

struct FakePoint final : IConnectionPoint {
    VELORIA_FAKE_COUNTS
    IDispatch* sink = nullptr;   // kept after Unadvise, to call it late
    std::vector<std::wstring> calls;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* unknown, DWORD* cookie) override
    {
        calls.push_back(L"Advise");
        *cookie = 9;
        return unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&sink));
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override
    {
        calls.push_back(L"Unadvise " + std::to_wstring(cookie));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }
    // Calls the sink's method `id` with the given arguments, last first.
    void Fire(DISPID id, std::vector<VARIANT> arguments = {})
    {
        DISPPARAMS params{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
        sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    }
};

// A control that records what it is asked into `point`'s calls, counts the
// references held to it, and hands out `point` for the events `events`.
struct FakeControl final : IOleObject, IDispatch, IConnectionPointContainer {
    FakeControl(const IID& iid, FakePoint& sink, LONG handle = 0) : events(iid), point(sink), window(handle) {}
    const IID events;
    FakePoint& point;
    const LONG window;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    ULONG references = 0;
    IOleClientSite* site = nullptr;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        *out = nullptr;
        if (IsEqualIID(iid, IID_IOleObject) || IsEqualIID(iid, IID_IUnknown)) {
            *out = static_cast<IOleObject*>(this);
        } else if (IsEqualIID(iid, IID_IDispatch)) {
            *out = static_cast<IDispatch*>(this);
        } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
            *out = static_cast<IConnectionPointContainer*>(this);
        }
        return *out != nullptr ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* newSite) override
    {
        point.calls.push_back(newSite != nullptr ? L"SetClientSite" : L"SetClientSite null");
        if (newSite != nullptr) {
            newSite->AddRef();
        }
        if (site != nullptr) {
            site->Release();
        }
        site = newSite;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Close(DWORD) override { return point.calls.push_back(L"Close"), S_OK; }
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override
    {
        return point.calls.push_back(L"DoVerb " + std::to_wstring(verb)), S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD* status) override { return *status = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    // The members a movie player has, numbered from 1000, and "hWnd" (1005)
    // where a window is set.
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override
    {
        const std::wstring known[] = {L"WMode", L"Quality2", L"Scale", L"Movie", L"Play", window ? L"hWnd" : L""};
        for (DISPID k = 0; k < 6; ++k) {
            if (known[k] == names[0]) {
                return *ids = 1000 + k, S_OK;
            }
        }
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override
    {
        if (id == 1005) {
            if ((flags & DISPATCH_PROPERTYGET) == 0 || result == nullptr) {
                return DISP_E_MEMBERNOTFOUND;
            }
            return result->vt = VT_I4, result->lVal = window, S_OK;
        }
        const bool text = params->cArgs == 1 && params->rgvarg[0].vt == VT_BSTR;
        const bool truth = params->cArgs == 1 && params->rgvarg[0].vt == VT_BOOL;
        const std::wstring call = L"Invoke " + std::to_wstring(id) + (text ? params->rgvarg[0].bstrVal : L"") +
                                  (truth ? (params->rgvarg[0].boolVal ? L" true" : L" false") : L"");
        return point.calls.push_back(call), S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override
    {
        *out = IsEqualIID(iid, events) ? &point : nullptr;
        return *out != nullptr ? S_OK : CONNECT_E_NOCONNECTION;
    }
};

// Registers `object` as the class `id` of this process for as long as it lives.
class FakeClass final : public IClassFactory {
public:
    FakeClass(const CLSID& id, IUnknown* object) : object_(object)
    {
        ::CoRegisterClassObject(id, this, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
    }
    ~FakeClass() { ::CoRevokeClassObject(cookie_); }
    VELORIA_FAKE_COUNTS
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        *out = IsEqualIID(iid, IID_IClassFactory) || IsEqualIID(iid, IID_IUnknown) ? this : nullptr;
        return *out != nullptr ? S_OK : E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** out) override
    {
        return object_->QueryInterface(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    IUnknown* object_;
    DWORD cookie_ = 0;
};

}  // namespace veloria::test
