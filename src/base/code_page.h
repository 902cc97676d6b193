// The system's ANSI code page: the one form besides UTF-16 in which the
// program still writes text (Config.ini, wherever every value fits it, so
// the file stays what earlier versions wrote and read).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veloria {

// `text` in the system's code page; nothing when a character has no exact
// form there (no best-fit stand-ins, no question marks).
std::optional<std::string> ToCodePage(std::wstring_view text);

std::wstring FromCodePage(std::string_view bytes);

}  // namespace veloria
