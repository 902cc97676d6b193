// Loading the window picks its look from ControlStyle, then gives it the
// level of its slider (17 of 20: 217). Its slider keeps it layered at every
// position; closing it makes it fully visible (255) and it does not fade.
// The left button on its body moves it, and any button on the movie; any
// other button on its body opens its little menu, whose one entry does
// nothing.
#include "windows/about_window.h"

#include <commctrl.h>
#include <objbase.h>
#include <windowsx.h>

#include <string>

#include "base/accessible.h"
#include "base/alpha_rules.h"
#include "base/child_window.h"
#include "base/dpi.h"
#include "base/handle.h"
#include "base/program_folder.h"
#include "base/version.h"
#include "base/window_base.h"
#include "controls/browser_host.h"
#include "controls/slider.h"
#include "language/language_keys.h"
#include "settings/settings_record.h"
#include "skin/skin_pictures.h"
#include "skin/tool_window.h"
#include "skin/window_effects.h"
#include "transparency/alpha_blend.h"
#include "update/web_links.h"

namespace veloria {

namespace {

constexpr int kWidth = 300;  // the picture, and the client area, at 96 DPI as every size here
constexpr int kHeight = 213;
constexpr int kSliderMin = 1;
constexpr int kSliderMax = 20;
constexpr int kSliderStart = 17;
constexpr SkinColours kSkin{RGB(30, 58, 96), RGB(150, 200, 225), RGB(255, 255, 255)};
constexpr RECT kMovieArea{20, 30, kWidth - 20, 130};

enum ControlId : int { kFlashId = 1, kCommand1Id, kSlider1Id, kLabel1Id, kLabel2Id, kStatusBarId };

constexpr UINT kReturnEntry = 1;  // r, "REgresar"

}  // namespace

class Abaut : public ScaledWindow<Abaut> {
public:
    void Show(HINSTANCE instance)
    {
        if (hwnd() != nullptr) {
            BringForward();
            return;
        }
        // In the middle of the work area the user works on.
        ScaleToCursorMonitor();
        const WindowShape shape = FramedShape(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, scale_(kWidth),
                                              scale_(kHeight), scale_.dpi());
        if (Open(instance, ToolWindowClass(kAboutClass), L"Veloria", shape, {Opening::Centred}) != nullptr) {
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
        case WM_SETFOCUS:
            // Keys act on the slider as soon as the window is active.
            ::SetFocus(slider1_.hwnd());
            return 0;
        case WM_LBUTTONDOWN:
            MoverVentana(hwnd());
            return 0;
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            ShowMenu();
            return 0;
        case WM_PARENTNOTIFY: {
            // A press on the movie, whatever the button, moves the window.
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const UINT event = LOWORD(wParam);
            const bool press = event == WM_LBUTTONDOWN || event == WM_RBUTTONDOWN || event == WM_MBUTTONDOWN;
            if (press && flash_.hwnd() != nullptr && ::ChildWindowFromPoint(hwnd(), at) == flash_.hwnd()) {
                MoverVentana(hwnd());
            }
            return 0;
        }
        case WM_HSCROLL:
            if (slider1_.TakeUserMove(lParam)) {
                SetWindowAlpha(hwnd(), AboutLevelFromPosition(slider1_.Value()));
            }
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kCommand1Id) {
                ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
            }
            return 0;
        case WM_CLOSE:
            SetWindowAlpha(hwnd(), kHighestLevel);
            ::DestroyWindow(hwnd());
            return 0;
        case WM_NCDESTROY:
            skin_.Drop(hwnd());
            popu_.reset();
            return Default(message, wParam, lParam);
        default:
            return Default(message, wParam, lParam);
        }
    }

private:
    friend class ScaledWindow<Abaut>;
    void OnScaleChanged() { LayOut(); }
    void OnLookChanged()
    {
        LayOut();
        SetOwnWindowLevel(hwnd(), AboutLevelFromPosition(slider1_.Value()));
    }

    void OnCreate()
    {
        const std::wstring site = std::wstring(L"www.") + kMakerWebDomain;
        label1_ = CreateChild(hwnd(), L"STATIC", site.c_str(), WS_VISIBLE | SS_NOPREFIX, kLabel1Id, RECT{},
                              scale_.font());
        label2_ = CreateChild(hwnd(), L"STATIC", (site + L"/software/vl/").c_str(), WS_VISIBLE | SS_NOPREFIX,
                              kLabel2Id, RECT{}, scale_.font());
        slider1_.Create(hwnd(), kSlider1Id, RECT{}, kSliderMin, kSliderMax, kSliderTooltip, &Slider::OpacityOfOwnWindow);
        slider1_.SetValue(kSliderStart);
        command1_ = CreateChild(hwnd(), L"BUTTON", L"x", BS_PUSHBUTTON, kCommand1Id, RECT{}, scale_.font());
        NameButton(command1_, [] { return LanguageText(Lang::LANG_MAINMENU_CLOSE); });
        const std::wstring credit = std::wstring(L"Veloria, by the makers of ") + kMakerWebDomain;
        statusBar_ = CreateChild(hwnd(), STATUSCLASSNAMEW, credit.c_str(), WS_VISIBLE, kStatusBarId, RECT{},
                                 scale_.font());
        popu_.reset(::CreatePopupMenu());
        ::AppendMenuW(popu_.get(), MF_STRING, kReturnEntry, L"REgresar");
    }

    // The controls where they stand at 96 DPI, scaled, and the picture
    // drawn for the window's DPI.
    void LayOut()
    {
        const auto place = [this](HWND control, const RECT& bounds) { PlaceWindow(control, scale_(bounds)); };
        place(label1_, RECT{20, 136, 280, 150});
        place(label2_, RECT{20, 152, 280, 166});
        place(slider1_.hwnd(), RECT{14, 168, 200, 192});
        place(command1_, RECT{kWidth - 30, 8, kWidth - 12, 26});
        if (flash_.hwnd() != nullptr) {
            flash_.Resize(scale_(kMovieArea));
        }
        SetChildFonts(hwnd(), scale_.font());
        ::SendMessageW(statusBar_, WM_SIZE, 0, 0);  // the bar sizes itself to the new font
        const std::wstring version = NamedVersionText(ProductName(), CurrentVersion());
        if (HighContrastOn()) {
            skin_.Remove(hwnd());  // the theme's colours, whole
        } else if (PlainWindowLook(Settings())) {
            // The picture stays as the backdrop of the framed window.
            skin_.Back(SIZE{kWidth, kHeight}, kSkin, 36, ::GetSysColor(COLOR_BTNFACE), scale_);
        } else {
            skin_.Cut(hwnd(), SIZE{kWidth, kHeight}, kSkin, 36, version.c_str(), scale_);
        }
        ::InvalidateRect(hwnd(), nullptr, TRUE);
    }

    void Load()
    {
        LayOut();
        if (PlainLook()) {
            // The movie and the window's own close button are not shown.
            ::SetWindowTextW(hwnd(), NamedVersionText(ProductName(), CurrentVersion()).c_str());
        } else {
            ::ShowWindow(command1_, SW_SHOWNA);
            PlayFlashMovie(ProgramFolder() + L"\\gama.dsp");
        }
        ::ShowWindow(hwnd(), SW_SHOW);
        SetOwnWindowLevel(hwnd(), AboutLevelFromPosition(slider1_.Value()));
    }

    // The movie plays where the Flash player is installed; elsewhere the
    // window shows its picture, and nothing is said.
    void PlayFlashMovie(const std::wstring& file)
    {
        CLSID player{};
        if (FAILED(::CLSIDFromProgID(L"ShockwaveFlash.ShockwaveFlash", &player)) ||
            !flash_.Create(hwnd(), scale_(kMovieArea), kFlashId, PageScroll::None, &player) || !flash_.HasControl()) {
            flash_.Destroy();
            return;
        }
        flash_.PutText(L"WMode", L"Window");
        flash_.PutText(L"Quality2", L"High");
        flash_.PutText(L"Scale", L"ExactFit");
        flash_.PutText(L"Movie", file);
        flash_.CallMethod(L"Play");
    }

    void ShowMenu()
    {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        ::TrackPopupMenu(popu_.get(), TPM_RETURNCMD, cursor.x, cursor.y, 0, hwnd(), nullptr);
    }

    Slider slider1_;
    BrowserHost flash_;
    HWND label1_ = nullptr;
    HWND label2_ = nullptr;
    HWND command1_ = nullptr;
    HWND statusBar_ = nullptr;
    MenuHandle popu_;
    WindowSkin skin_;
};

AboutWindow::AboutWindow() = default;
AboutWindow::~AboutWindow() = default;

void AboutWindow::Show(HINSTANCE instance)
{
    window_.Get().Show(instance);
}

}  // namespace veloria
