// Shaping a window from a large picture: the region of a 1920 x 1080
// picture with 40 opaque runs in every row (43,200 rectangles), built by
// uniting the runs one by one into the growing region, the plain way and
// the slow one, and by the program's RegionFromRuns. Prints both times and
// their ratio, one line each; fails when the regions differ or the
// program's builder is not at least ten times faster.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "base/handle.h"
#include "skin/pixel_runs.h"
#include "skin/shaped_window.h"

namespace veloria {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kRunsPerRow = 40;

// Memory rows bottom-up as the program reads them: white background, and
// in each row 40 black runs whose lengths and gaps change from row to row,
// so that no two neighbouring rows share a band and the region keeps every
// rectangle.
std::vector<std::uint8_t> Picture()
{
    const int stride = BytesPerScanLine(kWidth);
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(stride) * kHeight, 0xFF);
    for (int y = 0; y < kHeight; ++y) {
        const int cell = kWidth / kRunsPerRow;  // 48 pixels: one run and one gap
        for (int run = 0; run < kRunsPerRow; ++run) {
            const int start = run * cell + 1 + (y + run) % 7;
            const int length = 10 + (y * 3 + run * 5) % 30;
            std::fill_n(bits.begin() + static_cast<std::ptrdiff_t>(y) * stride + 3 * start, 3 * length, 0);
        }
    }
    return bits;
}

GdiObject<HRGN> UnitedOneByOne(const std::vector<PixelRect>& runs)
{
    GdiObject<HRGN> region(::CreateRectRgn(0, 0, 0, 0));
    for (const PixelRect& run : runs) {
        const GdiObject<HRGN> rectangle(::CreateRectRgn(run.left, run.top, run.right, run.bottom));
        ::CombineRgn(region.get(), region.get(), rectangle.get(), RGN_OR);
    }
    return region;
}

template <typename Build>
double Seconds(const Build& build, GdiObject<HRGN>& result)
{
    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
    LARGE_INTEGER end{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    result = build();
    ::QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int Run()
{
    const std::vector<std::uint8_t> bits = Picture();
    const std::vector<PixelRect> runs = FindOpaqueRuns(bits.data(), kWidth, kHeight, kReferencePixelKey, 3, 22);
    GdiObject<HRGN> slow;
    GdiObject<HRGN> fast;
    const double slowSeconds = Seconds([&] { return UnitedOneByOne(runs); }, slow);
    const double fastSeconds = Seconds([&] { return RegionFromRuns(runs); }, fast);
    const DWORD rectangles = slow ? ::GetRegionData(slow.get(), 0, nullptr) : 0;
    const bool same = slow && fast && ::EqualRgn(slow.get(), fast.get()) != 0;
    const double ratio = fastSeconds > 0 ? slowSeconds / fastSeconds : 0;
    std::printf("picture                      %d x %d, %zu runs, region of %lu rectangles\n", kWidth, kHeight,
                runs.size(), static_cast<unsigned long>((rectangles - sizeof(RGNDATAHEADER)) / sizeof(RECT)));
    std::printf("run-by-run union             %.3f s\n", slowSeconds);
    std::printf("RegionFromRuns               %.3f s\n", fastSeconds);
    std::printf("ratio                        %.0fx (at least 10x wanted)\n", ratio);
    std::printf("same region                  %s\n", same ? "yes" : "NO");
    return same && ratio >= 10 ? 0 : 1;
}

}  // namespace
}  // namespace veloria

int main()
{
    return veloria::Run();
}
