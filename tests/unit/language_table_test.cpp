// The table of language texts and the folder listing rules.
#include "language/language_folder.h"
#include "language/language_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace veloria {
namespace {

std::string SectionOf(const char* key)
{
    for (const LanguageKey& entry : kLanguageKeys) {
        if (std::string(entry.key) == key) {
            return entry.section;
        }
    }
    return "(none)";
}

TEST(LanguageTable, FiftyTwoKeysEachOnce)
{
    EXPECT_EQ(kLanguageKeyCount, 52u);
    std::set<std::string> keys;
    for (const LanguageKey& entry : kLanguageKeys) {
        EXPECT_TRUE(keys.insert(entry.key).second) << entry.key;
    }
    EXPECT_STREQ(kLanguageKeys.front().key, "LANG_NAME");
    EXPECT_STREQ(kLanguageKeys.back().key, "LANG_WINDOWTELLAFRIEND_MSGBOX_FAILCONNECTINTRENET");
    EXPECT_STREQ(KeyOf(Lang::LANG_MAINMENU_CLOSE).key, "LANG_MAINMENU_CLOSE");
    EXPECT_EQ(static_cast<std::size_t>(Lang::LANG_MAINMENU_ABOUT), 10u);  // row 11
}

TEST(LanguageTable, TheOddPlacementsStandAsTheFileFormatHasThem)
{
    EXPECT_EQ(SectionOf("LANG_WINDOWOPTIONS_MSGBOX_DOWNLOADUPDATEAVAILABLE"), "Main");
    EXPECT_EQ(SectionOf("LANG_WINDOWOPTIONS_MSGBOX_DOWNLOADUPDATEFAIL"), "Main");
    EXPECT_EQ(SectionOf("LANG_WINDOWOPTIONS_MSGBOX_AUTOUPDATEFAIL"), "WINDOWOPTIONS");
    EXPECT_EQ(SectionOf("LANG_WINDOWCONTROL_TITLE"), "WindowBanner");
    EXPECT_EQ(SectionOf("LANG_WINDOWCONTROL_LABEL_CLICKANDDRAG"), "WindowControl");
    EXPECT_EQ(SectionOf("LANG_WINDOWOPTIONS_TAB_GENERAL_CheCK_TASKBARALPHA"), "WindowOptions_TAB_GENERAL");
}

TEST(LanguageTable, SectionsHoldTheirRows)
{
    std::size_t general = 0;
    std::size_t mainMenu = 0;
    for (const LanguageKey& entry : kLanguageKeys) {
        general += std::string(entry.section) == "General" ? 1u : 0u;
        mainMenu += std::string(entry.section) == "MainMenu" ? 1u : 0u;
    }
    EXPECT_EQ(general, 8u);
    EXPECT_EQ(mainMenu, 7u);
    // A browsed file's identity: rows 1 to 8 and the five labels.
    EXPECT_EQ(kLanguageInfoKeys.size(), 13u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(static_cast<std::size_t>(kLanguageInfoKeys[i]), i);
    }
    for (std::size_t i = 8; i < kLanguageInfoKeys.size(); ++i) {
        EXPECT_EQ(std::string(KeyOf(kLanguageInfoKeys[i]).section), "WindowOptions_TAB_GENERAL");
    }
}

TEST(LanguageListing, AlwaysAppendsABackslashUnlessThereIsOne)
{
    EXPECT_EQ(SearchPattern("C:\\app/language/", "*.ini"), "C:\\app/language/\\*.ini");
    EXPECT_EQ(SearchPattern("C:\\app\\language\\", "*.ini"), "C:\\app\\language\\*.ini");
    EXPECT_EQ(SearchPattern("", "*.ini"), "\\*.ini");
    EXPECT_FALSE(IsListedName("."));
    EXPECT_FALSE(IsListedName(".."));
    EXPECT_TRUE(IsListedName("...ini"));
    EXPECT_TRUE(IsListedName("english.ini"));
}

}  // namespace
}  // namespace veloria
