// SliderControl: the level popup of a Ctrl pick. Its slider sets the level
// of the picked TargetWindow live.
#pragma once

#include <windows.h>

#include "base/window_base.h"

namespace veloria {

inline constexpr const wchar_t* kSliderControlClass = L"VeloriaSliderControl";
inline constexpr const wchar_t* kSliderControlTitle = L"Nivel de Transparencia";

class SliderControl;

class LevelPopup {
public:
    LevelPopup();
    ~LevelPopup();

    // Shows the popup for TargetWindow: a new one opens by the cursor and
    // applies its level at once; an open one only comes forward, and acts
    // on a new target from the slider's next move.
    void Show(HINSTANCE instance);

private:
    OwnedWindow<SliderControl> window_;
};

}  // namespace veloria
