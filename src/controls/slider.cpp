#include "controls/slider.h"

#include <commctrl.h>
#include <oleacc.h>

#include <string>
#include <utility>

#include "base/accessible.h"
#include "base/alpha_rules.h"
#include "base/text_rules.h"
#include "language/language_keys.h"

namespace veloria {

namespace {

constexpr UINT_PTR kTooltipSubclass = 1;

// Waits for the mouse's first move over the slider, then makes the tooltip
// (`text` in its reference data) and hands it that move.
LRESULT CALLBACK AwaitHover(HWND slider, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR text) noexcept
{
    if (message == WM_MOUSEMOVE) {
        ::RemoveWindowSubclass(slider, &AwaitHover, kTooltipSubclass);
        const HWND parent = ::GetParent(slider);
        const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(slider, GWLP_HINSTANCE));
        if (const HWND tooltip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent,
                                                   nullptr, instance, nullptr)) {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof(tool);
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = parent;
            tool.uId = reinterpret_cast<UINT_PTR>(slider);
            tool.lpszText = reinterpret_cast<wchar_t*>(text);
            ::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
            MSG move{slider, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
            ::SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
        }
    } else if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(slider, &AwaitHover, kTooltipSubclass);
    }
    return ::DefSubclassProc(slider, message, wParam, lParam);
}

}  // namespace

std::wstring Slider::OpacityOf(HWND window)
{
    wchar_t title[256] = {};
    ::GetWindowTextW(window, title, 256);
    return LanguageText(Lang::LANG_WINDOWCONTROL_ACC_OPACITY, title);
}

std::wstring Slider::OpacityOfOwnWindow(HWND slider)
{
    return OpacityOf(::GetAncestor(slider, GA_ROOT));
}

std::wstring Slider::NamedByControlBefore(HWND slider)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(::GetWindow(slider, GW_HWNDPREV), text, 256);
    return text;
}

bool Slider::Create(HWND parent, int id, const RECT& bounds, int min, int max, const wchar_t* tooltip,
                    NameOf name)
{
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    slider_ = ::CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS,
                                bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (slider_ == nullptr) {
        return false;
    }
    ::SendMessageW(slider_, TBM_SETRANGEMIN, FALSE, min);
    ::SendMessageW(slider_, TBM_SETRANGEMAX, TRUE, max);
    lastValue_ = Value();
    if (tooltip != nullptr) {
        ::SetWindowSubclass(slider_, &AwaitHover, kTooltipSubclass, reinterpret_cast<DWORD_PTR>(tooltip));
    }
    AccessibleFacts facts;
    facts.role = ROLE_SYSTEM_SLIDER;
    const HWND slider = slider_;
    facts.value = [slider] {
        const auto position = static_cast<int>(::SendMessageW(slider, TBM_GETPOS, 0, 0));
        const auto end = static_cast<int>(::SendMessageW(slider, TBM_GETRANGEMAX, 0, 0));
        return DecimalText(PercentOfPosition(position, end)) + L" %";
    };
    if (name != nullptr) {
        facts.name = [slider, name] { return name(slider); };
    }
    DescribeForAccessibility(slider_, std::move(facts));
    return true;
}

int Slider::Min() const
{
    return static_cast<int>(::SendMessageW(slider_, TBM_GETRANGEMIN, 0, 0));
}

int Slider::Max() const
{
    return static_cast<int>(::SendMessageW(slider_, TBM_GETRANGEMAX, 0, 0));
}

int Slider::Value() const
{
    return static_cast<int>(::SendMessageW(slider_, TBM_GETPOS, 0, 0));
}

void Slider::SetValue(int value)
{
    ::SendMessageW(slider_, TBM_SETPOS, TRUE, value);
    lastValue_ = Value();
}

void Slider::Enable(bool enabled)
{
    ::EnableWindow(slider_, enabled ? TRUE : FALSE);
}

bool Slider::TakeUserMove(LPARAM scrollSource)
{
    if (slider_ == nullptr || reinterpret_cast<HWND>(scrollSource) != slider_) {
        return false;
    }
    const int value = Value();
    if (value == lastValue_) {
        return false;
    }
    lastValue_ = value;
    return true;
}

}  // namespace veloria
