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

test::FakeControl g_messenger(kDMessengerEvents, g_point);

// A conversation window object: its one property "hWnd" (none when 0).
void OpenConversation(HWND window)
{
    test::FakeControl object(kDMessengerEvents, g_point, static_cast<LONG>(reinterpret_cast<LONG_PTR>(window)));
    VARIANT argument{};
    argument.vt = VT_DISPATCH;
    argument.pdispVal = static_cast<IDispatch*>(&object);
    g_point.Fire(kDispidOnIMWindowCreated, {argument});
}

TEST(Messenger, NewConversationWindowsGetTheLevelOfTheSettings)
{
    ::OleInitialize(nullptr);
    EXPECT_FALSE(MessengerConnection().Connect());  // no component: nothing, silently
    const test::FakeClass registered(kClassMessenger, static_cast<IOleObject*>(&g_messenger));
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
