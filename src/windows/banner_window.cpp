// The countdown: six at load, one less each second; the caption shows the
// seconds left from the first tick, and the sixth tick gives the close
// command back, leaves the title and the version in the caption and stops
// the timer, so an idle program is not woken again.
#include "windows/banner_window.h"

#include <cstdint>
#include <string>

#include "base/child_window.h"
#include "base/handle.h"
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
constexpr UINT kTickMs = 1000;
constexpr std::int16_t kCountdownStart = 6;
constexpr int kLevel = 200;
constexpr int kSliderMin = 1;
constexpr int kSliderMax = 30;
constexpr int kSliderStart = 27;
constexpr int kWidth = 480;  // client area
constexpr int kHeight = 132;
constexpr int kPageHeight = 90;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 26;
constexpr int kMargin = 8;
constexpr SkinColours kButtonColours{RGB(38, 120, 168), RGB(20, 60, 90), RGB(255, 255, 255)};

// The seconds left, program-wide: every load starts it again.
std::int16_t countdown = 0;

class Banner : public WindowBase<Banner> {
public:
    static Banner& Instance()
    {
        static Banner window;
        return window;
    }

    void Show(HINSTANCE instance)
    {
        if (hwnd() != nullptr) {
            ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            return;
        }
        instance_ = instance;
        const WindowShape shape =
            FramedShape(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, kWidth, kHeight);
        // By the tray: the bottom-right corner of the work area.
        const RECT work = WorkArea();
        if (CreateBound(instance, ToolWindowClass(kBannerClass), shape.exStyle, L"", shape.style,
                        work.right - shape.width - kMargin, work.bottom - shape.height - kMargin, shape.width,
                        shape.height, nullptr) != nullptr) {
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
            }
            return 0;
        case WM_HSCROLL:
            if (slider_.TakeUserMove(lParam)) {
                SetWindowAlphaFromSlider(hwnd(), slider_.Value(), slider_.Max());
            }
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kCommand1Id) {
                OpenDonationPage();
            } else if (LOWORD(wParam) == kCommand2Id) {
                ShowTellAFriend(instance_);
            }
            return 0;
        case kBrowserNavigateError:
            // The page cannot be shown: the picture behind it can.
            browser_.SetVisible(false);
            return 0;
        case WM_SYSCOMMAND:
            // While the countdown runs the window cannot be closed, by the
            // keyboard (Alt+F4) either.
            if ((wParam & 0xFFF0) == SC_CLOSE && countdown > 0) {
                return 0;
            }
            return Default(message, wParam, lParam);
        case WM_CLOSE:
            CloseFading(hwnd());
            return 0;
        case WM_DESTROY:
            ::KillTimer(hwnd(), kCountdownTimer);
            return 0;
        case WM_NCDESTROY:
            image1_.reset();
            command1Picture_.reset();
            command2Picture_.reset();
            return Default(message, wParam, lParam);
        default:
            return Default(message, wParam, lParam);
        }
    }

private:
    Banner() = default;

    void OnCreate()
    {
        const auto font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        const auto face = ::GetSysColor(COLOR_BTNFACE);
        // The page lies over its picture, which shows when the page fails.
        browser_.Create(hwnd(), RECT{0, 0, kWidth, kPageHeight}, kBrowserId);
        image1_ = MakeSponsorPicture(kWidth, kPageHeight, font);
        const HWND image =
            CreateChild(hwnd(), L"STATIC", L"", WS_VISIBLE | SS_BITMAP, kImage1Id, RECT{0, 0, kWidth, kPageHeight});
        ::SendMessageW(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image1_.get()));
        ::SetWindowPos(image, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

        const int top = kPageHeight + (kHeight - kPageHeight - kButtonHeight) / 2;
        command1Picture_ = MakePanelPicture(kButtonWidth - 6, kButtonHeight - 6, 10, kButtonColours, L"Donate", face);
        command2Picture_ =
            MakePanelPicture(kButtonWidth - 6, kButtonHeight - 6, 10, kButtonColours, L"Tell a friend", face);
        const auto pictureButton = [&](int id, HBITMAP picture, int left) {
            constexpr DWORD style = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP;
            const HWND button = CreateChild(hwnd(), L"BUTTON", L"", style, id,
                                            RECT{left, top, left + kButtonWidth, top + kButtonHeight});
            ::SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
        };
        pictureButton(kCommand1Id, command1Picture_.get(), kMargin);
        pictureButton(kCommand2Id, command2Picture_.get(), 2 * kMargin + kButtonWidth);
        const int sliderLeft = 3 * kMargin + 2 * kButtonWidth;
        slider_.Create(hwnd(), kSliderId, RECT{sliderLeft, top, kWidth - kMargin, top + kButtonHeight}, kSliderMin,
                       kSliderMax, kSliderTooltip);
        slider_.SetValue(kSliderStart);
    }

    void Load()
    {
        countdown = kCountdownStart;
        SetWindowAlpha(hwnd(), kLevel);
        const std::wstring address = BannerAddress(CurrentAddressParts());
        closeText_ = CloseItemText(hwnd());
        DisableCloseItem(hwnd(), closeText_);
        // Shown without taking the focus: a pick or a tray click in
        // progress stays the user's.
        ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
        ::SetTimer(hwnd(), kCountdownTimer, kTickMs, nullptr);
        browser_.Navigate(address);
    }

    void OnTick()
    {
        --countdown;
        const std::wstring title = LanguageText(Lang::LANG_WINDOWCONTROL_TITLE) + L"  " +
                                  NamedVersionText(ProductName(), CurrentVersion());
        if (countdown > 0) {
            const std::wstring caption = title + L"     " + std::to_wstring(countdown) + L" Sec";
            ::SetWindowTextW(hwnd(), caption.c_str());
            return;
        }
        EnableCloseItem(hwnd(), closeText_);
        ::SetWindowTextW(hwnd(), title.c_str());
        ::KillTimer(hwnd(), kCountdownTimer);
    }

    HINSTANCE instance_ = nullptr;
    BrowserHost browser_;
    Slider slider_;
    std::wstring closeText_;  // the close item's caption, read at load
    GdiObject<HBITMAP> image1_;
    GdiObject<HBITMAP> command1Picture_;
    GdiObject<HBITMAP> command2Picture_;
};

}  // namespace

void ShowBanner(HINSTANCE instance)
{
    Banner::Instance().Show(instance);
}

}  // namespace veloria
