// "Config.ini" read and written through the system's profile functions, in
// throw-away folders.
#include "settings/config_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_windows.h"

namespace veloria {
namespace {

std::vector<std::wstring> Texts(const SettingsRecord& record)
{
    std::vector<std::wstring> texts;
    for (const SettingKey& key : kSettingKeys) {
        texts.push_back(record.*key.field);
    }
    return texts;
}

const std::vector<std::wstring> kSample{L"221", L"-1", L"1", L"0", L"1", L"128", L"spanish.ini", L"1", L"204", L"1"};

SettingsRecord Sample(const std::wstring& language = L"spanish.ini")
{
    SettingsRecord values;
    for (std::size_t i = 0; i < kSettingKeys.size(); ++i) {
        values.*kSettingKeys[i].field = kSample[i];
    }
    values.LanguageFile = language;
    return values;
}

TEST(ReadSettingsFile, MissingFileEmptyLongAndOddlyCasedValues)
{
    const test::TempFolder folder;
    EXPECT_EQ(Texts(ReadSettingsFile(folder.path())),
              (std::vector<std::wstring>{L"222", L"1", L"0", L"0", L"0", L"0", L"english.ini", L"0", L"200", L"0"}));
    test::WriteFile(folder.file(L"Config.ini"), "[GENERAL]\r\nlanguagefile=" + std::string(300, 'x') +
                                                   "\r\nDefaultAlpha=\r\nCONTROLSTYLE=0\r\n"
                                                   "[live messenger]\r\nautomsn_chatwindow_alpha=90\r\n");
    EXPECT_EQ(Texts(ReadSettingsFile(folder.path())),
              (std::vector<std::wstring>{L"", L"0", L"0", L"0", L"0", L"0", std::wstring(254, L'x'), L"0", L"90", L"0"}));
}

TEST(WriteSettingsFile, WritesInSaveOrderAndKeepsWhatItDoesNotKnowInPlace)
{
    const test::TempFolder folder;
    SettingsRecord record = DefaultSettings();
    EXPECT_TRUE(WriteSettingsFile(folder.path(), Sample(), record).saved);
    EXPECT_EQ(test::ReadFile(folder.file(L"Config.ini")),
              "[General]\r\nDefaultAlpha=221\r\nControlStyle=-1\r\nAutoStart=1\r\nAtutoMenuInicio_ALPHA=1\r\n"
              "AtutoMenuInicio_ALPHAV=128\r\nAutoUpdate=0\r\nLanguageFile=spanish.ini\r\nRestoreOnExit=1\r\n"
              "[Live Messenger]\r\n"
              "AutoMSN_ChatWindow=1\r\nAutoMSN_ChatWindow_ALPHA=204\r\n");
    EXPECT_EQ(Texts(record), kSample);
    EXPECT_EQ(Texts(ReadSettingsFile(folder.path())), kSample);

    test::WriteFile(folder.file(L"Config.ini"),
                    "[Window]\r\nLeft=10\r\n[General]\r\nDefaultAlpha=5\r\nFavourite=blue\r\nLanguageFile=x.ini\r\n");
    EXPECT_TRUE(WriteSettingsFile(folder.path(), Sample(), record).saved);
    EXPECT_EQ(test::ReadFile(folder.file(L"Config.ini"))
                  .rfind("[Window]\r\nLeft=10\r\n[General]\r\nDefaultAlpha=221\r\nFavourite=blue\r\n"
                         "LanguageFile=spanish.ini\r\n", 0),
              0u);
}

TEST(WriteSettingsFile, AFileThatCannotBeWrittenIsReportedAndNotLost)
{
    const test::TempFolder folder;
    const std::wstring path = folder.file(L"Config.ini");
    const std::string existing = "[General]\r\nDefaultAlpha=100\r\nFavourite=blue\r\n";
    test::WriteFile(path, existing);
    SettingsRecord record = DefaultSettings();
    {
        // Held open without sharing, as an editor or a backup tool may hold it.
        const HANDLE lock = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        const SaveOutcome outcome = WriteSettingsFile(folder.path(), Sample(), record);
        ::CloseHandle(lock);
        EXPECT_FALSE(outcome.saved);
        EXPECT_EQ(outcome.path, path);
        const std::wstring message = SaveFailureMessage(outcome);
        EXPECT_NE(message.find(path), std::wstring::npos);
        EXPECT_NE(message.find(L"could not save"), std::wstring::npos);
    }
    EXPECT_EQ(Texts(record), kSample);
    EXPECT_EQ(test::ReadFile(path), existing);

    // A folder where the file should be, and a folder that is not there.
    const test::TempFolder other;
    ASSERT_TRUE(::CreateDirectoryW(other.file(L"Config.ini").c_str(), nullptr));
    EXPECT_FALSE(WriteSettingsFile(other.path(), Sample(), record).saved);
    EXPECT_FALSE(WriteSettingsFile(other.file(L"no such folder"), Sample(), record).saved);
}

// Saved as UTF-8 with its mark and held by a program that lets others read it only.
TEST(ReadConfiguration, AMarkedFileThatCannotBeRewrittenIsReadAndLeftAsItIs)
{
    const test::TempFolder folder;
    const std::wstring path = folder.file(L"Config.ini");
    const std::string marked = "\xEF\xBB\xBF[General]\r\nDefaultAlpha=150\r\n";
    test::WriteFile(path, marked);
    const HANDLE lock = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(ReadConfiguration(folder.path()));
    ::CloseHandle(lock);
    EXPECT_EQ(test::ReadFile(path), marked);
    EXPECT_EQ(Settings().DefaultAlpha, L"150");
}

// A language file named in another script: the file turns UTF-16 so that
// the name survives, and back when every value fits the code page again;
// what the program does not know stays. A package manager's hard link to
// the file sees every change.
TEST(WriteSettingsFile, AValueOutsideTheCodePageTurnsTheFileUtf16AndBack)
{
    const test::TempFolder folder;
    const std::wstring russian = L"\u0440\u0443\u0441\u0441\u043A\u0438\u0439.ini";
    test::WriteFile(folder.file(L"Config.ini"), "[Window]\r\nLeft=10\r\n");
    ASSERT_TRUE(::CreateHardLinkW(folder.file(L"kept.ini").c_str(), folder.file(L"Config.ini").c_str(), nullptr));
    SettingsRecord record = DefaultSettings();
    EXPECT_TRUE(WriteSettingsFile(folder.path(), Sample(russian), record).saved);
    EXPECT_EQ(test::ReadFile(folder.file(L"kept.ini")).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(ReadSettingsFile(folder.path()).LanguageFile, russian);
    EXPECT_TRUE(WriteSettingsFile(folder.path(), Sample(), record).saved);
    EXPECT_EQ(test::ReadFile(folder.file(L"Config.ini")).rfind("[Window]\r\nLeft=10\r\n[General]\r\n", 0), 0u);
}

}  // namespace
}  // namespace veloria
