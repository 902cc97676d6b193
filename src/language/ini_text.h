// The values of a language file's text, found the way the system's profile
// functions find them in an INI file: a line "[name]" opens a section, a
// line "key=value" gives a value; names match in any letter case, blanks
// around names and values do not count, one pair of quotes around a value
// is dropped, the first key of a name wins, and a value keeps at most 254
// characters.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veloria {

class IniText {
public:
    explicit IniText(std::wstring_view text);

    // Nothing when the section or the key is missing.
    std::optional<std::wstring> Value(std::wstring_view section, std::wstring_view key) const;

private:
    struct Entry {
        std::wstring section;  // names in lower case
        std::wstring key;
        std::wstring value;
    };
    std::vector<Entry> entries_;
};

}  // namespace veloria
