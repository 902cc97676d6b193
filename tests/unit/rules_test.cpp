// Rounding and the slider rules every transparency slider shares.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/alpha_rules.h"
#include "windows/tell_a_friend_layout.h"

namespace veloria {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbourAndNothingOverflows)
{
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    const std::pair<double, int> cases[] = {
        {0.5, 0},    {1.5, 2},     {2.5, 2},    {25.5, 26},  {42.5, 42},   {127.5, 128}, {-0.5, 0},
        {-1.5, -2},  {-2.5, -2},   {2.4999, 2}, {2.5001, 3}, {23.53, 24},  {-7.6, -8},   {1e20, kMax},
        {-1e20, kMin}, {std::numeric_limits<double>::infinity(), kMax},   {std::nan(""), 0}};
    for (const auto& [value, rounded] : cases) {
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
    }
}

TEST(SliderRules, PositionsAndLevelsOfAThirtyStepSlider)
{
    // 255 / 30 = 8.5 levels a step, rounded half to even.
    const int levels[31] = {0,   8,   17,  26,  34,  42,  51,  60,  68,  76,  85,  94,  102, 110, 119, 128,
                            136, 144, 153, 162, 170, 178, 187, 196, 204, 212, 221, 230, 238, 246, 255};
    for (int position = 1; position <= 30; ++position) {
        EXPECT_EQ(LevelFromPosition(position, 30), levels[position]) << position;
        EXPECT_EQ(PositionFromLevel(levels[position], 30), position) << position;
    }
    EXPECT_EQ(PositionFromLevel(200, 30), 24);  // 23.53: a stored 200 comes back as 204
    EXPECT_EQ(PositionFromLevel(222, 30), 26);
    EXPECT_EQ(PositionFromLevel(4, 30), 0);
    EXPECT_EQ(LevelFromPosition(5, 0), 255);  // no division by zero
    EXPECT_EQ(PositionFromLevel(100, 0), 0);
}

TEST(SliderRules, TheAboutSliderTakesTwelveAndThreeQuartersAStep)
{
    // 12.75 and 216.75 round up, 38.25 down; 2 x 12.75 = 25.5 goes to 26.
    const std::pair<int, int> cases[] = {{1, 13}, {2, 26}, {3, 38}, {17, 217}, {20, 255}};
    for (const auto& [position, level] : cases) {
        EXPECT_EQ(AboutLevelFromPosition(position), level) << position;
    }
}

TEST(SliderRules, AStoredLevelAlwaysGivesAPositionInsideTheSlider)
{
    const std::pair<int, int> cases[] = {{0, 1}, {4, 1}, {-5, 1}, {5, 1}, {300, 30}, {222, 26}, {255, 30}};
    for (const auto& [level, position] : cases) {
        EXPECT_EQ(SliderPositionForLevel(level, 1, 30), position) << level;
    }
}

TEST(TellAFriendLayout, ControlsFollowTheClientAreaInTwips)
{
    // At 96 dpi a pixel is 15 twips: 250 twips are 16.67 pixels, 500 are
    // 33.33, 350 are 23.33, 450 are 30 and 300 are 20.
    const TellAFriendLayout at96 = LayOutTellAFriend({600, 400, 22, 88, 24, 96});
    EXPECT_EQ(at96.browserWidth, 617);   // 616.67
    EXPECT_EQ(at96.browserHeight, 367);  // 366.67
    EXPECT_EQ(at96.sliderTop, 368);      // 366.67 - 22 + 23.33
    EXPECT_EQ(at96.buttonTop, 373);      // 366.67 - 24 + 30
    EXPECT_EQ(at96.buttonLeft, 509);     // 616.67 - 88 - 20
    // At 192 dpi the fixed distances are twice as many pixels.
    const TellAFriendLayout at192 = LayOutTellAFriend({600, 400, 22, 88, 24, 192});
    EXPECT_EQ(at192.browserHeight, 333);  // 400 - 66.67
    EXPECT_EQ(at192.buttonLeft, 505);     // 633.33 - 88 - 40
    EXPECT_GT(LayOutTellAFriend({300, TellAFriendMinimumClientHeight(96), 22, 88, 24, 96}).browserHeight, 0);
}

}  // namespace
}  // namespace veloria
