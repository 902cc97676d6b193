// The program's windows laid out again for 96, 144 and 192 DPI, as on a
// monitor of that scale (WM_DPICHANGED), in every shipped language (each
// with every key): each control stands where it stood at 96 DPI, times the
// scale; each caption fits its control; the cut windows' shapes follow their
// scaled pictures with the key colour cut cleanly; and each window opens
// inside the work area.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "base/dpi.h"
#include "language/language_file.h"
#include "language/language_folder.h"
#include "language/language_keys.h"
#include "settings/settings_record.h"
#include "skin/dib_section.h"
#include "skin/shaped_window.h"
#include "test_windows.h"
#include "shell/main_window.h"

namespace veloria {
namespace {

struct Host final : OptionsHost {
    void SetLanguage() override {}
    void SetTaskbarMark(bool) override {}
    HWND Window() const override { return nullptr; }
    void KeysChanged() override {}
} g_host;

BOOL CALLBACK Collect(HWND child, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

// Every control of `window` by its place in the window's client area.
std::map<HWND, RECT> Controls(HWND window)
{
    std::vector<HWND> children;
    ::EnumChildWindows(window, &Collect, reinterpret_cast<LPARAM>(&children));
    std::map<HWND, RECT> places;
    for (HWND child : children) {
        RECT place{};
        ::GetWindowRect(child, &place);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        places[child] = place;
    }
    return places;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

// The caption's width and height in the control's font, with the room a
// button's face, box or frame takes; fits when within the control.
bool CaptionFits(HWND control, UINT dpi, std::wstring& told)
{
    wchar_t text[512] = {};
    const int length = ::GetWindowTextW(control, text, 512);
    const std::wstring kind = ClassOf(control);
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    const LONG type = style & SS_TYPEMASK;
    if (length == 0 || (kind != L"Button" && kind != L"Static") ||
        (kind == L"Static" && type > SS_RIGHT && type != SS_LEFTNOWORDWRAP)) {
        return true;
    }
    RECT client{};
    ::GetClientRect(control, &client);
    const bool box = kind == L"Button" && ((style & BS_TYPEMASK) == BS_AUTOCHECKBOX ||
                                           (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON);
    const bool push = kind == L"Button" && (style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON;
    const bool wraps = kind == L"Static" ? type == SS_CENTER || type == SS_LEFT : (style & BS_MULTILINE) != 0;
    const int room = box ? SystemMetric(SM_CXMENUCHECK, dpi) + ScaleForDpi(4, static_cast<int>(dpi))
                     : push ? ScaleForDpi(8, static_cast<int>(dpi))
                     : kind == L"Button" ? ScaleForDpi(12, static_cast<int>(dpi))  // a group box's frame
                                         : 0;
    const WindowDC dc(control);
    const HGDIOBJ before = ::SelectObject(dc.get(), reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    // Windows' own message font (Segoe UI) runs up to a tenth wider than
    // the one here: captions are asked to fit with that to spare.
    RECT needed{0, 0, (client.right - room) * 100 / 115, 0};
    ::DrawTextW(dc.get(), text, length, &needed, DT_CALCRECT | DT_NOPREFIX | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    ::SelectObject(dc.get(), before);
    needed.right = needed.right * 115 / 100;
    const bool fits =
        needed.right + room <= client.right && ((kind == L"Button" && !wraps) || needed.bottom <= client.bottom);
    told = std::wstring(text) + L" needs " + std::to_wstring(needed.right + room) + L" x " +
           std::to_wstring(needed.bottom) + L" in " + std::to_wstring(client.right) + L" x " +
           std::to_wstring(client.bottom);
    return fits;
}

// The key did not blend into the edges: a pixel beside a key pixel is no
// more magenta (red and blue over green) than the picture's inner pixels,
// as it would be had the key been mixed into it.
bool KeyCutCleanly(HWND window)
{
    cDIBSection picture;
    picture.CreateFromPicture(WindowPicture(window));
    const std::uint8_t* bits = picture.DIBSectionBitsPtr();
    const int stride = picture.BytesPerScanLine();
    const auto at = [&](int x, int y) { return bits + y * stride + 3 * x; };
    const auto key = [&](int x, int y) {
        const std::uint8_t* pixel = at(x, y);
        return pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 255;
    };
    const auto tint = [&](int x, int y) { return (at(x, y)[0] + at(x, y)[2]) / 2 - at(x, y)[1]; };
    int inner = -255;
    int edge = -255;
    for (int y = 1; bits != nullptr && y + 1 < picture.Height(); ++y) {
        for (int x = 1; x + 1 < picture.Width(); ++x) {
            if (!key(x, y)) {
                const bool beside = key(x - 1, y) || key(x + 1, y) || key(x, y - 1) || key(x, y + 1);
                (beside ? edge : inner) = std::max(beside ? edge : inner, tint(x, y));
            }
        }
    }
    return bits != nullptr && edge <= inner + 16;
}

RECT ShapeBox(HWND window)
{
    const GdiObject<HRGN> shape(::CreateRectRgn(0, 0, 0, 0));
    RECT box{};
    if (::GetWindowRgn(window, shape.get()) != ERROR) {
        ::GetRgnBox(shape.get(), &box);
    }
    return box;
}

// Lays `window` out for `dpi` as Windows would on such a monitor, and
// checks it against its layout at 96 DPI.
void CheckAtScale(HWND window, UINT dpi, const std::wstring& language)
{
    SCOPED_TRACE(ClassOf(window) + L" " + language + L" " + std::to_wstring(dpi));
    const std::map<HWND, RECT> before = Controls(window);
    const RECT shapeBefore = ShapeBox(window);
    // What Windows suggests: the client area scaled, where the window
    // stands, in the frame the window has (the system's here, whose DPI
    // stays).
    const double factor = dpi / 96.0;
    RECT suggested{};
    RECT client{};
    ::GetWindowRect(window, &suggested);
    ::GetClientRect(window, &client);
    suggested.right += std::lround(client.right * (factor - 1));
    suggested.bottom += std::lround(client.bottom * (factor - 1));
    ::SendMessageW(window, kDpiChangedMessage, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));

    for (const auto& [control, place] : Controls(window)) {
        const auto was = before.find(control);
        const std::wstring kind = ClassOf(control);
        // The bars, arrows and list headers that size or place themselves
        // are left out.
        if (was != before.end() && kind != L"msctls_statusbar32" && kind != L"msctls_updown32" &&
            kind != L"SysHeader32") {
            const RECT& old = was->second;
            EXPECT_LE(std::abs(place.left - std::lround(old.left * factor)), 2) << kind;
            EXPECT_LE(std::abs(place.top - std::lround(old.top * factor)), 2) << kind;
            EXPECT_LE(std::abs(place.right - std::lround(old.right * factor)), 2) << kind;
            if (kind != L"ComboBox") {
                EXPECT_LE(std::abs(place.bottom - std::lround(old.bottom * factor)), 2) << kind;
            }
        }
        std::wstring told;
        EXPECT_TRUE(CaptionFits(control, dpi, told)) << told;
    }
    if (WindowPicture(window) != nullptr && shapeBefore.right > 0) {
        const RECT shape = ShapeBox(window);
        EXPECT_LE(std::abs((shape.right - shape.left) - std::lround((shapeBefore.right - shapeBefore.left) * factor)), 2);
        EXPECT_LE(std::abs((shape.bottom - shape.top) - std::lround((shapeBefore.bottom - shapeBefore.top) * factor)), 2);
        EXPECT_TRUE(KeyCutCleanly(window));
    }
}

// Where a window opened, it lies whole inside the work area.
void CheckInsideWorkArea(HWND window)
{
    RECT frame{};
    ::GetWindowRect(window, &frame);
    const RECT work = WorkAreaAt(POINT{frame.left, frame.top});
    EXPECT_TRUE(frame.left >= work.left && frame.top >= work.top && frame.right <= work.right &&
                frame.bottom <= work.bottom)
        << ClassOf(window);
}

TEST(Scale, EveryWindowAtEveryScaleInEveryLanguage)
{
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    OtherWindows windows;
    LanguageFolder() = test::OwnFolder() + L"/language/";
    ListFiles(LanguageFolder(), L"*.ini");
    for (const wchar_t* look : {L"1", L"0"}) {
        Settings().ControlStyle = look;
        for (const std::wstring& language : std::vector<std::wstring>(LanguageFiles())) {
            LoadLanguage(language);
            for (const std::wstring& text : LanguageTexts()) {  // every key of every shipped file
                EXPECT_TRUE(text != kMissingText && !text.empty()) << language;
            }
            for (const UINT dpi : {96u, 144u, 192u}) {
                windows.pointer.Show(instance);
                windows.levelPopup.Show(instance);
                windows.about.Show(instance);
                windows.banner.Show(instance);
                windows.tellAFriend.Show(instance);
                windows.options.Show(instance, g_host);
                for (const wchar_t* windowClass : {kMainControlClass, kSliderControlClass, kAboutClass, kBannerClass,
                                                   kTellAFriendClass, L"#32770"}) {
                    const HWND window = ::FindWindowW(windowClass, nullptr);
                    ASSERT_NE(window, nullptr);
                    CheckInsideWorkArea(window);
                    // Told of the DPI it is laid out for with a rectangle scaled once more: it stays.
                    RECT frame{}, after{};
                    ::GetWindowRect(window, &frame);
                    RECT scaled{frame.left, frame.top, (frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
                    ::SendMessageW(window, kDpiChangedMessage, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&scaled));
                    EXPECT_TRUE(::GetWindowRect(window, &after) && ::EqualRect(&after, &frame)) << ClassOf(window);
                    CheckAtScale(window, dpi, language);
                    ::DestroyWindow(window);
                }
            }
        }
    }
    Settings().ControlStyle.clear();
}

}  // namespace
}  // namespace veloria
