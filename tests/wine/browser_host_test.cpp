// The web browser host with a control of the test's own, registered in
// this process only: what the host asks of the control, in which order,
// and that nothing of the host outlives its window.
#include "controls/browser_host.h"

#include <gtest/gtest.h>

#include <exdisp.h>

#include <algorithm>

#include "base/program_folder.h"
#include "fake_com.h"
#include "settings/settings_record.h"
#include "shell/main_window.h"
#include "windows/about_window.h"
#include "windows/banner_window.h"
#include "windows/tell_a_friend_window.h"

namespace veloria {
namespace {

constexpr CLSID kFakeBrowser = {0x5e1ec7a0, 0x1111, 0x4a4a, {0x9b, 0x11, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55}};
// The browser's events: DWebBrowserEvents2, and its NavigateError.
constexpr IID kBrowserEvents = {0x34a715a0, 0x6587, 0x11d0, {0x92, 0x4a, 0x00, 0x20, 0xaf, 0xc7, 0xac, 0x4d}};
constexpr DISPID kNavigateError = 271;

test::FakePoint g_point;
std::vector<std::wstring>& g_calls = g_point.calls;

// One object stands in for every control made; it counts the references
// the program holds to it.
struct Control final : IOleObject, IDispatch, IConnectionPointContainer {
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
        g_calls.push_back(newSite != nullptr ? L"SetClientSite" : L"SetClientSite null");
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
    HRESULT STDMETHODCALLTYPE Close(DWORD) override { return g_calls.push_back(L"Close"), S_OK; }
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override
    {
        return g_calls.push_back(L"DoVerb " + std::to_wstring(verb)), S_OK;
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
    // The members a movie player has, numbered from 1000.
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override
    {
        const std::wstring known[] = {L"WMode", L"Quality2", L"Scale", L"Movie", L"Play"};
        for (DISPID k = 0; k < 5; ++k) {
            if (known[k] == names[0]) {
                return *ids = 1000 + k, S_OK;
            }
        }
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        const bool text = params->cArgs == 1 && params->rgvarg[0].vt == VT_BSTR;
        const std::wstring call = L"Invoke " + std::to_wstring(id) + (text ? params->rgvarg[0].bstrVal : L"");
        return g_calls.push_back(call), S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override
    {
        *out = IsEqualIID(iid, kBrowserEvents) ? &g_point : nullptr;
        return *out != nullptr ? S_OK : CONNECT_E_NOCONNECTION;
    }
} g_control;

int PendingErrors(HWND owner)
{
    int count = 0;
    MSG message;
    while (::PeekMessageW(&message, owner, kBrowserNavigateError, kBrowserNavigateError, PM_REMOVE)) {
        count += message.wParam == 7 ? 1 : 0;
    }
    return count;
}

TEST(BrowserHost, NavigatesReportsErrorsAndLeavesNothingBehind)
{
    ::OleInitialize(nullptr);
    const test::FakeClass registered(kFakeBrowser, static_cast<IOleObject*>(&g_control));
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                                         nullptr);
    {
        BrowserHost host;
        ASSERT_TRUE(host.Create(owner, RECT{0, 0, 200, 100}, 7, &kFakeBrowser));
        host.Navigate(L"http://veloria.example/page");
        ASSERT_NE(g_point.sink, nullptr);
        g_point.Fire(kNavigateError);
        EXPECT_EQ(PendingErrors(owner), 1);
    }
    EXPECT_EQ(g_calls, (std::vector<std::wstring>{L"SetClientSite", L"DoVerb -5", L"Advise",
                                                  L"Invoke 104http://veloria.example/page", L"Unadvise 9",
                                                  L"SetClientSite null", L"Close"}));
    // An event after the host is gone reaches nobody, and the control's
    // reference was the last one to the site.
    g_point.Fire(kNavigateError);
    EXPECT_EQ(PendingErrors(owner), 0);
    EXPECT_EQ(g_point.sink->Release(), 0u);

    // Without a control the owner hears of it as of a failed page.
    const CLSID nothing = {0x5e1ec7a0, 0x2222, 0x4a4a, {0, 0, 0, 0, 0, 0, 0, 1}};
    BrowserHost missing;
    ASSERT_TRUE(missing.Create(owner, RECT{0, 0, 200, 100}, 7, &nothing));
    missing.Navigate(L"http://veloria.example/page");
    EXPECT_EQ(PendingErrors(owner), 1);
    missing.Destroy();
    ::DestroyWindow(owner);
}

// The test's control stands in for the Flash player, under its name.
class FlashStandIn {
public:
    FlashStandIn()
    {
        const wchar_t* clsid = L"{5E1EC7A0-1111-4A4A-9B11-001122334455}";
        ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\ShockwaveFlash.ShockwaveFlash\\CLSID", nullptr,
                          REG_SZ, clsid, 39 * sizeof(wchar_t));
        Settings().ControlStyle = L"0";
    }
    ~FlashStandIn()
    {
        Settings().ControlStyle.clear();
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\ShockwaveFlash.ShockwaveFlash");
    }

private:
    const test::FakeClass registered_{kFakeBrowser, static_cast<IOleObject*>(&g_control)};
};

// The skinned About window plays its movie where a Flash player is
// installed.
TEST(BrowserHost, TheAboutWindowHandsItsMovieToTheFlashPlayer)
{
    {
        const FlashStandIn flash;
        g_calls.clear();
        ShowAbout(::GetModuleHandleW(nullptr));
        const HWND about = ::FindWindowW(kAboutClass, nullptr);
        ASSERT_NE(about, nullptr);
        ::SendMessageW(about, WM_CLOSE, 0, 0);
    }
    const auto play = std::find(g_calls.begin(), g_calls.end(), L"Invoke 1004");
    ASSERT_TRUE(play != g_calls.end() && play != g_calls.begin());
    EXPECT_EQ(*(play - 1), L"Invoke 1003" + ProgramFolder() + L"\\gama.dsp");
}

}  // namespace
}  // namespace veloria

namespace veloria {
namespace {

// The program's end, with every window that hosts a control open (the
// test's control standing in for the web browser, its page engine and the
// Flash player): the windows and the references to the controls are gone
// when the main window is, which is before OLE ends.
TEST(BrowserHost, TheProgramsEndReleasesEveryControlBeforeOleEnds)
{
    constexpr CLSID kHtmlDocument = {0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    const test::FakeClass browser(CLSID_WebBrowser, static_cast<IOleObject*>(&g_control));
    const test::FakeClass engine(kHtmlDocument, static_cast<IOleObject*>(&g_control));
    const FlashStandIn flash;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    MainWindow& main = MainWindow::Instance();
    ASSERT_TRUE(main.Create(instance));
    const ULONG before = g_control.references;
    ShowBanner(instance);
    ShowOptions(instance, main);
    ShowTellAFriend(instance);
    ShowAbout(instance);
    // The banner makes its page once the program is idle.
    for (const ULONGLONG end = ::GetTickCount64() + 500; ::GetTickCount64() < end;) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&message);
        }
        ::Sleep(10);
    }
    EXPECT_GE(g_control.references, before + 8);  // two for each of the four controls
    ::DestroyWindow(main.hwnd());
    EXPECT_EQ(g_control.references, before);
    for (const wchar_t* windowClass : {kBannerClass, kTellAFriendClass, kAboutClass, L"#32770"}) {
        const HWND left = ::FindWindowW(windowClass, nullptr);
        EXPECT_TRUE(left == nullptr || ::GetWindowThreadProcessId(left, nullptr) != ::GetCurrentThreadId())
            << windowClass;
    }
    MSG quit;
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    ::OleUninitialize();
}

}  // namespace
}  // namespace veloria
