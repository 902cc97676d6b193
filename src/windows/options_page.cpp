#include "windows/options_page.h"

#include <commctrl.h>

#include "base/dialog_base.h"
#include "base/system_calls.h"
#include "language/language_file.h"

namespace veloria::options {

namespace {

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
    case Kind::WrappingButton:
        return {L"BUTTON", kTab | BS_PUSHBUTTON | BS_MULTILINE};
    case Kind::WrappingCheck:
        return {L"BUTTON", kTab | BS_AUTOCHECKBOX | BS_MULTILINE};
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
    case Kind::BareSlider:
        break;
    }
    return {L"STATIC", SS_LEFTNOWORDWRAP};
}

}  // namespace

void MakeControls(HWND parent, std::span<const ControlRow> rows, std::vector<std::pair<int, Slider>>& sliders)
{
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    for (const ControlRow& row : rows) {
        if (row.kind == Kind::Slider || row.kind == Kind::BareSlider) {
            sliders.emplace_back(row.id, Slider());
            // Named by the box before it, which switches it on; the
            // dialog's own, the first, after the dialog.
            sliders.back().second.Create(parent, row.id, RECT{}, kSliderMin, kSliderMax,
                                         row.kind == Kind::Slider ? kSliderTooltip : nullptr,
                                         (::GetWindowLongW(parent, GWL_STYLE) & WS_CHILD) == 0
                                             ? &Slider::OpacityOfOwnWindow
                                             : &Slider::NamedByControlBefore);
            continue;
        }
        const auto [windowClass, style] = ClassOf(row.kind);
        ::CreateWindowExW(0, windowClass, row.fixedText, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
    }
}

void PlaceControls(HWND parent, std::span<const ControlRow> rows, const DpiScale& scale, POINT origin)
{
    for (const ControlRow& row : rows) {
        const int x = row.x - origin.x;
        const int y = row.y - origin.y;
        PlaceWindow(::GetDlgItem(parent, row.id), scale(RECT{x, y, x + row.width, y + row.height}));
    }
}

void CaptionControls(HWND parent, std::span<const ControlRow> rows)
{
    for (const ControlRow& row : rows) {
        if (row.caption) {
            ::SetWindowTextW(::GetDlgItem(parent, row.id), LanguageText(*row.caption).c_str());
        }
    }
}

void OptionsPage::Create(const Sheet& sheet)
{
    sheet_ = sheet;
    sliders_.clear();
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(sheet.window, GWLP_HINSTANCE));
    const std::vector<WORD> layout =
        EmptyDialogTemplate(L"", DS_CONTROL | WS_CHILD | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, 10, 10);
    page_ = ::CreateDialogIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(layout.data()), sheet.window,
                                         &OptionsPage::Procedure, reinterpret_cast<LPARAM>(this));
    if (Theme().DialogTexture) {
        Theme().DialogTexture(page_, ETDT_ENABLETAB);
    }
    KeepOwnLayout(page_);
    // A new child goes under its siblings: the page goes over the tab strip.
    ::SetWindowPos(page_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Made without a place: LayOut puts everything where it belongs.
    MakeControls(page_, rows_, sliders_);
    Made();
}

void OptionsPage::LayOut(const DpiScale& scale)
{
    PlaceWindow(page_, scale(kPageArea));
    PlaceControls(page_, rows_, scale, POINT{kPageArea.left, kPageArea.top});
    LaidOut(scale);
}

void OptionsPage::Caption()
{
    CaptionControls(page_, rows_);
    Captioned();
}

void OptionsPage::Show(bool shown)
{
    ::ShowWindow(page_, shown ? SW_SHOWNA : SW_HIDE);
    if (shown) {
        Selected();
    }
}

bool OptionsPage::Ticked(int id) const
{
    return IsTicked(Item(id));
}

void OptionsPage::SetTicked(int id, bool ticked) const
{
    veloria::SetTicked(Item(id), ticked);
}

Slider& OptionsPage::SliderOf(int id)
{
    for (auto& [sliderId, slider] : sliders_) {
        if (sliderId == id) {
            return slider;
        }
    }
    return none_;
}

INT_PTR CALLBACK OptionsPage::Procedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(page, GWLP_USERDATA, lParam);
        reinterpret_cast<OptionsPage*>(lParam)->page_ = page;
        return FALSE;  // the focus stays where the dialog puts it
    }
    auto* self = reinterpret_cast<OptionsPage*>(::GetWindowLongPtrW(page, GWLP_USERDATA));
    if (self == nullptr) {
        return FALSE;
    }
    INT_PTR result = FALSE;
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        result = FALSE;
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(page, GWLP_USERDATA, 0);
        self->sliders_.clear();  // their windows are gone with the page
        self->page_ = nullptr;
    }
    return result;
}

INT_PTR OptionsPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        // What the page does not take (Escape in its text box, a close)
        // is the dialog's.
        if (!Command(LOWORD(wParam), HIWORD(wParam))) {
            ::SendMessageW(sheet_.window, message, wParam, lParam);
        }
        return TRUE;
    case WM_NOTIFY:
        return Notify(*reinterpret_cast<const NMHDR*>(lParam)) ? TRUE : FALSE;
    case WM_HSCROLL:
        for (auto& [id, slider] : sliders_) {
            if (slider.TakeUserMove(lParam)) {
                Slid(id, slider);
            }
        }
        return TRUE;
    case WM_DESTROY:
        Destroyed();
        return FALSE;
    default:
        if (message >= WM_APP) {
            Message(message, wParam);
            return TRUE;
        }
        return FALSE;
    }
}

}  // namespace veloria::options
