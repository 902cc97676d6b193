#include "skin/skin_pictures.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/version.h"
#include "skin/dib_section.h"
#include "skin/pixel_runs.h"
#include "skin/shaped_window.h"

namespace veloria {

namespace {

// Writes `text` on `picture` in `font`, within `area` (picture pixels).
void WriteOn(HBITMAP picture, const wchar_t* text, RECT area, HFONT font, COLORREF colour, UINT format)
{
    const WindowDC screen(nullptr);
    const MemoryDC dc(::CreateCompatibleDC(screen.get()));
    const SelectedObject onPicture(dc.get(), picture);
    const SelectedObject withFont(dc.get(), font);
    ::SetBkMode(dc.get(), TRANSPARENT);
    ::SetTextColor(dc.get(), colour);
    ::DrawTextW(dc.get(), text, -1, &area, format | DT_SINGLELINE | DT_NOPREFIX);
}

// The image as a bitmap of the screen's kind, which the program's windows
// and the shaping take like any other picture; null when none can be made.
GdiObject<HBITMAP> ScreenBitmap(cDIBSection& image)
{
    const WindowDC screen(nullptr);
    GdiObject<HBITMAP> result(::CreateCompatibleBitmap(screen.get(), image.Width(), image.Height()));
    const MemoryDC dc(::CreateCompatibleDC(screen.get()));
    if (!result || !dc) {
        return {};
    }
    const SelectedObject onResult(dc.get(), result.get());
    image.PaintPicture(dc.get());
    return result;
}

}  // namespace

GdiObject<HBITMAP> ScalePicture(GdiObject<HBITMAP> picture, UINT dpi, bool keyed)
{
    if (dpi == kBaseDpi) {
        return picture;
    }
    cDIBSection source;
    source.CreateFromPicture(picture.get());
    if (source.DIBSectionBitsPtr() == nullptr) {
        return picture;
    }
    const int width = source.Width();
    const int height = source.Height();
    const int dpiValue = static_cast<int>(dpi);
    const std::int32_t key = PixelKey(source.DIBSectionBitsPtr());
    std::unique_ptr<cDIBSection> mask;
    if (keyed) {
        cDIBSection opaque;
        if (opaque.Create(width, height)) {
            const std::vector<std::uint8_t> bits = KeyMask(source.DIBSectionBitsPtr(), width, height, key);
            std::copy(bits.begin(), bits.end(), opaque.DIBSectionBitsPtr());
            mask = opaque.Resample(ScaleForDpi(height, dpiValue), ScaleForDpi(width, dpiValue));
        }
        SpreadIntoKey(source.DIBSectionBitsPtr(), width, height, key);
    }
    const std::unique_ptr<cDIBSection> scaled =
        source.Resample(ScaleForDpi(height, dpiValue), ScaleForDpi(width, dpiValue));
    if (!scaled || (keyed && !mask)) {
        return picture;  // drawn at 96 DPI rather than not at all
    }
    if (keyed) {
        ApplyKeyMask(scaled->DIBSectionBitsPtr(), mask->DIBSectionBitsPtr(), scaled->Width(), scaled->Height(), key);
    }
    GdiObject<HBITMAP> result = ScreenBitmap(*scaled);
    return result ? std::move(result) : std::move(picture);
}

void DrawPanel(HDC dc, const RECT& area, int corner, const SkinColours& colours, const wchar_t* title,
               const DpiScale& scale)
{
    const GdiObject<HBRUSH> face(::CreateSolidBrush(colours.face));
    const GdiObject<HPEN> edge(::CreatePen(PS_INSIDEFRAME, scale(2), colours.edge));
    {
        const SelectedObject withBrush(dc, face.get());
        const SelectedObject withPen(dc, edge.get());
        ::RoundRect(dc, area.left, area.top, area.right, area.bottom, scale(corner), scale(corner));
    }
    if (title != nullptr) {
        const SelectedObject withFont(dc, scale.font());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, colours.text);
        RECT line{area.left + scale(corner / 2), area.top, area.right - scale(corner / 2), area.bottom};
        ::DrawTextW(dc, title, -1, &line, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

GdiObject<HBITMAP> MakePanelPicture(int width, int height, int corner, const SkinColours& colours,
                                    const wchar_t* title, const DpiScale& scale, COLORREF around)
{
    const WindowDC screen(nullptr);
    GdiObject<HBITMAP> picture(::CreateCompatibleBitmap(screen.get(), width, height));
    {
        // Drawn, and let go of by the DC, before it is scaled.
        const MemoryDC dc(::CreateCompatibleDC(screen.get()));
        if (!picture || !dc) {
            return {};
        }
        const SelectedObject onPicture(dc.get(), picture.get());
        const GdiObject<HBRUSH> key(::CreateSolidBrush(around));
        const RECT all{0, 0, width, height};
        ::FillRect(dc.get(), &all, key.get());
        const GdiObject<HBRUSH> face(::CreateSolidBrush(colours.face));
        const GdiObject<HPEN> edge(::CreatePen(PS_INSIDEFRAME, 2, colours.edge));
        const SelectedObject withBrush(dc.get(), face.get());
        const SelectedObject withPen(dc.get(), edge.get());
        ::RoundRect(dc.get(), 0, 0, width, height, corner, corner);
    }
    picture = ScalePicture(std::move(picture), scale.dpi(), around == kSkinKeyColour);
    if (title != nullptr && picture) {
        WriteOn(picture.get(), title, scale(RECT{corner / 2, 6, width - corner / 2, 24}), scale.font(), colours.text,
                DT_LEFT);
    }
    return picture;
}

GdiObject<HBITMAP> MakeSponsorPicture(int width, int height, const DpiScale& scale)
{
    // The sky in bands four pixels wide, written straight into the pixels.
    cDIBSection sky;
    if (!sky.Create(width, height)) {
        return {};
    }
    std::uint8_t* bits = sky.DIBSectionBitsPtr();
    for (int x = 0; x < width; ++x) {
        const int fade = (x - x % 4) * 120 / width;
        const std::uint8_t pixel[3] = {static_cast<std::uint8_t>(168 + fade / 2),
                                       static_cast<std::uint8_t>(120 + fade / 2), static_cast<std::uint8_t>(38 + fade)};
        for (int y = 0; y < height; ++y) {
            std::copy(pixel, pixel + 3, bits + static_cast<std::ptrdiff_t>(y) * sky.BytesPerScanLine() + 3 * x);
        }
    }
    GdiObject<HBITMAP> picture = ScalePicture(ScreenBitmap(sky), scale.dpi(), false);
    if (picture) {
        const std::wstring name = NamedVersionText(ProductName(), CurrentVersion());
        WriteOn(picture.get(), name.c_str(), scale(RECT{0, 0, width, height}), scale.font(), RGB(255, 255, 255),
                DT_CENTER | DT_VCENTER);
    }
    return picture;
}

bool PaintPicture(HDC dc, HBITMAP picture)
{
    BITMAP size{};
    if (picture == nullptr || ::GetObjectW(picture, sizeof(size), &size) == 0) {
        return false;
    }
    const MemoryDC source(::CreateCompatibleDC(dc));
    const SelectedObject onPicture(source.get(), picture);
    return ::BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, source.get(), 0, 0, SRCCOPY) != FALSE;
}

void WindowSkin::Make(SIZE size, const SkinColours& colours, int corner, const wchar_t* title, COLORREF around,
                      const DpiScale& scale)
{
    colours_ = colours;
    picture_ = MakePanelPicture(size.cx, size.cy, corner, colours, title, scale, around);
    face_.reset(::CreateSolidBrush(colours.face));
}

void WindowSkin::Cut(HWND window, SIZE size, const SkinColours& colours, int corner, const wchar_t* title,
                     const DpiScale& scale)
{
    // The window lets go of the picture it has before that one goes.
    SetWindowPicture(window, nullptr);
    Make(size, colours, corner, title, kSkinKeyColour, scale);
    SetWindowPicture(window, picture_.get());
    Recortar_Ventana(window, kReferencePixelKey);
}

void WindowSkin::Back(SIZE size, const SkinColours& colours, int corner, COLORREF around, const DpiScale& scale)
{
    Make(size, colours, corner, nullptr, around, scale);
}

bool WindowSkin::Handles(UINT message, WPARAM wParam, LRESULT& result) const
{
    const auto dc = reinterpret_cast<HDC>(wParam);
    if (!picture_ || (message != WM_ERASEBKGND && message != WM_CTLCOLORSTATIC)) {
        return false;
    }
    if (message == WM_ERASEBKGND) {
        result = PaintPicture(dc, picture_.get()) ? 1 : 0;
        return result != 0;
    }
    ::SetBkColor(dc, colours_.face);
    ::SetTextColor(dc, colours_.text);
    result = reinterpret_cast<LRESULT>(face_.get());
    return true;
}

void WindowSkin::Drop(HWND window)
{
    SetWindowPicture(window, nullptr);
    picture_.reset();
    face_.reset();
}

void WindowSkin::Remove(HWND window)
{
    Drop(window);
    ::SetWindowRgn(window, nullptr, TRUE);
}

}  // namespace veloria
