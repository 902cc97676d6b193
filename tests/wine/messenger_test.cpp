// New conversation windows of the messenger client, with a component of
// the test's own registered in this process under the Messenger class. Its
// identifiers are the component's published ones (MessengerAPI, msgrua.h),
// written here on their own: the stand-in must not learn them from the
// program it tests.
#include "transparency/messenger.h"

#include <gtest/gtest.h>

#include "fake_com.h"
#include "settings/settings_record.h"
#include "test_windows.h"

namespace veloria {
namespace {

constexpr CLSID kClassMessenger = {0xB69003B3, 0xC55E, 0x4B48, {0x83, 0x6C, 0xBC, 0x59, 0x46, 0xFC, 0x3B, 0x28}};
constexpr IID kDMessengerEvents = {0xC9A6A6B6, 0x9BC1, 0x43A5, {0xB0, 0x6B, 0xE5, 0x88, 0x74, 0xEE, 0xBC, 0x96}};
constexpr DISPID kDispidOnIMWindowCreated = 0x0411;  // DISPID_MUAE_ONIMWINDOWCREATED

test::FakePoint g_point;

struct Messenger final : IConnectionPointContainer {
    VELORIA_FAKE_COUNTS
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        const bool known = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPointContainer);
        *out = known ? this : nullptr;
        return known ? S_OK : E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override
    {
        *out = IsEqualIID(iid, kDMessengerEvents) ? &g_point : nullptr;
        return *out != nullptr ? S_OK : CONNECT_E_NOCONNECTION;
    }
} g_messenger;

// The conversation window object: one property, "hWnd" (none when 0).
struct WindowObject final : IDispatch {
    VELORIA_FAKE_COUNTS
    explicit WindowObject(HWND window) : handle(static_cast<LONG>(reinterpret_cast<LONG_PTR>(window))) {}
    LONG handle;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        const bool known = count == 1 && handle != 0 && ::lstrcmpiW(names[0], L"hWnd") == 0;
        ids[0] = known ? 1 : DISPID_UNKNOWN;
        return known ? S_OK : DISP_E_UNKNOWNNAME;
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

void OpenConversation(HWND window)
{
    WindowObject object(window);
    VARIANT argument{};
    argument.vt = VT_DISPATCH;
    argument.pdispVal = &object;
    g_point.Fire(kDispidOnIMWindowCreated, {argument});
}

TEST(Messenger, NewConversationWindowsGetTheLevelOfTheSettings)
{
    ::OleInitialize(nullptr);
    EXPECT_FALSE(MessengerConnection().Connect());  // no component: nothing, silently
    const test::FakeClass registered(kClassMessenger, &g_messenger);
    MessengerConnection connection;
    ASSERT_TRUE(connection.Connect());
    const WindowHandle window = test::MakeTestWindow(L"Conversation");
    // Feature, stored level, the window's level before and after.
    const std::tuple<const wchar_t*, const wchar_t*, int, int> cases[] = {
        {L"1", L"200", -1, 200}, {L"1", L"255", 90, -1},    {L"1", L"300", 90, -1},  {L"0", L"200", -1, -1},
        {L"2", L"200", -1, -1},  {L"1", L"254.6", -1, 255}, {L"1", L"-40", -1, 0}, {L"1", L"dim", -1, 200}};
    for (const auto& [on, level, before, after] : cases) {
        Settings().AutoMSN_ChatWindow = on;
        Settings().AutoMSN_ChatWindow_ALPHA = level;
        ::SetWindowLongW(window.get(), GWL_EXSTYLE, before < 0 ? 0 : WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(window.get(), 0, static_cast<BYTE>(before), LWA_ALPHA);
        OpenConversation(window.get());
        EXPECT_EQ(test::LayeredAlpha(window.get()), after) << on << L" " << level;
    }
    // A window object whose "hWnd" cannot be read changes nothing.
    ::SetWindowLongW(window.get(), GWL_EXSTYLE, 0);
    OpenConversation(nullptr);
    EXPECT_EQ(test::LayeredAlpha(window.get()), -1);
    connection.Disconnect();
    EXPECT_EQ(g_point.calls, (std::vector<std::wstring>{L"Advise", L"Unadvise 9"}));
}

}  // namespace
}  // namespace veloria
