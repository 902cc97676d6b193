// screenshot.exe: the screen as a Windows user would see it, for the
// README's pictures, written as a 24-bit BMP.
//
//   screenshot.exe FILE.bmp [screen]
//
// Wine's virtual desktop on Xvfb has no compositor: it draws layered
// windows opaque. So the picture is composed here from two takes of the
// screen: one as it is, and one with every see-through window (layered,
// with an alpha below 255) hidden for a moment by an empty window region,
// which is put back at once. Where such a window is the topmost one, the
// two takes are blended at its alpha (and its colour key shows what lies
// under it); everywhere else the screen is taken as it is. A see-through
// window over another one blends with what lies under both. "screen"
// takes the screen as it is.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
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

void TakeScreen(Picture& picture)
{
    const HDC screen = ::GetDC(nullptr);
    ::BitBlt(picture.dc(), 0, 0, picture.width(), picture.height(), screen, 0, 0, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    ::GdiFlush();
}

// The screen with the see-through windows out of the way: each gets an
// empty window region, and its own one back after the take.
void TakeScreenUnder(Picture& picture, const std::vector<Layer>& layers)
{
    std::vector<std::pair<HWND, HRGN>> hidden;
    for (const Layer& layer : layers) {
        if (layer.alpha < 255 || layer.keyed) {
            HRGN own = ::CreateRectRgn(0, 0, 0, 0);
            if (::GetWindowRgn(layer.window, own) == ERROR) {
                ::DeleteObject(own);
                own = nullptr;
            }
            hidden.emplace_back(layer.window, own);
            ::SetWindowRgn(layer.window, ::CreateRectRgn(0, 0, 0, 0), TRUE);
        }
    }
    if (!hidden.empty()) {
        ::Sleep(500);  // the windows under them repaint
    }
    TakeScreen(picture);
    for (const auto& [window, own] : hidden) {
        ::SetWindowRgn(window, own, TRUE);
    }
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
    Picture shown(width, height);
    Picture under(width, height);
    Picture topmost(width, height);  // which layer each pixel shows, as its index + 1
    if (!shown.ok() || !under.ok() || !topmost.ok()) {
        return 1;
    }
    std::vector<HWND> windows;
    ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    std::vector<Layer> layers;
    for (HWND window : windows) {
        layers.push_back(LayerOf(window));
    }
    TakeScreen(shown);
    if (!asIs) {
        TakeScreenUnder(under, layers);
        // From the bottom up, each layer paints its index over those below.
        for (std::size_t k = layers.size(); k-- > 0;) {
            const HBRUSH brush = ::CreateSolidBrush(static_cast<COLORREF>(k + 1));
            ::FillRgn(topmost.dc(), layers[k].shape, brush);
            ::DeleteObject(brush);
        }
        ::GdiFlush();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t index = topmost.at(x, y) & 0xFFFFFF;
                if (index == 0) {
                    continue;
                }
                const Layer& layer = layers[(index >> 16 | (index & 0xFF00) | (index & 0xFF) << 16) - 1];
                std::uint32_t& pixel = shown.at(x, y);
                if (layer.keyed && (pixel & 0xFFFFFF) == layer.key) {
                    pixel = under.at(x, y);
                } else if (layer.alpha < 255) {
                    pixel = Blend(under.at(x, y), pixel, layer.alpha);
                }
            }
        }
    }
    for (const Layer& layer : layers) {
        ::DeleteObject(layer.shape);
    }
    return WriteBmp(argv[1], shown) ? 0 : 1;
}
