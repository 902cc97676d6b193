#include "base/profile.h"

#include <windows.h>

#include <array>

namespace veloria {

std::string ReadProfileText(const char* section, const char* key, const char* fallback, const std::string& path)
{
    constexpr DWORD kBufferSize = 255;
    std::array<char, kBufferSize> buffer{};
    const DWORD copied =
        ::GetPrivateProfileStringA(section, key, fallback, buffer.data(), kBufferSize, path.c_str());
    return std::string(buffer.data(), copied < kBufferSize ? copied : kBufferSize - 1);
}

}  // namespace veloria
