// The options dialog.
//
// The dialog is made from code: one table lists every control with its
// page, place (in pixels of the dialog, twips divided by 15)
// and caption, and drives both making the controls and captioning them
// (AplicarIdioma). Each tab's page is a child dialog over the tab strip
// (DS_CONTROL, so one IsDialogMessage of the dialog walks into the visible
// page), drawn in the tab's own background; the pages hand their
// controls' notifications on to the dialog.
//
// Loading fills the controls from the settings record
// (MostrarConfiguracion); OK and Apply copy them back and save
// (GuardarConfiguracion). Until then the record stays as it was: only the
// taskbar slider and the dialog's own slider act at once.
//
// The programs page lists the remembered programs with their levels; its
// slider and Remove change the dialog's copy, which OK and Apply save as
// changes to the programs in use (a program remembered meanwhile from the
// level popup stays). "Make every window opaque" acts at once. Beside the
// list stand the four keys (hot-key controls; a key AltGr types on one of
// the user's keyboards is refused as it is chosen), the switch of the wheel
// with the modifier keys held with it, and the switch of click-through,
// saved with OK and Apply too.
#include "windows/options_dialog.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/alpha_rules.h"
#include "base/dialog_base.h"
#include "base/dpi.h"
#include "base/error_report.h"
#include "base/handle.h"
#include "base/late_bound.h"
#include "base/program_folder.h"
#include "base/version.h"
#include "controls/browser_host.h"
#include "controls/slider.h"
#include "language/language_file.h"
#include "language/language_folder.h"
#include "language/language_keys.h"
#include "settings/autostart.h"
#include "settings/config_file.h"
#include "settings/hot_key_layouts.h"
#include "settings/hot_keys.h"
#include "settings/program_levels.h"
#include "settings/settings_record.h"
#include "skin/skin_pictures.h"
#include "skin/tool_window.h"
#include "transparency/alpha_blend.h"
#include "transparency/program_watch.h"
#include "transparency/taskbar.h"
#include "update/manifest.h"
#include "update/update_checks.h"
#include "update/versions.h"
#include "update/web_links.h"

namespace veloria {

namespace {

// The window: 7500 x 7215 twips; a page at 240, 480 twips over the tab
// strip, which stands at 120, 120 twips. Every place here is in pixels at
// 96 DPI, scaled to the dialog's DPI when it is laid out.
constexpr int kWidth = 500;
constexpr int kHeight = 481;
constexpr int kPageCount = 6;
constexpr int kProgramsPage = 2;
constexpr int kUpdatesPage = 4;
constexpr RECT kTabArea{8, 8, 489, 313};
constexpr RECT kPageArea{16, 32, 481, 305};
constexpr RECT kBannerArea{0, 352, 513, 452};
constexpr SIZE kSponsorPicture{492, 98};
constexpr int kSliderMin = 1;
constexpr int kSliderMax = 30;

enum Control : int {
    kTabs = 100,
    kApply,
    kOwnSlider,
    kImage3,
    kBanner,
    kStylePlain,
    kStyleShaped,
    kStyleFrame,
    kDefaultFrame,
    kDefaultLabel,
    kDefaultSlider,
    kLanguageFrame,
    kLanguageCombo,
    kLangVersion,
    kLangDate,
    kLangAutor,
    kLangEmail,
    kLangWeb,
    kAutoStart,
    kAutoUpdate,
    kTaskbarCheck,
    kTaskbarSlider,
    kCheck7,
    kCheck1,
    kSlider4,
    kProgramsHowTo,
    kProgramList,
    kProgramSlider,
    kRemoveProgram,
    kAllOpaque,
    kKeyLabel,  // four labels, then four hot-key controls, in KeyAction order
    kKeyField = kKeyLabel + 4,
    kWheelCheck = kKeyField + 4,
    kWheelKeysLabel,
    kWheelKeys,
    kClickThroughCheck,
    kLabelAutomatize,
    kContactList,
    kChatWindow,
    kChatSlider,
    kContactInformation,
    kContactPopup,
    kSlider3,
    kLine1,
    kActualVersionLabel,
    kActualVersion,
    kLastVersionLabel,
    kLastVersion,
    kWebPageLabel,
    kWebPage,
    kDownloadUrlLabel,
    kDownloadUrl,
    kDownload,
    kManifestText,
    kChecking,
};

enum class Kind {
    Button, DefaultButton, Check, Radio, Group, Label, Note, Line, Combo, Slider, List, HotKey, Picture, Field,
    TextBox, Progress
};

struct ControlRow {
    int id;
    int page;  // -1: on every tab
    Kind kind;
    int x, y, width, height;
    std::optional<Lang> caption;  // else fixedText stays
    const wchar_t* fixedText;
};

constexpr int kAllPages = -1;
using L = Lang;

// In tab order, page by page; the buttons, the dialog's slider and the
// banner show on every tab.
const std::array kControls{
    ControlRow{kStylePlain, 0, Kind::Radio, 28, 52, 204, 20, std::nullopt, L"Plain windows"},
    ControlRow{kStyleShaped, 0, Kind::Radio, 28, 78, 204, 20, std::nullopt, L"Windows cut to their picture"},
    ControlRow{kStyleFrame, 0, Kind::Group, 16, 32, 224, 80, std::nullopt, L"Control Box Style (Beta)"},
    ControlRow{kDefaultLabel, 0, Kind::Label, 260, 50, 200, 16, std::nullopt, L"Default Transparency"},
    ControlRow{kDefaultSlider, 0, Kind::Slider, 260, 70, 200, 28, std::nullopt, L""},
    ControlRow{kDefaultFrame, 0, Kind::Group, 248, 32, 233, 80, std::nullopt, L""},
    // The language frame spans the page: a translator's e-mail or web
    // address is as long as it is.
    ControlRow{kLanguageCombo, 0, Kind::Combo, 28, 140, 200, 160, std::nullopt, L""},
    ControlRow{kLangVersion, 0, Kind::Label, 28, 172, 441, 18, std::nullopt, L"Version:"},
    ControlRow{kLangDate, 0, Kind::Label, 28, 192, 441, 18, std::nullopt, L"Date:"},
    ControlRow{kLangAutor, 0, Kind::Label, 28, 212, 441, 18, std::nullopt, L"Author:"},
    ControlRow{kLangEmail, 0, Kind::Label, 28, 232, 441, 18, std::nullopt, L"E-mail:"},
    ControlRow{kLangWeb, 0, Kind::Label, 28, 252, 441, 18, std::nullopt, L"Web:"},
    ControlRow{kLanguageFrame, 0, Kind::Group, 16, 120, 465, 164, L::LANG_WINDOWOPTIONS_TAB_GENERAL_FRAME_LANGUAGE,
                L"Language"},
    ControlRow{kAutoStart, 1, Kind::Check, 28, 44, 420, 20, L::LANG_WINDOWOPTIONS_TAB_GENERAL_CHECK_AUTOSTART, L""},
    ControlRow{kAutoUpdate, 1, Kind::Check, 28, 70, 420, 20, L::LANG_WINDOWOPTIONS_TAB_GENERAL_CHECK_AUTOUPDATES, L""},
    ControlRow{kTaskbarCheck, 1, Kind::Check, 28, 96, 420, 20, L::LANG_WINDOWOPTIONS_TAB_GENERAL_CheCK_TASKBARALPHA,
                L""},
    ControlRow{kTaskbarSlider, 1, Kind::Slider, 48, 120, 200, 28, std::nullopt, L""},
    ControlRow{kCheck7, 1, Kind::Check, 28, 162, 420, 20, std::nullopt, L"Control de transparencia"},
    ControlRow{kCheck1, 1, Kind::Check, 28, 188, 420, 20, std::nullopt, L"Men\xfa Inicio/Todos los programas"},
    ControlRow{kSlider4, 1, Kind::Slider, 48, 212, 200, 28, std::nullopt, L""},
    ControlRow{kProgramsHowTo, kProgramsPage, Kind::Note, 28, 40, 441, 32,
                L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_HOWTO, L""},
    ControlRow{kProgramList, kProgramsPage, Kind::List, 28, 76, 116, 124, std::nullopt, L""},
    ControlRow{kProgramSlider, kProgramsPage, Kind::Slider, 24, 204, 124, 28, std::nullopt, L""},
    ControlRow{kRemoveProgram, kProgramsPage, Kind::Button, 28, 238, 120, 24,
                L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_BTN_REMOVE, L""},
    ControlRow{kAllOpaque, kProgramsPage, Kind::Button, 28, 270, 260, 24,
                L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_BTN_ALLOPAQUE, L""},
    ControlRow{kKeyLabel, kProgramsPage, Kind::Label, 150, 79, 128, 18,
                L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_SEETHROUGH, L""},
    ControlRow{kKeyField, kProgramsPage, Kind::HotKey, 280, 76, 189, 22, std::nullopt, L""},
    ControlRow{kKeyLabel + 1, kProgramsPage, Kind::Label, 150, 105, 128, 18,
                L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_SOLID, L""},
    ControlRow{kKeyField + 1, kProgramsPage, Kind::HotKey, 280, 102, 189, 22, std::nullopt, L""},
    ControlRow{kKeyLabel + 2, kProgramsPage, Kind::Label, 150, 131, 128, 18,
                L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_OPAQUE, L""},
    ControlRow{kKeyField + 2, kProgramsPage, Kind::HotKey, 280, 128, 189, 22, std::nullopt, L""},
    ControlRow{kKeyLabel + 3, kProgramsPage, Kind::Label, 150, 157, 128, 18,
                L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_CLICKTHROUGH, L""},
    ControlRow{kKeyField + 3, kProgramsPage, Kind::HotKey, 280, 154, 189, 22, std::nullopt, L""},
    ControlRow{kWheelCheck, kProgramsPage, Kind::Check, 150, 184, 319, 20,
                L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_CHECK_WHEEL, L""},
    ControlRow{kWheelKeysLabel, kProgramsPage, Kind::Label, 150, 210, 154, 18,
                L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_WHEELKEYS, L""},
    ControlRow{kWheelKeys, kProgramsPage, Kind::Combo, 306, 207, 163, 140, std::nullopt, L""},
    ControlRow{kClickThroughCheck, kProgramsPage, Kind::Check, 150, 236, 319, 20,
                L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_CHECK_CLICKTHROUGH, L""},
    ControlRow{kLabelAutomatize, 3, Kind::Label, 28, 44, 430, 18,
                L::LANG_WINDOWOPTIONS_TAB_MSNMESSENGER_LABEL_AUTOMATIZE, L""},
    ControlRow{kContactList, 3, Kind::Check, 28, 70, 420, 20, L::LANG_WINDOWOPTIONS_TAB_MSNMESSENGER_CHEK_CONTACTLIST,
                L""},
    ControlRow{kChatWindow, 3, Kind::Check, 28, 96, 420, 20, L::LANG_WINDOWOPTIONS_TAB_MSNMESSENGER_CHEK_CHATWINDOW,
                L""},
    ControlRow{kChatSlider, 3, Kind::Slider, 48, 120, 200, 28, std::nullopt, L""},
    ControlRow{kContactInformation, 3, Kind::Check, 28, 162, 420, 20,
                L::LANG_WINDOWOPTIONS_TAB_MSNMESSENGER_CHEK_CONTACTINFORMATION, L""},
    ControlRow{kContactPopup, 3, Kind::Check, 28, 188, 420, 20,
                L::LANG_WINDOWOPTIONS_TAB_MSNMESSENGER_CHEK_CONTACTPOPUP, L""},
    ControlRow{kSlider3, 3, Kind::Slider, 48, 212, 200, 28, std::nullopt, L""},
    ControlRow{kLine1, 3, Kind::Line, 28, 252, 430, 2, std::nullopt, L""},
    ControlRow{kActualVersionLabel, 4, Kind::Label, 28, 44, 200, 18,
                L::LANG_WINDOWOPTIONS_TAB_UPDATES_LABEL_ACTUALVERSION, L""},
    ControlRow{kActualVersion, 4, Kind::Label, 232, 44, 240, 18, std::nullopt, L""},
    ControlRow{kLastVersionLabel, 4, Kind::Label, 28, 66, 200, 18, L::LANG_WINDOWOPTIONS_TAB_UPDATES_LABEL_LASTVERSION,
                L""},
    ControlRow{kLastVersion, 4, Kind::Label, 232, 66, 240, 18, std::nullopt, L""},
    ControlRow{kWebPageLabel, 4, Kind::Label, 28, 90, 200, 18, L::LANG_WINDOWOPTIONS_TAB_UPDATES_LABEL_WEBPAGE, L""},
    ControlRow{kWebPage, 4, Kind::Field, 232, 88, 240, 20, std::nullopt, L""},
    ControlRow{kDownloadUrlLabel, 4, Kind::Label, 28, 114, 200, 18,
                L::LANG_WINDOWOPTIONS_TAB_UPDATES_LABEL_DOWNLOADURL, L""},
    ControlRow{kDownloadUrl, 4, Kind::Field, 232, 112, 240, 20, std::nullopt, L""},
    ControlRow{kDownload, 4, Kind::Button, 28, 138, 150, 24, L::LANG_WINDOWOPTIONS_TAB_UPDATES_BTN_DOWNLOAD, L""},
    ControlRow{kChecking, 4, Kind::Progress, 190, 142, 150, 16, std::nullopt, L""},
    ControlRow{kManifestText, 4, Kind::TextBox, 28, 170, 445, 128, std::nullopt, L""},
    ControlRow{IDOK, kAllPages, Kind::DefaultButton, 207, 320, 86, 23, L::LANG_WINDOWOPTIONS_BTN_OK, L"OK"},
    ControlRow{IDCANCEL, kAllPages, Kind::Button, 301, 320, 86, 23, L::LANG_WINDOWOPTIONS_BTN_CANCEL, L"Cancel"},
    ControlRow{kApply, kAllPages, Kind::Button, 395, 320, 86, 23, L::LANG_WINDOWOPTIONS_BTN_APPLY, L"Apply"},
    ControlRow{kOwnSlider, kAllPages, Kind::Slider, 16, 328, 153, 24, std::nullopt, L""},
    ControlRow{kImage3, kAllPages, Kind::Picture, 0, 352, 492, 98, std::nullopt, L""},
};

constexpr std::array<Lang, kPageCount> kTabCaptions{
    L::LANG_WINDOWOPTIONS_TAB_GENERAL,      L::LANG_WINDOWOPTIONS_TAB_AUTOMATIZATE,
    L::LANG_WINDOWOPTIONS_TAB_PROGRAMS,     L::LANG_WINDOWOPTIONS_TAB_MSNMESSENGER,
    L::LANG_WINDOWOPTIONS_TAB_UPDATES,      L::LANG_WINDOWOPTIONS_TAB_SPONSOR,
};

// The identity labels: label text, one blank, the value.
struct IdentityLabel {
    int id;
    Lang label;
    Lang value;
};
constexpr std::array<IdentityLabel, 5> kIdentityLabels{{
    {kLangVersion, L::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGVERSION, L::LANG_VERSION},
    {kLangDate, L::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGDATE, L::LANG_DATE},
    {kLangAutor, L::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGAUTOR, L::LANG_AUTOR},
    {kLangEmail, L::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGEMAIL, L::LANG_AUTOR_EMAIL},
    {kLangWeb, L::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGWEB, L::LANG_AUTOR_WEB},
}};

struct WindowClassAndStyle {
    const wchar_t* windowClass;
    DWORD style;
};

WindowClassAndStyle ClassOf(Kind kind)
{
    constexpr DWORD kTab = WS_TABSTOP;
    switch (kind) {
    case Kind::Button:
        return {L"BUTTON", kTab | BS_PUSHBUTTON};
    case Kind::DefaultButton:
        return {L"BUTTON", kTab | BS_DEFPUSHBUTTON};
    case Kind::Check:
        return {L"BUTTON", kTab | BS_AUTOCHECKBOX};
    case Kind::Radio:
        return {L"BUTTON", BS_AUTORADIOBUTTON};
    case Kind::Group:
        return {L"BUTTON", BS_GROUPBOX};
    case Kind::Line:
        return {L"STATIC", SS_ETCHEDHORZ};
    case Kind::Combo:
        return {L"COMBOBOX", kTab | CBS_DROPDOWNLIST | WS_VSCROLL};
    case Kind::List:
        return {WC_LISTVIEWW, kTab | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER};
    case Kind::Note:
        return {L"STATIC", SS_LEFT};
    case Kind::HotKey:
        return {HOTKEY_CLASSW, kTab | WS_BORDER};
    case Kind::Picture:
        return {L"STATIC", SS_BITMAP};
    case Kind::Field:
        return {L"EDIT", kTab | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY};
    case Kind::TextBox:
        return {L"EDIT", kTab | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY};
    case Kind::Progress:
        return {PROGRESS_CLASSW, PBS_MARQUEE};
    case Kind::Label:
    case Kind::Slider:
        break;
    }
    return {L"STATIC", SS_LEFTNOWORDWRAP};
}

// A page hands its controls' notifications on to the dialog.
INT_PTR CALLBACK PageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_NOTIFY:
        ::SendMessageW(::GetParent(page), message, wParam, lParam);
        return TRUE;
    case WM_INITDIALOG:
        return FALSE;  // the focus stays where the dialog puts it
    default:
        return FALSE;
    }
}

class OptionsDialog : public DialogBase<OptionsDialog> {
public:
    static OptionsDialog& Instance()
    {
        static OptionsDialog dialog;
        return dialog;
    }

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
            Form_Load();
            return TRUE;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_HSCROLL:
            OnSlider(lParam);
            return TRUE;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (header.idFrom == kTabs && header.code == TCN_SELCHANGE) {
                tbsOptions_Click();
            } else if (header.idFrom == kProgramList && header.code == LVN_ITEMCHANGED) {
                ShowSelectedProgram();
            } else if (header.idFrom == kProgramList && header.code == LVN_KEYDOWN &&
                       reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == VK_DELETE) {
                RemoveSelectedProgram();
            }
            return TRUE;
        }
        case kSwitchPageMessage: {
            const int current = static_cast<int>(::SendMessageW(Item(kTabs), TCM_GETCURSEL, 0, 0));
            const int next = (current + (wParam != 0 ? 1 : kPageCount - 1)) % kPageCount;
            ::SendMessageW(Item(kTabs), TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
            tbsOptions_Click();
            ::SetFocus(Item(kTabs));  // as a property sheet does
            return Answer(TRUE);
        }
        case kBrowserNavigateError:
            // The banner page cannot be shown: the picture behind it can,
            // drawn now that it is needed.
            banner_.SetVisible(false);
            ShowPicture();
            return TRUE;
        case kDpiChangedMessage: {
            if (!scale_.Changes(LOWORD(wParam))) {
                return TRUE;
            }
            const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
            scale_.Set(LOWORD(wParam));
            LayOut();
            ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                           suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
            return TRUE;
        }
        case kUpdateCheckDone:
            OnUpdateCheckDone(static_cast<UpdateCheck>(wParam));
            return TRUE;
        case WM_DESTROY:
            UnwatchUpdateChecks(hwnd());
            return FALSE;
        case WM_NCDESTROY:
            sliders_.clear();  // their windows are gone with the dialog's
            picture_.reset();
            return FALSE;
        default:
            return FALSE;
        }
    }

private:
    OptionsDialog() = default;

    HWND Item(int id) const
    {
        HWND item = ::GetDlgItem(hwnd(), id);
        for (std::size_t page = 0; item == nullptr && page < pages_.size(); ++page) {
            item = ::GetDlgItem(pages_[page], id);
        }
        return item;
    }
    bool Checked(int id) const { return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetChecked(int id, bool checked) const
    {
        ::SendMessageW(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    Slider* SliderOf(int id)
    {
        for (auto& [sliderId, slider] : sliders_) {
            if (sliderId == id) {
                return &slider;
            }
        }
        return nullptr;
    }

    void Form_Load()
    {
        // In the middle of the work area the user works on, at its DPI.
        const POINT cursor = CursorPosition();
        scale_.Set(DpiAt(cursor));
        KeepOwnLayout(hwnd());
        MakeControls();
        LayOut();
        AplicarIdioma();
        const RECT work = WorkAreaAt(cursor);
        const Placement at = KeepInside((work.left + work.right - scale_(kWidth)) / 2,
                                        (work.top + work.bottom - scale_(kHeight)) / 2, scale_(kWidth),
                                        scale_(kHeight), work.left, work.top, work.right, work.bottom);
        ::SetWindowPos(hwnd(), nullptr, at.left, at.top, scale_(kWidth), scale_(kHeight), SWP_NOZORDER);
        banner_.Navigate(BannerAddress(CurrentAddressParts()));
        SliderOf(kOwnSlider)->SetValue(kSliderMax);
        SetWindowAlpha(hwnd(), LevelFromPosition(kSliderMax, kSliderMax));
        PreparaComboLanguage();
        MostrarConfiguracion();
        WatchUpdateChecks(hwnd());
        ShowChecking();
        tbsOptions_Click();
    }

    // Made without a place: LayOut puts everything where it belongs.
    void MakeControls()
    {
        sliders_.clear();
        const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd(), GWLP_HINSTANCE));
        // The tab strip lies under the pages; Tab reaches it after the page.
        const HWND tabs = ::CreateWindowExW(0, WC_TABCONTROLW, L"",
                                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, 0, 0, hwnd(),
                                            reinterpret_cast<HMENU>(kTabs), instance, nullptr);
        for (int page = 0; page < kPageCount; ++page) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(L"");
            ::SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&item));
        }
        const std::vector<WORD> pageTemplate =
            EmptyDialogTemplate(L"", DS_CONTROL | WS_CHILD | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, 10, 10);
        // The theme's library is not one Windows knows: it is loaded from
        // the system folder, not by the program's own imports.
        static const auto themeTexture = VELORIA_LATE_BOUND("uxtheme.dll", EnableThemeDialogTexture);
        for (HWND& page : pages_) {
            page = ::CreateDialogIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(pageTemplate.data()),
                                                hwnd(), &PageProcedure, 0);
            if (themeTexture) {
                themeTexture(page, ETDT_ENABLETAB);
            }
            KeepOwnLayout(page);
            // A new child goes under its siblings: the page goes over the tab strip.
            ::SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        // The banner lies over its picture, so it is made first.
        banner_.Create(hwnd(), RECT{}, kBanner, PageScroll::None);
        for (const ControlRow& row : kControls) {
            const HWND parent = row.page != kAllPages ? pages_[static_cast<std::size_t>(row.page)] : hwnd();
            if (row.kind == Kind::Slider) {
                sliders_.emplace_back(row.id, Slider());
                const bool explained = row.id != kSlider3 && row.id != kSlider4;
                sliders_.back().second.Create(parent, row.id, RECT{}, kSliderMin, kSliderMax,
                                              explained ? kSliderTooltip : nullptr);
                continue;
            }
            const auto [windowClass, style] = ClassOf(row.kind);
            ::CreateWindowExW(0, windowClass, row.fixedText, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
        }
        const HWND list = Item(kProgramList);
        ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        for (int column = 0; column < 2; ++column) {
            LVCOLUMNW header{};
            header.mask = LVCF_TEXT;
            header.pszText = const_cast<wchar_t*>(L"");
            ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&header));
        }
        // The option buttons are one group, reached by Tab at the selected one.
        ::SetWindowLongPtrW(Item(kStylePlain), GWL_STYLE,
                            ::GetWindowLongPtrW(Item(kStylePlain), GWL_STYLE) | WS_GROUP | WS_TABSTOP);
        ::SetWindowLongPtrW(Item(kStyleFrame), GWL_STYLE,
                            ::GetWindowLongPtrW(Item(kStyleFrame), GWL_STYLE) | WS_GROUP);
    }

    // Every control where the table puts it at 96 DPI, scaled, in the
    // message font of the dialog's DPI. A control on a page is placed
    // within its page.
    void LayOut()
    {
        const auto place = [](HWND window, const RECT& bounds) {
            ::MoveWindow(window, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
        };
        place(Item(kTabs), scale_(kTabArea));
        for (HWND page : pages_) {
            place(page, scale_(kPageArea));
        }
        banner_.Resize(scale_(kBannerArea));
        for (const ControlRow& row : kControls) {
            const bool onPage = row.page != kAllPages;
            const int x = row.x - (onPage ? kPageArea.left : 0);
            const int y = row.y - (onPage ? kPageArea.top : 0);
            place(Item(row.id), scale_(RECT{x, y, x + row.width, y + row.height}));
        }
        SetChildFonts(hwnd(), scale_.font());
        const HWND list = Item(kProgramList);
        ::SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, scale_(66));
        ::SendMessageW(list, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER);
        if (picture_) {
            ShowPicture();
        }
    }

    // The picture under the sponsor page, for when the page cannot be shown.
    void ShowPicture()
    {
        picture_ = MakeSponsorPicture(kSponsorPicture.cx, kSponsorPicture.cy, scale_);
        ::SendMessageW(Item(kImage3), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.get()));
    }

    void AplicarIdioma()
    {
        const std::wstring title = std::wstring(ProductName()) + L" " + LanguageText(L::LANG_WINDOWOPTIONS_TITLE);
        ::SetWindowTextW(hwnd(), title.c_str());
        for (int page = 0; page < kPageCount; ++page) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(LanguageText(kTabCaptions[static_cast<std::size_t>(page)]).c_str());
            ::SendMessageW(Item(kTabs), TCM_SETITEMW, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&item));
        }
        for (const ControlRow& row : kControls) {
            if (row.caption) {
                ::SetWindowTextW(Item(row.id), LanguageText(*row.caption).c_str());
            }
        }
        constexpr std::array kColumns{L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_COLUMN_PROGRAM,
                                      L::LANG_WINDOWOPTIONS_TAB_PROGRAMS_COLUMN_LEVEL};
        for (std::size_t column = 0; column < kColumns.size(); ++column) {
            LVCOLUMNW header{};
            header.mask = LVCF_TEXT;
            header.pszText = const_cast<wchar_t*>(LanguageText(kColumns[column]).c_str());
            ::SendMessageW(Item(kProgramList), LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&header));
        }
    }

    void PreparaComboLanguage()
    {
        const HWND combo = Item(kLanguageCombo);
        ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (const std::wstring& file : LanguageFiles()) {
            ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(file.c_str()));
        }
        if (!LanguageFiles().empty()) {
            SelectLanguage(0);
        }
    }

    void SelectLanguage(std::size_t index)
    {
        ::SendMessageW(Item(kLanguageCombo), CB_SETCURSEL, index, 0);
        Combo_Language_Click();
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

    void MostrarConfiguracion()
    {
        const SettingsRecord& settings = Settings();
        ::SetWindowTextW(Item(kActualVersion), VersionText(CurrentVersion()).c_str());
        // A box is ticked when the setting is on the way the program reads
        // it: an AutoUpdate of "2" is off, so its box is not ticked.
        SetChecked(kChatWindow, MessengerWindowsEnabled(settings));
        SetChecked(kAutoUpdate, AutoUpdateEnabled(settings));
        SetChecked(kStylePlain, PlainWindowLook(settings));
        SetChecked(kStyleShaped, !PlainWindowLook(settings));
        SliderOf(kTaskbarSlider)->SetValue(SliderPositionForLevel(TaskbarLevel(settings), kSliderMin, kSliderMax));
        SliderOf(kDefaultSlider)->SetValue(
            SliderPositionForLevel(DefaultAlphaLevel(settings), kSliderMin, kSliderMax));
        SliderOf(kChatSlider)->SetValue(
            SliderPositionForLevel(RoundHalfEven(MessengerWindowLevel(settings)), kSliderMin, kSliderMax));
        SetChecked(kAutoStart, AutoStartEnabled(settings));
        SetChecked(kTaskbarCheck, TaskbarTranslucentAtStart(settings));
        // The taskbar at start-up is offered together with starting with
        // Windows only; the untick shows in the box, and the next save.
        if (Checked(kAutoStart)) {
            ::EnableWindow(Item(kTaskbarCheck), TRUE);
        } else {
            SetChecked(kTaskbarCheck, false);
            ::EnableWindow(Item(kTaskbarCheck), FALSE);
        }
        const auto& files = LanguageFiles();
        for (std::size_t index = 0; index < files.size(); ++index) {
            if (files[index] == LanguageFileName(settings)) {
                SelectLanguage(index);
                break;
            }
        }
        SliderOf(kTaskbarSlider)->Enable(Checked(kTaskbarCheck));
        programsShown_ = RememberedPrograms();
        programs_ = programsShown_;
        FillProgramList();
        ShowKeys();
    }

    // A key the control cannot show (with the Windows key) shows without
    // it, and stays as it is unless the user changes it.
    void ShowKeys()
    {
        const KeySettings& keys = Keys();
        for (std::size_t action = 0; action < kKeyActionCount; ++action) {
            const HWND field = Item(kKeyField + static_cast<int>(action));
            // A key without Ctrl or Alt gets both: no plain key is taken
            // from every program.
            ::SendMessageW(field, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
            shownKeys_[action] = ToHotKeyControl(keys.keys[action]);
            ::SendMessageW(field, HKM_SETHOTKEY, shownKeys_[action], 0);
        }
        SetChecked(kWheelCheck, keys.wheel);
        const HWND wheelKeys = Item(kWheelKeys);
        ::SendMessageW(wheelKeys, CB_RESETCONTENT, 0, 0);
        for (std::size_t k = 0; k < kWheelModifierChoices.size(); ++k) {
            ::SendMessageW(wheelKeys, CB_ADDSTRING, 0,
                           reinterpret_cast<LPARAM>(ModifiersText(kWheelModifierChoices[k]).c_str()));
            if (kWheelModifierChoices[k] == keys.wheelModifiers) {
                ::SendMessageW(wheelKeys, CB_SETCURSEL, k, 0);
            }
        }
        SetChecked(kClickThroughCheck, keys.clickThrough);
    }

    void SaveKeys()
    {
        KeySettings keys = Keys();
        for (std::size_t action = 0; action < kKeyActionCount; ++action) {
            const auto word = static_cast<std::uint16_t>(
                ::SendMessageW(Item(kKeyField + static_cast<int>(action)), HKM_GETHOTKEY, 0, 0));
            if (word != ToHotKeyControl(keys.keys[action])) {
                keys.keys[action] = FromHotKeyControl(word);
            }
        }
        keys.wheel = Checked(kWheelCheck);
        const auto choice = ::SendMessageW(Item(kWheelKeys), CB_GETCURSEL, 0, 0);
        if (choice >= 0 && static_cast<std::size_t>(choice) < kWheelModifierChoices.size()) {
            keys.wheelModifiers = kWheelModifierChoices[static_cast<std::size_t>(choice)];
        }
        keys.clickThrough = Checked(kClickThroughCheck);
        GuardarTeclas(hwnd(), keys);
        host_->KeysChanged();
    }

    // A key AltGr types on one of the user's keyboards is refused as it is
    // chosen, with the reason; the field goes back to the last whole key it
    // showed (while modifiers alone are held it shows none).
    void OnKeyChosen(std::size_t action)
    {
        const HWND field = Item(kKeyField + static_cast<int>(action));
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
        ShowMessage(hwnd(), LanguageText(Lang::LANG_BALLOON_KEYTYPES, HotKeyAndCharacterText(*key, *character)),
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
            std::to_wstring(RoundHalfEven(programs[static_cast<std::size_t>(row)].level * 100.0 / kHighestLevel)) +
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

    // The slider offers the selected program's level; nothing selected,
    // nothing to change or remove.
    void ShowSelectedProgram()
    {
        const std::optional<std::size_t> row = SelectedProgram();
        Slider& slider = *SliderOf(kProgramSlider);
        slider.Enable(row.has_value());
        ::EnableWindow(Item(kRemoveProgram), row ? TRUE : FALSE);
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

    // The dialog's changes to the programs, made to those in use now.
    void SavePrograms()
    {
        const ProgramChanges changes = ChangesBetween(programsShown_, programs_);
        ProgramLevels programs = RememberedPrograms();
        for (const std::wstring& name : changes.removed) {
            programs.Forget(name);
        }
        for (const RememberedProgram& program : changes.written) {
            programs.Remember(program.name, program.level);
        }
        GuardarProgramas(hwnd(), programs);
        WatchRememberedPrograms();
        for (const RememberedProgram& program : changes.written) {
            OfferLevelToOpenWindows(program.name);
        }
        programsShown_ = programs;
        programs_ = programs;
    }

    void GuardarConfiguracion()
    {
        const auto levelOf = [this](int id) {
            const Slider& slider = *SliderOf(id);
            return std::to_wstring(LevelFromPosition(slider.Value(), slider.Max()));
        };
        const auto box = [this](int id) { return std::wstring(Checked(id) ? L"1" : L"0"); };
        SettingsRecord values = Settings();
        values.DefaultAlpha = levelOf(kDefaultSlider);
        values.ControlStyle = Checked(kStylePlain) ? L"-1" : L"0";
        values.AutoStart = box(kAutoStart);
        values.AtutoMenuInicio_ALPHA = box(kTaskbarCheck);
        values.AtutoMenuInicio_ALPHAV = levelOf(kTaskbarSlider);
        values.AutoUpdate = box(kAutoUpdate);
        // With no language listed nothing is selected: the language in use
        // stays rather than becoming an empty name.
        values.LanguageFile = SelectedLanguage().value_or(values.LanguageFile);
        values.AutoMSN_ChatWindow = box(kChatWindow);
        values.AutoMSN_ChatWindow_ALPHA = levelOf(kChatSlider);
        GuardarConfiguracionArchivo(hwnd(), values);
        SavePrograms();
        SaveKeys();
        AplicarAutoinicio();
    }

    void AplicarAutoinicio() const
    {
        if (!Autostart(ProgramPath()).AplicarAutoinicio(AutoStartEnabled(Settings()))) {
            ShowMessage(hwnd(), LanguageText(Lang::LANG_MESSAGE_AUTOSTART_MACHINE), MB_ICONWARNING);
        }
    }

    void OnCommand(int id, int notification)
    {
        switch (id) {
        case IDOK:
            GuardarConfiguracion();
            LoadLanguage(LanguageFileName(Settings()));
            host_->SetLanguage();
            Close();
            break;
        case kApply:
            GuardarConfiguracion();
            LoadLanguage(LanguageFileName(Settings()));
            AplicarIdioma();
            host_->SetLanguage();
            MostrarConfiguracion();
            break;
        case IDCANCEL:
            Close();
            break;
        case kTaskbarCheck:
            SliderOf(kTaskbarSlider)->Enable(Checked(kTaskbarCheck));
            break;
        case kRemoveProgram:
            RemoveSelectedProgram();
            break;
        case kAllOpaque:
            ClearEveryChangedWindow();
            break;
        case kDownload:
            // A failure is told by the check when it ends.
            RequestUpdateCheck(UpdateCheck::Download, host_->Window());
            ShowChecking();
            break;
        case kLanguageCombo:
            if (notification == CBN_SELCHANGE) {
                Combo_Language_Click();
            }
            break;
        default:
            if (id >= kKeyField && id < kKeyField + static_cast<int>(kKeyActionCount) && notification == EN_CHANGE) {
                OnKeyChosen(static_cast<std::size_t>(id - kKeyField));
            }
            break;
        }
    }

    void OnSlider(LPARAM source)
    {
        for (auto& [id, slider] : sliders_) {
            if (!slider.TakeUserMove(source)) {
                continue;
            }
            const int level = LevelFromPosition(slider.Value(), slider.Max());
            if (id == kTaskbarSlider) {
                transparenttaskbar(static_cast<std::int16_t>(level));
                host_->SetTaskbarMark(255.0 / slider.Max() * slider.Value() != 255.0);
            } else if (id == kOwnSlider) {
                SetWindowAlpha(hwnd(), level);
            } else if (const auto row = SelectedProgram(); id == kProgramSlider && row) {
                programs_.Remember(std::wstring(programs_.Programs()[*row].name), level);
                ShowProgramLevel(static_cast<int>(*row));
            }
        }
    }

    void tbsOptions_Click()
    {
        const auto selected = static_cast<int>(::SendMessageW(Item(kTabs), TCM_GETCURSEL, 0, 0));
        for (std::size_t page = 0; page < pages_.size(); ++page) {
            ::ShowWindow(pages_[page], static_cast<int>(page) == selected ? SW_SHOWNA : SW_HIDE);
        }
        if (selected == kUpdatesPage) {
            RefreshUpdatesPage();
        }
    }

    // The values of the last manifest load and whether the button offers a
    // download; then the manifest itself is asked for, and listed when it
    // comes (the page shows meanwhile that a check is under way).
    void RefreshUpdatesPage()
    {
        ShowManifestValues();
        ::SetWindowTextW(Item(kManifestText), L"");
        RequestUpdateCheck(UpdateCheck::Listing);
        ShowChecking();
    }

    void ShowManifestValues()
    {
        const ManifestValues& manifest = Manifest();
        ::SetWindowTextW(Item(kLastVersion), manifest.LastVersion.c_str());
        ::SetWindowTextW(Item(kWebPage), manifest.WebPage.c_str());
        ::SetWindowTextW(Item(kDownloadUrl), manifest.DownloadURL.c_str());
        const VersionOrder order = CompareVersions(manifest.LastVersion, VersionText(CurrentVersion()));
        ::EnableWindow(Item(kDownload), EnablesDownloadButton(order) ? TRUE : FALSE);
    }

    // The moving bar while a check of this page's runs.
    void ShowChecking() const
    {
        const bool checking =
            UpdateCheckUnderWay(UpdateCheck::Listing) || UpdateCheckUnderWay(UpdateCheck::Download);
        ::SendMessageW(Item(kChecking), PBM_SETMARQUEE, checking ? TRUE : FALSE, 0);
        ::ShowWindow(Item(kChecking), checking ? SW_SHOWNA : SW_HIDE);
    }

    // Any check brings the values it loaded; the listing comes from its own.
    void OnUpdateCheckDone(UpdateCheck kind)
    {
        ShowManifestValues();
        if (kind == UpdateCheck::Listing) {
            ::SetWindowTextW(Item(kManifestText), ManifestListing().c_str());
        }
        ShowChecking();
    }

    void Combo_Language_Click()
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

    void Close()
    {
        CloseFading(hwnd());
    }

    OptionsHost* host_ = nullptr;
    DpiScale scale_;
    std::array<HWND, kPageCount> pages_{};
    std::vector<std::pair<int, Slider>> sliders_;
    BrowserHost banner_;
    GdiObject<HBITMAP> picture_;
    ProgramLevels programsShown_;  // the programs in use when the page was filled
    ProgramLevels programs_;       // the same with the page's changes
    std::array<std::uint16_t, kKeyActionCount> shownKeys_{};  // the keys the fields show, as accepted
};

}  // namespace

void ShowOptions(HINSTANCE instance, OptionsHost& host)
{
    OptionsDialog::Instance().Show(instance, host);
}

}  // namespace veloria
