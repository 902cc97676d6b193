// The options dialog: a sheet of six pages under a tab strip, with OK,
// Cancel and Apply, its own slider (the dialog's level) and the sponsor's
// banner under every page.
//
// The dialog is made from code at the DPI of the monitor it opens on and
// laid out again when it moves to another. Each page makes, places and
// captions its controls from its own table. Loading fills the pages from
// the settings; OK and Apply have each page give its values to the
// settings record, save it (Config.ini) and then what the pages save
// themselves, and bring the Run value in line. Until then the settings
// stay as they were: only the taskbar slider and the dialog's own slider
// act at once.
#include "windows/options_dialog.h"

#include <commctrl.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/alpha_rules.h"
#include "base/dialog_base.h"
#include "base/dpi.h"
#include "base/error_report.h"
#include "base/handle.h"
#include "base/scaled_window.h"
#include "base/program_folder.h"
#include "base/version.h"
#include "controls/browser_host.h"
#include "controls/slider.h"
#include "language/language_file.h"
#include "settings/autostart.h"
#include "settings/config_file.h"
#include "settings/settings_record.h"
#include "skin/skin_pictures.h"
#include "skin/tool_window.h"
#include "skin/window_effects.h"
#include "transparency/alpha_blend.h"
#include "update/web_links.h"
#include "windows/options_page.h"

namespace veloria {

namespace {

using namespace options;
using L = Lang;

// The window: 7500 x 7215 twips; the tab strip stands at 120, 120 twips.
// Every place here is in pixels at 96 DPI, scaled to the dialog's DPI
// when it is laid out.
constexpr int kWidth = 500;
constexpr int kHeight = 481;
constexpr RECT kTabArea{8, 8, 489, 313};
constexpr RECT kBannerArea{0, 352, 513, 452};
constexpr SIZE kSponsorPicture{492, 98};

enum Control : int { kTabs = 100, kApply, kOwnSlider, kImage3, kBanner };

// The dialog's own controls, under every page, in tab order after them.
constexpr std::array kControls{
    ControlRow{IDOK, Kind::DefaultButton, 207, 320, 86, 23, L::LANG_WINDOWOPTIONS_BTN_OK, L"OK"},
    ControlRow{IDCANCEL, Kind::Button, 301, 320, 86, 23, L::LANG_WINDOWOPTIONS_BTN_CANCEL, L"Cancel"},
    ControlRow{kApply, Kind::Button, 395, 320, 86, 23, L::LANG_WINDOWOPTIONS_BTN_APPLY, L"Apply"},
    ControlRow{kOwnSlider, Kind::Slider, 16, 328, 153, 24, std::nullopt},
    ControlRow{kImage3, Kind::Picture, 0, 352, 492, 98, std::nullopt},
};

}  // namespace

class OptionsDialog : public ScaledDialog<OptionsDialog> {
public:
    void Show(HINSTANCE instance, OptionsHost& host)
    {
        host_ = &host;
        if (hwnd() != nullptr) {
            ::ShowWindow(hwnd(), SW_SHOW);
            ::SetForegroundWindow(hwnd());
            return;
        }
        if (CreateFromCode(instance, L"", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 300, 280, nullptr) !=
            nullptr) {
            ::ShowWindow(hwnd(), SW_SHOW);
            ::SetForegroundWindow(hwnd());
        }
    }

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_INITDIALOG:
            Load();
            return TRUE;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return TRUE;
        case WM_HSCROLL:
            if (ownSlider_.TakeUserMove(lParam)) {
                SetWindowAlpha(hwnd(), LevelFromPosition(ownSlider_.Value(), ownSlider_.Max()));
            }
            return TRUE;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (header.idFrom == kTabs && header.code == TCN_SELCHANGE) {
                ShowSelectedPage();
            }
            return TRUE;
        }
        case kSwitchPageMessage: {
            const auto count = static_cast<int>(pages_.size());
            const int current = static_cast<int>(::SendMessageW(Item(kTabs), TCM_GETCURSEL, 0, 0));
            const int next = (current + (wParam != 0 ? 1 : count - 1)) % count;
            ::SendMessageW(Item(kTabs), TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
            ShowSelectedPage();
            ::SetFocus(Item(kTabs));  // as a property sheet does
            return Answer(TRUE);
        }
        case kBrowserNavigateError:
            // The banner page cannot be shown: the picture behind it can,
            // drawn now that it is needed.
            banner_.SetVisible(false);
            ShowPicture();
            return TRUE;
        case WM_NCDESTROY:
            // The pages' windows, like the sliders', are gone with the dialog's.
            pages_.clear();
            ownSlider_ = Slider();
            picture_.reset();
            return FALSE;
        default:
            return FALSE;
        }
    }

private:
    friend class ScaledDialog<OptionsDialog>;

    void OnScaleChanged() { LayOut(); }

    HWND Item(int id) const { return ::GetDlgItem(hwnd(), id); }

    void Load()
    {
        // In the middle of the work area the user works on, at its DPI.
        ScaleToCursorMonitor();
        KeepOwnLayout(hwnd());
        MakeControls();
        LayOut();
        Caption();
        PlaceCentred(kWidth, kHeight);
        banner_.Navigate(BannerAddress(CurrentAddressParts()));
        ownSlider_.SetValue(kSliderMax);
        SetWindowAlpha(hwnd(), LevelFromPosition(kSliderMax, kSliderMax));
        Fill();
        ShowSelectedPage();
    }

    // The tab strip lies under the pages (Tab reaches it after the page),
    // the banner over its picture; each is made before what lies over it.
    void MakeControls()
    {
        const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd(), GWLP_HINSTANCE));
        const HWND tabs = ::CreateWindowExW(0, WC_TABCONTROLW, L"",
                                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, 0, 0, hwnd(),
                                            reinterpret_cast<HMENU>(kTabs), instance, nullptr);
        pages_.clear();
        for (auto make : {&MakeGeneralPage, &MakeStartPage, &MakeProgramsPage, &MakeMessengerPage, &MakeUpdatesPage,
                          &MakeSponsorPage}) {
            pages_.push_back(make());
        }
        for (std::size_t page = 0; page < pages_.size(); ++page) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(L"");
            ::SendMessageW(tabs, TCM_INSERTITEMW, page, reinterpret_cast<LPARAM>(&item));
            pages_[page]->Create(Sheet{hwnd(), host_});
        }
        banner_.Create(hwnd(), RECT{}, kBanner, PageScroll::None);
        std::vector<std::pair<int, Slider>> sliders;
        options::MakeControls(hwnd(), kControls, sliders);
        ownSlider_ = sliders.front().second;
    }

    // Every control where its table puts it at 96 DPI, scaled, in the
    // message font of the dialog's DPI.
    void LayOut()
    {
        PlaceWindow(Item(kTabs), scale_(kTabArea));
        for (const auto& page : pages_) {
            page->LayOut(scale_);
        }
        banner_.Resize(scale_(kBannerArea));
        PlaceControls(hwnd(), kControls, scale_, POINT{});
        SetChildFonts(hwnd(), scale_.font());
        if (picture_) {
            ShowPicture();
        }
    }

    // The picture under the sponsor page, for when the page cannot be
    // shown (none under a high-contrast theme).
    void ShowPicture()
    {
        picture_ = HighContrastOn() ? GdiObject<HBITMAP>()
                                    : MakeSponsorPicture(kSponsorPicture.cx, kSponsorPicture.cy, scale_);
        ::SendMessageW(Item(kImage3), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.get()));
    }

    void Caption()
    {
        const std::wstring title = std::wstring(ProductName()) + L" " + LanguageText(L::LANG_WINDOWOPTIONS_TITLE);
        ::SetWindowTextW(hwnd(), title.c_str());
        for (std::size_t page = 0; page < pages_.size(); ++page) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(LanguageText(pages_[page]->Title()).c_str());
            ::SendMessageW(Item(kTabs), TCM_SETITEMW, page, reinterpret_cast<LPARAM>(&item));
            pages_[page]->Caption();
        }
        CaptionControls(hwnd(), kControls);
    }

    void Fill()
    {
        for (const auto& page : pages_) {
            page->Fill();
        }
    }

    void Save()
    {
        SettingsRecord values = Settings();
        for (const auto& page : pages_) {
            page->Save(values);
        }
        GuardarConfiguracionArchivo(hwnd(), values);
        for (const auto& page : pages_) {
            page->Saved();
        }
        // The Run value follows the setting as saved.
        if (!Autostart(ProgramPath()).AplicarAutoinicio(AutoStartEnabled(Settings()))) {
            ShowMessage(hwnd(), LanguageText(Lang::LANG_MESSAGE_AUTOSTART_MACHINE), MB_ICONWARNING);
        }
    }

    void OnCommand(int id)
    {
        switch (id) {
        case IDOK:
            Save();
            LoadLanguage(LanguageFileName(Settings()));
            host_->SetLanguage();
            CloseFading(hwnd());
            break;
        case kApply:
            Save();
            LoadLanguage(LanguageFileName(Settings()));
            Caption();
            host_->SetLanguage();
            Fill();
            break;
        case IDCANCEL:
            CloseFading(hwnd());
            break;
        default:
            break;
        }
    }

    void ShowSelectedPage()
    {
        const auto selected = static_cast<std::size_t>(::SendMessageW(Item(kTabs), TCM_GETCURSEL, 0, 0));
        for (std::size_t page = 0; page < pages_.size(); ++page) {
            pages_[page]->Show(page == selected);
        }
    }

    OptionsHost* host_ = nullptr;
    std::vector<std::unique_ptr<OptionsPage>> pages_;
    Slider ownSlider_;
    BrowserHost banner_;
    GdiObject<HBITMAP> picture_;
};

OptionsWindow::OptionsWindow() = default;
OptionsWindow::~OptionsWindow() = default;

void OptionsWindow::Show(HINSTANCE instance, OptionsHost& host)
{
    window_.Get().Show(instance, host);
}

}  // namespace veloria
