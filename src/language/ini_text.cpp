#include "language/ini_text.h"

#include <algorithm>

namespace veloria {

namespace {

constexpr std::size_t kLongestValue = 254;

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\v' || c == L'\f';
}

std::wstring_view Trim(std::wstring_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Names are the program's own (plain letters, digits, underscores):
// ASCII letters are folded, as the profile functions fold them.
std::wstring Folded(std::wstring_view name)
{
    std::wstring folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; });
    return folded;
}

}  // namespace

IniText::IniText(std::wstring_view text)
{
    std::wstring section;
    bool inSection = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(L'\n'), text.size());
        const std::wstring_view line = Trim(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.front() == L'[') {
            const std::size_t close = line.rfind(L']');
            inSection = close != std::wstring_view::npos && close > 0;
            if (inSection) {
                section = Folded(Trim(line.substr(1, close - 1)));
            }
            continue;
        }
        const std::size_t equals = line.find(L'=');
        if (!inSection || equals == std::wstring_view::npos) {
            continue;
        }
        std::wstring_view value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        entries_.push_back({section, Folded(Trim(line.substr(0, equals))),
                            std::wstring(value.substr(0, kLongestValue))});
    }
}

std::optional<std::wstring> IniText::Value(std::wstring_view section, std::wstring_view key) const
{
    const std::wstring wantedSection = Folded(section);
    const std::wstring wantedKey = Folded(key);
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
        return entry.section == wantedSection && entry.key == wantedKey;
    });
    return found != entries_.end() ? std::optional<std::wstring>(found->value) : std::nullopt;
}

}  // namespace veloria
