// cDIBSection: a 24-bit bitmap section whose pixel memory the program reads
// and writes directly, selected into a memory DC of its own so that it can
// be blitted into and out of. Rows are stored bottom-up, BytesPerScanLine
// bytes each, three bytes a pixel (blue, green, red).
//
// Either the object holds an image (section, DC, the bitmap the DC held
// before and the pixel pointer all set) or it is empty (all unset). It
// gives everything back when cleared, created again or destroyed. Shaping
// a window copies the window's picture into one and reads it in place.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "base/handle.h"

namespace veloria {

class cDIBSection {
public:
    cDIBSection() = default;
    ~cDIBSection() { ClearUp(); }
    cDIBSection(const cDIBSection&) = delete;
    cDIBSection& operator=(const cDIBSection&) = delete;

    // The image as a screen-compatible bitmap on the clipboard (CF_BITMAP),
    // which owns it afterwards; true when the clipboard took it. Asked for
    // as a DIB, or with no image, it leaves the clipboard alone: false.
    bool CopyToClipboard(bool asDib = false);

    // Fills the header for width x height and makes the section on `dc`,
    // keeping its pixel pointer; false (and `section` empty) when none can
    // be made.
    bool CreateDIB(HDC dc, int width, int height, GdiObject<HBITMAP>& section);

    // The picture converted to 24 bits in a new image of its size; an
    // empty object when there is no picture or it has no size.
    void CreateFromPicture(HBITMAP picture);

    // An image of width x height (contents undefined) in place of any
    // before; false, leaving the object empty, when it cannot be made.
    bool Create(int width, int height);

    int BytesPerScanLine() const;
    int Width() const { return static_cast<int>(header_.biWidth); }
    int Height() const { return static_cast<int>(header_.biHeight); }

    // Blits from `source` (left, top) into this image at (0, 0); a negative
    // width or height means this image's own.
    void LoadPictureBlt(HDC source, int sourceLeft = 0, int sourceTop = 0, int width = -1, int height = -1,
                        DWORD rasterOperation = SRCCOPY);

    // Blits this image from (sourceLeft, sourceTop) to `target` at (left,
    // top); a negative width or height means this image's own.
    void PaintPicture(HDC target, int left = 0, int top = 0, int width = -1, int height = -1, int sourceLeft = 0,
                      int sourceTop = 0, DWORD rasterOperation = SRCCOPY);

    HDC hdc() const { return dc_.get(); }
    HBITMAP hDib() const { return section_.get(); }

    // The pixel memory, null when empty. Drawing GDI still holds back is
    // finished first, so the bytes are current.
    std::uint8_t* DIBSectionBitsPtr() const;

    // Noise seeded from the time of day: grey, or colour without blue.
    void RandomiseBits(bool grey = false);

    void ClearUp();

    // A new image of newWidth x newHeight (height first): an exact copy at
    // the same size, interpolated bilinearly otherwise. Null when this one
    // is empty or the new one cannot be made.
    std::unique_ptr<cDIBSection> Resample(int newHeight, int newWidth);

private:
    // Given back in the reverse order of declaration: the bitmap the DC held
    // before is selected back, then the section goes, then the DC.
    MemoryDC dc_;
    GdiObject<HBITMAP> section_;
    std::optional<SelectedObject> selection_;
    BITMAPINFOHEADER header_{};
    std::uint8_t* bits_ = nullptr;
};

}  // namespace veloria
