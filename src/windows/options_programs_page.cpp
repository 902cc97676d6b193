// The programs page: the remembered programs with their levels, the five
// keys, the wheel and click-through.
//
// The list's slider, "Only while in the background" and Remove change the
// page's copy of the programs,
// which OK and Apply save as changes to the programs in use (a program
// remembered meanwhile from the level popup stays). "Make every window
// opaque" acts at once. Beside the list stand the five keys (hot-key
// controls; a key AltGr types on one of the user's keyboards is refused as
// it is chosen), the switch of the wheel with the modifier keys held with
// it, the switch of click-through and whether every window gets its own look
// back as Veloria closes, saved with OK and Apply too.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "base/alpha_rules.h"
#include "base/error_report.h"
#include "base/text_rules.h"
#include "language/language_file.h"
#include "settings/config_file.h"
#include "settings/hot_key_layouts.h"
#include "settings/hot_keys.h"
#include "settings/program_levels.h"
#include "transparency/alpha_blend.h"
#include "transparency/program_watch.h"
#include "windows/options_dialog.h"
#include "windows/options_page.h"

namespace veloria::options {

namespace {

using L = Lang;

class ProgramsPage final : public OptionsPage {
    enum : int {
        kProgramsHowTo = 500, kProgramList, kProgramSlider, kRemoveProgram, kOnlyInBackground, kAllOpaque,
        kSeeThroughLabel, kSeeThroughKey, kSolidLabel, kSolidKey, kOpaqueLabel, kOpaqueKey, kClickThroughLabel,
        kClickThroughKey, kOnTopLabel, kOnTopKey, kWheelCheck, kWheelKeysLabel, kWheelKeys, kClickThroughCheck,
        kRestoreOnExit, kPickLabel, kPickKey,
    };
    // The hot-key control of each key, in KeyAction order.
    static constexpr std::array kKeyFields{kSeeThroughKey,   kSolidKey, kOpaqueKey,
                                           kClickThroughKey, kOnTopKey, kPickKey};
    static_assert(kKeyFields.size() == kKeyActionCount, "a field for every key");
    static constexpr std::array kRows{
        ControlRow{kProgramsHowTo, Kind::Note, 28, 40, 441, 32, L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_HOWTO},
        ControlRow{kProgramList, Kind::List, 28, 76, 116, 76, std::nullopt},
        ControlRow{kProgramSlider, Kind::Slider, 24, 154, 124, 28, std::nullopt},
        ControlRow{kRemoveProgram, Kind::Button, 28, 184, 120, 24, L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_BTN_REMOVE},
        ControlRow{kOnlyInBackground, Kind::WrappingCheck, 28, 211, 120, 40, L::LANG_OPTIONS_PROGRAMS_BACKGROUND},
        ControlRow{kAllOpaque, Kind::WrappingButton, 28, 254, 120, 44,
                   L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_BTN_ALLOPAQUE},
        // The keys a row each, 22 pixels apart.
        ControlRow{kSeeThroughLabel, Kind::Label, 150, 77, 128, 18,
                   L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_SEETHROUGH},
        ControlRow{kSeeThroughKey, Kind::HotKey, 280, 76, 189, 20, std::nullopt},
        ControlRow{kSolidLabel, Kind::Label, 150, 99, 128, 18, L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_SOLID},
        ControlRow{kSolidKey, Kind::HotKey, 280, 98, 189, 20, std::nullopt},
        ControlRow{kOpaqueLabel, Kind::Label, 150, 121, 128, 18, L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_OPAQUE},
        ControlRow{kOpaqueKey, Kind::HotKey, 280, 120, 189, 20, std::nullopt},
        ControlRow{kClickThroughLabel, Kind::Label, 150, 143, 128, 18,
                   L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_CLICKTHROUGH},
        ControlRow{kClickThroughKey, Kind::HotKey, 280, 142, 189, 20, std::nullopt},
        ControlRow{kOnTopLabel, Kind::Label, 150, 165, 128, 18, L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_ONTOP},
        ControlRow{kOnTopKey, Kind::HotKey, 280, 164, 189, 20, std::nullopt},
        ControlRow{kPickLabel, Kind::Label, 150, 187, 128, 18, L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_PICK},
        ControlRow{kPickKey, Kind::HotKey, 280, 186, 189, 20, std::nullopt},
        ControlRow{kWheelCheck, Kind::Check, 150, 208, 319, 20, L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_CHECK_WHEEL},
        ControlRow{kWheelKeysLabel, Kind::Label, 150, 232, 154, 18, L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_WHEELKEYS},
        ControlRow{kWheelKeys, Kind::Combo, 306, 229, 163, 140, std::nullopt},
        ControlRow{kClickThroughCheck, Kind::Check, 150, 253, 319, 20,
                   L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_CHECK_CLICKTHROUGH},
        ControlRow{kRestoreOnExit, Kind::WrappingCheck, 150, 274, 319, 30, L::LANG_OPTIONS_PROGRAMS_RESTOREONEXIT},
    };

public:
    ProgramsPage() : OptionsPage(L::LANG_WINDOWOPTIONS_TAB_PROGRAMS, kRows) {}

    void Fill() override
    {
        programsShown_ = RememberedPrograms();
        programs_ = programsShown_;
        FillProgramList();
        ShowKeys();
        SetTicked(kRestoreOnExit, RestoresOnExit(Settings()));
    }

    void Save(SettingsRecord& values) override { values.RestoreOnExit = Ticked(kRestoreOnExit) ? L"1" : L"0"; }

    void Saved() override
    {
        SavePrograms();
        SaveKeys();
    }

private:
    void Made() override
    {
        const HWND list = Item(kProgramList);
        ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        for (int column = 0; column < 2; ++column) {
            LVCOLUMNW header{};
            header.mask = LVCF_TEXT;
            header.pszText = const_cast<wchar_t*>(L"");
            ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&header));
        }
    }

    void LaidOut(const DpiScale& scale) override
    {
        const HWND list = Item(kProgramList);
        ::SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, scale(66));
        ::SendMessageW(list, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER);
    }

    void Captioned() override
    {
        constexpr std::array kColumns{L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_COLUMN_PROGRAM,
                                      L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_COLUMN_LEVEL};
        for (std::size_t column = 0; column < kColumns.size(); ++column) {
            LVCOLUMNW header{};
            header.mask = LVCF_TEXT;
            header.pszText = const_cast<wchar_t*>(LanguageText(kColumns[column]).c_str());
            ::SendMessageW(Item(kProgramList), LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&header));
        }
    }

    bool Command(int id, int notification) override
    {
        if (id == kRemoveProgram) {
            RemoveSelectedProgram();
        } else if (const auto row = SelectedProgram(); id == kOnlyInBackground && row) {
            programs_.SetOnlyInBackground(programs_.Programs()[*row].name, Ticked(kOnlyInBackground));
        } else if (id == kAllOpaque) {
            ClearEveryChangedWindow();
        } else if (const auto field = std::find(kKeyFields.begin(), kKeyFields.end(), id);
                   field != kKeyFields.end() && notification == EN_CHANGE) {
            OnKeyChosen(static_cast<std::size_t>(field - kKeyFields.begin()));
        } else {
            return false;
        }
        return true;
    }

    bool Notify(const NMHDR& header) override
    {
        if (header.idFrom != kProgramList) {
            return false;
        }
        if (header.code == LVN_ITEMCHANGED) {
            ShowSelectedProgram();
        } else if (header.code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE) {
            RemoveSelectedProgram();
        }
        return true;
    }

    void Slid(int id, Slider& slider) override
    {
        if (const auto row = SelectedProgram(); id == kProgramSlider && row) {
            programs_.Remember(std::wstring(programs_.Programs()[*row].name),
                               LevelFromPosition(slider.Value(), slider.Max()));
            ShowProgramLevel(static_cast<int>(*row));
        }
    }

    // A key the control cannot show (with the Windows key) shows without
    // it, and stays as it is unless the user changes it.
    void ShowKeys()
    {
        const KeySettings& keys = Keys();
        for (std::size_t action = 0; action < kKeyFields.size(); ++action) {
            const HWND field = Item(kKeyFields[action]);
            // A key without Ctrl or Alt gets both: no plain key is taken
            // from every program.
            ::SendMessageW(field, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
            shownKeys_[action] = ToHotKeyControl(keys.keys[action]);
            ::SendMessageW(field, HKM_SETHOTKEY, shownKeys_[action], 0);
        }
        SetTicked(kWheelCheck, keys.wheel);
        const HWND wheelKeys = Item(kWheelKeys);
        ::SendMessageW(wheelKeys, CB_RESETCONTENT, 0, 0);
        for (std::size_t k = 0; k < kWheelModifierChoices.size(); ++k) {
            ::SendMessageW(wheelKeys, CB_ADDSTRING, 0,
                           reinterpret_cast<LPARAM>(ModifiersText(kWheelModifierChoices[k]).c_str()));
            if (kWheelModifierChoices[k] == keys.wheelModifiers) {
                ::SendMessageW(wheelKeys, CB_SETCURSEL, k, 0);
            }
        }
        SetTicked(kClickThroughCheck, keys.clickThrough);
    }

    void SaveKeys()
    {
        KeySettings keys = Keys();
        for (std::size_t action = 0; action < kKeyFields.size(); ++action) {
            const auto word = static_cast<std::uint16_t>(::SendMessageW(Item(kKeyFields[action]), HKM_GETHOTKEY, 0, 0));
            if (word != ToHotKeyControl(keys.keys[action])) {
                keys.keys[action] = FromHotKeyControl(word);
            }
        }
        keys.wheel = Ticked(kWheelCheck);
        const auto choice = ::SendMessageW(Item(kWheelKeys), CB_GETCURSEL, 0, 0);
        if (choice >= 0 && static_cast<std::size_t>(choice) < kWheelModifierChoices.size()) {
            keys.wheelModifiers = kWheelModifierChoices[static_cast<std::size_t>(choice)];
        }
        keys.clickThrough = Ticked(kClickThroughCheck);
        GuardarTeclas(sheet().window, keys);
        sheet().host->KeysChanged();
    }

    // A key AltGr types on one of the user's keyboards is refused as it is
    // chosen, with the reason; the field goes back to the last whole key it
    // showed (while modifiers alone are held it shows none).
    void OnKeyChosen(std::size_t action)
    {
        const HWND field = Item(kKeyFields[action]);
        const auto word = static_cast<std::uint16_t>(::SendMessageW(field, HKM_GETHOTKEY, 0, 0));
        const std::optional<HotKey> key = FromHotKeyControl(word);
        if (!key) {
            return;
        }
        const std::optional<wchar_t> character = AltGrCharacters().TypedBy(*key);
        if (!character) {
            shownKeys_[action] = word;
            return;
        }
        ::SendMessageW(field, HKM_SETHOTKEY, shownKeys_[action], 0);
        ShowMessage(sheet().window, LanguageText(Lang::LANG_BALLOON_KEYTYPES, HotKeyAndCharacterText(*key, *character)),
                    MB_ICONINFORMATION);
        ::SetFocus(field);
    }

    void FillProgramList()
    {
        const HWND list = Item(kProgramList);
        ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
        for (const RememberedProgram& program : programs_.Programs()) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
            item.pszText = const_cast<wchar_t*>(program.name.c_str());
            item.iItem = static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
            ShowProgramLevel(item.iItem);
        }
        ShowSelectedProgram();
    }

    // A level as the user sees it: how opaque, in per cent.
    void ShowProgramLevel(int row)
    {
        const auto& programs = programs_.Programs();
        if (row < 0 || static_cast<std::size_t>(row) >= programs.size()) {
            return;
        }
        const std::wstring text =
            DecimalText(RoundHalfEven(programs[static_cast<std::size_t>(row)].level * 100.0 / kHighestLevel)) +
            L" %";
        LVITEMW item{};
        item.iSubItem = 1;
        item.pszText = const_cast<wchar_t*>(text.c_str());
        ::SendMessageW(Item(kProgramList), LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }

    // The row selected in the list, if it names a program.
    std::optional<std::size_t> SelectedProgram() const
    {
        const auto row = ::SendMessageW(Item(kProgramList), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
        if (row < 0 || static_cast<std::size_t>(row) >= programs_.Programs().size()) {
            return std::nullopt;
        }
        return static_cast<std::size_t>(row);
    }

    // The slider and the box offer the selected program's level and
    // background; nothing selected, nothing to change or remove.
    void ShowSelectedProgram()
    {
        const std::optional<std::size_t> row = SelectedProgram();
        Slider& slider = SliderOf(kProgramSlider);
        slider.Enable(row.has_value());
        ::EnableWindow(Item(kRemoveProgram), row ? TRUE : FALSE);
        ::EnableWindow(Item(kOnlyInBackground), row ? TRUE : FALSE);
        SetTicked(kOnlyInBackground, row && programs_.Programs()[*row].onlyInBackground);
        if (row) {
            slider.SetValue(SliderPositionForLevel(programs_.Programs()[*row].level, kSliderMin, kSliderMax));
        }
    }

    void RemoveSelectedProgram()
    {
        const std::optional<std::size_t> row = SelectedProgram();
        if (!row) {
            return;
        }
        programs_.Forget(std::wstring(programs_.Programs()[*row].name));
        const HWND list = Item(kProgramList);
        ::SendMessageW(list, LVM_DELETEITEM, *row, 0);
        // The next program takes its place, so that Remove can go on.
        const auto count = static_cast<std::size_t>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        if (count > 0) {
            LVITEMW state{};
            state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
            ::SendMessageW(list, LVM_SETITEMSTATE, std::min(*row, count - 1), reinterpret_cast<LPARAM>(&state));
        }
        ShowSelectedProgram();
    }

    // The page's changes to the programs, made to those in use now.
    void SavePrograms()
    {
        const ProgramChanges changes = ChangesBetween(programsShown_, programs_);
        ProgramLevels programs = RememberedPrograms();
        for (const std::wstring& name : changes.removed) {
            programs.Forget(name);
        }
        for (const RememberedProgram& program : changes.written) {
            programs.Remember(program.name, program.level);
            programs.SetOnlyInBackground(program.name, program.onlyInBackground);
        }
        GuardarProgramas(sheet().window, programs);
        WatchRememberedPrograms();
        for (const RememberedProgram& program : changes.written) {
            OfferLevelToOpenWindows(program.name);
        }
        programsShown_ = programs;
        programs_ = programs;
    }

    ProgramLevels programsShown_;  // the programs in use when the page was filled
    ProgramLevels programs_;       // the same with the page's changes
    std::array<std::uint16_t, kKeyFields.size()> shownKeys_{};  // the keys the fields show, as accepted
};

}  // namespace

std::unique_ptr<OptionsPage> MakeProgramsPage()
{
    return std::make_unique<ProgramsPage>();
}

}  // namespace veloria::options
