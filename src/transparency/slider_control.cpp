// The level popup.
//
// Loading places it by the cursor, opens its slider on DefaultAlpha and
// gives TargetWindow the slider's level. Every move of the slider applies
// the level again; at the slider's end the target is made opaque. Dragging
// its picture moves the popup; closing it leaves the target as it is. In the
// skinned look the popup is cut to its picture and has a close button of
// its own.
#include "transparency/slider_control.h"

#include "base/alpha_rules.h"
#include "base/child_window.h"
#include "base/dpi.h"
#include "base/handle.h"
#include "base/window_base.h"
#include "controls/slider.h"
#include "settings/settings_record.h"
#include "skin/skin_pictures.h"
#include "skin/tool_window.h"
#include "skin/window_effects.h"
#include "transparency/alpha_blend.h"
#include "transparency/picker.h"

namespace veloria {

namespace {

constexpr int kSliderId = 1;
constexpr int kCloseId = 2;  // Command_close
constexpr int kSliderMin = 1;
constexpr int kSliderMax = 30;
// Sizes at 96 DPI.
constexpr int kClientWidth = 264;
constexpr int kClientHeight = 44;
constexpr int kImageSize = 32;
constexpr POINT kFromCursor{18, 28};  // the popup opens this far up-left of the cursor
constexpr SkinColours kSkin{RGB(24, 70, 110), RGB(150, 200, 225), RGB(255, 255, 255)};

class SliderControl : public WindowBase<SliderControl> {
public:
    static SliderControl& Instance()
    {
        static SliderControl window;
        return window;
    }

    void Show(HINSTANCE instance)
    {
        if (hwnd() != nullptr) {
            BringForward();
            ::SetForegroundWindow(hwnd());
            return;
        }
        const POINT cursor = CursorPosition();
        scale_.Set(DpiAt(cursor));
        const WindowShape shape = ToolWindowShape(scale_(kClientWidth), scale_(kClientHeight), scale_.dpi());
        if (CreateBound(instance, ToolWindowClass(kSliderControlClass), shape.exStyle, kSliderControlTitle,
                        shape.style, 0, 0, shape.width, shape.height, nullptr) != nullptr) {
            Load(cursor);
        }
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (LRESULT answer = 0; skin_.Handles(message, wParam, answer)) {
            return answer;
        }
        switch (message) {
        case WM_CREATE:
            slider_.Create(hwnd(), kSliderId, RECT{}, kSliderMin, kSliderMax, kSliderTooltip);
            closeButton_ = CreateChild(hwnd(), L"BUTTON", L"x", BS_PUSHBUTTON, kCloseId, RECT{}, scale_.font());
            LayOut();
            return 0;
        case kDpiChangedMessage: {
            // On a monitor of another scale: the suggested size, then the
            // controls and the shape anew.
            const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
            scale_.Set(LOWORD(wParam));
            ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                           suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
            LayOut();
            return 0;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == kCloseId) {
                ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
            }
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_SETFOCUS:
            // Keys act on the slider as soon as the popup is active.
            ::SetFocus(slider_.hwnd());
            return 0;
        case WM_LBUTTONDOWN:
            // The picture at the left moves the popup.
            MoverVentana(hwnd());
            return 0;
        case WM_HSCROLL:
            if (slider_.TakeUserMove(lParam)) {
                OnSliderMove();
            }
            return 0;
        case WM_CLOSE:
            ::DestroyWindow(hwnd());
            return 0;
        case WM_NCDESTROY:
            skin_.Drop(hwnd());
            return Default(message, wParam, lParam);
        default:
            return Default(message, wParam, lParam);
        }
    }

private:
    SliderControl() = default;

    // The controls where they stand at 96 DPI, scaled.
    void LayOut()
    {
        const RECT bounds = scale_(RECT{kImageSize + 12, 6, kClientWidth - 30, kClientHeight - 6});
        ::MoveWindow(slider_.hwnd(), bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                     TRUE);
        const RECT close = scale_(RECT{kClientWidth - 26, 13, kClientWidth - 8, 31});
        ::MoveWindow(closeButton_, close.left, close.top, close.right - close.left, close.bottom - close.top, TRUE);
        SetChildFonts(hwnd(), scale_.font());
        if (!PlainWindowLook(Settings())) {
            skin_.Cut(hwnd(), SIZE{kClientWidth, kClientHeight}, kSkin, kClientHeight, nullptr, scale_);
        }
        ::InvalidateRect(hwnd(), nullptr, TRUE);
    }

    void Load(POINT cursor)
    {
        if (!PlainWindowLook(Settings())) {
            ::ShowWindow(closeButton_, SW_SHOWNA);
        }
        // By the cursor, inside the work area of its monitor.
        RECT frame{};
        ::GetWindowRect(hwnd(), &frame);
        const RECT work = WorkAreaAt(cursor);
        const Placement at = KeepInside(cursor.x - scale_(kFromCursor.x), cursor.y - scale_(kFromCursor.y),
                                        frame.right - frame.left, frame.bottom - frame.top, work.left, work.top,
                                        work.right, work.bottom);
        ::SetWindowPos(hwnd(), HWND_TOPMOST, at.left, at.top, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        slider_.SetValue(SliderPositionForLevel(DefaultAlphaLevel(Settings()), kSliderMin, kSliderMax));
        // At load the level is applied even at the slider's end, and the
        // target stays layered.
        SetWindowAlpha(TargetWindow(), LevelFromPosition(slider_.Value(), slider_.Max()));
    }

    void OnSliderMove()
    {
        SetWindowAlphaFromSlider(TargetWindow(), slider_.Value(), slider_.Max());
    }

    void OnPaint()
    {
        PAINTSTRUCT paint;
        const HDC dc = ::BeginPaint(hwnd(), &paint);
        // The picture: a pane fading from solid to clear.
        for (int step = 0; step < 4; ++step) {
            const int shade = 60 + step * 50;
            const GdiObject<HBRUSH> brush(::CreateSolidBrush(RGB(shade / 2, shade, 200)));
            const RECT part =
                scale_(RECT{10 + step * (kImageSize / 4), 6, 10 + (step + 1) * (kImageSize / 4), 6 + kImageSize});
            ::FillRect(dc, &part, brush.get());
        }
        ::EndPaint(hwnd(), &paint);
    }

    DpiScale scale_;
    Slider slider_;
    HWND closeButton_ = nullptr;
    WindowSkin skin_;  // in the skinned look
};

}  // namespace

void ShowLevelPopup(HINSTANCE instance)
{
    SliderControl::Instance().Show(instance);
}

}  // namespace veloria
