#include "base/profile.h"

#include <windows.h>

#include <array>

namespace veloria {

std::wstring ReadProfileText(const wchar_t* section, const wchar_t* key, const wchar_t* fallback,
                             const std::wstring& path)
{
    constexpr DWORD kBufferSize = 255;
    std::array<wchar_t, kBufferSize> buffer{};
    const DWORD copied =
        ::GetPrivateProfileStringW(section, key, fallback, buffer.data(), kBufferSize, path.c_str());
    return std::wstring(buffer.data(), copied < kBufferSize ? copied : kBufferSize - 1);
}

}  // namespace veloria
