// Language files: junk, the identity read from a browsed file, and the
// listing of the language folder with names in any script. The shipped
// files are read in every layout by the scale test; files in UTF-8 and
// UTF-16 under Cyrillic names are the end-to-end tests'.
#include "language/language_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "language/language_folder.h"
#include "language/language_keys.h"
#include "test_windows.h"

namespace veloria {
namespace {

void UseShippedLanguage(const std::wstring& file)
{
    LanguageFolder() = test::OwnFolder() + L"/language/";
    LoadLanguage(file);
}

TEST(LoadLanguage, AMissingFileOrJunkNeverStopsTheProgram)
{
    const test::TempFolder folder;
    LoadLanguageFrom(folder.file(L"nothere.ini"));
    EXPECT_EQ(std::count(LanguageTexts().begin(), LanguageTexts().end(), kMissingText), kFirstLanguageKeyCount);
    EXPECT_EQ(LanguageText(Lang::LANG_BALLOON_REFUSED_OTHER), L"Windows refused the change.");
    std::string junk(200000, '\xff');
    const char tail[] = "\r\n[[[\r\n=\r\n\0\0\r\n[MainMenu]\r\nLANG_MAINMENU_HELP=Help\r\n";
    junk.append(tail, sizeof(tail) - 1);
    test::WriteFile(folder.file(L"junk.ini"), junk);
    LoadLanguageFrom(folder.file(L"junk.ini"));
    EXPECT_EQ(LanguageText(Lang::LANG_MAINMENU_HELP), L"Help");
}

TEST(ReadLanguageInfo, OnlyTheIdentityComesFromTheBrowsedFile)
{
    UseShippedLanguage(L"english.ini");
    ReadLanguageInfo(L"spanish.ini");
    EXPECT_EQ(LanguageText(Lang::LANG_COUNTRYCODE), L"es");
    EXPECT_EQ(LanguageText(Lang::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGDATE), L"Fecha:");
    EXPECT_EQ(LanguageText(Lang::LANG_MAINMENU_CLOSE), L"Close");
}

TEST(ListFiles, MatchingNamesFoldersIncludedAndNothingForAMissingFolder)
{
    const test::TempFolder folder;
    test::WriteFile(folder.file(L"english.ini"), "[General]\r\n");
    test::WriteFile(folder.file(L"\u65E5\u672C\u8A9E.ini"), "[General]\r\n");
    test::WriteFile(folder.file(L"notes.txt"), "notes");
    ASSERT_TRUE(::CreateDirectoryW(folder.file(L"old.ini").c_str(), nullptr));
    LanguageFiles() = {L"stale.ini"};
    ListFiles(folder.path() + L"/", L"*.ini");  // the language folder's own form
    std::vector<std::wstring> listed = LanguageFiles();
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::wstring>{L"english.ini", L"old.ini", L"\u65E5\u672C\u8A9E.ini"}));
    ListFiles(folder.file(L"language") + L"/", L"*.ini");
    EXPECT_TRUE(LanguageFiles().empty());
}

}  // namespace
}  // namespace veloria
