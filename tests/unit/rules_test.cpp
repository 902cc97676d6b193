// Rounding and the slider rules every transparency slider shares,
// and what a new conversation window gets.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "base/alpha_rules.h"
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

TEST(SliderRules, AStoredLevelAlwaysGivesAPositionInsideTheSlider)
{
    const std::pair<int, int> cases[] = {{0, 1}, {4, 1}, {-5, 1}, {5, 1}, {300, 30}, {222, 26}, {255, 30}};
    for (const auto& [level, position] : cases) {
        EXPECT_EQ(SliderPositionForLevel(level, 1, 30), position) << level;
    }
}

TEST(ConversationWindows, OnlyWhenOnAndByTheStoredLevel)
{
    using Kind = ConversationWindowAction::Kind;
    const std::tuple<const char*, const char*, Kind, int> cases[] = {
        {"0", "200", Kind::Nothing, 0},        {"-1", "200", Kind::Nothing, 0},
        {"2", "200", Kind::Nothing, 0},        {"1", "200", Kind::ApplyLevel, 200},
        {"1", "255", Kind::MakeOpaque, 255},   {"1", "300", Kind::MakeOpaque, 255},
        {"1", "254.6", Kind::ApplyLevel, 255}, {"1", "199.5", Kind::ApplyLevel, 200},
        {"1", "-20", Kind::ApplyLevel, 0},     {"1", "dim", Kind::ApplyLevel, 200}};
    for (const auto& [on, level, kind, applied] : cases) {
        SettingsRecord settings = DefaultSettings();
        settings.AutoMSN_ChatWindow = on;
        settings.AutoMSN_ChatWindow_ALPHA = level;
        const ConversationWindowAction action = ActionForConversationWindow(settings);
        EXPECT_EQ(action.kind, kind) << on << " " << level;
        EXPECT_EQ(action.kind == Kind::Nothing ? 0 : action.level, applied) << on << " " << level;
    }
}

}  // namespace
}  // namespace veloria
