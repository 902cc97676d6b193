// The pictures of the skinned look: a panel with rounded corners on the
// key colour, which the shaping cuts away (the picture's bottom-left pixel
// always holds it), and the painting of a window's picture as its
// background.
#pragma once

#include <windows.h>

#include "base/handle.h"

namespace veloria {

// The colour around every skin panel.
inline constexpr COLORREF kSkinKeyColour = RGB(255, 0, 255);

struct SkinColours {
    COLORREF face;  // the panel
    COLORREF edge;  // its outline
    COLORREF text;  // what is written on it
};

// A width x height picture: the panel with corners of radius `corner`, an
// outline two pixels wide, and `title` (may be null) written at its top,
// on `around` (the key colour unless the picture is shown uncut).
GdiObject<HBITMAP> MakePanelPicture(int width, int height, int corner, const SkinColours& colours,
                                    const char* title, COLORREF around = kSkinKeyColour);

// The picture shown where the sponsor page cannot be: the program's name
// and version in `font` on a sky that clears from left to right.
GdiObject<HBITMAP> MakeSponsorPicture(int width, int height, HFONT font);

// Paints `picture` at the top-left of `dc`; false when there is none.
bool PaintPicture(HDC dc, HBITMAP picture);

}  // namespace veloria
