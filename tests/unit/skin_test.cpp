// The pixel work of skinned windows on small bitmaps laid out as the system
// lays them out: bottom-up rows of blue, green, red, padded to 4 bytes.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "skin/pixel_runs.h"

namespace veloria {
namespace {

// The shapes the runs make are the module tests' (real pictures, real
// regions); here, sizes whose memory must not be read or whose row length
// would overflow.
TEST(PixelRuns, EmptyOrHugePicturesReadNothing)
{
    const std::pair<int, int> cases[] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {0, 0}, {-3, 0}, {1 << 30, 0}};
    for (const auto& [width, bytes] : cases) {
        EXPECT_EQ(BytesPerScanLine(width), bytes) << width;
    }
    // AddressSanitizer would tell of a read.
    const auto none = std::make_unique<std::uint8_t[]>(0);
    EXPECT_TRUE(FindOpaqueRuns(none.get(), 4, 0, kReferencePixelKey, 0, 0).empty());
    EXPECT_TRUE(FindOpaqueRuns(none.get(), 0, 4, kReferencePixelKey, 0, 0).empty());
}

TEST(Resample, SameSizeCopiesElseInterpolatesRoundingEachStepHalfToEven)
{
    // 3 x 3, memory rows bottom first, each pixel blue, green, red.
    const std::vector<std::uint8_t> source{10, 245, 7, 20, 235, 7, 40, 215, 7, 0xEE, 0xEE, 0xEE,
                                           11, 244, 7, 21, 234, 7, 41, 214, 7, 0xEE, 0xEE, 0xEE,
                                           50, 205, 7, 60, 195, 7, 90, 165, 7, 0xEE, 0xEE, 0xEE};
    std::vector<std::uint8_t> copy(source.size());
    ResampleBits(source.data(), 3, 3, copy.data(), 3, 3);
    EXPECT_EQ(copy, source);

    // To 4 x 4 both scales are 0.5: at (1, 1) rows first, 10.5 -> 10 and
    // 20.5 -> 20, then 15 (16 without the first rounding); at (3, 3) 40.5 ->
    // 40 and 65.5 -> 66, then 53. To 3 x 4 the width is kept but still
    // interpolated, at 2/3: at (1, 0) 10/3 + 20 * 2/3 gives 17.
    struct Case { int width, height, x, y; std::vector<int> pixel; };
    const Case cases[] = {{4, 4, 1, 1, {15, 239, 7}}, {4, 4, 3, 3, {53, 202, 7}}, {4, 4, 2, 1, {20, 234, 7}},
                          {4, 4, 3, 0, {30, 225, 7}}, {3, 4, 1, 0, {17, 238, 7}}};
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bits(static_cast<std::size_t>(BytesPerScanLine(c.width) * c.height));
        ResampleBits(source.data(), 3, 3, bits.data(), c.width, c.height);
        const auto at = bits.begin() + BytesPerScanLine(c.width) * c.y + 3 * c.x;
        EXPECT_EQ(std::vector<int>(at, at + 3), c.pixel) << c.width << "x" << c.height << " at " << c.x << "," << c.y;
    }

    // A source one pixel wide and high has no neighbours to read.
    const std::vector<std::uint8_t> dot{1, 2, 3, 0xEE};
    std::vector<std::uint8_t> spread(12 * 2);
    ResampleBits(dot.data(), 1, 1, spread.data(), 3, 2);
    EXPECT_EQ(std::vector(spread.begin() + 12 + 6, spread.begin() + 12 + 9), (std::vector<std::uint8_t>{1, 2, 3}));

    // The scale 1/10 held in single precision is a little over 0.1: at x = 5
    // the weight passes a half, and 10 beside 11 gives 11, not 10.
    const std::vector<std::uint8_t> pair{10, 0, 0, 11, 0, 0, 0xEE, 0xEE};
    std::vector<std::uint8_t> wide(32);
    ResampleBits(pair.data(), 2, 1, wide.data(), 10, 1);
    EXPECT_EQ(static_cast<int>(wide[15]), 11);
}

}  // namespace
}  // namespace veloria
