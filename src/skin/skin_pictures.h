// The pictures of the skinned look: a panel with rounded corners on the
// key colour, which the shaping cuts away (the picture's bottom-left pixel
// always holds it), and the painting of a window's picture as its
// background.
#pragma once

#include <windows.h>

#include "base/dpi.h"
#include "base/handle.h"

namespace veloria {

// The colour around every skin panel.
inline constexpr COLORREF kSkinKeyColour = RGB(255, 0, 255);

struct SkinColours {
    COLORREF face;  // the panel
    COLORREF edge;  // its outline
    COLORREF text;  // what is written on it
};

// Pictures are drawn for 96 DPI (sizes below are in 96-DPI pixels) and
// scaled to a window's DPI with the DIB section's resampling; their texts
// are written after, at that DPI in the window's font, so they stay sharp.

// `picture` at `dpi`: unchanged at 96; resampled otherwise. A `keyed`
// picture is cut away where it holds the colour of its bottom-left pixel:
// that colour stays exact and no edge takes it (pixel_runs.h).
GdiObject<HBITMAP> ScalePicture(GdiObject<HBITMAP> picture, UINT dpi, bool keyed);

// The panel of MakePanelPicture drawn straight onto `dc` in `area` (pixels
// of the window's DPI), with its title, for a control that paints itself.
void DrawPanel(HDC dc, const RECT& area, int corner, const SkinColours& colours, const wchar_t* title,
               const DpiScale& scale);

// A width x height picture: the panel with corners of radius `corner`, an
// outline two pixels wide, and `title` (may be null) written at its top,
// on `around` (the key colour unless the picture is shown uncut).
GdiObject<HBITMAP> MakePanelPicture(int width, int height, int corner, const SkinColours& colours,
                                    const wchar_t* title, const DpiScale& scale, COLORREF around = kSkinKeyColour);

// The picture shown where the sponsor page cannot be: the program's name
// and version on a sky that clears from left to right.
GdiObject<HBITMAP> MakeSponsorPicture(int width, int height, const DpiScale& scale);

// Paints `picture` at the top-left of `dc`; false when there is none.
bool PaintPicture(HDC dc, HBITMAP picture);

// The picture a window carries as its background, and the face colour the
// controls on it take. Empty until the window is given one.
class WindowSkin {
public:
    // A panel picture of width x height (the window's client size at 96
    // DPI) behind the window at its scale, which is then cut to its outline
    // (Recortar_Ventana).
    void Cut(HWND window, SIZE size, const SkinColours& colours, int corner, const wchar_t* title,
             const DpiScale& scale);
    // The same picture as a backdrop on `around`, the window left whole.
    void Back(SIZE size, const SkinColours& colours, int corner, COLORREF around, const DpiScale& scale);

    // The window's background (WM_ERASEBKGND, painting the picture) and the
    // colours of the controls on it (WM_CTLCOLORSTATIC, the face's): true
    // with the answer in `result` where the skin answers, false where the
    // window's own handling applies (no picture, or another message).
    bool Handles(UINT message, WPARAM wParam, LRESULT& result) const;
    // At WM_NCDESTROY: the window lets go of the picture, which goes.
    void Drop(HWND window);
    // The window whole again and without its picture.
    void Remove(HWND window);

private:
    void Make(SIZE size, const SkinColours& colours, int corner, const wchar_t* title, COLORREF around,
              const DpiScale& scale);

    SkinColours colours_{};
    GdiObject<HBITMAP> picture_;
    GdiObject<HBRUSH> face_;
};

}  // namespace veloria
