// Readings of a setting text. Settings are kept as the text the file holds
// and read at each use in one of the ways below. A text that is not a
// number (empty, "abc", "1e999") is read the way the key's default text
// would be read, so a damaged file never stops the program and nothing is
// rewritten until the user saves.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace veloria {

// A decimal number with optional sign, fraction and exponent, blanks allowed
// around it. Nothing else, and nothing that does not fit a double.
std::optional<double> ParseSettingNumber(std::wstring_view text);

// The text as a number; `fallback` is the key's default text.
double ReadNumber(std::wstring_view text, std::wstring_view fallback);

// True when the number is not zero: "1", "-1" and "5" are all true.
bool ReadTruthValue(std::wstring_view text, std::wstring_view fallback);

// On only when the number equals 1: "-1" and "2" are off.
bool ReadNumberIsOne(std::wstring_view text, std::wstring_view fallback);

// The number rounded half to even, saturated to the 32-bit range.
std::int32_t ReadWholeNumber(std::wstring_view text, std::wstring_view fallback);

// The whole number narrowed to 16 bits, saturating instead of wrapping.
std::int16_t ReadShortNumber(std::wstring_view text, std::wstring_view fallback);

}  // namespace veloria
