// What the settings file gives the running program: the settings, the
// remembered programs, the keys. One is held by the program's owner; the
// settings' readers below reach it.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include "base/installed.h"
#include "settings/hot_keys.h"
#include "settings/program_levels.h"
#include "settings/settings_record.h"

namespace veloria {

struct SettingsState : Installed<SettingsState> {
    SettingsRecord record;
    ProgramLevels programs;
    // The programs as the file beside the program holds them since it was
    // last read or written whole: a save writes what differs from them.
    ProgramLevels savedPrograms;
    KeySettings keys = DefaultKeySettings();
    // Whether the file beside the program could be rewritten at start.
    bool fileWritable = true;
};

}  // namespace veloria
