// SliderControl: the level popup of a Ctrl pick. Its slider sets the level
// of the main window's TargetWindow live.
#pragma once

#include <windows.h>

namespace veloria {

inline constexpr const char* kSliderControlClass = "VeloriaSliderControl";
inline constexpr const char* kSliderControlTitle = "Nivel de Transparencia";

// Makes `window` the popup's target and shows the popup: a new one opens by
// the cursor and applies its level at once; an open one only comes forward,
// and acts on the new target from the slider's next move.
void ShowLevelPopup(HINSTANCE instance, HWND window);

}  // namespace veloria
