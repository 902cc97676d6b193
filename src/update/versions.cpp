#include "update/versions.h"

#include <algorithm>
#include <string>
#include <vector>

namespace veloria {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The numbers of a dotted version, each without leading zeros, as digit
// texts (so that no number is too long to compare); empty when the text is
// not a version.
std::vector<std::string> Numbers(std::string_view text)
{
    std::vector<std::string> numbers;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t dot = std::min(text.find('.', start), text.size());
        const std::string_view part = text.substr(start, dot - start);
        if (part.empty() || !std::all_of(part.begin(), part.end(), IsDigit)) {
            return {};
        }
        const std::size_t first = std::min(part.find_first_not_of('0'), part.size() - 1);
        numbers.emplace_back(part.substr(first));
        start = dot + 1;
    }
    return numbers;
}

int CompareNumbers(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

}  // namespace

VersionOrder CompareVersions(std::string_view candidate, std::string_view current)
{
    if (candidate.empty()) {
        return VersionOrder::Older;
    }
    std::vector<std::string> newer = Numbers(candidate);
    std::vector<std::string> own = Numbers(current);
    if (newer.empty() || own.empty()) {
        return VersionOrder::Unreadable;
    }
    const std::size_t count = std::max(newer.size(), own.size());
    newer.resize(count, "0");
    own.resize(count, "0");
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

bool IsWebAddress(std::string_view address)
{
    std::string lower(address.substr(0, 8));
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    for (std::string_view scheme : {"http://", "https://"}) {
        if (lower.compare(0, scheme.size(), scheme) == 0) {
            return address.size() > scheme.size() && address[scheme.size()] != '/';
        }
    }
    return false;
}

}  // namespace veloria
