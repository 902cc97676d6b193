#include "base/error_report.h"

#include "base/text_rules.h"
#include "base/version.h"

namespace veloria {

std::wstring SystemErrorText(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result = length != 0 && text != nullptr ? std::wstring(text, length) : std::wstring();
    ::LocalFree(text);
    while (!result.empty() &&
           (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' ' || result.back() == L'.')) {
        result.pop_back();
    }
    return result.empty() ? L"error " + DecimalText(error) : result;
}

void ShowMessage(HWND owner, const std::wstring& text, UINT icon)
{
    ::MessageBoxW(owner, text.c_str(), AppTitle(), MB_OK | icon);
}

}  // namespace veloria
