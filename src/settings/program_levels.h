// Remembered programs: a level that stays with a program, so that every
// window it opens comes up at that level.
//
// They live in "Config.ini", section "[Programs]", one line each: the
// program's file name, "=", its level ("notepad.exe=153"). Names compare
// without regard to letter case. A line that is not a name and a level is
// ignored here and never rewritten, so it stays in the file as it is: a save
// writes only the lines of programs whose level changed and removes only
// those of programs forgotten.
//
// A program see-through only while it is in the background has one more
// line, "notepad.exe:Background=1": a name no program has, so that a copy of
// Veloria that knows nothing of it reads the level line as ever and leaves
// this one alone. Without a level line of its program it means nothing.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veloria {

inline constexpr const wchar_t* kProgramsSection = L"Programs";
// Added to a program's name, the name of its background line.
inline constexpr const wchar_t* kBackgroundSuffix = L":Background";

struct RememberedProgram {
    std::wstring name;  // as first written, letter case kept
    int level = 255;
    bool onlyInBackground = false;  // opaque while it is the window in front
    bool operator==(const RememberedProgram&) const = default;
};

// A file name a program can be remembered by: not empty, no folder,
// nothing Windows forbids in a file name, at most 255 characters; not one
// that "[Programs]" cannot hold as a name (starting with "[" or ";"), nor
// the Store apps' frame host, which would stand for every Store app.
bool IsProgramName(std::wstring_view name);

// Whether two names are the same program, letter case aside (the Latin,
// Greek and Cyrillic letters a file name is likely to hold).
bool SameProgramName(std::wstring_view a, std::wstring_view b);

// A stored level: plain decimal 0..255, blanks around it allowed.
std::optional<int> ParseProgramLevel(std::wstring_view text);

// The level a window of the program is given: nothing at 255 (remembered as
// opaque, so its windows are left alone); never under the sliders' lowest
// level, so that a hand-edited 0 cannot hide a program's windows.
std::optional<int> LevelToApply(int level);

class ProgramLevels {
public:
    // The section as the profile functions hand it over: "name=level"
    // entries, each ended by a null, the last by a second one. The first
    // line of a name counts; the rest are ignored.
    static ProgramLevels FromSection(std::wstring_view section);

    std::optional<int> LevelFor(std::wstring_view program) const;
    // A new program goes at the end; a known one keeps its place, name and
    // background line.
    void Remember(std::wstring_view program, int level);
    // For a remembered program only.
    void SetOnlyInBackground(std::wstring_view program, bool on);
    bool OnlyInBackground(std::wstring_view program) const;
    void Forget(std::wstring_view program);

    const std::vector<RememberedProgram>& Programs() const { return programs_; }
    bool empty() const { return programs_.empty(); }
    // Whether any program's windows are to be given a level; and such a
    // program see-through only in the background.
    bool AnyToApply() const;
    bool AnyOnlyInBackground() const;

private:
    std::vector<RememberedProgram>::iterator Find(std::wstring_view program);
    std::vector<RememberedProgram> programs_;
};

// What a save writes to go from `before` to `after`: the lines to write
// (new programs, changed levels and background lines) and the names whose
// lines go.
struct ProgramChanges {
    std::vector<RememberedProgram> written;
    std::vector<std::wstring> removed;
};
ProgramChanges ChangesBetween(const ProgramLevels& before, const ProgramLevels& after);

// The programs the running program remembers.
ProgramLevels& RememberedPrograms();

}  // namespace veloria
