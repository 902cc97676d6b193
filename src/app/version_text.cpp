#include "app/version_text.h"

#include "app/version.h"

namespace veloria {

ProgramVersion CurrentVersion()
{
    return {VELORIA_VERSION_MAJOR, VELORIA_VERSION_MINOR, VELORIA_VERSION_REVISION};
}

std::string VersionText(const ProgramVersion& version)
{
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision);
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
