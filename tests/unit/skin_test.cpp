// The pixel work of skinned windows on small bitmaps laid out as the system
// lays them out: bottom-up rows of blue, green, red, padded to 4 bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/pixel_runs.h"

namespace veloria {
namespace {

// Rows top first: '.' the background, '#' a colour of key 0x102030, 'o' one
// that differs from '#' in blue only. Padding bytes hold 0xEE.
std::vector<std::uint8_t> Bitmap(const std::vector<std::string>& rows)
{
    const int width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    std::vector<std::uint8_t> bits;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        for (char pixel : *row) {
            bits.insert(bits.end(), pixel == '.' ? std::initializer_list<std::uint8_t>{0x40, 0x80, 0xC0}
                                    : pixel == '#' ? std::initializer_list<std::uint8_t>{0x30, 0x20, 0x10}
                                                   : std::initializer_list<std::uint8_t>{0x31, 0x20, 0x10});
        }
        bits.resize(bits.size() + static_cast<std::size_t>(BytesPerScanLine(width) - 3 * width), 0xEE);
    }
    return bits;
}

TEST(OpaqueRuns, OneRectanglePerRunInWindowRowsBottomMemoryRowFirst)
{
    struct Case {
        std::vector<std::string> picture;
        std::int32_t key;
        int frameLeft, frameTop;
        std::vector<PixelRect> runs;
    };
    const Case cases[] = {
        {{"....", ".##.", "...."}, kReferencePixelKey, 4, 20, {{5, 21, 7, 22}}},      // background and reference cut
        {{"###", "#o#"}, 0xC08040, 4, 20, {{4, 21, 7, 22}, {4, 20, 7, 21}}},          // full rows
        {{"#..", "..#", ".#."}, kReferencePixelKey, 0, 0, {{1, 2, 2, 3}, {2, 1, 3, 2}, {0, 0, 1, 1}}},
        {{".#.##"}, kReferencePixelKey, 3, 2, {{4, 2, 5, 3}, {6, 2, 8, 3}}},             // right edge included
        {{"..#.."}, kReferencePixelKey, 0, 0, {{2, 0, 3, 1}}},                           // single pixel
        {{"...", "..."}, kReferencePixelKey, 4, 20, {}},                                  // all transparent
        {{"#o#", "o#o"}, 0x102030, 1, 1, {{1, 2, 2, 3}, {3, 2, 4, 3}, {2, 1, 3, 2}}},   // explicit key, exact colours
    };
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> bits = Bitmap(c.picture);
        const auto runs = FindOpaqueRuns(bits.data(), static_cast<int>(c.picture[0].size()),
                                         static_cast<int>(c.picture.size()), c.key, c.frameLeft, c.frameTop);
        EXPECT_EQ(runs, c.runs) << c.picture[0];
    }
    // An empty picture's memory is not read (AddressSanitizer would say so).
    const auto none = std::make_unique<std::uint8_t[]>(0);
    EXPECT_TRUE(FindOpaqueRuns(none.get(), 4, 0, kReferencePixelKey, 0, 0).empty());
    EXPECT_TRUE(FindOpaqueRuns(none.get(), 0, 4, kReferencePixelKey, 0, 0).empty());
    EXPECT_TRUE(FindOpaqueRuns(nullptr, 4, 4, kReferencePixelKey, 0, 0).empty());
}

TEST(BytesPerScanLine, ThreeBytesAPixelPaddedToFour)
{
    const std::pair<int, int> cases[] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {0, 0}, {-3, 0}, {1 << 30, 0}};
    for (const auto& [width, bytes] : cases) {
        EXPECT_EQ(BytesPerScanLine(width), bytes) << width;
    }
}

TEST(Resample, SameSizeCopiesElseInterpolatesRoundingEachStepHalfToEven)
{
    // 3 x 3, memory rows bottom first; blue as below, green 255 - blue, red 7.
    const int blue[3][3] = {{10, 20, 40}, {11, 21, 41}, {50, 60, 90}};
    std::vector<std::uint8_t> source(12 * 3, 0xEE);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            const auto b = static_cast<std::uint8_t>(blue[y][x]);
            std::copy_n(std::initializer_list<std::uint8_t>{b, static_cast<std::uint8_t>(255 - b), 7}.begin(), 3,
                        source.begin() + 12 * y + 3 * x);
        }
    }
    std::vector<std::uint8_t> copy(source.size());
    ResampleBits(source.data(), 3, 3, copy.data(), 3, 3);
    EXPECT_EQ(copy, source);

    // To 4 x 4 both scales are 0.5. Pixel (1, 1): rows first, 10.5 -> 10
    // and 20.5 -> 20, then 15 (16 without the first rounding); green 244.5
    // -> 244, 234.5 -> 234, 239. Pixel (3, 3): 40.5 -> 40, 65.5 -> 66, 53.
    std::vector<std::uint8_t> large(12 * 4);
    ResampleBits(source.data(), 3, 3, large.data(), 4, 4);
    const auto pixel = [](const std::vector<std::uint8_t>& bits, int stride, int x, int y) {
        const std::size_t at = static_cast<std::size_t>(stride * y + 3 * x);
        return std::vector<int>{bits[at], bits[at + 1], bits[at + 2]};
    };
    EXPECT_EQ(pixel(large, 12, 1, 1), (std::vector<int>{15, 239, 7}));
    EXPECT_EQ(pixel(large, 12, 3, 3)[0], 53);
    EXPECT_EQ(pixel(large, 12, 2, 1)[0], 20);  // 20.5 -> 20 and 40.5 -> 40 at weight 0
    EXPECT_EQ(pixel(large, 12, 3, 0)[0], 30);

    // Four rows, width kept: interpolated across at a scale of 2/3 all the same.
    std::vector<std::uint8_t> taller(12 * 4);
    ResampleBits(source.data(), 3, 3, taller.data(), 3, 4);
    EXPECT_EQ(pixel(taller, 12, 1, 0)[0], 17);  // 10/3 + 20 * 2/3

    // A source one pixel wide and high has no neighbours to read.
    const std::vector<std::uint8_t> dot{1, 2, 3, 0xEE};
    std::vector<std::uint8_t> spread(12 * 2);
    ResampleBits(dot.data(), 1, 1, spread.data(), 3, 2);
    EXPECT_EQ(pixel(spread, 12, 2, 1), (std::vector<int>{1, 2, 3}));
}

TEST(RandomBits, GreyNoiseHasEqualChannelsColourNoiseNoBlueAndPaddingStays)
{
    for (const bool grey : {true, false}) {
        std::vector<std::uint8_t> bits(8 * 20, 0xAB);
        FillRandomBits(bits.data(), 2, 20, grey, 42);
        int distinct = 0;
        for (std::size_t row = 0; row < 20; ++row) {
            const std::uint8_t* pixel = &bits[8 * row];
            EXPECT_EQ(pixel[6], 0xAB);
            EXPECT_EQ(pixel[7], 0xAB);
            EXPECT_EQ(pixel[3], grey ? pixel[4] : 0);
            EXPECT_TRUE(grey ? pixel[0] == pixel[1] && pixel[1] == pixel[2] : pixel[0] == 0);
            distinct += pixel[1] != bits[1] ? 1 : 0;
        }
        EXPECT_GT(distinct, 10);
    }
}

}  // namespace
}  // namespace veloria
