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
                                    const wchar_t* title, COLORREF around = kSkinKeyColour);

// The picture shown where the sponsor page cannot be: the program's name
// and version in `font` on a sky that clears from left to right.
GdiObject<HBITMAP> MakeSponsorPicture(int width, int height, HFONT font);

// Paints `picture` at the top-left of `dc`; false when there is none.
bool PaintPicture(HDC dc, HBITMAP picture);

// The picture a window carries as its background, and the face colour the
// controls on it take. Empty until the window is given one.
class WindowSkin {
public:
    // A panel picture of the window's client size behind the window, which
    // is then cut to its outline (Recortar_Ventana).
    void Cut(HWND window, const SkinColours& colours, int corner, const wchar_t* title);
    // The same picture as a backdrop on `around`, the window left whole.
    void Back(HWND window, const SkinColours& colours, int corner, COLORREF around);

    // The window's background (WM_ERASEBKGND, painting the picture) and the
    // colours of the controls on it (WM_CTLCOLORSTATIC, the face's): true
    // with the answer in `result` where the skin answers, false where the
    // window's own handling applies (no picture, or another message).
    bool Handles(UINT message, WPARAM wParam, LRESULT& result) const;
    // At WM_NCDESTROY: the window lets go of the picture, which goes.
    void Drop(HWND window);

private:
    void Make(HWND window, const SkinColours& colours, int corner, const wchar_t* title, COLORREF around);

    SkinColours colours_{};
    GdiObject<HBITMAP> picture_;
    GdiObject<HBRUSH> face_;
};

}  // namespace veloria
