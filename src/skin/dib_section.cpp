#include "skin/dib_section.h"

#include <limits>

#include "skin/pixel_runs.h"

namespace veloria {

bool cDIBSection::CopyToClipboard(bool asDib)
{
    if (asDib || !section_) {
        return false;
    }
    const WindowDC screen(nullptr);
    const MemoryDC memory(::CreateCompatibleDC(screen.get()));
    GdiObject<HBITMAP> copy(::CreateCompatibleBitmap(screen.get(), Width(), Height()));
    if (!memory || !copy) {
        return false;
    }
    {
        const SelectedObject selected(memory.get(), copy.get());
        PaintPicture(memory.get(), 0, 0, -1, -1, 0, 0, SRCCOPY);
    }
    if (!::OpenClipboard(nullptr)) {
        return false;
    }
    ::EmptyClipboard();
    const bool taken = ::SetClipboardData(CF_BITMAP, copy.get()) != nullptr;
    ::CloseClipboard();
    if (taken) {
        static_cast<void>(copy.release());  // the clipboard's now
    }
    return taken;
}

bool cDIBSection::CreateDIB(HDC dc, int width, int height, GdiObject<HBITMAP>& section)
{
    section.reset();
    header_ = BITMAPINFOHEADER{};
    bits_ = nullptr;
    const int stride = veloria::BytesPerScanLine(width);
    if (stride == 0 || height <= 0 || height > std::numeric_limits<int>::max() / stride) {
        return false;
    }
    header_.biSize = sizeof(BITMAPINFOHEADER);
    header_.biWidth = width;
    header_.biHeight = height;  // positive: bottom-up rows
    header_.biPlanes = 1;
    header_.biBitCount = 24;
    header_.biCompression = BI_RGB;
    header_.biSizeImage = static_cast<DWORD>(stride) * static_cast<DWORD>(height);
    BITMAPINFO info{};
    info.bmiHeader = header_;
    void* bits = nullptr;
    section.reset(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section) {
        header_ = BITMAPINFOHEADER{};
        return false;
    }
    bits_ = static_cast<std::uint8_t*>(bits);
    return true;
}

void cDIBSection::CreateFromPicture(HBITMAP picture)
{
    // No picture, or a handle that is not a bitmap, reads as a picture of no
    // size, which Create refuses.
    BITMAP size{};
    if (picture == nullptr || ::GetObjectW(picture, sizeof(size), &size) == 0 || !Create(size.bmWidth, size.bmHeight)) {
        ClearUp();
        return;
    }
    MemoryDC source;
    {
        const WindowDC screen(nullptr);
        source.reset(::CreateCompatibleDC(screen.get()));
    }
    const SelectedObject selected(source.get(), picture);
    // A bitmap still selected into another DC cannot be selected here: the
    // copy would be of the DC's empty default bitmap, so there is none.
    if (!source || ::GetCurrentObject(source.get(), OBJ_BITMAP) != picture) {
        ClearUp();
        return;
    }
    LoadPictureBlt(source.get(), 0, 0, -1, -1, SRCCOPY);
}

bool cDIBSection::Create(int width, int height)
{
    ClearUp();
    {
        const WindowDC screen(nullptr);
        dc_.reset(::CreateCompatibleDC(screen.get()));
    }
    if (!dc_ || !CreateDIB(dc_.get(), width, height, section_)) {
        ClearUp();
        return false;
    }
    selection_.emplace(dc_.get(), section_.get());
    return true;
}

int cDIBSection::BytesPerScanLine() const
{
    return veloria::BytesPerScanLine(Width());
}

void cDIBSection::LoadPictureBlt(HDC source, int sourceLeft, int sourceTop, int width, int height,
                                 DWORD rasterOperation)
{
    if (dc_) {
        ::BitBlt(dc_.get(), 0, 0, width < 0 ? Width() : width, height < 0 ? Height() : height, source, sourceLeft,
                 sourceTop, rasterOperation);
    }
}

void cDIBSection::PaintPicture(HDC target, int left, int top, int width, int height, int sourceLeft, int sourceTop,
                               DWORD rasterOperation)
{
    if (dc_) {
        ::BitBlt(target, left, top, width < 0 ? Width() : width, height < 0 ? Height() : height, dc_.get(),
                 sourceLeft, sourceTop, rasterOperation);
    }
}

std::uint8_t* cDIBSection::DIBSectionBitsPtr() const
{
    if (bits_ != nullptr) {
        ::GdiFlush();
    }
    return bits_;
}

void cDIBSection::RandomiseBits(bool grey)
{
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    const auto secondsSinceMidnight = static_cast<std::uint32_t>(now.wHour * 3600 + now.wMinute * 60 + now.wSecond);
    FillRandomBits(DIBSectionBitsPtr(), Width(), Height(), grey, secondsSinceMidnight);
}

void cDIBSection::ClearUp()
{
    selection_.reset();
    section_.reset();
    dc_.reset();
    header_ = BITMAPINFOHEADER{};
    bits_ = nullptr;
}

std::unique_ptr<cDIBSection> cDIBSection::Resample(int newHeight, int newWidth)
{
    if (bits_ == nullptr) {
        return nullptr;
    }
    auto resampled = std::make_unique<cDIBSection>();
    if (!resampled->Create(newWidth, newHeight)) {
        return nullptr;
    }
    if (newWidth == Width() && newHeight == Height()) {
        resampled->LoadPictureBlt(dc_.get(), 0, 0, -1, -1, SRCCOPY);
    } else {
        ResampleBits(DIBSectionBitsPtr(), Width(), Height(), resampled->DIBSectionBitsPtr(), newWidth, newHeight);
    }
    return resampled;
}

}  // namespace veloria
