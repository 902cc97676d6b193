// Skinned windows: a window cut to the outline of its background picture.
// Every pixel of the picture's transparent colour is cut away, and so are
// the window's frame and caption; what stays shows and takes the mouse.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "base/handle.h"
#include "skin/pixel_runs.h"

namespace veloria {

// The window's background picture, kept as a property of the window. The
// window does not own it: whoever sets it keeps it alive while the window
// lives, and sets null (which removes the property) before destroying it.
void SetWindowPicture(HWND window, HBITMAP picture);
HBITMAP WindowPicture(HWND window);

// The union of `runs` (rectangles that are not empty) as one region: the
// region that uniting them one by one gives, in far fewer steps. Each band
// of consecutive rectangles sharing a top and bottom is made in one call,
// then the bands are united pairwise, neighbours first. An empty region for
// no runs; null when the system cannot make one.
GdiObject<HRGN> RegionFromRuns(const std::vector<PixelRect>& runs);

// Recortar_Ventana: resizes `window`, keeping its position, so that its
// client area is exactly its picture, and gives it the shape of the pixels
// whose key (blue + 256 * green + 65536 * red) is not `transparentKey`;
// kReferencePixelKey (1) takes the key of the picture's bottom-left pixel.
// The shape is in window coordinates, so frame and caption are cut away.
// A window without a picture is left as its bare frame, stays rectangular
// and the user is told, in a message box with the error's number and
// description.
void Recortar_Ventana(HWND window, std::int32_t transparentKey);

}  // namespace veloria
