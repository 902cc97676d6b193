#include "skin/pixel_runs.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>
#include <random>

#include "base/alpha_rules.h"

namespace veloria {
namespace {

const std::uint8_t* RowAt(const std::uint8_t* bits, int stride, int row)
{
    return bits + static_cast<std::ptrdiff_t>(stride) * row;
}

std::uint8_t* RowAt(std::uint8_t* bits, int stride, int row)
{
    return bits + static_cast<std::ptrdiff_t>(stride) * row;
}

// A whole channel value from a computed one, halves to even; the weights
// keep it within 0..255, the clamp makes sure.
std::uint8_t ChannelValue(double value)
{
    return static_cast<std::uint8_t>(std::clamp(RoundHalfEven(value), 0, 255));
}

// Where a destination pixel falls in the source along one axis: the lower
// neighbour, the upper one (the edge itself where there is none) and the
// weight of the upper one.
struct Sample {
    int low = 0;
    int high = 0;
    double fraction = 0.0;
};

Sample SampleAt(int position, float scale, int last)
{
    const double exact = static_cast<double>(position) * static_cast<double>(scale);
    // The floor, without a call into the C library.
    auto below = static_cast<int>(exact);
    if (static_cast<double>(below) > exact) {
        --below;
    }
    Sample sample;
    sample.low = std::min(below, last);
    sample.high = std::min(sample.low + 1, last);
    sample.fraction = exact - static_cast<double>(below);
    return sample;
}

}  // namespace

int BytesPerScanLine(int width)
{
    constexpr int kWidest = (std::numeric_limits<int>::max() - 3) / 3;
    if (width <= 0 || width > kWidest) {
        return 0;
    }
    return (width * 3 + 3) / 4 * 4;
}

std::int32_t PixelKey(const std::uint8_t* pixel)
{
    return pixel[0] + 256 * pixel[1] + 65536 * pixel[2];
}

std::vector<PixelRect> FindOpaqueRuns(const std::uint8_t* bits, int width, int height, std::int32_t transparentKey,
                                      int frameLeft, int frameTop)
{
    std::vector<PixelRect> runs;
    const int stride = BytesPerScanLine(width);
    if (bits == nullptr || stride == 0 || height <= 0) {
        return runs;
    }
    const std::int32_t key = transparentKey == kReferencePixelKey ? PixelKey(bits) : transparentKey;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = RowAt(bits, stride, y);
        const int top = frameTop + (height - 1 - y);
        int x = 0;
        while (x < width) {
            while (x < width && PixelKey(row + 3 * x) == key) {
                ++x;
            }
            const int start = x;
            while (x < width && PixelKey(row + 3 * x) != key) {
                ++x;
            }
            if (x > start) {
                runs.push_back({start + frameLeft, top, x + frameLeft, top + 1});
            }
        }
    }
    return runs;
}

void ResampleBits(const std::uint8_t* source, int width, int height, std::uint8_t* target, int newWidth,
                  int newHeight)
{
    const int stride = BytesPerScanLine(width);
    const int newStride = BytesPerScanLine(newWidth);
    if (source == nullptr || target == nullptr || stride == 0 || newStride == 0 || height <= 0 || newHeight <= 0) {
        return;
    }
    if (newWidth == width && newHeight == height) {
        std::memcpy(target, source, static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
        return;
    }
    const auto xScale = static_cast<float>(static_cast<double>(width - 1) / newWidth);
    const auto yScale = static_cast<float>(static_cast<double>(height - 1) / newHeight);
    for (int y = 0; y < newHeight; ++y) {
        const Sample down = SampleAt(y, yScale, height - 1);
        const std::uint8_t* low = RowAt(source, stride, down.low);
        const std::uint8_t* high = RowAt(source, stride, down.high);
        std::uint8_t* out = RowAt(target, newStride, y);
        for (int x = 0; x < newWidth; ++x) {
            const Sample across = SampleAt(x, xScale, width - 1);
            for (int channel = 0; channel < 3; ++channel) {
                const int near = 3 * across.low + channel;
                const int far = 3 * across.high + channel;
                const double fy = down.fraction;
                const double left = ChannelValue((1.0 - fy) * low[near] + fy * high[near]);
                const double right = ChannelValue((1.0 - fy) * low[far] + fy * high[far]);
                out[3 * x + channel] = ChannelValue((1.0 - across.fraction) * left + across.fraction * right);
            }
        }
    }
}

namespace {

void SetKey(std::uint8_t* pixel, std::int32_t key)
{
    pixel[0] = static_cast<std::uint8_t>(key & 0xFF);
    pixel[1] = static_cast<std::uint8_t>((key >> 8) & 0xFF);
    pixel[2] = static_cast<std::uint8_t>((key >> 16) & 0xFF);
}

}  // namespace

void SpreadIntoKey(std::uint8_t* bits, int width, int height, std::int32_t key)
{
    const int stride = BytesPerScanLine(width);
    if (bits == nullptr || stride == 0 || height <= 0) {
        return;
    }
    // Read from a copy, so that a colour moves one pixel only.
    const std::vector<std::uint8_t> before(bits, bits + static_cast<std::ptrdiff_t>(stride) * height);
    const auto at = [&](int x, int y) { return before.data() + static_cast<std::ptrdiff_t>(stride) * y + 3 * x; };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (PixelKey(at(x, y)) != key) {
                continue;
            }
            constexpr int kNeighbours[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
            for (const auto& [dx, dy] : kNeighbours) {
                const int nx = x + dx;
                const int ny = y + dy;
                if (nx >= 0 && nx < width && ny >= 0 && ny < height && PixelKey(at(nx, ny)) != key) {
                    std::memcpy(RowAt(bits, stride, y) + 3 * x, at(nx, ny), 3);
                    break;
                }
            }
        }
    }
}

std::vector<std::uint8_t> KeyMask(const std::uint8_t* bits, int width, int height, std::int32_t key)
{
    const int stride = BytesPerScanLine(width);
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(stride) * static_cast<std::size_t>(std::max(height, 0)));
    for (int y = 0; bits != nullptr && y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t value = PixelKey(RowAt(bits, stride, y) + 3 * x) == key ? 0 : 255;
            std::memset(RowAt(mask.data(), stride, y) + 3 * x, value, 3);
        }
    }
    return mask;
}

void ApplyKeyMask(std::uint8_t* bits, const std::uint8_t* mask, int width, int height, std::int32_t key)
{
    const int stride = BytesPerScanLine(width);
    if (bits == nullptr || mask == nullptr || stride == 0 || height <= 0) {
        return;
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = RowAt(bits, stride, y) + 3 * x;
            if (RowAt(mask, stride, y)[3 * x] < 128) {
                SetKey(pixel, key);
            } else if (PixelKey(pixel) == key) {
                pixel[0] = static_cast<std::uint8_t>(pixel[0] == 0 ? 1 : pixel[0] - 1);
            }
        }
    }
}

void FillRandomBits(std::uint8_t* bits, int width, int height, bool grey, std::uint32_t seed)
{
    const int stride = BytesPerScanLine(width);
    if (bits == nullptr || stride == 0 || height <= 0) {
        return;
    }
    std::mt19937 generator(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto draw = [&] { return ChannelValue(unit(generator) * 255.0); };
    if (grey) {
        for (int y = 0; y < height; ++y) {
            std::uint8_t* row = RowAt(bits, stride, y);
            for (int x = 0; x < width; ++x) {
                std::memset(row + 3 * x, draw(), 3);
            }
        }
        return;
    }
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            std::uint8_t* pixel = RowAt(bits, stride, y) + 3 * x;
            pixel[0] = 0;
            pixel[1] = draw();
            pixel[2] = draw();
        }
    }
}

}  // namespace veloria
