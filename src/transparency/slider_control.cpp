// The level popup.
//
// Loading places it by the cursor, opens its slider on DefaultAlpha and
// gives TargetWindow the slider's level. Every move of the slider applies
// the level again; at the slider's end the target is made opaque. Dragging
// its picture moves the popup; closing it leaves the target as it is. In the
// skinned look the popup is cut to its picture and has a close button of
// its own.
//
// Under the slider, "Always for <program>" remembers the target's program:
// ticked, the program is remembered at the slider's level and the stored
// level follows the slider (written, and given to the program's other open
// windows, when a move ends and at the close); unticked, it is forgotten.
// A target whose program is remembered opens at the remembered level rather
// than DefaultAlpha.
//
// The popup takes the keyboard on its slider, so that a pick by a key goes
// on with the arrows; Esc or Enter closes it, and a popup closed while it
// had the keyboard gives it back to its target.
//
// "Keep on top" shows whether the target stands above the windows not on
// top, and puts it there or takes the on-top Veloria gave away; a level
// that makes the target opaque ends it too, and the box follows.
#include "transparency/slider_control.h"

#include <commctrl.h>

#include <optional>
#include <string>

#include "base/accessible.h"
#include "base/alpha_rules.h"
#include "base/child_window.h"
#include "base/dialog_base.h"
#include "base/dpi.h"
#include "base/handle.h"
#include "base/window_base.h"
#include "controls/slider.h"
#include "language/language_keys.h"
#include "settings/config_file.h"
#include "settings/program_levels.h"
#include "settings/settings_record.h"
#include "skin/skin_pictures.h"
#include "skin/tool_window.h"
#include "skin/window_effects.h"
#include "transparency/alpha_blend.h"
#include "transparency/picker.h"
#include "transparency/program_watch.h"

namespace veloria {

namespace {

constexpr int kSliderId = 1;
constexpr int kCloseId = 2;  // Command_close
constexpr int kAlwaysId = 3;
constexpr int kOnTopId = 4;
constexpr int kSliderMin = 1;
constexpr int kSliderMax = 30;
// Sizes at 96 DPI.
constexpr int kClientWidth = 264;
constexpr int kClientHeight = 92;
constexpr int kSliderRowHeight = 44;
constexpr int kBoxHeight = 22;
constexpr int kImageSize = 32;
constexpr POINT kFromCursor{18, 28};  // the popup opens this far up-left of the cursor
constexpr SkinColours kSkin{RGB(24, 70, 110), RGB(150, 200, 225), RGB(255, 255, 255)};

}  // namespace

class SliderControl : public ScaledWindow<SliderControl> {
public:
    static constexpr bool kTakesDialogKeys = true;  // Tab reaches the box, Esc closes

    void Show(HINSTANCE instance)
    {
        if (hwnd() != nullptr) {
            ShowProgram();  // the new target's
            BringForward();
            ::SetForegroundWindow(hwnd());
            return;
        }
        ScaleToCursorMonitor();
        const WindowShape shape = ToolWindowShape(scale_(kClientWidth), scale_(kClientHeight), scale_.dpi());
        if (Open(instance, ToolWindowClass(kSliderControlClass), kSliderControlTitle, shape,
                 {Opening::ByCursor, kFromCursor}) != nullptr) {
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
            slider_.Create(hwnd(), kSliderId, RECT{}, kSliderMin, kSliderMax, kSliderTooltip,
                           [](HWND) { return Slider::OpacityOf(TargetWindow()); });
            closeButton_ =
                CreateChild(hwnd(), L"BUTTON", L"x", BS_PUSHBUTTON | WS_TABSTOP, kCloseId, RECT{}, scale_.font());
            NameButton(closeButton_, [] { return LanguageText(Lang::LANG_MAINMENU_CLOSE); });
            alwaysBox_ = CreateChild(hwnd(), L"BUTTON", L"", BS_AUTOCHECKBOX | WS_TABSTOP, kAlwaysId, RECT{},
                                     scale_.font());
            onTopBox_ = CreateChild(hwnd(), L"BUTTON", L"", BS_AUTOCHECKBOX | WS_TABSTOP | WS_VISIBLE, kOnTopId, RECT{},
                                    scale_.font());
            LayOut();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kCloseId || LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
                ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
            } else if (LOWORD(wParam) == kAlwaysId && HIWORD(wParam) == BN_CLICKED) {
                OnAlways();
            } else if (LOWORD(wParam) == kOnTopId && HIWORD(wParam) == BN_CLICKED) {
                OnOnTop();
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
            if (LOWORD(wParam) == TB_ENDTRACK) {
                SaveProgramLevel();
            }
            return 0;
        case WM_CLOSE: {
            SaveProgramLevel();
            const HWND back = ::GetForegroundWindow() == hwnd() ? TargetWindow() : nullptr;
            ::DestroyWindow(hwnd());
            if (back != nullptr && ::IsWindow(back)) {
                ::SetForegroundWindow(back);
            }
            return 0;
        }
        case WM_DESTROY:
            SaveProgramLevel(nullptr);  // the window is going: a failure is told unowned
            return 0;
        case WM_NCDESTROY:
            skin_.Drop(hwnd());
            return Default(message, wParam, lParam);
        default:
            return Default(message, wParam, lParam);
        }
    }

private:
    // On a monitor of another scale: the controls and the shape anew.
    friend class ScaledWindow<SliderControl>;
    void OnScaleChanged() { LayOut(); }
    void OnLookChanged() { LayOut(); }

    // The controls where they stand at 96 DPI, scaled.
    void LayOut()
    {
        PlaceWindow(slider_.hwnd(), scale_(RECT{kImageSize + 12, 6, kClientWidth - 30, kSliderRowHeight - 6}));
        PlaceWindow(closeButton_, scale_(RECT{kClientWidth - 26, 13, kClientWidth - 8, 31}));
        // The two boxes under the slider, a row each.
        PlaceWindow(alwaysBox_,
                    scale_(RECT{10, kSliderRowHeight, kClientWidth - 8, kSliderRowHeight + kBoxHeight - 2}));
        PlaceWindow(onTopBox_, scale_(RECT{10, kSliderRowHeight + kBoxHeight, kClientWidth - 8, kClientHeight - 6}));
        SetChildFonts(hwnd(), scale_.font());
        if (!PlainLook()) {
            skin_.Cut(hwnd(), SIZE{kClientWidth, kClientHeight}, kSkin, kSliderRowHeight, nullptr, scale_);
        } else {
            skin_.Remove(hwnd());
        }
        ::InvalidateRect(hwnd(), nullptr, TRUE);
    }

    void Load()
    {
        if (!PlainLook()) {
            ::ShowWindow(closeButton_, SW_SHOWNA);
        }
        ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        ShowProgram();
        const std::optional<int> remembered = RememberedPrograms().LevelFor(program_);
        const int level = program_.empty() || !remembered ? DefaultAlphaLevel(Settings()) : *remembered;
        slider_.SetValue(SliderPositionForLevel(level, kSliderMin, kSliderMax));
        // At load the level is applied even at the slider's end, and the
        // target stays layered.
        SetWindowAlpha(TargetWindow(), LevelFromPosition(slider_.Value(), slider_.Max()));
    }

    void OnSliderMove()
    {
        SetWindowAlphaFromSlider(TargetWindow(), slider_.Value(), slider_.Max());
        SetTicked(onTopBox_, IsOnTop(TargetWindow()));
        if (Remembering()) {
            RememberedPrograms().Remember(program_, SliderLevel());
            levelUnsaved_ = true;
        }
    }

    int SliderLevel() const { return LevelFromPosition(slider_.Value(), slider_.Max()); }

    bool Remembering() const
    {
        return !program_.empty() && IsTicked(alwaysBox_);
    }

    // The box names the target's program, ticked when it is remembered;
    // it does not show for the program's own windows or a program Windows
    // does not name.
    void ShowProgram()
    {
        SaveProgramLevel();
        DWORD process = 0;
        ::GetWindowThreadProcessId(TargetWindow(), &process);
        program_ = process == ::GetCurrentProcessId() ? std::wstring() : ProgramOfWindow(TargetWindow());
        if (!IsProgramName(program_)) {
            program_.clear();
        }
        ::SetWindowTextW(alwaysBox_, LanguageText(Lang::LANG_WINDOWCONTROL_CHECK_ALWAYSFOR, program_).c_str());
        SetTicked(alwaysBox_, RememberedPrograms().LevelFor(program_).has_value());
        ::ShowWindow(alwaysBox_, program_.empty() ? SW_HIDE : SW_SHOWNA);
        ::SetWindowTextW(onTopBox_, LanguageText(Lang::LANG_WINDOWCONTROL_CHECK_ONTOP).c_str());
        SetTicked(onTopBox_, IsOnTop(TargetWindow()));
        TellNameChanged(slider_.hwnd());  // the slider is named after the target
    }

    // The target on top lands above the popup too: the popup comes back
    // over it. A window its program keeps on top stays ticked.
    void OnOnTop()
    {
        SetOnTop(TargetWindow(), IsTicked(onTopBox_));
        SetTicked(onTopBox_, IsOnTop(TargetWindow()));
        ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    void OnAlways()
    {
        if (program_.empty()) {
            return;
        }
        if (Remembering()) {
            RememberedPrograms().Remember(program_, SliderLevel());
        } else {
            RememberedPrograms().Forget(program_);
        }
        levelUnsaved_ = true;
        SaveProgramLevel();
    }

    void SaveProgramLevel() { SaveProgramLevel(hwnd()); }
    void SaveProgramLevel(HWND owner)
    {
        if (!levelUnsaved_) {
            return;
        }
        levelUnsaved_ = false;
        GuardarProgramas(owner, RememberedPrograms());
        WatchRememberedPrograms();
        if (Remembering()) {
            OfferLevelToOpenWindows(program_);  // its other windows open now follow
        }
    }

    void OnPaint()
    {
        PAINTSTRUCT paint;
        const HDC dc = ::BeginPaint(hwnd(), &paint);
        // The picture: a pane fading from solid to clear (not under a
        // high-contrast theme).
        for (int step = 0; step < 4 && !HighContrastOn(); ++step) {
            const int shade = 60 + step * 50;
            const GdiObject<HBRUSH> brush(::CreateSolidBrush(RGB(shade / 2, shade, 200)));
            const RECT part =
                scale_(RECT{10 + step * (kImageSize / 4), 6, 10 + (step + 1) * (kImageSize / 4), 6 + kImageSize});
            ::FillRect(dc, &part, brush.get());
        }
        ::EndPaint(hwnd(), &paint);
    }

    Slider slider_;
    HWND closeButton_ = nullptr;
    HWND alwaysBox_ = nullptr;
    HWND onTopBox_ = nullptr;
    std::wstring program_;  // the target's, when it may be remembered
    bool levelUnsaved_ = false;
    WindowSkin skin_;  // in the skinned look
};

LevelPopup::LevelPopup() = default;
LevelPopup::~LevelPopup() = default;

void LevelPopup::Show(HINSTANCE instance)
{
    window_.Get().Show(instance);
}

}  // namespace veloria
