// The tray menu in one place: its entries in order, each a separator, a
// command or the language submenu, with the language text of its caption.
// Building the menu, captioning it and decoding a choice all read this
// table. No Windows header here: this file is also built into the native
// tests.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "language/language_keys.h"

namespace veloria {

enum class TrayCommand { Separator, About, TellAFriend, Taskbar, Options, Language, Help, RestoreAll, Close };

struct TrayMenuEntry {
    TrayCommand command;
    std::optional<Lang> caption;  // none for separators
};

inline constexpr std::array<TrayMenuEntry, 11> kTrayMenu{{
    {TrayCommand::About, Lang::LANG_MAINMENU_ABOUT},
    {TrayCommand::TellAFriend, Lang::LANG_MAINMENU_TELLAFRIEND},
    {TrayCommand::Separator, std::nullopt},
    {TrayCommand::Taskbar, Lang::LANG_MAINMENU_ALPHATASKBAR},
    {TrayCommand::Separator, std::nullopt},
    {TrayCommand::Options, Lang::LANG_MAINMENU_OPTIONS},
    {TrayCommand::Language, Lang::LANG_MAINMENU_LANGUAGE},  // the language submenu
    {TrayCommand::Separator, std::nullopt},
    {TrayCommand::Help, Lang::LANG_MAINMENU_HELP},
    {TrayCommand::RestoreAll, Lang::LANG_MAINMENU_RESTOREALL},  // within reach when a window takes the clicks
    {TrayCommand::Close, Lang::LANG_MAINMENU_CLOSE},
}};

// Menu command ids: an entry's id is the base plus its position; language
// entry k (k from 1, the k-th file of the list) is the language base plus k.
inline constexpr unsigned kTrayCommandBase = 100;
inline constexpr unsigned kLanguageCommandBase = 1000;
inline constexpr std::size_t kMostLanguageEntries = 0xFFFF - kLanguageCommandBase;

// The position of the entry of `command`.
constexpr unsigned TrayMenuPosition(TrayCommand command)
{
    for (std::size_t position = 0; position < kTrayMenu.size(); ++position) {
        if (kTrayMenu[position].command == command) {
            return static_cast<unsigned>(position);
        }
    }
    return 0;
}

// The entry a command id stands for; none for separators and unknown ids.
constexpr std::optional<TrayCommand> TrayCommandOf(unsigned id)
{
    if (id < kTrayCommandBase || id - kTrayCommandBase >= kTrayMenu.size()) {
        return std::nullopt;
    }
    const TrayCommand command = kTrayMenu[id - kTrayCommandBase].command;
    return command == TrayCommand::Separator ? std::nullopt : std::optional<TrayCommand>(command);
}

}  // namespace veloria
