#include "skin/shaped_window.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/alpha_rules.h"
#include "base/error_report.h"
#include "base/text_rules.h"
#include "skin/dib_section.h"

namespace veloria {
namespace {

constexpr const wchar_t* kPictureProperty = L"VeloriaWindowPicture";

// The runs [first, last) of one band as one region: RGNDATA is a header
// followed by the rectangles, laid out here in one buffer of RECTs.
GdiObject<HRGN> BandRegion(const PixelRect* first, const PixelRect* last)
{
    static_assert(sizeof(RGNDATAHEADER) % sizeof(RECT) == 0, "the rectangles follow the header at once");
    constexpr std::size_t kHeaderRects = sizeof(RGNDATAHEADER) / sizeof(RECT);
    const auto count = static_cast<std::size_t>(last - first);
    std::vector<RECT> data(kHeaderRects + count);
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(count);
    header.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    header.rcBound = {first->left, first->top, first->right, first->bottom};
    for (std::size_t i = 0; i < count; ++i) {
        const PixelRect& run = first[i];
        data[kHeaderRects + i] = {run.left, run.top, run.right, run.bottom};
        header.rcBound = {std::min(header.rcBound.left, static_cast<LONG>(run.left)), header.rcBound.top,
                          std::max(header.rcBound.right, static_cast<LONG>(run.right)), header.rcBound.bottom};
    }
    std::memcpy(data.data(), &header, sizeof(header));
    const auto size = static_cast<DWORD>(data.size() * sizeof(RECT));
    return GdiObject<HRGN>(::ExtCreateRegion(nullptr, size, reinterpret_cast<const RGNDATA*>(data.data())));
}

void ReportFailure(HWND window, DWORD error)
{
    ShowMessage(window, L"Error Number: " + DecimalText(error) + L" Error Description: " + SystemErrorText(error),
                0);
}

}  // namespace

void SetWindowPicture(HWND window, HBITMAP picture)
{
    if (picture != nullptr) {
        ::SetPropW(window, kPictureProperty, picture);
    } else {
        ::RemovePropW(window, kPictureProperty);
    }
}

HBITMAP WindowPicture(HWND window)
{
    return static_cast<HBITMAP>(::GetPropW(window, kPictureProperty));
}

GdiObject<HRGN> RegionFromRuns(const std::vector<PixelRect>& runs)
{
    // Uniting rectangle by rectangle costs as much as the region grown so
    // far, each time. Uniting neighbours pairwise keeps both sides of every
    // union small: each rectangle is copied once for each level of the tree.
    std::vector<GdiObject<HRGN>> regions;
    for (auto band = runs.begin(); band != runs.end();) {
        const auto end = std::find_if(band, runs.end(), [&](const PixelRect& run) {
            return run.top != band->top || run.bottom != band->bottom;
        });
        regions.push_back(BandRegion(&*band, &*band + (end - band)));
        if (!regions.back()) {
            return {};
        }
        band = end;
    }
    if (regions.empty()) {
        return GdiObject<HRGN>(::CreateRectRgn(0, 0, 0, 0));
    }
    for (std::size_t step = 1; step < regions.size(); step *= 2) {
        for (std::size_t i = 0; i + step < regions.size(); i += 2 * step) {
            if (::CombineRgn(regions[i].get(), regions[i].get(), regions[i + step].get(), RGN_OR) == ERROR) {
                return {};
            }
            regions[i + step].reset();
        }
    }
    return std::move(regions.front());
}

void Recortar_Ventana(HWND window, std::int32_t transparentKey)
{
    if (!::IsWindow(window)) {
        ReportFailure(nullptr, ERROR_INVALID_WINDOW_HANDLE);
        return;
    }
    cDIBSection picture;
    DWORD failure = ERROR_SUCCESS;
    if (const HBITMAP source = WindowPicture(window); source == nullptr) {
        failure = ERROR_INVALID_HANDLE;
    } else {
        ::SetLastError(ERROR_SUCCESS);
        picture.CreateFromPicture(source);
        const DWORD error = ::GetLastError();
        failure = picture.DIBSectionBitsPtr() != nullptr ? ERROR_SUCCESS
                  : error != ERROR_SUCCESS               ? error
                                                         : ERROR_INVALID_HANDLE;
    }

    // The frame as it is now: side border, and caption with top border.
    RECT outer{};
    RECT client{};
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    const int border = RoundHalfEven((outer.right - outer.left - client.right) / 2.0);
    const int top = outer.bottom - outer.top - client.bottom - border;
    const int width = picture.Width();
    const int height = picture.Height();
    ::SetWindowPos(window, nullptr, 0, 0, width + 2 * border, height + border + top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (failure != ERROR_SUCCESS) {
        ReportFailure(window, failure);
        return;
    }

    const std::vector<PixelRect> runs =
        FindOpaqueRuns(picture.DIBSectionBitsPtr(), width, height, transparentKey, border, top);
    // A region the system cannot make or take leaves the window as it is.
    GdiObject<HRGN> shape = RegionFromRuns(runs);
    if (shape && ::SetWindowRgn(window, shape.get(), TRUE) != 0) {
        static_cast<void>(shape.release());  // the window's now
    }
}

}  // namespace veloria
