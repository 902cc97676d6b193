// The settings table (keys, sections, defaults, read and save order) and the
// reading of each setting.
#include "settings/settings_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "transparency/alpha_rules.h"

namespace veloria {
namespace {

std::vector<std::string> Names(const std::array<SettingKey, 9>& keys)
{
    std::vector<std::string> names;
    for (const SettingKey& key : keys) {
        names.emplace_back(std::string(key.section) + "/" + key.key);
    }
    return names;
}

TEST(SettingsTable, DefaultsInReadOrder)
{
    const SettingsRecord defaults = DefaultSettings();
    std::vector<std::string> values;
    for (const SettingKey& key : kSettingKeys) {
        values.push_back(defaults.*key.field);
    }
    EXPECT_EQ(values, (std::vector<std::string>{"222", "1", "0", "0", "0", "0", "english.ini", "0", "200"}));
    EXPECT_EQ(Names(kSettingKeys),
              (std::vector<std::string>{"General/DefaultAlpha", "General/ControlStyle", "General/AutoStart",
                                        "General/AutoUpdate", "General/AtutoMenuInicio_ALPHA",
                                        "General/AtutoMenuInicio_ALPHAV", "General/LanguageFile",
                                        "Live Messenger/AutoMSN_ChatWindow",
                                        "Live Messenger/AutoMSN_ChatWindow_ALPHA"}));
}

TEST(SettingsTable, SaveOrderWritesEveryKeyOnce)
{
    EXPECT_EQ(Names(kSaveOrder),
              (std::vector<std::string>{"General/DefaultAlpha", "General/ControlStyle", "General/AutoStart",
                                        "General/AtutoMenuInicio_ALPHA", "General/AtutoMenuInicio_ALPHAV",
                                        "General/AutoUpdate", "General/LanguageFile",
                                        "Live Messenger/AutoMSN_ChatWindow",
                                        "Live Messenger/AutoMSN_ChatWindow_ALPHA"}));
    for (std::size_t i = 0; i < kSaveOrder.size(); ++i) {
        for (std::size_t j = i + 1; j < kSaveOrder.size(); ++j) {
            EXPECT_NE(kSaveOrder[i].field, kSaveOrder[j].field) << i << " and " << j;
        }
    }
}

TEST(SettingReadings, TruthValuesAndOnOnlyWhenOneDiffer)
{
    SettingsRecord settings = DefaultSettings();
    for (const char* text : {"1", "-1", "5"}) {
        settings.ControlStyle = text;
        EXPECT_TRUE(PlainWindowLook(settings)) << text;
    }
    settings.ControlStyle = "0";
    EXPECT_FALSE(PlainWindowLook(settings));

    settings.AutoUpdate = "-1";
    settings.AtutoMenuInicio_ALPHA = "-1";
    settings.AutoMSN_ChatWindow = "-1";
    settings.AutoStart = "-1";
    EXPECT_FALSE(AutoUpdateEnabled(settings));
    EXPECT_FALSE(MessengerWindowsEnabled(settings));
    EXPECT_TRUE(TaskbarTranslucentAtStart(settings));
    EXPECT_TRUE(AutoStartEnabled(settings));
    settings.AutoUpdate = "1";
    settings.AutoMSN_ChatWindow = "1";
    EXPECT_TRUE(AutoUpdateEnabled(settings));
    EXPECT_TRUE(MessengerWindowsEnabled(settings));
}

TEST(SettingReadings, DamagedTextsReadAsTheirKeysDefault)
{
    SettingsRecord settings;  // every text empty, as a file with empty values gives
    settings.DefaultAlpha = "abc";
    settings.AtutoMenuInicio_ALPHAV = "lots";
    EXPECT_EQ(DefaultAlphaLevel(settings), 222);
    EXPECT_TRUE(PlainWindowLook(settings));
    EXPECT_FALSE(AutoStartEnabled(settings));
    EXPECT_FALSE(AutoUpdateEnabled(settings));
    EXPECT_FALSE(TaskbarTranslucentAtStart(settings));
    EXPECT_EQ(TaskbarLevel(settings), 0);
    EXPECT_FALSE(MessengerWindowsEnabled(settings));
    EXPECT_EQ(MessengerWindowLevel(settings), 200.0);
    // A text setting is used as it stands, empty included.
    EXPECT_EQ(LanguageFileName(settings), "");
}

TEST(SettingReadings, LevelsAreReadAsNumbers)
{
    SettingsRecord settings = DefaultSettings();
    settings.DefaultAlpha = "150";
    settings.AtutoMenuInicio_ALPHAV = "150";
    settings.AutoMSN_ChatWindow_ALPHA = "255";
    EXPECT_EQ(DefaultAlphaLevel(settings), 150);
    EXPECT_EQ(TaskbarLevel(settings), 150);
    EXPECT_EQ(MessengerWindowLevel(settings), 255.0);
}

TEST(SettingReadings, DefaultLevelsSavedThroughAThirtyStepSlider)
{
    // The options dialog opens its sliders on the stored levels and saves the
    // levels of their positions: untouched defaults come back as 221 and 204.
    const SettingsRecord defaults = DefaultSettings();
    EXPECT_EQ(LevelFromPosition(SliderPositionForLevel(DefaultAlphaLevel(defaults), 1, 30), 30), 221);
    EXPECT_EQ(LevelFromPosition(SliderPositionForLevel(RoundHalfEven(MessengerWindowLevel(defaults)), 1, 30),
                                30),
              204);
}

}  // namespace
}  // namespace veloria
