// Rounding and the slider rules that every transparency slider shares.
#include "transparency/alpha_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace veloria {
namespace {

TEST(RoundHalfEven, ExactHalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(25.5), 26);
    EXPECT_EQ(RoundHalfEven(42.5), 42);
    EXPECT_EQ(RoundHalfEven(127.5), 128);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
}

TEST(RoundHalfEven, OtherValuesGoToTheNearest)
{
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
    EXPECT_EQ(RoundHalfEven(23.53), 24);
    EXPECT_EQ(RoundHalfEven(-7.6), -8);
    EXPECT_EQ(RoundHalfEven(0.0), 0);
}

TEST(RoundHalfEven, SaturatesInsteadOfOverflowing)
{
    EXPECT_EQ(RoundHalfEven(1e20), std::numeric_limits<int>::max());
    EXPECT_EQ(RoundHalfEven(-1e20), std::numeric_limits<int>::min());
    EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::infinity()), std::numeric_limits<int>::max());
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}

TEST(LevelClamping, LevelsOutsideTheRangeAreClampedNotWrapped)
{
    EXPECT_EQ(LevelToByte(300), 255);
    EXPECT_EQ(LevelToByte(256), 255);  // would wrap to 0
    EXPECT_EQ(LevelToByte(-5), 0);     // would wrap to 251
    EXPECT_EQ(LevelToByte(-256), 0);
    EXPECT_EQ(LevelToByte(std::numeric_limits<long long>::max()), 255);
    EXPECT_EQ(LevelToByte(0), 0);
    EXPECT_EQ(LevelToByte(128), 128);
    EXPECT_EQ(LevelToByte(255), 255);
}

TEST(SliderRules, LevelFromPositionOnAThirtyStepSlider)
{
    EXPECT_EQ(LevelFromPosition(1, 30), 8);    // 8.5
    EXPECT_EQ(LevelFromPosition(2, 30), 17);
    EXPECT_EQ(LevelFromPosition(3, 30), 26);   // 25.5
    EXPECT_EQ(LevelFromPosition(4, 30), 34);
    EXPECT_EQ(LevelFromPosition(5, 30), 42);   // 42.5
    EXPECT_EQ(LevelFromPosition(15, 30), 128); // 127.5
    const int top[] = {204, 212, 221, 230, 238, 246, 255};
    for (int position = 24; position <= 30; ++position) {
        EXPECT_EQ(LevelFromPosition(position, 30), top[position - 24]) << "position " << position;
    }
}

TEST(SliderRules, PositionFromLevel)
{
    EXPECT_EQ(PositionFromLevel(200, 30), 24);  // 23.53
    EXPECT_EQ(PositionFromLevel(222, 30), 26);  // 26.12
    EXPECT_EQ(PositionFromLevel(255, 30), 30);
    EXPECT_EQ(PositionFromLevel(4, 30), 0);
    EXPECT_EQ(PositionFromLevel(5, 30), 1);
    EXPECT_EQ(PositionFromLevel(51, 20), 4);    // 51 / 12.75
}

TEST(SliderRules, EveryPositionSurvivesTheRoundTrip)
{
    for (int max : {20, 30}) {
        for (int position = 1; position <= max; ++position) {
            EXPECT_EQ(PositionFromLevel(LevelFromPosition(position, max), max), position)
                << "position " << position << " of " << max;
        }
    }
}

TEST(SliderRules, AStoredLevelIsNotAlwaysGivenBack)
{
    // A slider opened on a stored level applies the level of its position.
    EXPECT_EQ(LevelFromPosition(PositionFromLevel(200, 30), 30), 204);
    EXPECT_EQ(LevelFromPosition(PositionFromLevel(222, 30), 30), 221);
}

TEST(SliderRules, StoredLevelsAlwaysGiveAPositionInsideTheSlider)
{
    EXPECT_EQ(SliderPositionForLevel(0, 1, 30), 1);
    EXPECT_EQ(SliderPositionForLevel(4, 1, 30), 1);
    EXPECT_EQ(SliderPositionForLevel(-5, 1, 30), 1);
    EXPECT_EQ(SliderPositionForLevel(300, 1, 30), 30);
    EXPECT_EQ(SliderPositionForLevel(222, 1, 30), 26);
    EXPECT_EQ(SliderPositionForLevel(255, 1, 30), 30);
}

TEST(SliderRules, AZeroMaximumDoesNotDivideByZero)
{
    EXPECT_EQ(LevelFromPosition(5, 0), 255);
    EXPECT_EQ(PositionFromLevel(100, 0), 0);
}

}  // namespace
}  // namespace veloria
