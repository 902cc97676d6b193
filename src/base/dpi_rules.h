// The one rule by which the program's windows are laid out for the DPI of
// the monitor they are on: every size and position is written for 96 DPI
// (100 %) and scaled, rounded to the nearest pixel with halves to the even
// neighbour. And where a window that opens by the cursor or the tray goes
// so that it lies wholly inside the work area.
// No Windows header here: this file is also built into the native tests.
#pragma once

namespace veloria {

inline constexpr int kBaseDpi = 96;

// `value96` pixels at 96 DPI, at `dpi`: 200 is 300 at 144 DPI, 400 at 192.
int ScaleForDpi(int value96, int dpi);

struct Placement {
    int left;
    int top;
};

// A width x height window wanted at (left, top), moved as little as it
// takes to lie inside [areaLeft, areaRight) x [areaTop, areaBottom); one
// bigger than the area keeps its top-left corner inside it.
Placement KeepInside(int left, int top, int width, int height, int areaLeft, int areaTop, int areaRight,
                     int areaBottom);

}  // namespace veloria
