// The pixel work behind a skinned window, on the raw memory of a 24-bit
// bitmap: rows stored bottom-up (memory row 0 is the picture's bottom row),
// each BytesPerScanLine bytes long, each pixel three bytes blue, green, red.
// Finding the opaque runs that make a window's shape, resampling a picture
// and filling one with noise all happen here, away from the system.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <cstdint>
#include <vector>

namespace veloria {

// The length of a memory row: 3 bytes a pixel, padded to a multiple of 4
// ((width * 3 + 3) rounded down to a multiple of 4). 0 for a width of 0 or
// less, or one too large for a row to be addressed.
int BytesPerScanLine(int width);

// A rectangle in window pixels, right and bottom excluded.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

// The key of the pixel at `pixel`: first byte + 256 * second + 65536 *
// third, so blue in bits 0-7, green in 8-15, red in 16-23 (a colour written
// as hexadecimal red-green-blue, not a COLORREF).
std::int32_t PixelKey(const std::uint8_t* pixel);

// The transparent key that means "the colour of the picture's bottom-left
// pixel" (the first pixel in memory).
inline constexpr std::int32_t kReferencePixelKey = 1;

// One rectangle per maximal run of pixels whose key differs from
// `transparentKey`, in the coordinates of a window whose client area holds
// the picture at (frameLeft, frameTop): picture row r (counted from the
// top) becomes window row frameTop + r. Memory rows come in order, memory
// row 0 (the picture's bottom row) first, runs of a row from left to right.
// An empty picture (no width, no height or no memory) gives no rectangles
// and its memory is never read.
std::vector<PixelRect> FindOpaqueRuns(const std::uint8_t* bits, int width, int height, std::int32_t transparentKey,
                                      int frameLeft, int frameTop);

// The picture `source` (width x height) resampled into `target` (newWidth x
// newHeight, BytesPerScanLine(newWidth) * newHeight bytes). The same size is
// copied exactly; any other size is interpolated bilinearly between the four
// neighbours in memory-row terms, with the scales (width - 1) / newWidth and
// (height - 1) / newHeight held in single precision and each channel
// rounded, halves to even, first along the rows and then across. Neighbours
// beyond the last column or row (a source one pixel wide or high) weigh
// nothing and are taken from the edge instead. Does nothing when either
// picture is empty.
void ResampleBits(const std::uint8_t* source, int width, int height, std::uint8_t* target, int newWidth,
                  int newHeight);

// Scaling a picture whose `key` colour is cut away, so that the key stays
// exact and no edge turns the key's colour: before the colours are
// resampled, each key pixel beside an opaque one takes that one's colour
// (SpreadIntoKey), so the edges blend only opaque colours; the mask of the
// opaque pixels (KeyMask: 255 opaque, 0 key, in all three channels) is
// resampled on its own; then every pixel whose resampled mask is under half
// takes the key, and an opaque one that came out exactly the key is moved
// one step of blue off it (ApplyKeyMask). Pictures of width x height, the
// mask of the same size as the picture it cuts.
void SpreadIntoKey(std::uint8_t* bits, int width, int height, std::int32_t key);
std::vector<std::uint8_t> KeyMask(const std::uint8_t* bits, int width, int height, std::int32_t key);
void ApplyKeyMask(std::uint8_t* bits, const std::uint8_t* mask, int width, int height, std::int32_t key);

// Noise drawn from `seed`. Grey: row by row, each pixel one value 0-255 in
// all three channels. Colour: column by column, blue 0 and green and red
// drawn apart, so the noise never holds blue. Row padding is left alone.
void FillRandomBits(std::uint8_t* bits, int width, int height, bool grey, std::uint32_t seed);

}  // namespace veloria
