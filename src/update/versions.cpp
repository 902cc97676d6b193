#include "update/versions.h"

#include <algorithm>
#include <string>
#include <vector>

namespace veloria {

namespace {

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// The numbers of a dotted version, each without leading zeros, as digit
// texts (so that no number is too long to compare); empty when the text is
// not a version.
std::vector<std::wstring> Numbers(std::wstring_view text)
{
    std::vector<std::wstring> numbers;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t dot = std::min(text.find(L'.', start), text.size());
        const std::wstring_view part = text.substr(start, dot - start);
        if (part.empty() || !std::all_of(part.begin(), part.end(), IsDigit)) {
            return {};
        }
        const std::size_t first = std::min(part.find_first_not_of(L'0'), part.size() - 1);
        numbers.emplace_back(part.substr(first));
        start = dot + 1;
    }
    return numbers;
}

int CompareNumbers(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

}  // namespace

VersionOrder CompareVersions(std::wstring_view candidate, std::wstring_view current)
{
    if (candidate.empty()) {
        return VersionOrder::Older;
    }
    std::vector<std::wstring> newer = Numbers(candidate);
    std::vector<std::wstring> own = Numbers(current);
    if (newer.empty() || own.empty()) {
        return VersionOrder::Unreadable;
    }
    const std::size_t count = std::max(newer.size(), own.size());
    newer.resize(count, L"0");
    own.resize(count, L"0");
    for (std::size_t i = 0; i < count; ++i) {
        if (const int order = CompareNumbers(newer[i], own[i]); order != 0) {
            return order > 0 ? VersionOrder::Newer : VersionOrder::Older;
        }
    }
    return VersionOrder::Same;
}

bool AsksToDownload(VersionOrder order)
{
    return order == VersionOrder::Newer;
}

bool EnablesDownloadButton(VersionOrder order)
{
    return order == VersionOrder::Newer || order == VersionOrder::Unreadable;
}

}  // namespace veloria
