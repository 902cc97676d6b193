// "Config.ini" read and written through the system's profile functions, in
// throw-away folders.
#include "settings/config_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_windows.h"

namespace veloria {
namespace {

std::vector<std::string> Texts(const SettingsRecord& record)
{
    std::vector<std::string> texts;
    for (const SettingKey& key : kSettingKeys) {
        texts.push_back(record.*key.field);
    }
    return texts;
}

const std::vector<std::string> kSample{"221", "-1", "1", "0", "1", "128", "spanish.ini", "1", "204"};

SettingsRecord Sample()
{
    SettingsRecord values;
    for (std::size_t i = 0; i < kSettingKeys.size(); ++i) {
        values.*kSettingKeys[i].field = kSample[i];
    }
    return values;
}

TEST(ReadSettingsFile, MissingFileEmptyLongAndOddlyCasedValues)
{
    const test::TempFolder folder;
    EXPECT_EQ(Texts(ReadSettingsFile(folder.path())),
              (std::vector<std::string>{"222", "1", "0", "0", "0", "0", "english.ini", "0", "200"}));
    test::WriteFile(folder.file("Config.ini"), "[GENERAL]\r\nlanguagefile=" + std::string(300, 'x') +
                                                   "\r\nDefaultAlpha=\r\nCONTROLSTYLE=0\r\n"
                                                   "[live messenger]\r\nautomsn_chatwindow_alpha=90\r\n");
    EXPECT_EQ(Texts(ReadSettingsFile(folder.path())),
              (std::vector<std::string>{"", "0", "0", "0", "0", "0", std::string(254, 'x'), "0", "90"}));
}

TEST(WriteSettingsFile, WritesInSaveOrderAndKeepsWhatItDoesNotKnowInPlace)
{
    const test::TempFolder folder;
    SettingsRecord record = DefaultSettings();
    EXPECT_TRUE(WriteSettingsFile(folder.path(), Sample(), record).saved);
    EXPECT_EQ(test::ReadFile(folder.file("Config.ini")),
              "[General]\r\nDefaultAlpha=221\r\nControlStyle=-1\r\nAutoStart=1\r\nAtutoMenuInicio_ALPHA=1\r\n"
              "AtutoMenuInicio_ALPHAV=128\r\nAutoUpdate=0\r\nLanguageFile=spanish.ini\r\n[Live Messenger]\r\n"
              "AutoMSN_ChatWindow=1\r\nAutoMSN_ChatWindow_ALPHA=204\r\n");
    EXPECT_EQ(Texts(record), kSample);
    EXPECT_EQ(Texts(ReadSettingsFile(folder.path())), kSample);

    test::WriteFile(folder.file("Config.ini"),
                    "[Window]\r\nLeft=10\r\n[General]\r\nDefaultAlpha=5\r\nFavourite=blue\r\nLanguageFile=x.ini\r\n");
    EXPECT_TRUE(WriteSettingsFile(folder.path(), Sample(), record).saved);
    EXPECT_EQ(test::ReadFile(folder.file("Config.ini")).rfind("[Window]\r\nLeft=10\r\n[General]\r\nDefaultAlpha=221\r\n"
                                                              "Favourite=blue\r\nLanguageFile=spanish.ini\r\n", 0),
              0u);
}

TEST(WriteSettingsFile, AFileThatCannotBeWrittenIsReportedAndNotLost)
{
    const test::TempFolder folder;
    const std::string path = folder.file("Config.ini");
    const std::string existing = "[General]\r\nDefaultAlpha=100\r\nFavourite=blue\r\n";
    test::WriteFile(path, existing);
    SettingsRecord record = DefaultSettings();
    {
        // Held open without sharing, as an editor or a backup tool may hold it.
        const HANDLE lock = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        const SaveOutcome outcome = WriteSettingsFile(folder.path(), Sample(), record);
        ::CloseHandle(lock);
        EXPECT_FALSE(outcome.saved);
        EXPECT_EQ(outcome.path, path);
        const std::string message = SaveFailureMessage(outcome);
        EXPECT_NE(message.find(path), std::string::npos) << message;
        EXPECT_NE(message.find("could not save"), std::string::npos) << message;
    }
    EXPECT_EQ(Texts(record), kSample);
    EXPECT_EQ(test::ReadFile(path), existing);

    // A folder where the file should be, and a folder that is not there.
    const test::TempFolder other;
    ASSERT_TRUE(::CreateDirectoryA(other.file("Config.ini").c_str(), nullptr));
    EXPECT_FALSE(WriteSettingsFile(other.path(), Sample(), record).saved);
    EXPECT_FALSE(WriteSettingsFile(other.file("no such folder"), Sample(), record).saved);
}

}  // namespace
}  // namespace veloria
