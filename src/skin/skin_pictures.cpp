#include "skin/skin_pictures.h"

#include <string>

#include "base/version.h"
#include "skin/shaped_window.h"

namespace veloria {

GdiObject<HBITMAP> MakePanelPicture(int width, int height, int corner, const SkinColours& colours,
                                    const wchar_t* title, COLORREF around)
{
    const WindowDC screen(nullptr);
    GdiObject<HBITMAP> picture(::CreateCompatibleBitmap(screen.get(), width, height));
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
    {
        const SelectedObject withBrush(dc.get(), face.get());
        const SelectedObject withPen(dc.get(), edge.get());
        ::RoundRect(dc.get(), 0, 0, width, height, corner, corner);
    }
    if (title != nullptr) {
        const SelectedObject font(dc.get(), ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetBkMode(dc.get(), TRANSPARENT);
        ::SetTextColor(dc.get(), colours.text);
        RECT line{corner / 2, 6, width - corner / 2, 24};
        ::DrawTextW(dc.get(), title, -1, &line, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    }
    return picture;
}

GdiObject<HBITMAP> MakeSponsorPicture(int width, int height, HFONT font)
{
    const WindowDC screen(nullptr);
    GdiObject<HBITMAP> picture(::CreateCompatibleBitmap(screen.get(), width, height));
    const MemoryDC dc(::CreateCompatibleDC(screen.get()));
    if (!picture || !dc) {
        return picture;
    }
    const SelectedObject drawing(dc.get(), picture.get());
    for (int x = 0; x < width; x += 4) {
        const int fade = x * 120 / width;
        const GdiObject<HBRUSH> band(::CreateSolidBrush(RGB(38 + fade, 120 + fade / 2, 168 + fade / 2)));
        const RECT strip{x, 0, x + 4, height};
        ::FillRect(dc.get(), &strip, band.get());
    }
    const SelectedObject text(dc.get(), font);
    ::SetBkMode(dc.get(), TRANSPARENT);
    ::SetTextColor(dc.get(), RGB(255, 255, 255));
    RECT area{0, 0, width, height};
    const std::wstring name = NamedVersionText(ProductName(), CurrentVersion());
    ::DrawTextW(dc.get(), name.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
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

void WindowSkin::Make(HWND window, const SkinColours& colours, int corner, const wchar_t* title, COLORREF around)
{
    RECT client{};
    ::GetClientRect(window, &client);
    colours_ = colours;
    picture_ = MakePanelPicture(client.right, client.bottom, corner, colours, title, around);
    face_.reset(::CreateSolidBrush(colours.face));
}

void WindowSkin::Cut(HWND window, const SkinColours& colours, int corner, const wchar_t* title)
{
    Make(window, colours, corner, title, kSkinKeyColour);
    SetWindowPicture(window, picture_.get());
    Recortar_Ventana(window, kReferencePixelKey);
}

void WindowSkin::Back(HWND window, const SkinColours& colours, int corner, COLORREF around)
{
    Make(window, colours, corner, nullptr, around);
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

}  // namespace veloria
