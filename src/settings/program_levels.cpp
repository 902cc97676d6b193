#include "settings/program_levels.h"

#include <algorithm>

#include "base/alpha_rules.h"
#include "base/blanks.h"

namespace veloria {

namespace {

constexpr std::size_t kLongestName = 255;

// The small letter of a capital, for the scripts file names mostly use;
// anything else as it is.
wchar_t Folded(wchar_t c)
{
    const auto shift = [c](int by) { return static_cast<wchar_t>(c + by); };
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return shift(0x20);  // ASCII and Latin-1
    }
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
        return c % 2 == 0 ? shift(1) : c;  // Latin Extended-A, capital first
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
        return c % 2 == 1 ? shift(1) : c;  // the same, capital second
    }
    if (c == 0x178) {
        return 0xFF;
    }
    if ((c >= 0x391 && c <= 0x3A9 && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) {
        return shift(0x20);  // Greek and Cyrillic
    }
    if (c >= 0x400 && c <= 0x40F) {
        return shift(0x50);
    }
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF)) {
        return c % 2 == 0 ? shift(1) : c;
    }
    return c;
}

}  // namespace

bool IsProgramName(std::wstring_view name)
{
    constexpr std::wstring_view kForbidden = L"\\/:*?\"<>|=";
    if (name.empty() || name.size() > kLongestName || name != TrimBlanks(name)) {
        return false;
    }
    return std::none_of(name.begin(), name.end(), [&](wchar_t c) {
        return c < 0x20 || kForbidden.find(c) != std::wstring_view::npos;
    });
}

bool SameProgramName(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return Folded(x) == Folded(y); });
}

std::optional<int> ParseProgramLevel(std::wstring_view text)
{
    text = TrimBlanks(text);
    if (text.empty() || text.size() > 3) {
        return std::nullopt;
    }
    int level = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            return std::nullopt;
        }
        level = level * 10 + (c - L'0');
    }
    return level <= kHighestLevel ? std::optional(level) : std::nullopt;
}

std::optional<int> LevelToApply(int level)
{
    if (level >= kHighestLevel) {
        return std::nullopt;
    }
    return std::max(level, kLowestSliderLevel);
}

ProgramLevels ProgramLevels::FromSection(std::wstring_view section)
{
    ProgramLevels levels;
    while (!section.empty() && section.front() != L'\0') {
        const std::size_t end = std::min(section.find(L'\0'), section.size());
        const std::wstring_view line = section.substr(0, end);
        section.remove_prefix(std::min(end + 1, section.size()));
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            continue;
        }
        const std::wstring_view name = TrimBlanks(line.substr(0, equals));
        const std::optional<int> level = ParseProgramLevel(line.substr(equals + 1));
        if (IsProgramName(name) && level && !levels.LevelFor(name)) {
            levels.programs_.push_back({std::wstring(name), *level});
        }
    }
    return levels;
}

std::vector<RememberedProgram>::iterator ProgramLevels::Find(std::wstring_view program)
{
    return std::find_if(programs_.begin(), programs_.end(),
                        [&](const RememberedProgram& known) { return SameProgramName(known.name, program); });
}

std::optional<int> ProgramLevels::LevelFor(std::wstring_view program) const
{
    for (const RememberedProgram& known : programs_) {
        if (SameProgramName(known.name, program)) {
            return known.level;
        }
    }
    return std::nullopt;
}

void ProgramLevels::Remember(std::wstring_view program, int level)
{
    if (!IsProgramName(program)) {
        return;
    }
    level = ClampLevel(level);
    if (const auto known = Find(program); known != programs_.end()) {
        known->level = level;
    } else {
        programs_.push_back({std::wstring(program), level});
    }
}

void ProgramLevels::Forget(std::wstring_view program)
{
    if (const auto known = Find(program); known != programs_.end()) {
        programs_.erase(known);
    }
}

bool ProgramLevels::AnyToApply() const
{
    return std::any_of(programs_.begin(), programs_.end(),
                       [](const RememberedProgram& known) { return LevelToApply(known.level).has_value(); });
}

ProgramChanges ChangesBetween(const ProgramLevels& before, const ProgramLevels& after)
{
    ProgramChanges changes;
    for (const RememberedProgram& known : before.Programs()) {
        if (!after.LevelFor(known.name)) {
            changes.removed.push_back(known.name);
        }
    }
    for (const RememberedProgram& now : after.Programs()) {
        if (before.LevelFor(now.name) != now.level) {
            changes.written.push_back(now);
        }
    }
    return changes;
}

ProgramLevels& RememberedPrograms()
{
    static ProgramLevels programs;
    return programs;
}

}  // namespace veloria
