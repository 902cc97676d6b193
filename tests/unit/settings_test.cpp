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

    SettingsRecord stored = DefaultSettings();
    stored.DefaultAlpha = "150";
    stored.AtutoMenuInicio_ALPHAV = "151";
    stored.AutoMSN_ChatWindow_ALPHA = "255";
    stored.ControlStyle = "0";
    stored.AutoUpdate = stored.AutoStart = stored.AtutoMenuInicio_ALPHA = stored.AutoMSN_ChatWindow = "-1";
    EXPECT_EQ(DefaultAlphaLevel(stored), 150);
    EXPECT_EQ(TaskbarLevel(stored), 151);
    EXPECT_EQ(MessengerWindowLevel(stored), 255.0);
    EXPECT_FALSE(PlainWindowLook(stored) || AutoUpdateEnabled(stored) || MessengerWindowsEnabled(stored));
    EXPECT_TRUE(AutoStartEnabled(stored) && TaskbarTranslucentAtStart(stored));
}

TEST(RunEntry, QuotedWhenThePathHasABlankAndOldUnquotedEntriesStillOurs)
{
    const std::string spaced = "C:\\Program Files\\Veloria\\veloria.exe";
    EXPECT_EQ(RunCommandFor(spaced), "\"" + spaced + "\"");
    EXPECT_EQ(RunCommandFor("C:\\Tools\\veloria.exe"), "C:\\Tools\\veloria.exe");
    for (const std::string& data : {"\"" + spaced + "\"", spaced}) {
        EXPECT_TRUE(IsOwnRunEntry(data, spaced)) << data;
    }
    for (const char* data : {"C:\\Other\\veloria.exe", "c:\\program files\\veloria\\veloria.exe", "", "\""}) {
        EXPECT_FALSE(IsOwnRunEntry(data, spaced)) << data;
    }
    EXPECT_FALSE(IsOwnRunEntry("", ""));
}

}  // namespace
}  // namespace veloria
