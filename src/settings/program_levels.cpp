#include "settings/program_levels.h"

#include <algorithm>

#include "base/alpha_rules.h"
#include "base/text_rules.h"
#include "settings/settings_state.h"

namespace veloria {

namespace {

constexpr std::size_t kLongestName = 255;

}  // namespace

bool IsProgramName(std::wstring_view name)
{
    constexpr std::wstring_view kForbidden = L"\\/:*?\"<>|=";
    if (name.empty() || name.size() > kLongestName || name != TrimBlanks(name)) {
        return false;
    }
    // A line of the section starting so reads back as a section's name or
    // as a comment; and the frame host runs every Store app.
    if (name.front() == L'[' || name.front() == L';' || SameLetters(name, L"ApplicationFrameHost.exe")) {
        return false;
    }
    return std::none_of(name.begin(), name.end(), [&](wchar_t c) {
        return c < 0x20 || kForbidden.find(c) != std::wstring_view::npos;
    });
}

bool SameProgramName(std::wstring_view a, std::wstring_view b)
{
    return SameLetters(a, b);
}

std::optional<int> ParseProgramLevel(std::wstring_view text)
{
    const std::optional<unsigned> level = ShortDecimal(TrimBlanks(text));
    return level && *level <= kHighestLevel ? std::optional(static_cast<int>(*level)) : std::nullopt;
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
    std::vector<std::wstring_view> inBackground;
    const std::wstring_view suffix = kBackgroundSuffix;
    while (!section.empty() && section.front() != L'\0') {
        const std::size_t end = std::min(section.find(L'\0'), section.size());
        const std::wstring_view line = section.substr(0, end);
        section.remove_prefix(std::min(end + 1, section.size()));
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            continue;
        }
        const std::wstring_view name = TrimBlanks(line.substr(0, equals));
        if (name.size() > suffix.size() && SameLetters(name.substr(name.size() - suffix.size()), suffix)) {
            if (TrimBlanks(line.substr(equals + 1)) == L"1") {
                inBackground.push_back(name.substr(0, name.size() - suffix.size()));
            }
            continue;
        }
        const std::optional<int> level = ParseProgramLevel(line.substr(equals + 1));
        if (IsProgramName(name) && level && !levels.LevelFor(name)) {
            levels.programs_.push_back({std::wstring(name), *level});
        }
    }
    for (const std::wstring_view name : inBackground) {
        levels.SetOnlyInBackground(name, true);
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

void ProgramLevels::SetOnlyInBackground(std::wstring_view program, bool on)
{
    if (const auto known = Find(program); known != programs_.end()) {
        known->onlyInBackground = on;
    }
}

bool ProgramLevels::OnlyInBackground(std::wstring_view program) const
{
    return std::any_of(programs_.begin(), programs_.end(), [&](const RememberedProgram& known) {
        return known.onlyInBackground && SameProgramName(known.name, program);
    });
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

bool ProgramLevels::AnyOnlyInBackground() const
{
    return std::any_of(programs_.begin(), programs_.end(), [](const RememberedProgram& known) {
        return known.onlyInBackground && LevelToApply(known.level).has_value();
    });
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
        if (before.LevelFor(now.name) != now.level || before.OnlyInBackground(now.name) != now.onlyInBackground) {
            changes.written.push_back(now);
        }
    }
    return changes;
}

ProgramLevels& RememberedPrograms()
{
    return SettingsState::Current().programs;
}

}  // namespace veloria
