// The modifier table of a pick and the level of a new conversation window.
#include "transparency/pick_rules.h"

#include <gtest/gtest.h>

namespace veloria {
namespace {

TEST(PickRules, ModifierBitsAddUp)
{
    EXPECT_EQ(ModifierBits(false, false, false), 0);
    EXPECT_EQ(ModifierBits(true, false, false), 1);
    EXPECT_EQ(ModifierBits(false, true, false), 2);
    EXPECT_EQ(ModifierBits(false, false, true), 4);
    EXPECT_EQ(ModifierBits(true, true, true), 7);
}

TEST(PickRules, EachCombinationHasItsAction)
{
    EXPECT_EQ(ActionForModifiers(0), PickAction::ApplyDefaultLevel);
    EXPECT_EQ(ActionForModifiers(1), PickAction::MakeOpaque);
    EXPECT_EQ(ActionForModifiers(2), PickAction::OpenLevelPopup);
    for (int tecla = 3; tecla <= 7; ++tecla) {
        EXPECT_EQ(ActionForModifiers(tecla), PickAction::Nothing) << tecla;
    }
    EXPECT_EQ(ActionForModifiers(8), PickAction::ApplyDefaultLevel);
    EXPECT_EQ(ActionForModifiers(-1), PickAction::ApplyDefaultLevel);
}

using Kind = ConversationWindowAction::Kind;

ConversationWindowAction For(const char* on, const char* level)
{
    SettingsRecord settings = DefaultSettings();
    settings.AutoMSN_ChatWindow = on;
    settings.AutoMSN_ChatWindow_ALPHA = level;
    return ActionForConversationWindow(settings);
}

TEST(ConversationWindows, OnlyWhenTheFeatureIsExactlyOne)
{
    EXPECT_EQ(For("0", "200").kind, Kind::Nothing);
    EXPECT_EQ(For("-1", "200").kind, Kind::Nothing);
    EXPECT_EQ(For("2", "200").kind, Kind::Nothing);
    EXPECT_EQ(For("1", "200").kind, Kind::ApplyLevel);
    EXPECT_EQ(For("1", "200").level, 200);
}

TEST(ConversationWindows, HighLevelsMakeOpaqueLowOnesAreClamped)
{
    EXPECT_EQ(For("1", "255").kind, Kind::MakeOpaque);
    EXPECT_EQ(For("1", "300").kind, Kind::MakeOpaque);
    // Below 255 the level is applied, rounded: the window stays layered.
    EXPECT_EQ(For("1", "254.6").kind, Kind::ApplyLevel);
    EXPECT_EQ(For("1", "254.6").level, 255);
    EXPECT_EQ(For("1", "199.5").level, 200);
    EXPECT_EQ(For("1", "0").level, 0);
    EXPECT_EQ(For("1", "-20").kind, Kind::ApplyLevel);
    EXPECT_EQ(For("1", "-20").level, 0);
    // Not a number: the default level of 200.
    EXPECT_EQ(For("1", "dim").level, 200);
    EXPECT_EQ(For("1", "").level, 200);
}

}  // namespace
}  // namespace veloria
