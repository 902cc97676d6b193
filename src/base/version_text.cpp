#include "base/version.h"

namespace veloria {

std::string VersionText(const ProgramVersion& version)
{
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision);
}

std::string NamedVersionText(std::string_view productName, const ProgramVersion& version)
{
    std::string text(productName);
    text += ' ';
    text += VersionText(version);
    return text;
}

std::string VersionDigits(const ProgramVersion& version)
{
    return std::to_string(version.major) + std::to_string(version.minor) +
           std::to_string(version.revision);
}

std::string InstanceMutexName(std::string_view productName, const ProgramVersion& version)
{
    std::string name(productName);
    name += VersionText(version);
    return name;
}

}  // namespace veloria
