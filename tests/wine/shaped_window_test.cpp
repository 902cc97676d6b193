// Recortar_Ventana on real framed windows: the region it leaves against the
// pixels of a picture drawn here, and what a window without a picture gets.
#include "skin/shaped_window.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "aside_thread.h"
#include "base/error_report.h"

namespace veloria {
namespace {

// Framed as the program's skinned windows are before shaping: a popup with
// a caption (an overlapped one would be held to the smallest window size).
WindowHandle MakeFramedWindow()
{
    return WindowHandle(::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"Veloria shape test",
                                          WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100, 100, 300, 200,
                                          nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
}

// The outer rectangle, and where the client area starts inside it.
std::pair<RECT, POINT> FrameOf(HWND window)
{
    RECT outer{};
    POINT client{};
    ::GetWindowRect(window, &outer);
    ::ClientToScreen(window, &client);
    return {outer, {client.x - outer.left, client.y - outer.top}};
}

std::vector<std::array<LONG, 4>> Rectangles(HRGN region)
{
    std::vector<RECT> data(::GetRegionData(region, 0, nullptr) / sizeof(RECT));
    ::GetRegionData(region, static_cast<DWORD>(data.size() * sizeof(RECT)), reinterpret_cast<RGNDATA*>(data.data()));
    std::vector<std::array<LONG, 4>> rectangles;
    for (auto rect = data.begin() + sizeof(RGNDATAHEADER) / sizeof(RECT); rect != data.end(); ++rect) {
        rectangles.push_back({rect->left, rect->top, rect->right, rect->bottom});
    }
    return rectangles;
}

TEST(ShapedWindow, TheRegionHoldsExactlyThePicturesOpaquePixelsInsideTheCutFrame)
{
    constexpr int kWidth = 37;
    constexpr int kHeight = 23;
    const WindowHandle window = MakeFramedWindow();
    const auto [before, client] = FrameOf(window.get());
    // Key-coloured background (the bottom-left pixel too, not the top-left
    // one), a block on the right edge at the top, an ellipse low down, a
    // lone pixel and one a step of blue off the key. Every other pixel,
    // where the client area will show it, united one by one, is the shape
    // wanted.
    const GdiObject<HRGN> expected(::CreateRectRgn(0, 0, 0, 0));
    const WindowDC screen(nullptr);
    const GdiObject<HBITMAP> picture(::CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
    {
        const MemoryDC dc(::CreateCompatibleDC(screen.get()));
        const SelectedObject drawing(dc.get(), picture.get());
        const RECT whole{0, 0, kWidth, kHeight};
        const RECT block{30, 0, kWidth, 5};
        ::FillRect(dc.get(), &whole, GdiObject<HBRUSH>(::CreateSolidBrush(RGB(255, 0, 255))).get());
        ::FillRect(dc.get(), &block, GdiObject<HBRUSH>(::CreateSolidBrush(RGB(0, 0, 128))).get());
        ::Ellipse(dc.get(), 2, 8, 20, 22);
        ::SetPixel(dc.get(), 25, 15, RGB(0, 0, 0));
        ::SetPixel(dc.get(), 0, 0, RGB(0, 0, 0));
        ::SetPixel(dc.get(), 33, 20, RGB(255, 0, 254));
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (::GetPixel(dc.get(), x, y) != RGB(255, 0, 255)) {
                    const GdiObject<HRGN> pixel(::CreateRectRgn(x + client.x, y + client.y, x + client.x + 1,
                                                                y + client.y + 1));
                    ::CombineRgn(expected.get(), expected.get(), pixel.get(), RGN_OR);
                }
            }
        }
    }
    SetWindowPicture(window.get(), picture.get());
    Recortar_Ventana(window.get(), kReferencePixelKey);
    SetWindowPicture(window.get(), nullptr);

    const RECT after = FrameOf(window.get()).first;
    EXPECT_EQ(std::make_pair(after.left, after.top), std::make_pair(before.left, before.top));
    EXPECT_EQ(std::make_pair(after.right - after.left, after.bottom - after.top),
              std::make_pair(kWidth + 2 * client.x, kHeight + client.x + client.y));
    const GdiObject<HRGN> shape(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(window.get(), shape.get()), ERROR);
    EXPECT_EQ(Rectangles(shape.get()), Rectangles(expected.get()));
}

TEST(ShapedWindow, AWindowWithoutAPictureIsLeftAsItsBareFrameAndTheUserIsTold)
{
    const WindowHandle window = MakeFramedWindow();
    const POINT client = FrameOf(window.get()).second;
    // The message box is read and closed from another thread, which looks
    // for it for ten seconds at most.
    std::wstring seen;
    AsideThread reader([&seen, thread = ::GetCurrentThreadId()] {
        HWND box = nullptr;
        for (int waited = 0; waited < 200 && box == nullptr; ++waited, ::Sleep(50)) {
            box = ::FindWindowW(L"#32770", nullptr);
            box = ::GetWindowThreadProcessId(box, nullptr) == thread ? box : nullptr;
        }
        wchar_t title[64] = {};
        wchar_t text[512] = {};
        ::GetWindowTextW(box, title, static_cast<int>(std::size(title)));
        ::GetDlgItemTextW(box, 0xFFFF, text, static_cast<int>(std::size(text)));
        seen = std::wstring(title) + L": " + text + (::GetDlgItem(box, IDCANCEL) != nullptr ? L" [Cancel]" : L"");
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    Recortar_Ventana(window.get(), kReferencePixelKey);
    reader.join();

    EXPECT_EQ(seen, L"Veloria " + std::to_wstring(VELORIA_VERSION_MAJOR) +
                        L": Error Number: 6 Error Description: " + SystemErrorText(ERROR_INVALID_HANDLE));
    const RECT after = FrameOf(window.get()).first;
    EXPECT_EQ(std::make_pair(after.right - after.left, after.bottom - after.top),
              std::make_pair(2 * client.x, client.x + client.y));
    const GdiObject<HRGN> region(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(::GetWindowRgn(window.get(), region.get()), ERROR);
}

}  // namespace
}  // namespace veloria
