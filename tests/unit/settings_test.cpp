// The readings of setting texts and what they make of
// texts that are not numbers.
#include <gtest/gtest.h>

#include <limits>

#include "settings/run_entry.h"
#include "settings/setting_text.h"
#include "settings/settings_record.h"

namespace veloria {
namespace {

TEST(ParseSettingNumber, PlainDecimalNumbersOnly)
{
    const std::pair<const char*, double> numbers[] = {{"222", 222}, {" 42\t", 42}, {"-1", -1}, {"+3", 3},
                                                      {"1.5", 1.5}, {".5", 0.5},   {"1e2", 100}, {"007", 7}};
    for (const auto& [text, value] : numbers) {
        EXPECT_EQ(ParseSettingNumber(text), value) << '"' << text << '"';
    }
    for (const char* text : {"", "   ", "abc", "12abc", "1 2", "1e999", "-1e999", "inf", "nan", "0x10", "+-1", "--1",
                             "1..2", "e5", "-", "1,5"}) {
        EXPECT_FALSE(ParseSettingNumber(text).has_value()) << '"' << text << '"';
    }
}

TEST(SettingReadings, TruthValuesOnlyWhenOneWholeAndShortNumbers)
{
    EXPECT_TRUE(ReadTruthValue("-1", "0") && ReadTruthValue("5", "0"));
    EXPECT_FALSE(ReadTruthValue("0.0", "1"));
    EXPECT_TRUE(ReadNumberIsOne("1.0", "0"));
    EXPECT_FALSE(ReadNumberIsOne("-1", "0") || ReadNumberIsOne("2", "0"));
    EXPECT_EQ(ReadWholeNumber("221.5", "0"), 222);
    EXPECT_EQ(ReadWholeNumber("222.5", "0"), 222);
    EXPECT_EQ(ReadWholeNumber("3000000000", "0"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ReadShortNumber("70000", "0"), 32767);  // would wrap to 4464
    EXPECT_EQ(ReadShortNumber("-70000", "0"), -32768);
}

TEST(SettingReadings, TextsThatAreNotNumbersReadAsTheKeysDefault)
{
    SettingsRecord damaged;  // every text empty, as a file with empty values gives
    damaged.DefaultAlpha = "abc";
    damaged.AtutoMenuInicio_ALPHAV = "1e999";
    damaged.AutoMSN_ChatWindow_ALPHA = "12abc";
    EXPECT_EQ(DefaultAlphaLevel(damaged), 222);
    EXPECT_TRUE(PlainWindowLook(damaged));
    EXPECT_FALSE(AutoStartEnabled(damaged) || AutoUpdateEnabled(damaged) || TaskbarTranslucentAtStart(damaged) ||
                 MessengerWindowsEnabled(damaged));
    EXPECT_EQ(TaskbarLevel(damaged), 0);
    EXPECT_EQ(MessengerWindowLevel(damaged), 200.0);
}

TEST(RunEntry, QuotedWhenThePathHasABlankAndOldUnquotedEntriesStillOurs)
{
    // The registry side (moved, other folders, letter case) is the module
    // tests'; here the paths without a blank, and the empty one.
    EXPECT_EQ(RunCommandFor("C:\\Program Files\\V.exe"), "\"C:\\Program Files\\V.exe\"");
    EXPECT_EQ(RunCommandFor("C:\\Tools\\veloria.exe"), "C:\\Tools\\veloria.exe");
    EXPECT_TRUE(IsOwnRunEntry("C:\\Tools\\veloria.exe", "C:\\Tools\\veloria.exe"));
    EXPECT_FALSE(IsOwnRunEntry("", "") || IsOwnRunEntry("\"\"", ""));
}

}  // namespace
}  // namespace veloria
