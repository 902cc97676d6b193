// Language files' texts: bytes become UTF-16 by their first bytes, and
// values are found the way the profile functions find them.
#include <gtest/gtest.h>

#include "base/text_encoding.h"
#include "language/ini_text.h"

namespace veloria {
namespace {

using namespace std::string_literals;

TEST(DecodeTextFile, TheFirstBytesTellTheEncoding)
{
    const std::pair<std::string, std::wstring> cases[] = {
        {"Espa\xF1ol \x80\x9F", L"Espa\u00F1ol \u20AC\u0178"},                 // Windows-1252, any code page
        {"\xEF\xBB\xBF\xD0\xA0\xC3\xB1\xF0\x9F\x98\x80", L"\u0420\u00F1\xD83D\xDE00"},  // UTF-8
        {"\xFF\xFE\x20\x04\x41\x00"s, L"\u0420A"},                             // UTF-16 LE
        {"\xFF\xFE\x41", L"\uFFFD"},                                          // an odd last byte
        {"\xEF\xBB\xBF\xC3\x28\xE2\x82\xF0\x90\x80", L"\uFFFD(\uFFFD\uFFFD"},   // sequences cut short
        {"\xEF\xBB\xBF\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD"},  // too long, surrogate, too big
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(DecodeTextFile(bytes), text);
    }
}

TEST(IniText, ValuesAsTheProfileFunctionsFindThem)
{
    const IniText file(L"Loose=1\r\n  [ Main ] \r\nKey = \"quoted\" \r\nkey=second\r\nEmpty=\r\nLong=" +
                       std::wstring(300, L'x') + L"\r\n[Other]\r\nKey=other\r\n[MAIN]\r\nLater='yes'\n");
    EXPECT_EQ(file.Value(L"MAIN", L"KEY"), L"quoted");  // any case, blanks and quotes gone, the first wins
    EXPECT_EQ(file.Value(L"main", L"empty"), L"");
    EXPECT_EQ(file.Value(L"main", L"long"), std::wstring(254, L'x'));
    EXPECT_EQ(file.Value(L"main", L"later"), L"yes");
    EXPECT_EQ(file.Value(L"other", L"key"), L"other");
    EXPECT_EQ(file.Value(L"main", L"loose"), std::nullopt);  // before any section
    EXPECT_EQ(file.Value(L"none", L"key"), std::nullopt);
}

}  // namespace
}  // namespace veloria
