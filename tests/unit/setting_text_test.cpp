// The readings of setting texts, and what they do with texts that are not
// numbers.
#include "settings/setting_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace veloria {
namespace {

TEST(ParseSettingNumber, ReadsDecimalNumbers)
{
    EXPECT_EQ(ParseSettingNumber("222"), 222.0);
    EXPECT_EQ(ParseSettingNumber(" 42\t"), 42.0);
    EXPECT_EQ(ParseSettingNumber("-1"), -1.0);
    EXPECT_EQ(ParseSettingNumber("+3"), 3.0);
    EXPECT_EQ(ParseSettingNumber("1.5"), 1.5);
    EXPECT_EQ(ParseSettingNumber(".5"), 0.5);
    EXPECT_EQ(ParseSettingNumber("1e2"), 100.0);
    EXPECT_EQ(ParseSettingNumber("007"), 7.0);
}

TEST(ParseSettingNumber, RefusesWhatIsNotANumber)
{
    for (const char* text : {"", "   ", "abc", "12abc", "1 2", "1e999", "-1e999", "inf", "nan", "0x10",
                             "+-1", "--1", "1..2", "e5", "-", "1,5"}) {
        EXPECT_FALSE(ParseSettingNumber(text).has_value()) << '"' << text << '"';
    }
}

TEST(SettingReadings, TruthValueIsAnyNumberButZero)
{
    EXPECT_TRUE(ReadTruthValue("1", "0"));
    EXPECT_TRUE(ReadTruthValue("-1", "0"));
    EXPECT_TRUE(ReadTruthValue("5", "0"));
    EXPECT_FALSE(ReadTruthValue("0", "1"));
    EXPECT_FALSE(ReadTruthValue("0.0", "1"));
}

TEST(SettingReadings, OnOnlyWhenOneIsStricterThanTruth)
{
    EXPECT_TRUE(ReadNumberIsOne("1", "0"));
    EXPECT_TRUE(ReadNumberIsOne("1.0", "0"));
    EXPECT_FALSE(ReadNumberIsOne("-1", "0"));
    EXPECT_FALSE(ReadNumberIsOne("2", "0"));
    EXPECT_FALSE(ReadNumberIsOne("0", "1"));
}

TEST(SettingReadings, WholeNumbersRoundHalfToEvenAndSaturate)
{
    EXPECT_EQ(ReadWholeNumber("222", "0"), 222);
    EXPECT_EQ(ReadWholeNumber("221.5", "0"), 222);
    EXPECT_EQ(ReadWholeNumber("222.5", "0"), 222);
    EXPECT_EQ(ReadWholeNumber("3000000000", "0"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ReadWholeNumber("-3000000000", "0"), std::numeric_limits<std::int32_t>::min());
}

TEST(SettingReadings, ShortNumbersSaturateInsteadOfWrapping)
{
    EXPECT_EQ(ReadShortNumber("150", "0"), 150);
    EXPECT_EQ(ReadShortNumber("70000", "0"), 32767);   // would wrap to 4464
    EXPECT_EQ(ReadShortNumber("-70000", "0"), -32768);
}

TEST(SettingReadings, TextsThatAreNotNumbersReadAsTheDefault)
{
    for (const char* damaged : {"", "abc", "1e999", "12abc"}) {
        EXPECT_EQ(ReadWholeNumber(damaged, "222"), 222) << '"' << damaged << '"';
        EXPECT_EQ(ReadShortNumber(damaged, "0"), 0) << '"' << damaged << '"';
        EXPECT_EQ(ReadNumber(damaged, "200"), 200.0) << '"' << damaged << '"';
        EXPECT_TRUE(ReadTruthValue(damaged, "1")) << '"' << damaged << '"';
        EXPECT_FALSE(ReadTruthValue(damaged, "0")) << '"' << damaged << '"';
        EXPECT_FALSE(ReadNumberIsOne(damaged, "0")) << '"' << damaged << '"';
    }
}

}  // namespace
}  // namespace veloria
