#include "base/version.h"

namespace veloria {

std::wstring VersionText(const ProgramVersion& version)
{
    return std::to_wstring(version.major) + L"." + std::to_wstring(version.minor) + L"." +
           std::to_wstring(version.revision);
}

std::wstring NamedVersionText(std::wstring_view productName, const ProgramVersion& version)
{
    std::wstring text(productName);
    text += L' ';
    text += VersionText(version);
    return text;
}

std::wstring VersionDigits(const ProgramVersion& version)
{
    return std::to_wstring(version.major) + std::to_wstring(version.minor) + std::to_wstring(version.revision);
}

std::wstring InstanceMutexName(std::wstring_view productName, const ProgramVersion& version)
{
    std::wstring name(productName);
    name += VersionText(version);
    return name;
}

}  // namespace veloria
