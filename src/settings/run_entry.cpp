#include "settings/run_entry.h"

namespace veloria {

std::string RunCommandFor(std::string_view path)
{
    if (path.find_first_of(" \t") == std::string_view::npos) {
        return std::string(path);
    }
    return "\"" + std::string(path) + "\"";
}

bool IsOwnRunEntry(std::string_view data, std::string_view path)
{
    return !path.empty() && (data == RunCommandFor(path) || data == path);
}

}  // namespace veloria
