#include "skin/window_effects.h"

namespace veloria {

void MoverVentana(HWND window)
{
    ::ReleaseCapture();
    ::SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

}  // namespace veloria
