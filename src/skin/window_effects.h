// Effects the program's own windows share.
#pragma once

#include <windows.h>

namespace veloria {

// MoverVentana: lets the user move `window` by dragging its body, as if the
// press had been on its caption.
void MoverVentana(HWND window);

}  // namespace veloria
