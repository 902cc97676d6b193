// The Run value and the registry routines, against throw-away keys that
// stand in for the machine's and the user's Run keys.
#include "settings/autostart.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace veloria {
namespace {

constexpr const wchar_t* kScratch = L"Software\\VeloriaAutostartTest";
constexpr const wchar_t* kMachine = L"Software\\VeloriaAutostartTest\\Machine";
constexpr const wchar_t* kUser = L"Software\\VeloriaAutostartTest\\User";
constexpr const wchar_t* kTitle = L"Veloria 2";
// A folder no code page spells.
const std::wstring kUserName = L"\u017B\u00F3\u0142w \u03A9\u03BC\u03AD\u03B3\u03B1 \u65E5\u672C";
const std::wstring kExe = L"C:\\Users\\" + kUserName + L"\\Veloria\\veloria.exe";
const std::wstring kQuoted = L"\"" + kExe + L"\"";

class RunKeys : public testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
        for (const wchar_t* path : {kMachine, kUser}) {
            HKEY key = nullptr;
            ::RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
            ::RegCloseKey(key);
        }
    }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kScratch); }

    static void Put(const wchar_t* path, DWORD type, const std::wstring& data)
    {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, path, kTitle, type, data.data(),
                          static_cast<DWORD>(data.size() * sizeof(wchar_t)));
    }
    // The value's type and data as stored, or nothing.
    static std::optional<std::pair<DWORD, std::wstring>> Stored(const wchar_t* path)
    {
        wchar_t data[512] = {};
        DWORD type = 0;
        DWORD size = sizeof(data);
        if (::RegGetValueW(HKEY_CURRENT_USER, path, kTitle, RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        return std::make_pair(type, std::wstring(data, size / sizeof(wchar_t)));
    }

    const Autostart autostart_{kExe, {HKEY_CURRENT_USER, kMachine}, {HKEY_CURRENT_USER, kUser}};
};

TEST_F(RunKeys, ValuesAreReadAndWrittenByType)
{
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kMachine, kTitle), L"");
    Put(kMachine, REG_EXPAND_SZ, kExe + L'\0');
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kMachine, kTitle), L"");
    Put(kMachine, REG_SZ, std::wstring(L"ab\0\u65E5\0\0", 6));
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kMachine, kTitle), L"ab\u65E5");
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, L"Software\\VeloriaAutostartTest\\Nowhere", kTitle), L"");

    EXPECT_TRUE(SetValue(HKEY_CURRENT_USER, kMachine, kTitle, REG_DWORD, L"7"));
    EXPECT_EQ(Stored(kMachine), std::make_pair(DWORD{REG_DWORD}, std::wstring(L"\x07\0", 2)));
    EXPECT_TRUE(DeleteValue(HKEY_CURRENT_USER, kMachine, kTitle));
    EXPECT_TRUE(SetValue(HKEY_CURRENT_USER, kMachine, kTitle, REG_BINARY, L"7"));
    EXPECT_EQ(Stored(kMachine), std::nullopt);
    EXPECT_FALSE(DeleteValue(HKEY_CURRENT_USER, kMachine, kTitle));
}

TEST_F(RunKeys, SavingMakesTheMachineEntryAgreeWithTheSetting)
{
    struct Case {
        std::optional<std::pair<DWORD, std::wstring>> before;
        bool wanted;
        std::optional<std::wstring> after;  // REG_SZ data, or no value
    };
    const auto sz = [](const std::wstring& text) { return std::make_pair(DWORD{REG_SZ}, text + L'\0'); };
    const std::wstring moved = L"C:\\Old place\\veloria.exe";
    const std::wstring otherCase = L"c:\\users\\" + kUserName + L"\\veloria\\VELORIA.EXE";
    const Case cases[] = {
        {std::nullopt, true, kQuoted},          // created, quoted
        {sz(moved), true, kQuoted},             // the program was moved
        {sz(moved), false, moved},              // another copy's entry stays
        {sz(kQuoted), false, std::nullopt},     // ours goes
        {sz(kExe), false, std::nullopt},        // so does ours unquoted
        {sz(kExe), true, kQuoted},              // which is quoted when enabled
        {sz(otherCase), true, kQuoted},         // letter case counts
        {std::make_pair(DWORD{REG_EXPAND_SZ}, kExe + L'\0'), true, kQuoted},
    };
    for (const Case& c : cases) {
        SetUp();
        if (c.before) {
            Put(kMachine, c.before->first, c.before->second);
        }
        autostart_.AplicarAutoinicio(c.wanted);
        EXPECT_EQ(Stored(kMachine), c.after ? std::optional(sz(*c.after)) : std::nullopt) << c.wanted;
        EXPECT_EQ(Stored(kUser), std::nullopt);
        EXPECT_EQ(autostart_.IsAutostartEnabled(), c.wanted);
    }
}

TEST_F(RunKeys, WithoutTheMachineKeyTheUsersOwnServes)
{
    const Autostart closed{kExe, {HKEY_CURRENT_USER, L"Software\\VeloriaAutostartTest\\Closed"},
                           {HKEY_CURRENT_USER, kUser}};
    closed.AplicarAutoinicio(true);
    EXPECT_EQ(Stored(kUser), std::make_pair(DWORD{REG_SZ}, kQuoted + L'\0'));
    EXPECT_TRUE(closed.IsAutostartEnabled());
    closed.AplicarAutoinicio(false);
    EXPECT_EQ(Stored(kUser), std::nullopt);
    EXPECT_FALSE(closed.IsAutostartEnabled());
}

}  // namespace
}  // namespace veloria
