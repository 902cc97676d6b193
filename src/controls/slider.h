// The program's side of the common-controls track bar: a horizontal slider
// with Min, Max and Value, an enabled state and a tooltip.
//
// The owning window passes its WM_HSCROLL messages to TakeUserMove, which
// answers true once after each move the user makes (thumb drag, click or
// keys on the track) that changed the position; Value then already holds
// the new position. A position written by the program (SetValue) never
// counts as a move: no slider runs its handler when it is filled.
//
// A screen reader hears the position as the share of full opacity it
// stands for ("83 %"), and the slider's name from the function given: the
// window whose opacity it sets ("Opacity of <its title>") or the control
// before it (the box that switches it on); without one, the system names
// it by the label before it.
#pragma once

#include <windows.h>

#include <string>

namespace veloria {

inline constexpr const wchar_t* kSliderTooltip = L"Establecer Rango de Transparencia";

class Slider {
public:
    // The slider's name, asked when a reader asks.
    using NameOf = std::wstring (*)(HWND slider);
    // "Opacity of <the title of `window`>".
    static std::wstring OpacityOf(HWND window);
    // "Opacity of" the slider's own window.
    static std::wstring OpacityOfOwnWindow(HWND slider);
    // The text of the control before the slider.
    static std::wstring NamedByControlBefore(HWND slider);

    // Creates the slider as child `id` of `parent`; false if the system
    // refuses. The tooltip is left out when `tooltip` is null; it is made
    // when the mouse first comes over the slider, not before (a tooltip is
    // a window of its own, and most sliders never show theirs).
    bool Create(HWND parent, int id, const RECT& bounds, int min, int max, const wchar_t* tooltip,
                NameOf name = nullptr);

    HWND hwnd() const { return slider_; }
    int Min() const;
    int Max() const;
    int Value() const;
    void SetValue(int value);
    void Enable(bool enabled);

    bool TakeUserMove(LPARAM scrollSource);

private:
    HWND slider_ = nullptr;  // a child: destroyed with its parent; so is its tooltip
    int lastValue_ = 0;
};

}  // namespace veloria
