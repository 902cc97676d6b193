// Rounding, numbers as text, the slider rules every transparency slider
// shares; which windows are a program's main windows.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "base/alpha_rules.h"
#include "base/dpi_rules.h"
#include "base/text_rules.h"
#include "transparency/pick_rules.h"

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

TEST(DecimalText, AsToWstringWritesItDownToTheLowestValue)
{
    for (const long long value : {0LL, 7LL, -42LL, 1234567890123LL, std::numeric_limits<long long>::min(),
                                  std::numeric_limits<long long>::max()}) {
        EXPECT_EQ(DecimalText(value), std::to_wstring(value));
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
    // What a screen reader says: 25 of 30 is 83 %, the About window's 17 of 20 is 85 %.
    EXPECT_EQ(PercentOfPosition(25, 30), 83);
    EXPECT_EQ(PercentOfPosition(1, 30), 3);
    EXPECT_EQ(PercentOfPosition(17, 20), 85);
    EXPECT_EQ(PercentOfPosition(3, 0), 100);
}

TEST(SliderRules, AStoredLevelAlwaysGivesAPositionInsideTheSlider)
{
    const std::pair<int, int> cases[] = {{0, 1}, {4, 1}, {-5, 1}, {5, 1}, {300, 30}, {222, 26}, {255, 30}};
    for (const auto& [level, position] : cases) {
        EXPECT_EQ(SliderPositionForLevel(level, 1, 30), position) << level;
    }
}

TEST(DpiRules, SizesScaleHalvesToEvenAndWindowsStayInTheirArea)
{
    EXPECT_EQ(ScaleForDpi(200, 144), 300);
    EXPECT_EQ(ScaleForDpi(3, 144), 4);  // 4.5
    EXPECT_EQ(ScaleForDpi(5, 144), 8);  // 7.5
    EXPECT_EQ(ScaleForDpi(-7, 120), -9);
    // In an area of 0..1000 x 0..700: left as it is, pushed in from each
    // side, and a window too big for it keeps its top-left corner inside.
    const std::pair<Placement, Placement> cases[] = {
        {{100, 100}, {100, 100}}, {{-50, -20}, {0, 0}}, {{900, 650}, {800, 500}}, {{-50, 650}, {0, 500}}};
    for (const auto& [wanted, placed] : cases) {
        const Placement at = KeepInside(wanted.left, wanted.top, 200, 200, 0, 0, 1000, 700);
        EXPECT_EQ(std::make_pair(at.left, at.top), std::make_pair(placed.left, placed.top));
    }
    const Placement big = KeepInside(300, 300, 1200, 900, 0, 0, 1000, 700);
    EXPECT_EQ(std::make_pair(big.left, big.top), std::make_pair(0, 0));
}

TEST(StepLevel, OnePositionOfThePopupsScaleEachWayNeverBelowItsLowest)
{
    EXPECT_EQ(StepLevel(255, -1), 246);  // from opaque
    EXPECT_EQ(StepLevel(246, 1), 255);   // its last step makes the window opaque
    EXPECT_EQ(StepLevel(222, -1), 221);  // a level between two positions goes to the next one
    EXPECT_EQ(StepLevel(222, 1), 230);
    EXPECT_EQ(StepLevel(17, -1), 8);
    EXPECT_EQ(StepLevel(8, -1), 8);
    EXPECT_EQ(StepLevel(0, -1), 8);
    EXPECT_EQ(StepLevel(300, 1), 255);
}

TEST(MainWindows, ShownTopLevelWithACaptionAndNeitherAToolWindowNorNeverActivated)
{
    constexpr std::uint32_t kFrame = 0x10CF0000;  // WS_OVERLAPPEDWINDOW, shown
    EXPECT_TRUE(IsMainWindow(kFrame, 0) && IsMainWindow(0x90C80000, 0x8));  // and a captioned pop-up, topmost
    // Hidden, a drop-down (a border, no caption), a child, a tool window, one never activated.
    EXPECT_FALSE(IsMainWindow(0x00CF0000, 0) || IsMainWindow(0x90800000, 0x8) || IsMainWindow(0x50C00000, 0));
    EXPECT_FALSE(IsMainWindow(kFrame, 0x80) || IsMainWindow(kFrame, 0x08000000));
}

}  // namespace
}  // namespace veloria
