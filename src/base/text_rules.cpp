#include "base/text_rules.h"

#include <algorithm>

namespace veloria {

wchar_t FoldedLetter(wchar_t c)
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

bool SameLetters(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return FoldedLetter(x) == FoldedLetter(y);
           });
}

std::optional<unsigned> ShortDecimal(std::wstring_view digits)
{
    if (digits.empty() || digits.size() > 3) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (const wchar_t c : digits) {
        if (c < L'0' || c > L'9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    return value;
}

std::wstring DecimalText(long long value)
{
    // From the last digit back, in unsigned arithmetic: the lowest value
    // has no positive counterpart.
    auto rest = value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    wchar_t digits[24];
    wchar_t* start = digits + 24;
    do {
        *--start = static_cast<wchar_t>(L'0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (value < 0) {
        *--start = L'-';
    }
    return std::wstring(start, digits + 24);
}

}  // namespace veloria
