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
    const std::pair<const wchar_t*, double> numbers[] = {{L"222", 222}, {L" 42\t", 42}, {L"-1", -1}, {L"+3", 3},
                                                      {L"1.5", 1.5}, {L".5", 0.5},   {L"1e2", 100}, {L"007", 7}};
    for (const auto& [text, value] : numbers) {
        EXPECT_EQ(ParseSettingNumber(text), value) << text;
    }
    for (const wchar_t* text : {L"", L"   ", L"abc", L"12abc", L"1 2", L"1e999", L"-1e999", L"inf", L"nan", L"0x10",
                                L"+-1", L"--1", L"1..2", L"e5", L"-", L"1,5"}) {
        EXPECT_FALSE(ParseSettingNumber(text).has_value()) << text;
    }
}

TEST(SettingReadings, TruthValuesOnlyWhenOneWholeAndShortNumbers)
{
    EXPECT_TRUE(ReadTruthValue(L"-1", L"0") && ReadTruthValue(L"5", L"0"));
    EXPECT_FALSE(ReadTruthValue(L"0.0", L"1"));
    EXPECT_TRUE(ReadNumberIsOne(L"1.0", L"0"));
    EXPECT_FALSE(ReadNumberIsOne(L"-1", L"0") || ReadNumberIsOne(L"2", L"0"));
    EXPECT_EQ(ReadWholeNumber(L"221.5", L"0"), 222);
    EXPECT_EQ(ReadWholeNumber(L"222.5", L"0"), 222);
    EXPECT_EQ(ReadWholeNumber(L"3000000000", L"0"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ReadShortNumber(L"70000", L"0"), 32767);  // would wrap to 4464
    EXPECT_EQ(ReadShortNumber(L"-70000", L"0"), -32768);
}

TEST(SettingReadings, TextsThatAreNotNumbersReadAsTheKeysDefault)
{
    SettingsRecord damaged;  // every text empty, as a file with empty values gives
    damaged.DefaultAlpha = L"abc";
    damaged.AtutoMenuInicio_ALPHAV = L"1e999";
    damaged.AutoMSN_ChatWindow_ALPHA = L"12abc";
    EXPECT_EQ(DefaultAlphaLevel(damaged), 222);
    EXPECT_TRUE(PlainWindowLook(damaged));
    EXPECT_FALSE(AutoStartEnabled(damaged) || AutoUpdateEnabled(damaged) || TaskbarTranslucentAtStart(damaged) ||
                 MessengerWindowsEnabled(damaged));
    EXPECT_EQ(TaskbarLevel(damaged), 8);  // never below the sliders' lowest level
    EXPECT_EQ(MessengerWindowLevel(damaged), 200.0);
}

TEST(RunEntry, QuotedWhenThePathHasABlankAndOldUnquotedEntriesStillOurs)
{
    // The registry side (moved, other folders, letter case) is the module
    // tests'; here the paths without a blank, and the empty one.
    EXPECT_EQ(RunCommandFor(L"C:\\Program Files\\V.exe"), L"\"C:\\Program Files\\V.exe\"");
    EXPECT_EQ(RunCommandFor(L"C:\\Tools\\veloria.exe"), L"C:\\Tools\\veloria.exe");
    EXPECT_TRUE(IsOwnRunEntry(L"C:\\Tools\\veloria.exe", L"C:\\Tools\\veloria.exe"));
    EXPECT_FALSE(IsOwnRunEntry(L"", L"") || IsOwnRunEntry(L"\"\"", L""));
}

}  // namespace
}  // namespace veloria
