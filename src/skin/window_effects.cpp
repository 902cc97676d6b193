#include "skin/window_effects.h"

#include <algorithm>

#include "settings/settings_record.h"

namespace veloria {

bool HighContrastOn()
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) != FALSE &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool PlainLook()
{
    return PlainWindowLook(Settings()) || HighContrastOn();
}

namespace {

// The id the close item carries while it is off.
constexpr UINT kCloseItemOff = static_cast<UINT>(-10);

// Moves the item `from` of the system menu to `to`, greyed or not; the
// item's data remembers the id it had.
void SwapCloseItem(HWND window, UINT from, UINT to, bool greyed, const std::wstring& text)
{
    std::wstring caption = text;
    MENUITEMINFOW item{};
    // The record as this build's system knows it: 44 bytes in a 32-bit
    // program, 80 in a 64-bit one.
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE | MIIM_DATA;
    item.fType = MFT_STRING;
    item.fState = greyed ? MFS_GRAYED : MFS_ENABLED;
    item.wID = to;
    item.dwItemData = from;
    item.dwTypeData = caption.data();
    item.cch = static_cast<UINT>(caption.size() + 1);
    ::SetMenuItemInfoW(::GetSystemMenu(window, FALSE), from, FALSE, &item);
    ::DrawMenuBar(window);
}

}  // namespace

void DesvancerVentana(HWND& window)
{
    // A user who turned Windows' animations off sees the window go at once.
    BOOL animations = TRUE;
    if (!::SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &animations, 0)) {
        animations = TRUE;
    }
    if (animations != FALSE) {
        ::AnimateWindow(window, kFadeMs, kFadeFlags);
    } else {
        ::ShowWindow(window, SW_HIDE);
    }
    window = nullptr;
}

void MoverVentana(HWND window)
{
    ::ReleaseCapture();
    ::SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

std::wstring CloseItemText(HWND window)
{
    wchar_t text[51]{};
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_TYPE | MIIM_DATA;
    item.fType = MFT_STRING;
    item.dwTypeData = text;
    item.cch = 50;
    if (!::GetMenuItemInfoW(::GetSystemMenu(window, FALSE), SC_CLOSE, FALSE, &item)) {
        return {};
    }
    return std::wstring(text, std::min<std::size_t>(item.cch, 50));
}

void DisableCloseItem(HWND window, const std::wstring& text)
{
    SwapCloseItem(window, SC_CLOSE, kCloseItemOff, true, text);
}

void EnableCloseItem(HWND window, const std::wstring& text)
{
    SwapCloseItem(window, kCloseItemOff, SC_CLOSE, false, text);
}

}  // namespace veloria
