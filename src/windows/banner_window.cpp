// The countdown: six at load, one less each second; the caption shows the
// seconds left from the first tick, and the sixth tick gives the close
// command back, leaves the title and the version in the caption and stops
// the timer, so an idle program is not woken again.
#include "windows/banner_window.h"

#include <oleacc.h>

#include <cstdint>
#include <string>

#include "base/accessible.h"
#include "base/child_window.h"
#include "base/dpi.h"
#include "base/handle.h"
#include "base/text_rules.h"
#include "base/version.h"
#include "base/window_base.h"
#include "controls/browser_host.h"
#include "controls/slider.h"
#include "language/language_keys.h"
#include "skin/skin_pictures.h"
#include "skin/tool_window.h"
#include "skin/window_effects.h"
#include "transparency/alpha_blend.h"
#include "update/open_url.h"
#include "update/web_links.h"
#include "windows/tell_a_friend_window.h"

namespace veloria {

namespace {

enum ControlId : int { kBrowserId = 1, kImage1Id, kCommand1Id, kCommand2Id, kSliderId };

constexpr UINT_PTR kCountdownTimer = 1;  // Timer
// The page is made and asked for once the banner is up and the program
// idle: showing the banner waits on no web engine.
constexpr UINT_PTR kPageTimer = 2;
constexpr UINT kTickMs = 1000;
constexpr std::int16_t kCountdownStart = 6;
constexpr int kLevel = 200;
constexpr int kSliderMin = 1;
constexpr int kSliderMax = 30;
constexpr int kSliderStart = 27;
constexpr int kWidth = 480;  // client area, at 96 DPI as every size here
constexpr int kHeight = 132;
constexpr int kPageHeight = 90;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 26;
constexpr int kMargin = 8;
constexpr SkinColours kButtonColours{RGB(38, 120, 168), RGB(20, 60, 90), RGB(255, 255, 255)};

}  // namespace

class Banner : public ScaledWindow<Banner> {
public:
    explicit Banner(TellAFriendWindow& tellAFriend) : tellAFriend_(tellAFriend) {}

    void Show(HINSTANCE instance)
    {
        if (hwnd() != nullptr) {
            ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            return;
        }
        instance_ = instance;
        // By the tray: the bottom-right corner of the work area of the
        // monitor the user works on.
        ScaleToCursorMonitor();
        const WindowShape shape = FramedShape(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW,
                                              scale_(kWidth), scale_(kHeight), scale_.dpi());
        if (Open(instance, ToolWindowClass(kBannerClass), L"", shape, {Opening::BottomRight, {kMargin, kMargin}}) !=
            nullptr) {
            Load();
        }
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_SETFOCUS:
            // Keys act on the slider as soon as the banner is active.
            ::SetFocus(slider_.hwnd());
            return 0;
        case WM_TIMER:
            if (wParam == kCountdownTimer) {
                OnTick();
            } else if (wParam == kPageTimer) {
                ::KillTimer(hwnd(), kPageTimer);
                browser_.Create(hwnd(), scale_(RECT{0, 0, kWidth, kPageHeight}), kBrowserId, PageScroll::None);
                browser_.Navigate(address_);
            }
            return 0;
        case WM_HSCROLL:
            if (slider_.TakeUserMove(lParam)) {
                SetWindowAlphaFromSlider(hwnd(), slider_.Value(), slider_.Max());
            }
            return 0;
        case WM_DRAWITEM:
            DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == kCommand1Id) {
                OpenDonationPage();
            } else if (LOWORD(wParam) == kCommand2Id) {
                tellAFriend_.Show(instance_);
            }
            return 0;
        case kBrowserNavigateError:
            // The page cannot be shown: the picture behind it can, drawn
            // now that it is needed.
            browser_.SetVisible(false);
            ShowPicture();
            return 0;
        case WM_SYSCOMMAND:
            // While the countdown runs the window cannot be closed, by the
            // keyboard (Alt+F4) either.
            if ((wParam & 0xFFF0) == SC_CLOSE && countdown_ > 0) {
                return 0;
            }
            return Default(message, wParam, lParam);
        case WM_CLOSE:
            CloseFading(hwnd());
            return 0;
        case WM_DESTROY:
            ::KillTimer(hwnd(), kCountdownTimer);
            ::KillTimer(hwnd(), kPageTimer);
            return 0;
        case WM_NCDESTROY:
            picture1_.reset();
            return Default(message, wParam, lParam);
        default:
            return Default(message, wParam, lParam);
        }
    }

private:
    friend class ScaledWindow<Banner>;
    void OnScaleChanged() { LayOut(); }
    void OnLookChanged()
    {
        LayOut();
        SetOwnWindowLevel(hwnd(), kLevel);
        ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }

    void OnCreate()
    {
        // The page, made later, lies over its picture, which shows when the
        // page fails.
        image1_ = CreateChild(hwnd(), L"STATIC", L"", WS_VISIBLE | SS_BITMAP, kImage1Id, RECT{}, scale_.font());
        ::SetWindowPos(image1_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        // The buttons paint their panels themselves, at the banner's DPI.
        constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
        command1_ = CreateChild(hwnd(), L"BUTTON", L"Donate", kButton, kCommand1Id, RECT{}, scale_.font());
        command2_ = CreateChild(hwnd(), L"BUTTON", L"Tell a friend", kButton, kCommand2Id, RECT{}, scale_.font());
        slider_.Create(hwnd(), kSliderId, RECT{}, kSliderMin, kSliderMax, kSliderTooltip, &Slider::OpacityOfOwnWindow);
        // Drawn by the banner, they are push buttons named by their texts.
        AccessibleFacts button;
        button.role = ROLE_SYSTEM_PUSHBUTTON;
        DescribeForAccessibility(command1_, button);
        DescribeForAccessibility(command2_, button);
        slider_.SetValue(kSliderStart);
        LayOut();
    }

    // The controls where they stand at 96 DPI, scaled, and their pictures
    // drawn for the window's DPI.
    void LayOut()
    {
        const auto place = [this](HWND control, const RECT& bounds) { PlaceWindow(control, scale_(bounds)); };
        if (browser_.hwnd() != nullptr) {
            browser_.Resize(scale_(RECT{0, 0, kWidth, kPageHeight}));
        }
        place(image1_, RECT{0, 0, kWidth, kPageHeight});
        const int top = kPageHeight + (kHeight - kPageHeight - kButtonHeight) / 2;
        place(command1_, RECT{kMargin, top, kMargin + kButtonWidth, top + kButtonHeight});
        place(command2_, RECT{2 * kMargin + kButtonWidth, top, 2 * (kMargin + kButtonWidth), top + kButtonHeight});
        place(slider_.hwnd(), RECT{3 * kMargin + 2 * kButtonWidth, top, kWidth - kMargin, top + kButtonHeight});
        SetChildFonts(hwnd(), scale_.font());
        if (picture1_) {
            ShowPicture();
        }
    }

    // A push button's frame, pressed or not, and the panel inside it.
    void DrawButton(const DRAWITEMSTRUCT& item) const
    {
        RECT area = item.rcItem;
        const bool pressed = (item.itemState & ODS_SELECTED) != 0;
        ::DrawFrameControl(item.hDC, &area, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0u));
        const int inset = scale_(3) + (pressed ? 1 : 0);
        const RECT panel{area.left + inset, area.top + inset, area.right - inset + (pressed ? 2 : 0),
                         area.bottom - inset + (pressed ? 2 : 0)};
        wchar_t title[32] = {};
        ::GetWindowTextW(item.hwndItem, title, 32);
        if (HighContrastOn()) {
            // The system's button, in the theme's colours.
            RECT text = panel;
            ::SetBkMode(item.hDC, TRANSPARENT);
            ::SetTextColor(item.hDC, ::GetSysColor(COLOR_BTNTEXT));
            const SelectedObject font(item.hDC, scale_.font());
            ::DrawTextW(item.hDC, title, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        } else {
            DrawPanel(item.hDC, panel, 10, kButtonColours, title, scale_);
        }
        if ((item.itemState & ODS_FOCUS) != 0) {
            RECT focus{panel.left + 2, panel.top + 2, panel.right - 2, panel.bottom - 2};
            ::DrawFocusRect(item.hDC, &focus);
        }
    }

    void ShowPicture()
    {
        picture1_ = HighContrastOn() ? GdiObject<HBITMAP>() : MakeSponsorPicture(kWidth, kPageHeight, scale_);
        ::SendMessageW(image1_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture1_.get()));
    }

    void Load()
    {
        countdown_ = kCountdownStart;
        SetOwnWindowLevel(hwnd(), kLevel);
        address_ = BannerAddress(CurrentAddressParts());
        closeText_ = CloseItemText(hwnd());
        DisableCloseItem(hwnd(), closeText_);
        // Shown without taking the focus: a pick or a tray click in
        // progress stays the user's.
        ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
        ::SetTimer(hwnd(), kCountdownTimer, kTickMs, nullptr);
        ::SetTimer(hwnd(), kPageTimer, USER_TIMER_MINIMUM, nullptr);
    }

    void OnTick()
    {
        --countdown_;
        const std::wstring title = LanguageText(Lang::LANG_WINDOWCONTROL_TITLE) + L"  " +
                                  NamedVersionText(ProductName(), CurrentVersion());
        if (countdown_ > 0) {
            const std::wstring caption = title + L"     " + DecimalText(countdown_) + L" Sec";
            ::SetWindowTextW(hwnd(), caption.c_str());
            return;
        }
        EnableCloseItem(hwnd(), closeText_);
        ::SetWindowTextW(hwnd(), title.c_str());
        ::KillTimer(hwnd(), kCountdownTimer);
    }

    TellAFriendWindow& tellAFriend_;
    std::int16_t countdown_ = 0;  // the seconds left: every load starts it again
    HINSTANCE instance_ = nullptr;
    BrowserHost browser_;
    Slider slider_;
    HWND image1_ = nullptr;
    HWND command1_ = nullptr;
    HWND command2_ = nullptr;
    std::wstring closeText_;  // the close item's caption, read at load
    std::wstring address_;    // the page's, built at load
    GdiObject<HBITMAP> picture1_;
};

BannerWindow::BannerWindow(TellAFriendWindow& tellAFriend) : tellAFriend_(tellAFriend) {}
BannerWindow::~BannerWindow() = default;

void BannerWindow::Show(HINSTANCE instance)
{
    window_.Get(tellAFriend_).Show(instance);
}

}  // namespace veloria
