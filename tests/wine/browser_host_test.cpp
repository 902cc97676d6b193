// The web browser host with a control of the test's own, registered in
// this process only: what the host asks of the control, in which order,
// and that nothing of the host outlives its window.
#include "controls/browser_host.h"

#include <gtest/gtest.h>

#include <exdisp.h>
#include <exdispid.h>

#include <mshtmhst.h>

#include <algorithm>
#include <cstring>

#include "base/com_ptr.h"
#include "base/program_folder.h"
#include "fake_com.h"
#include "test_windows.h"
#include "settings/settings_record.h"
#include "shell/main_window.h"

namespace veloria {
namespace {

constexpr CLSID kFakeBrowser = {0x5e1ec7a0, 0x1111, 0x4a4a, {0x9b, 0x11, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55}};
// The browser's events: DWebBrowserEvents2, and its NavigateError.
constexpr IID kBrowserEvents = {0x34a715a0, 0x6587, 0x11d0, {0x92, 0x4a, 0x00, 0x20, 0xaf, 0xc7, 0xac, 0x4d}};
constexpr DISPID kNavigateError = 271;
// The page engine's document, whose version the host reads.
constexpr CLSID kHtmlDocument = {0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};

test::FakePoint g_point;
std::vector<std::wstring>& g_calls = g_point.calls;

// One object stands in for every control made.
test::FakeControl g_control(kBrowserEvents, g_point);

// Hands this thread's messages on until `done` or for `milliseconds`.
template <typename Done>
void Pump(ULONGLONG milliseconds, Done done)
{
    for (const ULONGLONG end = ::GetTickCount64() + milliseconds; !done() && ::GetTickCount64() < end; ::Sleep(10)) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&message);
        }
    }
}

int PendingErrors(HWND owner)
{
    int count = 0;
    MSG message;
    while (::PeekMessageW(&message, owner, kBrowserNavigateError, kBrowserNavigateError, PM_REMOVE)) {
        count += message.wParam == 7 ? 1 : 0;
    }
    return count;
}

// The user's browser for web addresses, as the shell finds it: the probe,
// writing each address it is given into a file.
class DefaultBrowserStandIn {
public:
    DefaultBrowserStandIn()
    {
        DWORD size = sizeof(saved_);
        ::RegGetValueW(HKEY_CLASSES_ROOT, kKey, nullptr, RRF_RT_REG_SZ, nullptr, saved_, &size);
        Set((L"\"" + ProgramFolder() + L"\\probe.exe\" record \"" + folder_.file(L"given.txt") + L"\" \"%1\"").c_str());
    }
    ~DefaultBrowserStandIn() { Set(saved_); }
    // The addresses given so far, each on a line of its own, in any order.
    std::string Addresses() const { return test::ReadFile(folder_.file(L"given.txt")); }

private:
    static void Set(const wchar_t* command)
    {
        ::RegSetKeyValueW(HKEY_CLASSES_ROOT, kKey, nullptr, REG_SZ, command,
                          static_cast<DWORD>((std::wcslen(command) + 1) * sizeof(wchar_t)));
    }
    static constexpr const wchar_t* kKey = L"http\\shell\\open\\command";
    const test::TempFolder folder_;
    wchar_t saved_[MAX_PATH] = {};
};

// A navigation event of the stand-in: whether the host cancelled it.
bool Cancelled(DISPID event, const wchar_t* address, bool ofThePage = true)
{
    const Bstr url(address);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT text{};
    text.vt = VT_BSTR;
    text.bstrVal = url.get();
    std::vector<VARIANT> arguments(event == DISPID_NEWWINDOW3 ? 5 : 7);
    if (event == DISPID_NEWWINDOW3) {  // (new window, cancel, flags, opener, address), last first
        arguments[0] = text;
        arguments[3].vt = VT_BYREF | VT_BOOL;
        arguments[3].pboolVal = &cancel;
    } else {  // (window, address, flags, frame, post data, headers, cancel)
        arguments[0].vt = VT_BYREF | VT_BOOL;
        arguments[0].pboolVal = &cancel;
        arguments[5].vt = VT_BYREF | VT_VARIANT;
        arguments[5].pvarVal = &text;
        static test::FakeControl frame(kBrowserEvents, g_point);  // another window: a frame of the page
        arguments[6].vt = VT_DISPATCH;
        arguments[6].pdispVal = static_cast<IDispatch*>(ofThePage ? &g_control : &frame);
    }
    g_point.Fire(event, arguments);
    return cancel == VARIANT_TRUE;
}

// The platform's web browser (the stand-in, with an engine): the engine's
// newest mode asked for, a silent page without the engine's menu, border or
// scroll bars that takes no focus on its own, every link or new window of a
// shown page handed to the user's browser, and nothing left behind.
TEST(BrowserHost, PagesStayQuietAndTheirLinksLeaveForTheUsersBrowser)
{
    ::OleInitialize(nullptr);
    const test::FakeClass browser(CLSID_WebBrowser, static_cast<IOleObject*>(&g_control));
    const test::FakeClass engine(kHtmlDocument, static_cast<IOleObject*>(&g_control));
    const DefaultBrowserStandIn userBrowser;
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                                         nullptr);
    BrowserHost host;
    g_calls.clear();
    ASSERT_TRUE(host.Create(owner, RECT{0, 0, 200, 100}, 7, PageScroll::None));
    host.Navigate(L"http://www.veloria.example/banner");
    EXPECT_EQ(g_calls, (std::vector<std::wstring>{L"SetClientSite", L"DoVerb -5", L"Invoke 551 true", L"Advise",
                                                  L"Invoke 104http://www.veloria.example/banner"}));
    DWORD mode = 0;
    DWORD size = sizeof(mode);
    const std::wstring self = ProgramPath().substr(ProgramPath().find_last_of(L'\\') + 1);
    ::RegGetValueW(HKEY_CURRENT_USER, kBrowserEmulationKey, self.c_str(), RRF_RT_REG_DWORD, nullptr, &mode, &size);
    EXPECT_EQ(mode, 11001u);

    ComPtr<IDocHostUIHandler> ui;
    ComPtr<IOleInPlaceSiteEx> site;
    g_control.site->QueryInterface(IID_IDocHostUIHandler, ui.put_void());
    g_control.site->QueryInterface(IID_IOleInPlaceSiteEx, site.put_void());
    ASSERT_TRUE(ui && site);
    POINT at{5, 5};
    EXPECT_EQ(ui->ShowContextMenu(0, &at, nullptr, nullptr), S_OK);  // handled: no menu
    DOCHOSTUIINFO info{sizeof(DOCHOSTUIINFO), 0, 0, nullptr, nullptr};
    ASSERT_EQ(ui->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags & (DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO),
              static_cast<DWORD>(DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO));
    EXPECT_EQ(site->RequestUIActivate(), S_FALSE);  // nobody clicked it

    // While its own page loads, a redirection on its site stays; another
    // site leaves. Once shown, every link leaves, and a script goes nowhere.
    EXPECT_FALSE(Cancelled(DISPID_BEFORENAVIGATE2, L"https://veloria.example/banner?again"));
    EXPECT_TRUE(Cancelled(DISPID_BEFORENAVIGATE2, L"http://ads.example/elsewhere"));
    EXPECT_FALSE(Cancelled(DISPID_BEFORENAVIGATE2, L"http://ads.example/in-a-frame", false));
    VARIANT page{};
    page.vt = VT_DISPATCH;
    page.pdispVal = static_cast<IDispatch*>(&g_control);
    g_point.Fire(DISPID_DOCUMENTCOMPLETE, {VARIANT{}, page});
    EXPECT_TRUE(Cancelled(DISPID_BEFORENAVIGATE2, L"http://www.veloria.example/clicked"));
    EXPECT_TRUE(Cancelled(DISPID_BEFORENAVIGATE2, L"javascript:void(0)"));
    EXPECT_TRUE(Cancelled(DISPID_NEWWINDOW3, L"http://popup.example/offer"));
    EXPECT_TRUE(Cancelled(DISPID_NEWWINDOW3, L"file:///C:/windows/win.ini"));

    // Each address handed over once, in any order.
    const auto lines = [&] { return std::ranges::count(userBrowser.Addresses(), '\n'); };
    Pump(15000, [&] { return lines() >= 3; });
    EXPECT_EQ(lines(), 3);
    for (const char* address : {"http://ads.example/elsewhere\n", "http://popup.example/offer\n",
                                "http://www.veloria.example/clicked\n"}) {
        EXPECT_NE(userBrowser.Addresses().find(address), std::string::npos) << address;
    }

    // A failed page is told to the owner; once the host is gone, an event
    // reaches nobody and the control's reference was the last one to the site.
    g_point.Fire(kNavigateError);
    EXPECT_EQ(PendingErrors(owner), 1);
    ui.reset();
    site.reset();
    host.Destroy();
    EXPECT_EQ(std::vector(g_calls.end() - 3, g_calls.end()),
              (std::vector<std::wstring>{L"Unadvise 9", L"SetClientSite null", L"Close"}));
    g_point.Fire(kNavigateError);
    EXPECT_EQ(PendingErrors(owner), 0);
    EXPECT_EQ(g_point.sink->Release(), 0u);

    // Without a control the owner hears of it as of a failed page.
    const CLSID nothing = {0x5e1ec7a0, 0x2222, 0x4a4a, {0, 0, 0, 0, 0, 0, 0, 1}};
    BrowserHost missing;
    ASSERT_TRUE(missing.Create(owner, RECT{0, 0, 200, 100}, 7, PageScroll::Bars, &nothing));
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

// The program's end, with every window that hosts a control open (the
// test's control standing in for the web browser, its page engine and the
// Flash player, which the skinned About window hands its movie): the
// windows and the references to the controls are gone when the main window
// is, which is before OLE ends.
TEST(BrowserHost, TheProgramsEndReleasesEveryControlBeforeOleEnds)
{
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    const test::FakeClass browser(CLSID_WebBrowser, static_cast<IOleObject*>(&g_control));
    const test::FakeClass engine(kHtmlDocument, static_cast<IOleObject*>(&g_control));
    const FlashStandIn flash;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    OtherWindows windows;
    MainWindow main(windows);
    ASSERT_TRUE(main.Create(instance));
    const ULONG before = g_control.references;
    windows.banner.Show(instance);
    windows.options.Show(instance, main);
    windows.tellAFriend.Show(instance);
    windows.about.Show(instance);
    // The banner makes its page once the program is idle.
    Pump(500, [] { return false; });
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
    const auto play = std::find(g_calls.begin(), g_calls.end(), L"Invoke 1004");
    ASSERT_TRUE(play != g_calls.end() && play != g_calls.begin());
    EXPECT_EQ(*(play - 1), L"Invoke 1003" + ProgramFolder() + L"\\gama.dsp");
}

}  // namespace
}  // namespace veloria
