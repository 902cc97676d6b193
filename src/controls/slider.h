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
// stands for ("83 %"). The slider is named by the label before it, as the
// system names a slider, or, given the window whose opacity it sets, after
// that window: "Opacity of <its title>".
#pragma once

#include <windows.h>

namespace veloria {

inline constexpr const wchar_t* kSliderTooltip = L"Establecer Rango de Transparencia";

class Slider {
public:
    // The window a slider sets the opacity of, asked when a reader asks.
    using OpacityOf = HWND (*)(HWND slider);
    // The slider's own window.
    static HWND OwnWindow(HWND slider);

    // Creates the slider as child `id` of `parent`; false if the system
    // refuses. The tooltip is left out when `tooltip` is null; it is made
    // when the mouse first comes over the slider, not before (a tooltip is
    // a window of its own, and most sliders never show theirs).
    bool Create(HWND parent, int id, const RECT& bounds, int min, int max, const wchar_t* tooltip,
                OpacityOf opacityOf = nullptr);

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
