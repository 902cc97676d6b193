// Loading captions the window and its button from the language in use,
// makes it translucent (235) and starts loading the page. A page that
// cannot be loaded is told in a message box, one at a time, and the window
// stays. Closing makes it opaque and fades it out.
#include "windows/tell_a_friend_window.h"

#include <string>

#include "base/child_window.h"
#include "base/dpi.h"
#include "base/error_report.h"
#include "base/handle.h"
#include "base/version.h"
#include "base/window_base.h"
#include "controls/browser_host.h"
#include "controls/slider.h"
#include "language/language_keys.h"
#include "skin/tool_window.h"
#include "transparency/alpha_blend.h"
#include "update/web_links.h"
#include "windows/tell_a_friend_layout.h"

namespace veloria {

namespace {

enum ControlId : int { kBrowserId = 1, kCancelId, kSliderId };

constexpr int kSliderMin = 1;
constexpr int kSliderMax = 30;
constexpr int kSliderStart = 27;
constexpr int kLevel = 235;
// Sizes at 96 DPI.
constexpr int kSliderWidth = 160;
constexpr int kSliderHeight = 22;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 24;
constexpr int kStartWidth = 640;  // client area at the first opening
constexpr int kStartHeight = 440;
constexpr int kLeastWidth = 240;
constexpr int kMargin = 8;

}  // namespace

class TellAFriend : public ScaledWindow<TellAFriend> {
public:
    void Show(HINSTANCE instance)
    {
        if (hwnd() != nullptr) {
            ::ShowWindow(hwnd(), SW_RESTORE);
            BringForward();
            return;
        }
        // In the middle of the work area the user works on.
        ScaleToCursorMonitor();
        const WindowShape shape = FramedShape(kStyle, 0, scale_(kStartWidth), scale_(kStartHeight), scale_.dpi());
        if (Open(instance, ToolWindowClass(kTellAFriendClass), L"", shape, {Opening::Centred}) != nullptr) {
            Load();
        }
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) {
                LayOut(LOWORD(lParam), HIWORD(lParam));
            }
            return 0;
        case WM_GETMINMAXINFO:
            OnMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_HSCROLL:
            if (slider_.TakeUserMove(lParam)) {
                SetWindowAlphaFromSlider(hwnd(), slider_.Value(), slider_.Max());
            }
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kCancelId) {
                ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
            }
            return 0;
        case kBrowserNavigateError:
            OnNavigateError();
            return 0;
        case WM_CLOSE:
            CloseFading(hwnd());
            return 0;
        default:
            return Default(message, wParam, lParam);
        }
    }

private:
    static constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;


    // On a monitor of another scale: the font and the sizes of the slider
    // and the button, then the layout of the window's new size.
    friend class ScaledWindow<TellAFriend>;
    void OnScaleChanged()
    {
        SetChildFonts(hwnd(), scale_.font());
        ::SetWindowPos(slider_.hwnd(), nullptr, 0, 0, scale_(kSliderWidth), scale_(kSliderHeight),
                       SWP_NOMOVE | SWP_NOZORDER);
        ::SetWindowPos(cancel_, nullptr, 0, 0, scale_(kButtonWidth), scale_(kButtonHeight), SWP_NOMOVE | SWP_NOZORDER);
        RECT client{};
        ::GetClientRect(hwnd(), &client);
        LayOut(client.right, client.bottom);
    }
    void OnLookChanged() { SetOwnWindowLevel(hwnd(), kLevel); }

    void OnCreate()
    {
        browser_.Create(hwnd(), scale_(RECT{0, 0, kStartWidth, kStartHeight - 40}), kBrowserId);
        cancel_ = CreateChild(hwnd(), L"BUTTON", L"", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kCancelId,
                              scale_(RECT{0, 0, kButtonWidth, kButtonHeight}), scale_.font());
        slider_.Create(hwnd(), kSliderId, scale_(RECT{kMargin, 0, kMargin + kSliderWidth, kSliderHeight}), kSliderMin,
                       kSliderMax, kSliderTooltip, &Slider::OpacityOfOwnWindow);
        slider_.SetValue(kSliderStart);
    }

    void Load()
    {
        const std::wstring caption = LanguageText(Lang::LANG_WINDOWTELLAFRIEND_TITLE) + L" " +
                                    NamedVersionText(ProductName(), CurrentVersion());
        ::SetWindowTextW(hwnd(), caption.c_str());
        ::SetWindowTextW(cancel_, LanguageText(Lang::LANG_WINDOWOPTIONS_BTN_CANCEL).c_str());
        SetOwnWindowLevel(hwnd(), kLevel);
        ::ShowWindow(hwnd(), SW_SHOW);
        browser_.Navigate(TellAFriendAddress(CurrentAddressParts()));
    }

    void LayOut(int width, int height)
    {
        const TellAFriendLayout layout = LayOutTellAFriend({width, height, scale_(kSliderHeight),
                                                            scale_(kButtonWidth), scale_(kButtonHeight),
                                                            static_cast<int>(scale_.dpi())});
        browser_.Resize(RECT{0, 0, layout.browserWidth, layout.browserHeight});
        ::SetWindowPos(slider_.hwnd(), nullptr, scale_(kMargin), layout.sliderTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ::SetWindowPos(cancel_, nullptr, layout.buttonLeft, layout.buttonTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }

    // The page never shrinks to nothing, and the slider and the button
    // stay in the window.
    void OnMinMaxInfo(MINMAXINFO& limits) const
    {
        const WindowShape least = FramedShape(kStyle, 0, scale_(kLeastWidth),
                                              TellAFriendMinimumClientHeight(static_cast<int>(scale_.dpi())),
                                              scale_.dpi());
        limits.ptMinTrackSize.x = least.width;
        limits.ptMinTrackSize.y = least.height;
    }

    // A browser may report several failures for one page: one message at
    // a time.
    void OnNavigateError()
    {
        if (telling_) {
            return;
        }
        telling_ = true;
        ShowMessage(hwnd(), LanguageText(Lang::LANG_WINDOWTELLAFRIEND_MSGBOX_FAILCONNECTINTRENET), 0);
        telling_ = false;
    }

    BrowserHost browser_;
    Slider slider_;
    HWND cancel_ = nullptr;
    bool telling_ = false;
};

TellAFriendWindow::TellAFriendWindow() = default;
TellAFriendWindow::~TellAFriendWindow() = default;

void TellAFriendWindow::Show(HINSTANCE instance)
{
    window_.Get().Show(instance);
}

}  // namespace veloria
