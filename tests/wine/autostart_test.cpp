// The Run value and the registry routines, against throw-away keys that
// stand in for the machine's and the user's Run keys.
#include "settings/autostart.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace veloria {
namespace {

constexpr const char* kScratch = "Software\\VeloriaAutostartTest";
constexpr const char* kMachine = "Software\\VeloriaAutostartTest\\Machine";
constexpr const char* kUser = "Software\\VeloriaAutostartTest\\User";
constexpr const char* kTitle = "Veloria 2";
const std::string kExe = "C:\\Program Files\\Veloria\\veloria.exe";
const std::string kQuoted = "\"" + kExe + "\"";

class RunKeys : public testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
        for (const char* path : {kMachine, kUser}) {
            HKEY key = nullptr;
            ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
            ::RegCloseKey(key);
        }
    }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kScratch); }

    static void Put(const char* path, DWORD type, const std::string& bytes)
    {
        ::RegSetKeyValueA(HKEY_CURRENT_USER, path, kTitle, type, bytes.data(), static_cast<DWORD>(bytes.size()));
    }
    // The value's type and bytes as stored, or nothing.
    static std::optional<std::pair<DWORD, std::string>> Stored(const char* path)
    {
        char data[512] = {};
        DWORD type = 0;
        DWORD size = sizeof(data);
        if (::RegGetValueA(HKEY_CURRENT_USER, path, kTitle, RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        return std::make_pair(type, std::string(data, size));
    }

    const Autostart autostart_{kExe, {HKEY_CURRENT_USER, kMachine}, {HKEY_CURRENT_USER, kUser}};
};

TEST_F(RunKeys, ValuesAreReadAndWrittenByType)
{
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kMachine, kTitle), "");
    Put(kMachine, REG_EXPAND_SZ, kExe + '\0');
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kMachine, kTitle), "");
    Put(kMachine, REG_SZ, std::string("ab\0c\0\0", 6));
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kMachine, kTitle), "abc");
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, "Software\\VeloriaAutostartTest\\Nowhere", kTitle), "");

    EXPECT_TRUE(SetValue(HKEY_CURRENT_USER, kMachine, kTitle, REG_DWORD, "7"));
    EXPECT_EQ(Stored(kMachine), std::make_pair(DWORD{REG_DWORD}, std::string("\x07\0\0\0", 4)));
    EXPECT_TRUE(DeleteValue(HKEY_CURRENT_USER, kMachine, kTitle));
    EXPECT_TRUE(SetValue(HKEY_CURRENT_USER, kMachine, kTitle, REG_BINARY, "7"));
    EXPECT_EQ(Stored(kMachine), std::nullopt);
    EXPECT_FALSE(DeleteValue(HKEY_CURRENT_USER, kMachine, kTitle));
}

TEST_F(RunKeys, SavingMakesTheMachineEntryAgreeWithTheSetting)
{
    struct Case {
        std::optional<std::pair<DWORD, std::string>> before;
        bool wanted;
        std::optional<std::string> after;  // REG_SZ data, or no value
    };
    const auto sz = [](const std::string& text) { return std::make_pair(DWORD{REG_SZ}, text + '\0'); };
    const std::string moved = "C:\\Old place\\veloria.exe";
    const std::string otherCase = "c:\\program files\\veloria\\VELORIA.EXE";
    const Case cases[] = {
        {std::nullopt, true, kQuoted},          // created, quoted
        {sz(moved), true, kQuoted},             // the program was moved
        {sz(moved), false, moved},              // another copy's entry stays
        {sz(kQuoted), false, std::nullopt},     // ours goes
        {sz(kExe), false, std::nullopt},        // so does ours unquoted
        {sz(kExe), true, kQuoted},              // which is quoted when enabled
        {sz(otherCase), true, kQuoted},         // letter case counts
        {std::make_pair(DWORD{REG_EXPAND_SZ}, kExe + '\0'), true, kQuoted},
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

TEST_F(RunKeys, SavingTwiceWritesOnce)
{
    autostart_.AplicarAutoinicio(true);
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kMachine, 0, KEY_NOTIFY, &key), ERROR_SUCCESS);
    const HANDLE changed = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ::RegNotifyChangeKeyValue(key, FALSE, REG_NOTIFY_CHANGE_LAST_SET, changed, TRUE);
    autostart_.AplicarAutoinicio(true);
    EXPECT_EQ(::WaitForSingleObject(changed, 200), static_cast<DWORD>(WAIT_TIMEOUT));
    ::CloseHandle(changed);
    ::RegCloseKey(key);
}

TEST_F(RunKeys, WithoutTheMachineKeyTheUsersOwnServes)
{
    const Autostart closed{kExe, {HKEY_CURRENT_USER, "Software\\VeloriaAutostartTest\\Closed"},
                           {HKEY_CURRENT_USER, kUser}};
    closed.AplicarAutoinicio(true);
    EXPECT_EQ(Stored(kUser), std::make_pair(DWORD{REG_SZ}, kQuoted + '\0'));
    EXPECT_TRUE(closed.IsAutostartEnabled());
    closed.AplicarAutoinicio(false);
    EXPECT_EQ(Stored(kUser), std::nullopt);
    EXPECT_FALSE(closed.IsAutostartEnabled());
}

}  // namespace
}  // namespace veloria
