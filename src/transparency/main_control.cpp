// The pointer window and its pointer picture.
//
// The picture takes the mouse capture when a button goes down on it, so the
// release is seen wherever on the screen it happens; that release carries
// the modifier keys of the pick. Pressing on the window's background moves
// the window instead. Closing it makes it opaque first, then fades it out.
//
// In the skinned look the window carries a picture, is cut to its outline
// and shows two buttons of its own: a close button and one without a task.
//
// From the keyboard the picture is a button: it takes the focus when the
// window opens, and Enter or Space (or a screen reader's press) picks the
// window behind the pointer window as a Ctrl drop would, for the level
// popup.
#include "transparency/main_control.h"

#include <oleacc.h>
#include <windowsx.h>

#include <utility>

#include "base/accessible.h"
#include "base/child_window.h"
#include "base/dpi.h"
#include "base/handle.h"
#include "base/window_base.h"
#include "language/language_keys.h"
#include "skin/skin_pictures.h"
#include "skin/tool_window.h"
#include "skin/window_effects.h"
#include "transparency/alpha_blend.h"
#include "transparency/pick_rules.h"
#include "transparency/picker.h"

namespace veloria {

namespace {

constexpr const wchar_t* kPointerImageClass = L"VeloriaPointerImage";
// Sizes at 96 DPI.
constexpr int kClientWidth = 180;
constexpr int kClientHeight = 112;
constexpr int kImageSize = 48;
constexpr int kCursorDistance = 200;  // the window opens this far up-left of the cursor
constexpr int kCloseId = 1;    // cmd_close
constexpr int kCommand1Id = 2;  // Command1: no task of its own
constexpr int kLabelId = 3;     // Label_ClickAnDdrag
constexpr SkinColours kSkin{RGB(24, 70, 110), RGB(150, 200, 225), RGB(255, 255, 255)};
constexpr UINT kPress = WM_APP + 1;  // a screen reader pressed the picture

// The pointer picture: a sight with a see-through pane behind it, drawn
// for the picture's size (48 pixels at 96 DPI), in the system's colours
// under a high-contrast theme.
void DrawPointer(HDC dc, const RECT& area, bool systemColours)
{
    const int size = area.right - area.left;
    const auto at = [size](int value48) { return ScaleForDpi(value48, size * kBaseDpi / kImageSize); };
    const auto colour = [systemColours](COLORREF own, int system) {
        return systemColours ? ::GetSysColor(system) : own;
    };
    const GdiObject<HBRUSH> back(::CreateSolidBrush(colour(RGB(38, 120, 168), COLOR_BTNFACE)));
    ::FillRect(dc, &area, back.get());

    const GdiObject<HBRUSH> pane(::CreateSolidBrush(colour(RGB(150, 200, 225), COLOR_WINDOW)));
    const RECT paneRect{area.left + at(6), area.top + at(6), area.right - at(14), area.bottom - at(14)};
    ::FillRect(dc, &paneRect, pane.get());

    const int cx = (area.left + area.right) / 2 + at(4);
    const int cy = (area.top + area.bottom) / 2 + at(4);
    const GdiObject<HPEN> pen(::CreatePen(PS_SOLID, at(2), colour(RGB(255, 255, 255), COLOR_WINDOWTEXT)));
    const SelectedObject withPen(dc, pen.get());
    const SelectedObject hollow(dc, ::GetStockObject(NULL_BRUSH));
    ::Ellipse(dc, cx - at(12), cy - at(12), cx + at(13), cy + at(13));
    ::MoveToEx(dc, cx - at(18), cy, nullptr);
    ::LineTo(dc, cx + at(19), cy);
    ::MoveToEx(dc, cx, cy - at(18), nullptr);
    ::LineTo(dc, cx, cy + at(19));
}

// The modifier keys of a mouse message: Shift and Ctrl from the message,
// Alt from the keyboard state that goes with it.
std::int16_t ModifiersOf(WPARAM keys)
{
    return ModifierBits((keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0, ::GetKeyState(VK_MENU) < 0);
}

class PointerImage : public WindowBase<PointerImage> {
public:
    explicit PointerImage(LevelPopup& levelPopup) : levelPopup_(levelPopup) {}

    HWND Create(HWND parent)
    {
        WNDCLASSEXW windowClass{};
        windowClass.lpszClassName = kPointerImageClass;
        windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32515));  // IDC_CROSS
        const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
        if (CreateBound(instance, windowClass, 0, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0, parent) !=
            nullptr) {
            const HWND picture = hwnd();
            AccessibleFacts facts;
            facts.name = [] { return LanguageText(Lang::LANG_WINDOWCONTROL_LABEL_CLICKANDDRAG); };
            facts.role = ROLE_SYSTEM_PUSHBUTTON;
            facts.press = [picture] { ::PostMessageW(picture, kPress, 0, 0); };
            DescribeForAccessibility(picture, std::move(facts));
        }
        return hwnd();
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = ::BeginPaint(hwnd(), &paint);
            RECT area;
            ::GetClientRect(hwnd(), &area);
            DrawPointer(dc, area, HighContrastOn());
            if (::GetFocus() == hwnd()) {
                const int inset = ScaleForDpi(2, (area.right - area.left) * kBaseDpi / kImageSize);
                ::InflateRect(&area, -inset, -inset);
                ::DrawFocusRect(dc, &area);
            }
            ::EndPaint(hwnd(), &paint);
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            ::InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        case WM_GETDLGCODE:
            // Enter and Space press the picture rather than the window's buttons.
            if (const auto* key = reinterpret_cast<const MSG*>(lParam);
                key != nullptr && key->message == WM_KEYDOWN && (key->wParam == VK_RETURN || key->wParam == VK_SPACE)) {
                return DLGC_WANTMESSAGE;
            }
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_SPACE) {
                PickBehind();
            }
            return 0;
        case kPress:
            PickBehind();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            // The picture keeps the mouse until the button comes up.
            ::SetCapture(hwnd());
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (::GetCapture() == hwnd()) {
                ::ReleaseCapture();
                const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd(), GWLP_HINSTANCE));
                PickWindowAtCursor(instance, ModifiersOf(wParam), levelPopup_);
            }
            return 0;
        default:
            return Default(message, wParam, lParam);
        }
    }

private:
    void PickBehind()
    {
        if (const HWND window = WindowBehind(::GetAncestor(hwnd(), GA_ROOT))) {
            const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd(), GWLP_HINSTANCE));
            PickWindowForPopup(instance, window, levelPopup_);
        }
    }

    LevelPopup& levelPopup_;  // what a Ctrl pick opens
};

}  // namespace

class MainControl : public ScaledWindow<MainControl> {
public:
    static constexpr bool kTakesDialogKeys = true;  // Tab walks the buttons, Esc closes

    explicit MainControl(LevelPopup& levelPopup) : image_(levelPopup) {}

    void Show(HINSTANCE instance)
    {
        if (hwnd() != nullptr) {
            BringForward();
            return;
        }
        // Up-left of the cursor.
        ScaleToCursorMonitor();
        const WindowShape shape = ToolWindowShape(scale_(kClientWidth), scale_(kClientHeight), scale_.dpi());
        if (Open(instance, ToolWindowClass(kMainControlClass), L"Veloria", shape,
                 {Opening::ByCursor, {kCursorDistance, kCursorDistance}}) != nullptr) {
            Load();
        }
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (LRESULT answer = 0; skin_.Handles(message, wParam, answer)) {
            return answer;
        }
        switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kCloseId || LOWORD(wParam) == IDCANCEL) {
                ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
            }
            return 0;
        case WM_SETFOCUS:
            ::SetFocus(image_.hwnd());
            return 0;
        case WM_LBUTTONDOWN:
            MoverVentana(hwnd());
            return 0;
        case WM_CLOSE:
            CloseFading(hwnd());
            return 0;
        case WM_NCDESTROY:
            skin_.Drop(hwnd());
            return Default(message, wParam, lParam);
        default:
            return Default(message, wParam, lParam);
        }
    }

private:
    void OnCreate()
    {
        image_.Create(hwnd());
        label_ = CreateChild(hwnd(), L"STATIC", L"", WS_VISIBLE | SS_CENTER, kLabelId, RECT{}, scale_.font());
        closeButton_ = CreateChild(hwnd(), L"BUTTON", L"x", BS_PUSHBUTTON, kCloseId, RECT{}, scale_.font());
        command1_ = CreateChild(hwnd(), L"BUTTON", L"?", BS_PUSHBUTTON, kCommand1Id, RECT{}, scale_.font());
        NameButton(closeButton_, [] { return LanguageText(Lang::LANG_MAINMENU_CLOSE); });
        LayOut();
    }

    // The controls where they stand at 96 DPI, scaled.
    void LayOut()
    {
        const auto place = [this](HWND control, const RECT& bounds) { PlaceWindow(control, scale_(bounds)); };
        const int imageLeft = (kClientWidth - kImageSize) / 2;
        place(image_.hwnd(), RECT{imageLeft, 14, imageLeft + kImageSize, 14 + kImageSize});
        place(label_, RECT{6, 64, kClientWidth - 6, 110});
        place(closeButton_, RECT{kClientWidth - 28, 8, kClientWidth - 10, 26});
        place(command1_, RECT{10, 8, 28, 26});
        SetChildFonts(hwnd(), scale_.font());
        if (!PlainLook()) {
            // The skinned look: the picture, cut to its outline.
            skin_.Cut(hwnd(), SIZE{kClientWidth, kClientHeight}, kSkin, 36, nullptr, scale_);
        } else {
            skin_.Remove(hwnd());
        }
    }

    void Load()
    {
        if (!PlainLook()) {
            ::ShowWindow(closeButton_, SW_SHOWNA);
            ::ShowWindow(command1_, SW_SHOWNA);
        }
        SetOwnWindowLevel(hwnd(), kMainControlLevel);
        ::SetWindowTextW(label_, LanguageText(Lang::LANG_WINDOWCONTROL_LABEL_CLICKANDDRAG).c_str());
        ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    }

    // On a monitor of another scale: the controls and the shape anew.
    friend class ScaledWindow<MainControl>;
    void OnScaleChanged() { LayOut(); }
    void OnLookChanged()
    {
        LayOut();
        SetOwnWindowLevel(hwnd(), kMainControlLevel);
        ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }

    PointerImage image_;
    HWND label_ = nullptr;
    HWND closeButton_ = nullptr;
    HWND command1_ = nullptr;
    WindowSkin skin_;  // in the skinned look
};

PointerWindow::PointerWindow(LevelPopup& levelPopup) : levelPopup_(levelPopup) {}
PointerWindow::~PointerWindow() = default;

void PointerWindow::Show(HINSTANCE instance)
{
    window_.Get(levelPopup_).Show(instance);
}

}  // namespace veloria
