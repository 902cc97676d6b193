// Pieces of COM objects that tests make in place of a component: a
// connection point that keeps the sink it is given, a class factory, and a
// class registered in this process only. They live as long as the test:
// their reference counts are not kept.
#pragma once

#include <windows.h>
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
