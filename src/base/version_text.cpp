#include "base/version.h"

#include "base/text_rules.h"

namespace veloria {

std::wstring VersionText(const ProgramVersion& version)
{
    return DecimalText(version.major) + L"." + DecimalText(version.minor) + L"." + DecimalText(version.revision);
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
    return DecimalText(version.major) + DecimalText(version.minor) + DecimalText(version.revision);
}

std::wstring InstanceMutexName(std::wstring_view productName, const ProgramVersion& version)
{
    std::wstring name(productName);
    name += VersionText(version);
    return name;
}

}  // namespace veloria
