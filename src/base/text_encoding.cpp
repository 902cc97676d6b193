#include "base/text_encoding.h"

#include <array>
#include <cstdint>

namespace veloria {

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

// Windows-1252 from 0x80 to 0x9F; the five bytes it leaves free keep their
// own values, as Windows maps them.
constexpr std::array<std::uint16_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::wstring DecodeWindows1252(std::string_view bytes)
{
    std::wstring text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += static_cast<wchar_t>(byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte);
    }
    return text;
}

std::wstring DecodeUtf16(std::string_view bytes)
{
    std::wstring text;
    text.reserve(bytes.size() / 2 + 1);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    if (bytes.size() % 2 != 0) {
        text += kReplacement;
    }
    return text;
}

void AppendCodePoint(std::wstring& text, char32_t point)
{
    if (point < 0x10000) {
        text += static_cast<wchar_t>(point);
    } else {
        point -= 0x10000;
        text += static_cast<wchar_t>(0xD800 + (point >> 10));
        text += static_cast<wchar_t>(0xDC00 + (point & 0x3FF));
    }
}

bool StartsWith(std::string_view bytes, std::string_view mark)
{
    return bytes.substr(0, mark.size()) == mark;
}

std::wstring DecodeUtf8(std::string_view bytes)
{
    std::wstring text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                                                   : (lead & 0xF8) == 0xF0 ? 4 : 0;
        char32_t point = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        std::size_t taken = 1;
        while (length > 1 && taken < length && i + taken < bytes.size() &&
               (static_cast<unsigned char>(bytes[i + taken]) & 0xC0) == 0x80) {
            point = (point << 6) | (static_cast<unsigned char>(bytes[i + taken]) & 0x3F);
            ++taken;
        }
        // A sequence cut short, in too long a form, a surrogate or past the
        // last code point is no character: one U+FFFD for the bytes tried.
        constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (length == 0 || taken != length || point < kLeast[length] || point > 0x10FFFF ||
            (point >= 0xD800 && point <= 0xDFFF)) {
            text += kReplacement;
            i += length == 0 ? 1 : taken;
            continue;
        }
        AppendCodePoint(text, point);
        i += length;
    }
    return text;
}

}  // namespace

std::wstring DecodeTextFile(std::string_view bytes)
{
    if (StartsWith(bytes, "\xFF\xFE")) {
        return DecodeUtf16(bytes.substr(2));
    }
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        return DecodeUtf8(bytes.substr(3));
    }
    return DecodeWindows1252(bytes);
}

}  // namespace veloria
