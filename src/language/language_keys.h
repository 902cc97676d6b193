// The texts of a language file: section and key of each, in the order a
// language is read; the first 52, then those added since. The windows take
// their texts from the table by key, never by position.
//
// Three placements look odd and are part of the file format: the two update
// messages stand in [Main] though named LANG_WINDOWOPTIONS_..., the
// AUTOUPDATEFAIL message in [WINDOWOPTIONS], and the banner's title
// LANG_WINDOWCONTROL_TITLE in [WindowBanner].
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace veloria {

// X(section, key), in reading order.
#define VELORIA_LANGUAGE_KEYS(X)                                                           \
    X(General, LANG_NAME)                                                                  \
    X(General, LANG_COUNTRYCODE)                                                           \
    X(General, LANG_VERSION)                                                               \
    X(General, LANG_DATE)                                                                  \
    X(General, LANG_VELORIAVERSION)                                                        \
    X(General, LANG_AUTOR)                                                                 \
    X(General, LANG_AUTOR_EMAIL)                                                           \
    X(General, LANG_AUTOR_WEB)                                                             \
    X(Main, LANG_WINDOWOPTIONS_MSGBOX_DOWNLOADUPDATEAVAILABLE)                             \
    X(Main, LANG_WINDOWOPTIONS_MSGBOX_DOWNLOADUPDATEFAIL)                                  \
    X(MainMenu, LANG_MAINMENU_ABOUT)                                                       \
    X(MainMenu, LANG_MAINMENU_TELLAFRIEND)                                                 \
    X(MainMenu, LANG_MAINMENU_ALPHATASKBAR)                                                \
    X(MainMenu, LANG_MAINMENU_OPTIONS)                                                     \
    X(MainMenu, LANG_MAINMENU_LANGUAGE)                                                    \
    X(MainMenu, LANG_MAINMENU_HELP)                                                        \
    X(MainMenu, LANG_MAINMENU_CLOSE)                                                       \
    X(WINDOWOPTIONS, LANG_WINDOWOPTIONS_TITLE)                                             \
    X(WINDOWOPTIONS, LANG_WINDOWOPTIONS_MSGBOX_AUTOUPDATEFAIL)                             \
    X(WINDOWOPTIONS, LANG_WINDOWOPTIONS_TAB_GENERAL)                                       \
    X(WINDOWOPTIONS, LANG_WINDOWOPTIONS_TAB_AUTOMATIZATE)                                  \
    X(WINDOWOPTIONS, LANG_WINDOWOPTIONS_TAB_PROGRAMS)                                      \
    X(WINDOWOPTIONS, LANG_WINDOWOPTIONS_TAB_MSNMESSENGER)                                  \
    X(WINDOWOPTIONS, LANG_WINDOWOPTIONS_TAB_UPDATES)                                       \
    X(WINDOWOPTIONS, LANG_WINDOWOPTIONS_TAB_SPONSOR)                                       \
    X(WINDOWOPTIONS, LANG_WINDOWOPTIONS_BTN_OK)                                            \
    X(WINDOWOPTIONS, LANG_WINDOWOPTIONS_BTN_CANCEL)                                        \
    X(WINDOWOPTIONS, LANG_WINDOWOPTIONS_BTN_APPLY)                                         \
    X(WindowOptions_TAB_GENERAL, LANG_WINDOWOPTIONS_TAB_GENERAL_FRAME_AUTOMATIZE)          \
    X(WindowOptions_TAB_GENERAL, LANG_WINDOWOPTIONS_TAB_GENERAL_FRAME_LANGUAGE)            \
    X(WindowOptions_TAB_GENERAL, LANG_WINDOWOPTIONS_TAB_GENERAL_CHECK_AUTOSTART)           \
    X(WindowOptions_TAB_GENERAL, LANG_WINDOWOPTIONS_TAB_GENERAL_CHECK_AUTOUPDATES)         \
    X(WindowOptions_TAB_GENERAL, LANG_WINDOWOPTIONS_TAB_GENERAL_CheCK_TASKBARALPHA)        \
    X(WindowOptions_TAB_GENERAL, LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGAUTOR)           \
    X(WindowOptions_TAB_GENERAL, LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGEMAIL)           \
    X(WindowOptions_TAB_GENERAL, LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGWEB)             \
    X(WindowOptions_TAB_GENERAL, LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGDATE)            \
    X(WindowOptions_TAB_GENERAL, LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGVERSION)         \
    X(WindowOptions_TAB_MSNMESSENGER, LANG_WINDOWOPTIONS_TAB_MSNMESSENGER_LABEL_AUTOMATIZE) \
    X(WindowOptions_TAB_MSNMESSENGER, LANG_WINDOWOPTIONS_TAB_MSNMESSENGER_CHEK_CONTACTLIST) \
    X(WindowOptions_TAB_MSNMESSENGER, LANG_WINDOWOPTIONS_TAB_MSNMESSENGER_CHEK_CHATWINDOW) \
    X(WindowOptions_TAB_MSNMESSENGER, LANG_WINDOWOPTIONS_TAB_MSNMESSENGER_CHEK_CONTACTINFORMATION) \
    X(WindowOptions_TAB_MSNMESSENGER, LANG_WINDOWOPTIONS_TAB_MSNMESSENGER_CHEK_CONTACTPOPUP) \
    X(WindowOptions_TAB_UPDATES, LANG_WINDOWOPTIONS_TAB_UPDATES_BTN_DOWNLOAD)              \
    X(WindowOptions_TAB_UPDATES, LANG_WINDOWOPTIONS_TAB_UPDATES_LABEL_ACTUALVERSION)       \
    X(WindowOptions_TAB_UPDATES, LANG_WINDOWOPTIONS_TAB_UPDATES_LABEL_LASTVERSION)         \
    X(WindowOptions_TAB_UPDATES, LANG_WINDOWOPTIONS_TAB_UPDATES_LABEL_WEBPAGE)             \
    X(WindowOptions_TAB_UPDATES, LANG_WINDOWOPTIONS_TAB_UPDATES_LABEL_DOWNLOADURL)         \
    X(WindowControl, LANG_WINDOWCONTROL_LABEL_CLICKANDDRAG)                                \
    X(WindowBanner, LANG_WINDOWCONTROL_TITLE)                                              \
    X(WindowTellAFriend, LANG_WINDOWTELLAFRIEND_TITLE)                                     \
    X(WindowTellAFriend, LANG_WINDOWTELLAFRIEND_MSGBOX_FAILCONNECTINTRENET)

// Texts the program came to need after the first 52, X(section, key,
// English text): a language file that lacks one shows it in English.
#define VELORIA_ADDED_LANGUAGE_KEYS(X)                                                                     \
    X(Messages, LANG_BALLOON_REFUSED_TITLE, "Veloria cannot change this window")                          \
    X(Messages, LANG_BALLOON_REFUSED_ADMIN,                                                               \
      "Its program runs as administrator, and Windows keeps other programs from changing it.")            \
    X(Messages, LANG_BALLOON_REFUSED_SELFDRAWN,                                                           \
      "It draws its own transparency; changing it would spoil how it looks, so it is left as it is.")     \
    X(Messages, LANG_BALLOON_REFUSED_OTHER, "Windows refused the change.")                                 \
    X(Messages, LANG_BALLOON_REFUSED_HUNG, "Its program is not responding; try again when it does.")          \
    X(WindowControl, LANG_WINDOWCONTROL_CHECK_ALWAYSFOR, "Always for %1")                                \
    X(WindowOptions_TAB_PROGRAMS, LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_HOWTO,                            \
      "To add a program, pick one of its windows with Ctrl held and tick \u201CAlways for\u201D.")           \
    X(WindowOptions_TAB_PROGRAMS, LANG_WINDOWOPTIONS_TAB_PROGRAMS_COLUMN_PROGRAM, "Program")              \
    X(WindowOptions_TAB_PROGRAMS, LANG_WINDOWOPTIONS_TAB_PROGRAMS_COLUMN_LEVEL, "Opacity")                \
    X(WindowOptions_TAB_PROGRAMS, LANG_WINDOWOPTIONS_TAB_PROGRAMS_BTN_REMOVE, "Remove")                   \
    X(WindowOptions_TAB_PROGRAMS, LANG_WINDOWOPTIONS_TAB_PROGRAMS_BTN_ALLOPAQUE, "Make every window opaque")     \
    X(WindowOptions_TAB_PROGRAMS, LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_SEETHROUGH, "More see-through:")  \
    X(WindowOptions_TAB_PROGRAMS, LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_SOLID, "More solid:")             \
    X(WindowOptions_TAB_PROGRAMS, LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_OPAQUE, "Opaque:")                \
    X(WindowOptions_TAB_PROGRAMS, LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_CLICKTHROUGH, "Click-through:")   \
    X(WindowOptions_TAB_PROGRAMS, LANG_WINDOWOPTIONS_TAB_PROGRAMS_CHECK_WHEEL, "The wheel over a window") \
    X(WindowOptions_TAB_PROGRAMS, LANG_WINDOWOPTIONS_TAB_PROGRAMS_CHECK_CLICKTHROUGH, "Allow click-through") \
    X(Messages, LANG_BALLOON_KEYTAKEN_TITLE, "A key of Veloria is taken")                                \
    X(Messages, LANG_BALLOON_KEYTAKEN,                                                                    \
      "Another program uses %1. Choose another key on the Programs tab of the options.")                  \
    X(Messages, LANG_BALLOON_CLICKTHROUGH_TITLE, "Clicks now go through this window")                    \
    X(Messages, LANG_BALLOON_CLICKTHROUGH,                                                                \
      "To undo it, press %1 with the window in front, or use \u201CMake every window opaque\u201D on the " \
      "Programs tab of the options.")                                                                      \
    X(Messages, LANG_BALLOON_KEYTYPES,                                                                    \
      "%1 types a character with AltGr on one of your keyboards, so it is left to your typing. Choose "     \
      "another key on the Programs tab of the options.")                                                  \
    X(WindowOptions_TAB_PROGRAMS, LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_WHEELKEYS, "Held with the wheel:") \
    X(Messages, LANG_BALLOON_TASKBAR_TITLE, "The taskbar may stay opaque")                               \
    X(Messages, LANG_BALLOON_TASKBAR,                                                                     \
      "This version of Windows draws its taskbar in a way that may not show Veloria\u2019s level. "        \
      "Windows\u2019 own transparency is under Settings, Personalization, Colors, Transparency effects.") \
    X(Messages, LANG_MESSAGE_AUTOSTART_MACHINE,                                                           \
      "Veloria still starts with Windows for every user of this computer: that entry was made by Veloria "  \
      "run as administrator, and only an administrator can remove it. Run Veloria as administrator once and " \
      "untick the box there.")                                                                              \
    X(Messages, LANG_BALLOON_CONFIG_READONLY_TITLE, "Settings will not be saved")                        \
    X(Messages, LANG_BALLOON_CONFIG_READONLY,                                                             \
      "%1 was saved as UTF-8 and cannot be changed. Veloria read it, but saving settings there will fail "  \
      "until it can be written to.")                                                                       \
    X(MainMenu, LANG_MAINMENU_RESTOREALL, "Make every window opaque")                                    \
    X(WindowOptions_TAB_PROGRAMS, LANG_OPTIONS_PROGRAMS_RESTOREONEXIT,                                     \
      "Give every window its own look back when Veloria closes")                                          \
    X(WindowControl, LANG_WINDOWCONTROL_CHECK_ONTOP, "Keep on top")                                       \
    X(WindowOptions_TAB_PROGRAMS, LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_ONTOP, "On top:")                 \
    X(WindowOptions_TAB_PROGRAMS, LANG_OPTIONS_PROGRAMS_BACKGROUND, "Only while in the background")      \
    X(WindowControl, LANG_WINDOWCONTROL_ACC_OPACITY, "Opacity of %1")                                   \
    X(WindowOptions_TAB_PROGRAMS, LANG_WINDOWOPTIONS_TAB_PROGRAMS_LABEL_PICK, "Level popup:")

#define VELORIA_LANGUAGE_ENUM_ENTRY(section, key, ...) key,
#define VELORIA_LANGUAGE_ENUM_FIRST(section, key) VELORIA_LANGUAGE_ENUM_ENTRY(section, key)
enum class Lang : std::size_t {
    VELORIA_LANGUAGE_KEYS(VELORIA_LANGUAGE_ENUM_FIRST) VELORIA_ADDED_LANGUAGE_KEYS(VELORIA_LANGUAGE_ENUM_ENTRY)
};
#undef VELORIA_LANGUAGE_ENUM_FIRST
#undef VELORIA_LANGUAGE_ENUM_ENTRY

// What a text reads when its file, section or key is missing: the first 52
// read "VL_lang_error", the texts added since their English text.
inline constexpr const wchar_t* kMissingText = L"VL_lang_error";

struct LanguageKey {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* missing;
};

#define VELORIA_LANGUAGE_TABLE_FIRST(section, key) LanguageKey{L"" #section, L"" #key, kMissingText},
#define VELORIA_LANGUAGE_TABLE_ADDED(section, key, english) LanguageKey{L"" #section, L"" #key, L"" english},
inline constexpr std::array kLanguageKeys{VELORIA_LANGUAGE_KEYS(VELORIA_LANGUAGE_TABLE_FIRST)
                                              VELORIA_ADDED_LANGUAGE_KEYS(VELORIA_LANGUAGE_TABLE_ADDED)};
#undef VELORIA_LANGUAGE_TABLE_FIRST
#undef VELORIA_LANGUAGE_TABLE_ADDED

inline constexpr std::size_t kLanguageKeyCount = kLanguageKeys.size();
inline constexpr std::size_t kFirstLanguageKeyCount = 52;
static_assert(static_cast<std::size_t>(Lang::LANG_BALLOON_REFUSED_TITLE) == kFirstLanguageKeyCount);

constexpr const LanguageKey& KeyOf(Lang text)
{
    return kLanguageKeys[static_cast<std::size_t>(text)];
}

// The identity texts a browsed language file shows: rows 1 to 8 of the
// table, then the five labels placed before them.
inline constexpr std::array kLanguageInfoKeys{
    Lang::LANG_NAME,
    Lang::LANG_COUNTRYCODE,
    Lang::LANG_VERSION,
    Lang::LANG_DATE,
    Lang::LANG_VELORIAVERSION,
    Lang::LANG_AUTOR,
    Lang::LANG_AUTOR_EMAIL,
    Lang::LANG_AUTOR_WEB,
    Lang::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGAUTOR,
    Lang::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGEMAIL,
    Lang::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGWEB,
    Lang::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGDATE,
    Lang::LANG_WINDOWOPTIONS_TAB_GENERAL_Label_LANGVERSION,
};

// LanguageTexts: the texts in use, empty until a language is loaded.
using LanguageTable = std::array<std::wstring, kLanguageKeyCount>;
LanguageTable& LanguageTexts();

// The text of one key in the table in use.
const std::wstring& LanguageText(Lang text);
// The same with its "%1" (the first only) replaced by `value`.
std::wstring LanguageText(Lang text, std::wstring_view value);

}  // namespace veloria
