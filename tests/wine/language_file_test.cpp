// Language files read through the system's profile functions, the shipped
// files, and the listing of the language folder.
#include "language/language_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "language/language_folder.h"
#include "language/language_keys.h"
#include "test_windows.h"

namespace veloria {
namespace {

void UseShippedLanguage(const char* file)
{
    LanguageFolder() = test::OwnFolder() + "/language/";
    LoadLanguage(file);
}

TEST(LoadLanguage, EveryShippedFileHasEveryKeyInItsSection)
{
    UseShippedLanguage("english.ini");
    ListFiles(LanguageFolder(), "*.ini");
    const std::vector<std::string> shipped = LanguageFiles();
    for (const char* file : {"english.ini", "spanish.ini"}) {
        ASSERT_EQ(std::count(shipped.begin(), shipped.end(), file), 1) << file;
    }
    for (const std::string& file : shipped) {
        UseShippedLanguage(file.c_str());
        for (std::size_t i = 0; i < kLanguageKeyCount; ++i) {
            EXPECT_NE(LanguageTexts()[i], kMissingText) << file << ": " << kLanguageKeys[i].key;
            EXPECT_FALSE(LanguageTexts()[i].empty()) << file << ": " << kLanguageKeys[i].key;
        }
    }
    // Windows-1252 text, read in the system's ANSI code page.
    EXPECT_EQ((UseShippedLanguage("spanish.ini"), LanguageText(Lang::LANG_NAME)), "Espa\xf1ol");
}

TEST(LoadLanguage, AMissingFileOrJunkNeverStopsTheProgram)
{
    const test::TempFolder folder;
    LoadLanguageFrom(folder.file("nothere.ini"));
    EXPECT_EQ(std::count(LanguageTexts().begin(), LanguageTexts().end(), kMissingText), kLanguageKeyCount);
    std::string junk(200000, '\xff');
    const char tail[] = "\r\n[[[\r\n=\r\n\0\0\r\n[MainMenu]\r\nLANG_MAINMENU_HELP=Help\r\n";
    junk.append(tail, sizeof(tail) - 1);
    test::WriteFile(folder.file("junk.ini"), junk);
    LoadLanguageFrom(folder.file("junk.ini"));
    EXPECT_EQ(LanguageText(Lang::LANG_MAINMENU_HELP), "Help");
}

TEST(ReadLanguageInfo, OnlyTheIdentityComesFromTheBrowsedFile)
{
    UseShippedLanguage("english.ini");
    ReadLanguageInfo("spanish.ini");
    EXPECT_EQ(LanguageText(Lang::LANG_COUNTRYCODE), "es");
    EXPECT_EQ(LanguageText(Lang::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGDATE), "Fecha:");
    EXPECT_EQ(LanguageText(Lang::LANG_MAINMENU_CLOSE), "Close");
}

TEST(ListFiles, MatchingNamesFoldersIncludedAndNothingForAMissingFolder)
{
    const test::TempFolder folder;
    test::WriteFile(folder.file("english.ini"), "[General]\r\n");
    test::WriteFile(folder.file("notes.txt"), "notes");
    ASSERT_TRUE(::CreateDirectoryA(folder.file("old.ini").c_str(), nullptr));
    LanguageFiles() = {"stale.ini"};
    ListFiles(folder.path() + "/", "*.ini");  // the language folder's own form
    std::vector<std::string> listed = LanguageFiles();
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"english.ini", "old.ini"}));
    ListFiles(folder.file("language") + "/", "*.ini");
    EXPECT_TRUE(LanguageFiles().empty());
}

}  // namespace
}  // namespace veloria
