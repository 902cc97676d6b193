// Language files read through the system's profile functions, the shipped
// files, and the listing of the language folder.
#include "language/language_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "language/language_folder.h"
#include "language/language_keys.h"
#include "settings/settings_record.h"
#include "test_windows.h"

namespace veloria {
namespace {

// A complete language file whose every text is "<key> text".
std::string CompleteFile(const std::string& skipSection = "")
{
    std::string contents;
    std::string section;
    for (const LanguageKey& entry : kLanguageKeys) {
        if (entry.section == skipSection) {
            continue;
        }
        if (section != entry.section) {
            section = entry.section;
            contents += "[" + section + "]\r\n";
        }
        contents += std::string(entry.key) + "=" + entry.key + " text\r\n";
    }
    return contents;
}

const std::string& Text(Lang key)
{
    return LanguageText(key);
}

constexpr Lang kMenuTexts[] = {Lang::LANG_MAINMENU_ABOUT,   Lang::LANG_MAINMENU_TELLAFRIEND,
                               Lang::LANG_MAINMENU_ALPHATASKBAR, Lang::LANG_MAINMENU_OPTIONS,
                               Lang::LANG_MAINMENU_LANGUAGE, Lang::LANG_MAINMENU_HELP,
                               Lang::LANG_MAINMENU_CLOSE};

TEST(LoadLanguage, EveryShippedFileHasEveryKeyInItsSection)
{
    LanguageFolder() = test::OwnFolder() + "/language/";
    ListFiles(LanguageFolder(), "*.ini");
    std::vector<std::string> shipped = LanguageFiles();
    std::sort(shipped.begin(), shipped.end());
    ASSERT_GE(shipped.size(), 2u);
    EXPECT_TRUE(std::binary_search(shipped.begin(), shipped.end(), "english.ini"));
    EXPECT_TRUE(std::binary_search(shipped.begin(), shipped.end(), "spanish.ini"));
    for (const std::string& file : shipped) {
        Settings().LanguageFile = file;
        LoadLanguage();
        for (std::size_t i = 0; i < kLanguageKeyCount; ++i) {
            EXPECT_NE(LanguageTexts()[i], kMissingText) << file << ": " << kLanguageKeys[i].key;
            EXPECT_FALSE(LanguageTexts()[i].empty()) << file << ": " << kLanguageKeys[i].key;
        }
    }
}

TEST(LoadLanguage, ShippedLanguagesSpeakTheirOwnLanguage)
{
    LanguageFolder() = test::OwnFolder() + "/language/";
    Settings().LanguageFile = "english.ini";
    LoadLanguage();
    EXPECT_EQ(Text(Lang::LANG_MAINMENU_CLOSE), "Close");
    EXPECT_EQ(Text(Lang::LANG_COUNTRYCODE), "us");
    Settings().LanguageFile = "spanish.ini";
    LoadLanguage();
    EXPECT_EQ(Text(Lang::LANG_MAINMENU_CLOSE), "Cerrar");
    EXPECT_EQ(Text(Lang::LANG_COUNTRYCODE), "es");
    // Windows-1252 text, read as the system's ANSI code page.
    EXPECT_EQ(Text(Lang::LANG_NAME), "Espa\xf1ol");
}

TEST(LoadLanguage, AMissingSectionReadsAsTheErrorText)
{
    const test::TempFolder folder;
    test::WriteFile(folder.file("nomenu.ini"), CompleteFile("MainMenu"));
    LoadLanguageFrom(folder.file("nomenu.ini"));
    for (Lang key : kMenuTexts) {
        EXPECT_EQ(Text(key), kMissingText) << KeyOf(key).key;
    }
    EXPECT_EQ(Text(Lang::LANG_WINDOWOPTIONS_BTN_OK), "LANG_WINDOWOPTIONS_BTN_OK text");
}

TEST(LoadLanguage, NamesMatchInAnyCase)
{
    const test::TempFolder folder;
    test::WriteFile(folder.file("caps.ini"),
                    "[WINDOWOPTIONS_TAB_GENERAL]\r\nLANG_WINDOWOPTIONS_TAB_GENERAL_CHECK_TASKBARALPHA=Taskbar\r\n"
                    "[mainmenu]\r\nlang_mainmenu_close=Quit\r\n");
    LoadLanguageFrom(folder.file("caps.ini"));
    EXPECT_EQ(Text(Lang::LANG_WINDOWOPTIONS_TAB_GENERAL_CheCK_TASKBARALPHA), "Taskbar");
    EXPECT_EQ(Text(Lang::LANG_MAINMENU_CLOSE), "Quit");
}

TEST(LoadLanguage, KeysOutsideTheirSectionAreNotFound)
{
    const test::TempFolder folder;
    test::WriteFile(folder.file("moved.ini"),
                    "[WindowControl]\r\nLANG_WINDOWCONTROL_TITLE=Banner\r\n"
                    "[WINDOWOPTIONS]\r\nLANG_WINDOWOPTIONS_MSGBOX_DOWNLOADUPDATEAVAILABLE=New\r\n"
                    "LANG_WINDOWOPTIONS_MSGBOX_DOWNLOADUPDATEFAIL=Failed\r\n");
    LoadLanguageFrom(folder.file("moved.ini"));
    EXPECT_EQ(Text(Lang::LANG_WINDOWCONTROL_TITLE), kMissingText);
    EXPECT_EQ(Text(Lang::LANG_WINDOWOPTIONS_MSGBOX_DOWNLOADUPDATEAVAILABLE), kMissingText);
    EXPECT_EQ(Text(Lang::LANG_WINDOWOPTIONS_MSGBOX_DOWNLOADUPDATEFAIL), kMissingText);
}

TEST(LoadLanguage, LongValuesAreCutAndEmptyValuesStayEmpty)
{
    const test::TempFolder folder;
    test::WriteFile(folder.file("long.ini"), "[MainMenu]\r\nLANG_MAINMENU_HELP=" + std::string(300, 'h') +
                                                 "\r\nLANG_MAINMENU_CLOSE=\r\n");
    LoadLanguageFrom(folder.file("long.ini"));
    EXPECT_EQ(Text(Lang::LANG_MAINMENU_HELP), std::string(254, 'h'));
    EXPECT_EQ(Text(Lang::LANG_MAINMENU_CLOSE), "");
}

TEST(LoadLanguage, AMissingFileOrJunkNeverStopsTheProgram)
{
    const test::TempFolder folder;
    LoadLanguageFrom(folder.file("nothere.ini"));
    for (const std::string& text : LanguageTexts()) {
        EXPECT_EQ(text, kMissingText);
    }
    std::string junk(200000, '\xff');
    const char tail[] = "\r\n[[[\r\n=\r\n\0\0\r\n[MainMenu]\r\nLANG_MAINMENU_HELP=Help\r\n";
    junk.append(tail, sizeof(tail) - 1);
    test::WriteFile(folder.file("junk.ini"), junk);
    LoadLanguageFrom(folder.file("junk.ini"));
    EXPECT_EQ(Text(Lang::LANG_MAINMENU_HELP), "Help");
}

TEST(ReadLanguageInfo, OnlyTheIdentityComesFromTheBrowsedFile)
{
    LanguageFolder() = test::OwnFolder() + "/language/";
    Settings().LanguageFile = "english.ini";
    LoadLanguage();
    ReadLanguageInfo("spanish.ini");
    EXPECT_EQ(Text(Lang::LANG_COUNTRYCODE), "es");
    EXPECT_EQ(Text(Lang::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGDATE), "Fecha:");
    EXPECT_EQ(Text(Lang::LANG_MAINMENU_CLOSE), "Close");
    EXPECT_EQ(Text(Lang::LANG_WINDOWOPTIONS_BTN_OK), "OK");
}

TEST(ListFiles, ListsMatchingNamesFoldersIncluded)
{
    const test::TempFolder folder;
    test::WriteFile(folder.file("english.ini"), "[General]\r\n");
    test::WriteFile(folder.file("notes.txt"), "notes");
    ASSERT_TRUE(::CreateDirectoryA(folder.file("old.ini").c_str(), nullptr));
    LanguageFiles() = {"stale.ini"};
    // The language folder's own form: a forward slash at its end.
    ListFiles(folder.path() + "/", "*.ini");
    std::vector<std::string> listed = LanguageFiles();
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"english.ini", "old.ini"}));
}

TEST(ListFiles, AMissingFolderGivesAnEmptyList)
{
    const test::TempFolder folder;
    LanguageFiles() = {"stale.ini"};
    ListFiles(folder.file("language") + "/", "*.ini");
    EXPECT_TRUE(LanguageFiles().empty());
}

}  // namespace
}  // namespace veloria
