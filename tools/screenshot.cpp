// screenshot.exe: the screen as a Windows user would see it, for the
// README's pictures, written as a 24-bit BMP.
//
//   screenshot.exe FILE.bmp [screen]
//
// Wine's virtual desktop on Xvfb has no compositor: it draws layered
// windows opaque. So the picture is composed here from takes of the screen:
// one as it is, then one more each time the next see-through window
// (layered, with an alpha below 255 or a colour key), from the top down, is
// hidden for a moment by an empty window region; the regions are put back
// at once. The last take, every see-through window hidden, is the ground;
// each see-through window is then blended over it from the bottom up, at
// its alpha, its pixels from the take where it was the topmost one left
// (its colour key lets the ground through). "screen" takes the screen as
// it is.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

namespace {

// A 32-bit top-down picture with a memory DC to draw into.
class Picture {
public:
    Picture(int width, int height) : width_(width), height_(height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        dc_ = ::CreateCompatibleDC(nullptr);
        bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<std::uint32_t*>(bits);
        old_ = ::SelectObject(dc_, bitmap_);
    }
    ~Picture()
    {
        ::SelectObject(dc_, old_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    bool ok() const { return bits_ != nullptr; }
    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t& at(int x, int y) { return bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                                                  static_cast<std::size_t>(x)]; }

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

BOOL CALLBACK Collect(HWND window, LPARAM list)
{
    RECT r{};
    if (::IsWindowVisible(window) && !::IsIconic(window) && ::GetWindowRect(window, &r) && r.right > r.left &&
        r.bottom > r.top) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

std::uint32_t Blend(std::uint32_t under, std::uint32_t over, unsigned alpha)
{
    std::uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned a = (over >> shift) & 0xFF;
        const unsigned b = (under >> shift) & 0xFF;
        result |= ((a * alpha + b * (255 - alpha) + 127) / 255) << shift;
    }
    return result;
}

std::uint32_t Colour(COLORREF colour)
{
    return static_cast<std::uint32_t>(GetRValue(colour)) << 16 | static_cast<std::uint32_t>(GetGValue(colour)) << 8 |
           GetBValue(colour);
}

// A top-level window as it shows: its shape on the screen and how it lets
// through what lies under it.
struct Layer {
    HWND window;
    HRGN shape;  // screen coordinates
    unsigned alpha = 255;
    bool keyed = false;
    std::uint32_t key = 0;
};

Layer LayerOf(HWND window)
{
    Layer layer{window, nullptr};
    RECT r{};
    ::GetWindowRect(window, &r);
    layer.shape = ::CreateRectRgn(0, 0, 0, 0);
    if (::GetWindowRgn(window, layer.shape) == ERROR) {
        ::SetRectRgn(layer.shape, 0, 0, r.right - r.left, r.bottom - r.top);
    }
    ::OffsetRgn(layer.shape, r.left, r.top);
    COLORREF key = 0;
    BYTE level = 255;
    DWORD flags = 0;
    if ((::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0 &&
        ::GetLayeredWindowAttributes(window, &key, &level, &flags)) {
        layer.alpha = (flags & LWA_ALPHA) != 0 ? level : 255;
        layer.keyed = (flags & LWA_COLORKEY) != 0;
        layer.key = Colour(key);
    }
    return layer;
}

bool WriteBmp(const char* path, Picture& picture)
{
    const int width = picture.width();
    const int height = picture.height();
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::FILE* out = std::fopen(path, "wb");
    if (out == nullptr) {
        return false;
    }
    std::fwrite(&file, sizeof(file), 1, out);
    std::fwrite(&info, sizeof(info), 1, out);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(stride), 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = picture.at(x, y);
            row[static_cast<std::size_t>(x) * 3] = static_cast<std::uint8_t>(pixel);
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<std::uint8_t>(pixel >> 8);
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<std::uint8_t>(pixel >> 16);
        }
        std::fwrite(row.data(), 1, row.size(), out);
    }
    return std::fclose(out) == 0;
}

void TakeScreen(Picture& picture)
{
    const HDC screen = ::GetDC(nullptr);
    ::BitBlt(picture.dc(), 0, 0, picture.width(), picture.height(), screen, 0, 0, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    ::GdiFlush();
}

// Which layer each pixel shows, as its index + 1 in the pixel's colour, the
// layers in `hidden` left out.
void PaintTopmost(Picture& topmost, const std::vector<Layer>& layers, const std::vector<bool>& hidden)
{
    ::PatBlt(topmost.dc(), 0, 0, topmost.width(), topmost.height(), BLACKNESS);
    for (std::size_t k = layers.size(); k-- > 0;) {
        if (!hidden[k]) {
            const HBRUSH brush = ::CreateSolidBrush(static_cast<COLORREF>(k + 1));
            ::FillRgn(topmost.dc(), layers[k].shape, brush);
            ::DeleteObject(brush);
        }
    }
    ::GdiFlush();
}

std::size_t LayerAt(Picture& topmost, int x, int y)
{
    const std::uint32_t colour = topmost.at(x, y) & 0xFFFFFF;  // 0x00RRGGBB of the COLORREF 0x00BBGGRR
    return (colour >> 16 | (colour & 0xFF00) | (colour & 0xFF) << 16);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: screenshot FILE.bmp [screen]\n");
        return 2;
    }
    const bool asIs = argc == 3 && std::string_view(argv[2]) == "screen";
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    std::vector<HWND> windows;
    ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    std::vector<Layer> layers;  // from the top down
    std::vector<std::size_t> seeThrough;
    for (HWND window : windows) {
        layers.push_back(LayerOf(window));
        if (!asIs && (layers.back().alpha < 255 || layers.back().keyed)) {
            seeThrough.push_back(layers.size() - 1);
        }
    }
    // takes[j]: the screen with the first j see-through windows hidden.
    std::vector<std::unique_ptr<Picture>> takes;
    std::vector<std::pair<HWND, HRGN>> ownRegions;
    for (std::size_t j = 0; j <= seeThrough.size(); ++j) {
        if (j > 0) {
            const HWND window = layers[seeThrough[j - 1]].window;
            HRGN own = ::CreateRectRgn(0, 0, 0, 0);
            if (::GetWindowRgn(window, own) == ERROR) {
                ::DeleteObject(own);
                own = nullptr;
            }
            ownRegions.emplace_back(window, own);
            ::SetWindowRgn(window, ::CreateRectRgn(0, 0, 0, 0), TRUE);
            ::Sleep(400);  // the windows under it repaint
        }
        takes.push_back(std::make_unique<Picture>(width, height));
        if (!takes.back()->ok()) {
            break;
        }
        TakeScreen(*takes.back());
    }
    for (const auto& [window, own] : ownRegions) {
        ::SetWindowRgn(window, own, TRUE);
    }
    Picture topmost(width, height);
    if (takes.size() != seeThrough.size() + 1 || !topmost.ok()) {
        return 1;
    }
    Picture& composed = *takes.back();
    std::vector<bool> hidden(layers.size(), false);
    for (std::size_t i : seeThrough) {
        hidden[i] = true;
    }
    for (std::size_t j = seeThrough.size(); j-- > 0;) {
        const std::size_t index = seeThrough[j];
        const Layer& layer = layers[index];
        hidden[index] = false;
        PaintTopmost(topmost, layers, hidden);
        Picture& take = *takes[j];
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (LayerAt(topmost, x, y) != index + 1) {
                    continue;
                }
                const std::uint32_t pixel = take.at(x, y) & 0xFFFFFF;
                if (!layer.keyed || pixel != layer.key) {
                    composed.at(x, y) = Blend(composed.at(x, y), pixel, layer.alpha);
                }
            }
        }
    }
    for (const Layer& layer : layers) {
        ::DeleteObject(layer.shape);
    }
    return WriteBmp(argv[1], composed) ? 0 : 1;
}
