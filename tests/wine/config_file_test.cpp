// "Config.ini" read and written through the system's profile functions, in
// throw-away folders.
#include "settings/config_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "test_windows.h"

namespace veloria {
namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

SettingsRecord SampleValues()
{
    SettingsRecord values;
    values.DefaultAlpha = "221";
    values.ControlStyle = "-1";
    values.AutoStart = "1";
    values.AutoUpdate = "0";
    values.AtutoMenuInicio_ALPHA = "1";
    values.AtutoMenuInicio_ALPHAV = "128";
    values.LanguageFile = "spanish.ini";
    values.AutoMSN_ChatWindow = "1";
    values.AutoMSN_ChatWindow_ALPHA = "204";
    return values;
}

bool SameRecord(const SettingsRecord& a, const SettingsRecord& b)
{
    for (const SettingKey& key : kSettingKeys) {
        if (a.*key.field != b.*key.field) {
            return false;
        }
    }
    return true;
}

TEST(ReadSettingsFile, WithoutAFileEveryKeyHasItsDefault)
{
    const test::TempFolder folder;
    EXPECT_TRUE(SameRecord(ReadSettingsFile(folder.path()), DefaultSettings()));
}

TEST(ReadSettingsFile, AnEmptyValueIsNotTheDefault)
{
    const test::TempFolder folder;
    test::WriteFile(folder.file("Config.ini"), "[General]\r\nLanguageFile=\r\nDefaultAlpha=\r\n");
    const SettingsRecord settings = ReadSettingsFile(folder.path());
    EXPECT_EQ(settings.LanguageFile, "");
    EXPECT_EQ(settings.DefaultAlpha, "");
    EXPECT_EQ(settings.ControlStyle, "1");
    // An empty level still reads as the default level where it is used.
    EXPECT_EQ(DefaultAlphaLevel(settings), 222);
}

TEST(ReadSettingsFile, ALongValueIsCutTo254Characters)
{
    const test::TempFolder folder;
    const std::string longValue(300, 'x');
    test::WriteFile(folder.file("Config.ini"), "[General]\r\nLanguageFile=" + longValue + "\r\n");
    EXPECT_EQ(ReadSettingsFile(folder.path()).LanguageFile, std::string(254, 'x'));
}

TEST(ReadSettingsFile, SectionAndKeyNamesMatchInAnyCase)
{
    const test::TempFolder folder;
    test::WriteFile(folder.file("Config.ini"),
                    "[GENERAL]\r\ndefaultalpha=150\r\nCONTROLSTYLE=0\r\n"
                    "[live messenger]\r\nautomsn_chatwindow_alpha=90\r\n");
    const SettingsRecord settings = ReadSettingsFile(folder.path());
    EXPECT_EQ(settings.DefaultAlpha, "150");
    EXPECT_EQ(settings.ControlStyle, "0");
    EXPECT_EQ(settings.AutoMSN_ChatWindow_ALPHA, "90");
    EXPECT_EQ(settings.AutoMSN_ChatWindow, "0");
}

TEST(ReadSettingsFile, DamagedContentsNeverStopTheReading)
{
    const test::TempFolder folder;
    std::string junk = "\x80\x81[General\r\n==\r\n[General]\r\nDefaultAlpha=abc\r\n";
    junk += std::string("\0\x01\x02garbage\r\n", 12);
    junk += "AtutoMenuInicio_ALPHAV=1e999\r\n";
    test::WriteFile(folder.file("Config.ini"), junk);
    const SettingsRecord settings = ReadSettingsFile(folder.path());
    EXPECT_EQ(settings.DefaultAlpha, "abc");
    EXPECT_EQ(DefaultAlphaLevel(settings), 222);
    EXPECT_EQ(TaskbarLevel(settings), 0);
}

TEST(WriteSettingsFile, ANewFileHoldsTheKeysInSaveOrder)
{
    const test::TempFolder folder;
    SettingsRecord record = DefaultSettings();
    const SaveOutcome outcome = WriteSettingsFile(folder.path(), SampleValues(), record);
    EXPECT_TRUE(outcome.saved);
    EXPECT_EQ(Lines(test::ReadFile(folder.file("Config.ini"))),
              (std::vector<std::string>{"[General]", "DefaultAlpha=221", "ControlStyle=-1", "AutoStart=1",
                                        "AtutoMenuInicio_ALPHA=1", "AtutoMenuInicio_ALPHAV=128",
                                        "AutoUpdate=0", "LanguageFile=spanish.ini", "[Live Messenger]",
                                        "AutoMSN_ChatWindow=1", "AutoMSN_ChatWindow_ALPHA=204"}));
    EXPECT_TRUE(SameRecord(record, SampleValues()));
    EXPECT_TRUE(SameRecord(ReadSettingsFile(folder.path()), SampleValues()));
}

TEST(WriteSettingsFile, KeepsWhatItDoesNotKnowInPlace)
{
    const test::TempFolder folder;
    test::WriteFile(folder.file("Config.ini"),
                    "[Window]\r\nLeft=10\r\n[General]\r\nDefaultAlpha=5\r\nFavourite=blue\r\n"
                    "LanguageFile=english.ini\r\n");
    SettingsRecord record = DefaultSettings();
    EXPECT_TRUE(WriteSettingsFile(folder.path(), SampleValues(), record).saved);
    EXPECT_EQ(Lines(test::ReadFile(folder.file("Config.ini"))),
              (std::vector<std::string>{"[Window]", "Left=10", "[General]", "DefaultAlpha=221",
                                        "Favourite=blue", "LanguageFile=spanish.ini", "ControlStyle=-1",
                                        "AutoStart=1", "AtutoMenuInicio_ALPHA=1", "AtutoMenuInicio_ALPHAV=128",
                                        "AutoUpdate=0", "[Live Messenger]", "AutoMSN_ChatWindow=1",
                                        "AutoMSN_ChatWindow_ALPHA=204"}));
}

// A failed save names the file, keeps the new values in the record and
// leaves the file as it was (checked by the caller once it can be read).
void ExpectSaveReported(const test::TempFolder& folder)
{
    const std::string path = folder.file("Config.ini");
    SettingsRecord record = DefaultSettings();
    const SaveOutcome outcome = WriteSettingsFile(folder.path(), SampleValues(), record);
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(outcome.path, path);
    EXPECT_TRUE(SameRecord(record, SampleValues()));

    const std::string message = SaveFailureMessage(outcome);
    EXPECT_NE(message.find(path), std::string::npos) << message;
    EXPECT_NE(message.find("could not save"), std::string::npos) << message;
}

const char* const kExistingFile = "[General]\r\nDefaultAlpha=100\r\nFavourite=blue\r\n";

TEST(WriteSettingsFile, AReadOnlyFileIsReportedAndNotLost)
{
    const test::TempFolder folder;
    const std::string path = folder.file("Config.ini");
    test::WriteFile(path, kExistingFile);
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const test::FileHandle writable(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                  nullptr, OPEN_EXISTING, 0, nullptr));
    if (writable) {
        // Wine maps the attribute to the Unix write bits, which root ignores.
        GTEST_SKIP() << "this user may write read-only files; the locked-file test covers the failure";
    }
    ExpectSaveReported(folder);
    EXPECT_EQ(test::ReadFile(path), kExistingFile);
}

TEST(WriteSettingsFile, AFileLockedByAnotherProgramIsReportedAndNotLost)
{
    const test::TempFolder folder;
    const std::string path = folder.file("Config.ini");
    test::WriteFile(path, kExistingFile);
    {
        // Held open without sharing, as an editor or a backup tool may hold it.
        const test::FileHandle lock(
            ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(lock);
        ExpectSaveReported(folder);
    }
    EXPECT_EQ(test::ReadFile(path), kExistingFile);
}

TEST(WriteSettingsFile, AFolderThatCannotHoldTheFileIsReported)
{
    const test::TempFolder folder;
    // A folder named "Config.ini" stands where the file should be.
    ASSERT_TRUE(::CreateDirectoryA(folder.file("Config.ini").c_str(), nullptr));
    SettingsRecord record = DefaultSettings();
    const SaveOutcome outcome = WriteSettingsFile(folder.path(), SampleValues(), record);
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(outcome.path, folder.file("Config.ini"));
    EXPECT_TRUE(SameRecord(record, SampleValues()));

    const SaveOutcome missing = WriteSettingsFile(folder.file("no such folder"), SampleValues(), record);
    EXPECT_FALSE(missing.saved);
}

}  // namespace
}  // namespace veloria
