#include "settings/run_entry.h"

namespace veloria {

std::wstring RunCommandFor(std::wstring_view path)
{
    if (path.find_first_of(L" \t") == std::wstring_view::npos) {
        return std::wstring(path);
    }
    return L"\"" + std::wstring(path) + L"\"";
}

bool IsOwnRunEntry(std::wstring_view data, std::wstring_view path)
{
    return !path.empty() && (data == RunCommandFor(path) || data == path);
}

}  // namespace veloria
