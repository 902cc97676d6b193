// The unit of transparency and the slider rules.
//
// A level runs from 0 (invisible) to 255 (fully visible, still layered).
// Every transparency slider of the program turns its position into a level
// and a stored level into a position through the two rules here, rounding to
// the nearest whole number with exact halves going to the even neighbour.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <cstdint>

namespace veloria {

inline constexpr int kLowestLevel = 0;
inline constexpr int kHighestLevel = 255;
// The lowest level a transparency slider of 30 positions gives (position 1).
inline constexpr int kLowestSliderLevel = 8;

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Values beyond the 32-bit range saturate; NaN gives 0.
int RoundHalfEven(double value);

// A level forced into 0..255: a hand-edited 300 gives 255, -5 gives 0.
int ClampLevel(long long level);

// The byte handed to the window manager; never wraps.
std::uint8_t LevelToByte(long long level);

// Level of a slider position: 255 / max first, times position, rounded.
int LevelFromPosition(int position, int max);

// Level of a position of the About window's slider (1..20): position times
// 12.75, rounded; 1 gives 13, 17 gives 217, 20 gives 255.
int AboutLevelFromPosition(int position);

// A slider's position as the share of full opacity it stands for, in
// whole per cent (25 of 30 gives 83): what a screen reader says of it.
int PercentOfPosition(int position, int max);

// Position of a stored level: level / (255 / max), rounded. Not clamped.
int PositionFromLevel(int level, int max);

// The position a slider of min..max shows for a stored level. The level is
// clamped to 0..255 first; levels that convert below min (0 to 4 on a 1..30
// slider) show at min, so the slider never sits outside its own range.
int SliderPositionForLevel(int level, int min, int max);

// One step of the keys and the wheel from `level` (255 for an opaque
// window) on the 30 levels of the level popup: the nearest of its levels
// below (`direction` < 0) or above. Never below its lowest (8); a step up
// from its last level below 255 gives 255, which makes a window opaque.
int StepLevel(int level, int direction);

}  // namespace veloria
