// The options pages that show the settings record: the look and the
// language, what happens by itself, the messenger's windows, and the
// sponsor's page (the dialog's banner shows over it).
#include <array>
#include <optional>
#include <string>

#include "base/alpha_rules.h"
#include "base/text_rules.h"
#include "language/language_file.h"
#include "language/language_folder.h"
#include "windows/options_dialog.h"
#include "transparency/taskbar.h"
#include "windows/options_page.h"

namespace veloria::options {

namespace {

using L = Lang;

// A slider's level, as the settings hold it.
std::wstring LevelText(const Slider& slider)
{
    return DecimalText(LevelFromPosition(slider.Value(), slider.Max()));
}

std::wstring TickText(bool ticked)
{
    return ticked ? L"1" : L"0";
}

// The look of the program's windows, the level new windows get, and the
// language, with the identity of the language file selected.
class GeneralPage final : public OptionsPage {
    enum : int {
        kStylePlain = 200, kStyleShaped, kStyleFrame, kDefaultLabel, kDefaultSlider, kDefaultFrame,
        kLanguageCombo, kLangVersion, kLangDate, kLangAutor, kLangEmail, kLangWeb, kLanguageFrame,
    };
    // In tab order. The language frame spans the page: a translator's
    // e-mail or web address is as long as it is.
    static constexpr std::array kRows{
        ControlRow{kStylePlain, Kind::Radio, 28, 52, 204, 20, std::nullopt, L"Plain windows"},
        ControlRow{kStyleShaped, Kind::Radio, 28, 78, 204, 20, std::nullopt, L"Windows cut to their picture"},
        ControlRow{kStyleFrame, Kind::Group, 16, 32, 224, 80, std::nullopt, L"Control Box Style (Beta)"},
        ControlRow{kDefaultLabel, Kind::Label, 260, 50, 200, 16, std::nullopt, L"Default Transparency"},
        ControlRow{kDefaultSlider, Kind::Slider, 260, 70, 200, 28, std::nullopt},
        ControlRow{kDefaultFrame, Kind::Group, 248, 32, 233, 80, std::nullopt},
        ControlRow{kLanguageCombo, Kind::Combo, 28, 140, 200, 160, std::nullopt},
        ControlRow{kLangVersion, Kind::Label, 28, 172, 441, 18, std::nullopt, L"Version:"},
        ControlRow{kLangDate, Kind::Label, 28, 192, 441, 18, std::nullopt, L"Date:"},
        ControlRow{kLangAutor, Kind::Label, 28, 212, 441, 18, std::nullopt, L"Author:"},
        ControlRow{kLangEmail, Kind::Label, 28, 232, 441, 18, std::nullopt, L"E-mail:"},
        ControlRow{kLangWeb, Kind::Label, 28, 252, 441, 18, std::nullopt, L"Web:"},
        ControlRow{kLanguageFrame, Kind::Group, 16, 120, 465, 164, L::LANG_WINDOWOPTIONS_TAB_GENERAL_FRAME_LANGUAGE,
                   L"Language"},
    };
    // The identity labels: label text, one blank, the value.
    struct IdentityLabel {
        int id;
        Lang label;
        Lang value;
    };
    static constexpr std::array<IdentityLabel, 5> kIdentityLabels{{
        {kLangVersion, L::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGVERSION, L::LANG_VERSION},
        {kLangDate, L::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGDATE, L::LANG_DATE},
        {kLangAutor, L::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGAUTOR, L::LANG_AUTOR},
        {kLangEmail, L::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGEMAIL, L::LANG_AUTOR_EMAIL},
        {kLangWeb, L::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGWEB, L::LANG_AUTOR_WEB},
    }};

public:
    GeneralPage() : OptionsPage(L::LANG_WINDOWOPTIONS_TAB_GENERAL, kRows) {}

    void Fill() override
    {
        const SettingsRecord& settings = Settings();
        SetTicked(kStylePlain, PlainWindowLook(settings));
        SetTicked(kStyleShaped, !PlainWindowLook(settings));
        SliderOf(kDefaultSlider)
            .SetValue(SliderPositionForLevel(DefaultAlphaLevel(settings), kSliderMin, kSliderMax));
        const auto& files = LanguageFiles();
        for (std::size_t index = 0; index < files.size(); ++index) {
            if (files[index] == LanguageFileName(settings)) {
                SelectLanguage(index);
                break;
            }
        }
    }

    void Save(SettingsRecord& values) override
    {
        values.DefaultAlpha = LevelText(SliderOf(kDefaultSlider));
        values.ControlStyle = Ticked(kStylePlain) ? L"-1" : L"0";
        // With no language listed nothing is selected: the language in use
        // stays rather than becoming an empty name.
        values.LanguageFile = SelectedLanguage().value_or(values.LanguageFile);
    }

private:
    void Made() override
    {
        // The option buttons are one group, reached by Tab at the selected one.
        const auto addStyle = [this](int id, LONG_PTR style) {
            ::SetWindowLongPtrW(Item(id), GWL_STYLE, ::GetWindowLongPtrW(Item(id), GWL_STYLE) | style);
        };
        addStyle(kStylePlain, WS_GROUP | WS_TABSTOP);
        addStyle(kStyleFrame, WS_GROUP);
        const HWND combo = Item(kLanguageCombo);
        for (const std::wstring& file : LanguageFiles()) {
            ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(file.c_str()));
        }
        if (!LanguageFiles().empty()) {
            SelectLanguage(0);
        }
    }

    bool Command(int id, int notification) override
    {
        if (id == kLanguageCombo && notification == CBN_SELCHANGE) {
            ShowLanguageIdentity();
        }
        return id == kLanguageCombo;
    }

    void SelectLanguage(std::size_t index)
    {
        ::SendMessageW(Item(kLanguageCombo), CB_SETCURSEL, index, 0);
        ShowLanguageIdentity();
    }

    // The entry selected in the language list, or nothing.
    std::optional<std::wstring> SelectedLanguage() const
    {
        const auto index = ::SendMessageW(Item(kLanguageCombo), CB_GETCURSEL, 0, 0);
        if (index < 0 || static_cast<std::size_t>(index) >= LanguageFiles().size()) {
            return std::nullopt;
        }
        return LanguageFiles()[static_cast<std::size_t>(index)];
    }

    void ShowLanguageIdentity()
    {
        const std::optional<std::wstring> file = SelectedLanguage();
        if (!file) {
            return;
        }
        ReadLanguageInfo(*file);
        for (const IdentityLabel& label : kIdentityLabels) {
            const std::wstring text = LanguageText(label.label) + L" " + LanguageText(label.value);
            ::SetWindowTextW(Item(label.id), text.c_str());
        }
    }
};

// Starting with Windows, checking for updates, and the taskbar's level:
// its slider changes the taskbar at once.
class StartPage final : public OptionsPage {
    enum : int { kAutoStart = 300, kAutoUpdate, kTaskbarCheck, kTaskbarSlider, kCheck7, kCheck1, kSlider4 };
    static constexpr std::array kRows{
        ControlRow{kAutoStart, Kind::Check, 28, 44, 420, 20, L::LANG_WINDOWOPTIONS_TAB_GENERAL_CHECK_AUTOSTART},
        ControlRow{kAutoUpdate, Kind::Check, 28, 70, 420, 20, L::LANG_WINDOWOPTIONS_TAB_GENERAL_CHECK_AUTOUPDATES},
        ControlRow{kTaskbarCheck, Kind::Check, 28, 96, 420, 20, L::LANG_WINDOWOPTIONS_TAB_GENERAL_CheCK_TASKBARALPHA},
        ControlRow{kTaskbarSlider, Kind::Slider, 48, 120, 200, 28, std::nullopt},
        ControlRow{kCheck7, Kind::Check, 28, 162, 420, 20, std::nullopt, L"Control de transparencia"},
        ControlRow{kCheck1, Kind::Check, 28, 188, 420, 20, std::nullopt, L"Men\xfa Inicio/Todos los programas"},
        ControlRow{kSlider4, Kind::BareSlider, 48, 212, 200, 28, std::nullopt},
    };

public:
    StartPage() : OptionsPage(L::LANG_WINDOWOPTIONS_TAB_AUTOMATIZATE, kRows) {}

    void Fill() override
    {
        const SettingsRecord& settings = Settings();
        // A box is ticked when the setting is on the way the program reads
        // it: an AutoUpdate of "2" is off, so its box is not ticked.
        SetTicked(kAutoUpdate, AutoUpdateEnabled(settings));
        SliderOf(kTaskbarSlider).SetValue(SliderPositionForLevel(TaskbarLevel(settings), kSliderMin, kSliderMax));
        SetTicked(kAutoStart, AutoStartEnabled(settings));
        SetTicked(kTaskbarCheck, TaskbarTranslucentAtStart(settings));
        // The taskbar at start-up is offered together with starting with
        // Windows only; the untick shows in the box, and the next save.
        if (Ticked(kAutoStart)) {
            ::EnableWindow(Item(kTaskbarCheck), TRUE);
        } else {
            SetTicked(kTaskbarCheck, false);
            ::EnableWindow(Item(kTaskbarCheck), FALSE);
        }
        SliderOf(kTaskbarSlider).Enable(Ticked(kTaskbarCheck));
    }

    void Save(SettingsRecord& values) override
    {
        values.AutoStart = TickText(Ticked(kAutoStart));
        values.AtutoMenuInicio_ALPHA = TickText(Ticked(kTaskbarCheck));
        values.AtutoMenuInicio_ALPHAV = LevelText(SliderOf(kTaskbarSlider));
        values.AutoUpdate = TickText(Ticked(kAutoUpdate));
    }

private:
    bool Command(int id, int /*notification*/) override
    {
        if (id == kTaskbarCheck) {
            SliderOf(kTaskbarSlider).Enable(Ticked(kTaskbarCheck));
        }
        return id == kTaskbarCheck;
    }

    void Slid(int id, Slider& slider) override
    {
        if (id == kTaskbarSlider) {
            transparenttaskbar(static_cast<std::int16_t>(LevelFromPosition(slider.Value(), slider.Max())));
            sheet().host->SetTaskbarMark(255.0 / slider.Max() * slider.Value() != 255.0);
        }
    }
};

// The messenger's windows and their level.
class MessengerPage final : public OptionsPage {
    enum : int {
        kLabelAutomatize = 400, kContactList, kChatWindow, kChatSlider, kContactInformation, kContactPopup, kSlider3,
        kLine1,
    };
    static constexpr std::array kRows{
        ControlRow{kLabelAutomatize, Kind::Label, 28, 44, 430, 18,
                   L::LANG_WINDOWOPTIONS_TAB_MSNMESSENGER_LABEL_AUTOMATIZE},
        ControlRow{kContactList, Kind::Check, 28, 70, 420, 20, L::LANG_WINDOWOPTIONS_TAB_MSNMESSENGER_CHEK_CONTACTLIST},
        ControlRow{kChatWindow, Kind::Check, 28, 96, 420, 20, L::LANG_WINDOWOPTIONS_TAB_MSNMESSENGER_CHEK_CHATWINDOW},
        ControlRow{kChatSlider, Kind::Slider, 48, 120, 200, 28, std::nullopt},
        ControlRow{kContactInformation, Kind::Check, 28, 162, 420, 20,
                   L::LANG_WINDOWOPTIONS_TAB_MSNMESSENGER_CHEK_CONTACTINFORMATION},
        ControlRow{kContactPopup, Kind::Check, 28, 188, 420, 20,
                   L::LANG_WINDOWOPTIONS_TAB_MSNMESSENGER_CHEK_CONTACTPOPUP},
        ControlRow{kSlider3, Kind::BareSlider, 48, 212, 200, 28, std::nullopt},
        ControlRow{kLine1, Kind::Line, 28, 252, 430, 2, std::nullopt},
    };

public:
    MessengerPage() : OptionsPage(L::LANG_WINDOWOPTIONS_TAB_MSNMESSENGER, kRows) {}

    void Fill() override
    {
        const SettingsRecord& settings = Settings();
        SetTicked(kChatWindow, MessengerWindowsEnabled(settings));
        SliderOf(kChatSlider)
            .SetValue(SliderPositionForLevel(RoundHalfEven(MessengerWindowLevel(settings)), kSliderMin, kSliderMax));
    }

    void Save(SettingsRecord& values) override
    {
        values.AutoMSN_ChatWindow = TickText(Ticked(kChatWindow));
        values.AutoMSN_ChatWindow_ALPHA = LevelText(SliderOf(kChatSlider));
    }
};

}  // namespace

std::unique_ptr<OptionsPage> MakeGeneralPage()
{
    return std::make_unique<GeneralPage>();
}

std::unique_ptr<OptionsPage> MakeStartPage()
{
    return std::make_unique<StartPage>();
}

std::unique_ptr<OptionsPage> MakeMessengerPage()
{
    return std::make_unique<MessengerPage>();
}

// The sponsor's page has nothing of its own: the dialog's banner shows
// over it, and its picture when the banner cannot.
std::unique_ptr<OptionsPage> MakeSponsorPage()
{
    return std::make_unique<OptionsPage>(L::LANG_WINDOWOPTIONS_TAB_SPONSOR, std::span<const ControlRow>());
}

}  // namespace veloria::options
