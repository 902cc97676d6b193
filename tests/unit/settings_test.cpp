// The readings of setting texts and what they make of
// texts that are not numbers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "settings/hot_keys.h"
#include "settings/program_levels.h"
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

TEST(ParseSettingNumber, GivesTheCLibrarysValue)
{
    // Exactly where digits and power are a double's, and at the exponent's ends.
    for (const char* text : {"0.1", "2.675", "221.5", "0.005", "-7.25e-3", "1e22", "1e23", "4.9e-300", "1e308"}) {
        const std::wstring wide(text, text + std::strlen(text));
        EXPECT_EQ(ParseSettingNumber(wide), std::strtod(text, nullptr)) << text;
    }
    EXPECT_DOUBLE_EQ(*ParseSettingNumber(L"123456789012345678901234.5678"), 123456789012345678901234.5678);
    EXPECT_FALSE(ParseSettingNumber(L"1e-999").has_value());  // below the range, as beyond it
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

TEST(ProgramLevels, TheFirstLineOfANameAndALevelCountsAndSavesTouchOnlyWhatChanged)
{
    using namespace std::literals;
    // As the profile functions hand a section over: entries ended by nulls.
    const ProgramLevels read = ProgramLevels::FromSection(
        L"junk\0player.exe=150\0PLAYER.EXE=99\0c:\\x\\y.exe=100\0loud.exe=abc\0big.exe=256\0=77\0"
        L" notes.exe = 120 \0\u0411\u041b\u041e\u041a.exe=0\0\0"sv);
    const std::vector<RememberedProgram> kept{{L"player.exe", 150}, {L"notes.exe", 120}, {L"\u0411\u041b\u041e\u041a.exe", 0}};
    EXPECT_EQ(read.Programs(), kept);
    EXPECT_EQ(read.LevelFor(L"Player.Exe"), 150);
    EXPECT_EQ(read.LevelFor(L"\u0431\u043b\u043e\u043a.EXE"), 0);  // Cyrillic letters fold too
    EXPECT_FALSE(read.LevelFor(L"player.ex"));
    EXPECT_TRUE(ProgramLevels::FromSection(L"\0"sv).empty());

    ProgramLevels changed = read;
    changed.Remember(L"PLAYER.exe", 300);  // clamped, place and name kept
    changed.Forget(L"NOTES.EXE");
    changed.Remember(L"new.exe", 200);
    changed.Remember(L"..\\evil.exe", 9);  // not a file name: ignored
    // Read back as a section or a comment; the frame host of every Store app.
    for (const wchar_t* name : {L"[x.exe", L";x.exe", L"applicationframehost.EXE"}) {
        changed.Remember(name, 9);
    }
    const ProgramChanges changes = ChangesBetween(read, changed);
    EXPECT_EQ(changes.written, (std::vector<RememberedProgram>{{L"player.exe", 255}, {L"new.exe", 200}}));
    EXPECT_EQ(changes.removed, std::vector<std::wstring>{L"notes.exe"});
    EXPECT_TRUE(ChangesBetween(changed, changed).written.empty());
    // A background line counts for a remembered program only, before or after its level.
    const ProgramLevels background =
        ProgramLevels::FromSection(L"PLAYER.EXE:background=1\0player.exe=150\0gone.exe:Background=1\0\0"sv);
    EXPECT_EQ(background.Programs(), (std::vector<RememberedProgram>{{L"player.exe", 150, true}}));
    EXPECT_EQ(ChangesBetween(background, ProgramLevels::FromSection(L"player.exe=150\0\0"sv)).written,
              (std::vector<RememberedProgram>{{L"player.exe", 150}}));

    // Remembered as opaque: left alone; a hand-written 0 never hides a window.
    EXPECT_FALSE(LevelToApply(255));
    EXPECT_EQ(LevelToApply(0), 8);
    EXPECT_EQ(LevelToApply(150), 150);
    EXPECT_TRUE(read.AnyToApply());
    EXPECT_FALSE(ProgramLevels::FromSection(L"a.exe=255\0\0"sv).AnyToApply());
}

TEST(HotKeys, TextsAUserCanWriteAndTheControlsWord)
{
    const HotKey down{kModControl | kModAlt, 0x28};
    EXPECT_EQ(HotKeyText(down), L"Ctrl+Alt+Down");
    EXPECT_EQ(ParseHotKey(L" alt + CTRL+down "), down);
    EXPECT_EQ(ParseHotKey(L"Ctrl+Num+"), (HotKey{kModControl, 0x6B}));
    EXPECT_EQ(ParseHotKey(L"Win+Shift+F12"), (HotKey{kModWin | kModShift, 0x7B}));
    EXPECT_EQ(HotKeyText({kModAlt, 0xE2}), L"Alt+#226");
    EXPECT_EQ(ParseHotKey(L"Alt+#226"), (HotKey{kModAlt, 0xE2}));
    for (const wchar_t* notAKey : {L"T", L"Shift+T", L"Ctrl+", L"Ctrl+Foo", L"Hyper+T", L"Ctrl+F25", L""}) {
        EXPECT_FALSE(ParseHotKey(notAKey)) << notAKey;
    }
    // Shift 1, Ctrl 2, Alt 4 and the extended flag 8 in the control's high byte.
    EXPECT_EQ(ToHotKeyControl(down), 0x0E28);
    EXPECT_EQ(FromHotKeyControl(0x0E28), down);
    EXPECT_FALSE(FromHotKeyControl(0x0154));  // Shift alone
    EXPECT_EQ(ToHotKeyControl(std::nullopt), 0);

    // Missing keys are the defaults, an empty one is no key, junk is the default.
    KeySettingTexts texts{L"Ctrl+Alt+Down", L"", L"junk", L"Ctrl+Alt+T", L"Ctrl+Alt+Shift+F9", L"Ctrl+Alt+Shift+F8"};
    texts[kWheelSetting] = L"0";
    texts[kClickThroughSetting] = L"1";
    texts[kWheelKeysSetting] = L"Win+Shift";
    const KeySettings read = ReadKeySettings(texts);
    EXPECT_EQ(read[KeyAction::MoreSeeThrough], down);
    EXPECT_FALSE(read[KeyAction::MoreSolid]);
    EXPECT_EQ(read[KeyAction::Opaque], (HotKey{kModControl | kModAlt | kModShift, 0x24}));
    EXPECT_FALSE(read.wheel);
    EXPECT_EQ(read.wheelModifiers, kModShift | kModWin);
    texts[2] = L"Ctrl+Alt+Shift+Home";
    texts[kWheelKeysSetting] = L"Shift+Win";
    EXPECT_EQ(KeySettingsTexts(read), texts);
    // The wheel takes no single modifier, and no Alt+Shift (the layout switch).
    for (const wchar_t* notChoice : {L"Ctrl", L"Alt+Shift", L"Ctrl+Foo", L"Ctrl++Alt"}) {
        EXPECT_FALSE(ParseWheelModifiers(notChoice)) << notChoice;
    }
}

// AltGr is Ctrl+Alt: on a layout whose VkKeyScanEx gives "}" for AltGr+0
// and "@" for AltGr+Shift+Q, those keys are its characters.
TEST(HotKeys, AKeyThatAltGrTypesIsTheLayoutsCharacter)
{
    const KeyScan layout[] = {{L'}', 0x0630}, {L'@', 0x0751}, {L'0', 0x0030}, {L'=', 0x0130}};
    const auto typed = [&](unsigned modifiers, unsigned key) {
        return CharacterAltGrTypes({modifiers, key}, layout, std::size(layout));
    };
    EXPECT_EQ(typed(kModControl | kModAlt, L'0'), L'}');
    EXPECT_EQ(typed(kModControl | kModAlt | kModShift, L'Q'), L'@');
    EXPECT_FALSE(typed(kModControl | kModAlt, L'Q'));
    EXPECT_FALSE(typed(kModControl | kModAlt | kModShift, L'0'));
    EXPECT_FALSE(typed(kModControl | kModAlt | kModWin, L'0'));  // nothing is typed with Win
    EXPECT_FALSE(typed(kModControl, L'0'));
}

}  // namespace
}  // namespace veloria
