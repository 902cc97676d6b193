// Recortar_Ventana on real framed windows: the region it leaves against the
// pixels of a picture drawn here, and what a window without a picture gets.
#include "skin/shaped_window.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "base/error_report.h"
#include "base/handle.h"

namespace veloria {
namespace {

// A window framed as the program's skinned windows are before shaping: a
// popup with a caption (an overlapped one would be held to the system's
// smallest window size).
WindowHandle MakeFramedWindow()
{
    return WindowHandle(::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "Veloria shape test",
                                          WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100, 100, 300, 200,
                                          nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr));
}

struct Frame {
    RECT outer{};
    int border = 0;  // side border
    int top = 0;     // caption and top border
};

Frame FrameOf(HWND window)
{
    Frame frame;
    RECT client{};
    ::GetWindowRect(window, &frame.outer);
    ::GetClientRect(window, &client);
    frame.border = (frame.outer.right - frame.outer.left - client.right) / 2;
    frame.top = frame.outer.bottom - frame.outer.top - client.bottom - frame.border;
    return frame;
}

char& Cell(std::vector<std::string>& rows, LONG x, LONG y)
{
    return rows.at(static_cast<std::size_t>(y)).at(static_cast<std::size_t>(x));
}

// The window's pixels as rows of '#' (inside the region) and '.'.
std::vector<std::string> RegionPixels(HWND window, int width, int height)
{
    std::vector<std::string> rows(static_cast<std::size_t>(height), std::string(static_cast<std::size_t>(width), '.'));
    const GdiObject<HRGN> region(::CreateRectRgn(0, 0, 0, 0));
    if (::GetWindowRgn(window, region.get()) == ERROR) {
        return {};
    }
    std::vector<RECT> data(::GetRegionData(region.get(), 0, nullptr) / sizeof(RECT) + 1);
    ::GetRegionData(region.get(), static_cast<DWORD>(data.size() * sizeof(RECT)),
                    reinterpret_cast<RGNDATA*>(data.data()));
    const auto* header = reinterpret_cast<const RGNDATAHEADER*>(data.data());
    const auto* rects = reinterpret_cast<const RECT*>(header + 1);
    for (DWORD i = 0; i < header->nCount; ++i) {
        for (LONG y = rects[i].top; y < rects[i].bottom; ++y) {
            for (LONG x = rects[i].left; x < rects[i].right; ++x) {
                Cell(rows, x, y) = '#';
            }
        }
    }
    return rows;
}

TEST(ShapedWindow, TheRegionHoldsExactlyThePicturesOpaquePixelsInsideTheCutFrame)
{
    constexpr int kWidth = 37;
    constexpr int kHeight = 23;
    const WindowHandle window = MakeFramedWindow();
    const Frame before = FrameOf(window.get());
    const int outerWidth = kWidth + 2 * before.border;
    const int outerHeight = kHeight + before.border + before.top;
    std::vector<std::string> expected(static_cast<std::size_t>(outerHeight),
                                      std::string(static_cast<std::size_t>(outerWidth), '.'));
    const WindowDC screen(nullptr);
    const GdiObject<HBITMAP> picture(::CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
    {
        // Key-coloured background (the bottom-left pixel too), a block on
        // the right edge at the top, an ellipse low down, one lone pixel and
        // one a single step of blue away from the key.
        const MemoryDC dc(::CreateCompatibleDC(screen.get()));
        const SelectedObject drawing(dc.get(), picture.get());
        const RECT whole{0, 0, kWidth, kHeight};
        const RECT block{30, 0, kWidth, 5};
        const GdiObject<HBRUSH> key(::CreateSolidBrush(RGB(255, 0, 255)));
        const GdiObject<HBRUSH> blue(::CreateSolidBrush(RGB(0, 0, 128)));
        ::FillRect(dc.get(), &whole, key.get());
        ::FillRect(dc.get(), &block, blue.get());
        ::Ellipse(dc.get(), 2, 8, 20, 22);
        ::SetPixel(dc.get(), 25, 15, RGB(0, 0, 0));
        ::SetPixel(dc.get(), 33, 20, RGB(255, 0, 254));
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (::GetPixel(dc.get(), x, y) != RGB(255, 0, 255)) {
                    Cell(expected, x + before.border, y + before.top) = '#';
                }
            }
        }
    }
    SetWindowPicture(window.get(), picture.get());
    Recortar_Ventana(window.get(), kReferencePixelKey);
    SetWindowPicture(window.get(), nullptr);

    const Frame after = FrameOf(window.get());
    EXPECT_EQ(after.outer.left, before.outer.left);
    EXPECT_EQ(after.outer.top, before.outer.top);
    EXPECT_EQ(after.outer.right - after.outer.left, outerWidth);
    EXPECT_EQ(after.outer.bottom - after.outer.top, outerHeight);
    EXPECT_EQ(RegionPixels(window.get(), outerWidth, outerHeight), expected);
}

TEST(ShapedWindow, AWindowWithoutAPictureIsLeftAsItsBareFrameAndTheUserIsTold)
{
    const WindowHandle window = MakeFramedWindow();
    const Frame before = FrameOf(window.get());
    // The message box is this thread's dialog window; read and closed from
    // another thread within ten seconds.
    std::string title;
    std::string text;
    bool okOnly = false;
    std::thread reader([&, thread = ::GetCurrentThreadId()] {
        HWND box = nullptr;
        for (int waited = 0; waited < 200 && box == nullptr; ++waited, ::Sleep(50)) {
            ::EnumThreadWindows(thread, [](HWND found, LPARAM result) -> BOOL {
                char name[16] = {};
                ::GetClassNameA(found, name, sizeof(name));
                *reinterpret_cast<HWND*>(result) = std::string(name) == "#32770" ? found : nullptr;
                return std::string(name) != "#32770";
            }, reinterpret_cast<LPARAM>(&box));
        }
        char buffer[512] = {};
        ::GetWindowTextA(box, buffer, sizeof(buffer));
        title = buffer;
        ::GetDlgItemTextA(box, 0xFFFF, buffer, sizeof(buffer));
        text = buffer;
        okOnly = box != nullptr && ::GetDlgItem(box, IDOK) != nullptr && ::GetDlgItem(box, IDCANCEL) == nullptr;
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    Recortar_Ventana(window.get(), kReferencePixelKey);
    reader.join();

    EXPECT_EQ(title, "Veloria " + std::to_string(VELORIA_VERSION_MAJOR));
    EXPECT_EQ(text, "Error Number: 6 Error Description: " + SystemErrorText(ERROR_INVALID_HANDLE));
    EXPECT_TRUE(okOnly);
    const Frame after = FrameOf(window.get());
    EXPECT_EQ(after.outer.right - after.outer.left, 2 * before.border);
    EXPECT_EQ(after.outer.bottom - after.outer.top, before.border + before.top);
    const GdiObject<HRGN> region(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(::GetWindowRgn(window.get(), region.get()), ERROR);
}

}  // namespace
}  // namespace veloria
