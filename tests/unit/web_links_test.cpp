// The addresses on the maker's web server and the messages of a page that
// could not be opened.
#include <gtest/gtest.h>

#include "language/language_keys.h"
#include "update/web_links.h"

namespace veloria {
namespace {

TEST(WebAddresses, EachAddressFromItsPiecesTheCountryCodeUnchanged)
{
    const AddressParts es{L"veloria.example", L"200", L"es"};
    const AddressParts odd{L"veloria.example", L"200", L"a b&c"};
    const std::pair<std::wstring, std::wstring> cases[] = {
        {HelpAddress(es), L"http://veloria.example/software/vl/help.php?v=200&cc=es"},
        {ManifestAddress(es), L"http://www.veloria.example/software/vl/autoupdate/?v=200&cc=es"},
        {ManifestListAddress(es), L"http://www.veloria.example/software/vl/autoupdate/"},
        {BannerAddress(es), L"http://www.veloria.example/software/softwarebanners/vl/?v=200&cc=es"},
        {TellAFriendAddress(es), L"http://www.veloria.example/software/vl/tellafriend/?v=200&cc=es"},
        {DonationAddress(es), L"http://www.veloria.example/software/vl/paypal/donate.php?cc=es"},
        {DonationAddress(odd), L"http://www.veloria.example/software/vl/paypal/donate.php?cc=a b&c"},
    };
    for (const auto& [built, expected] : cases) {
        EXPECT_EQ(built, expected);
    }
    WebDomain() = L"veloria.example";
    LanguageTexts()[static_cast<std::size_t>(Lang::LANG_COUNTRYCODE)] = L"us";
    EXPECT_EQ(HelpAddress(CurrentAddressParts()), L"http://veloria.example/software/vl/help.php?v=200&cc=us");
}

TEST(OpenUrlMessages, ByTheShellsResult)
{
    using Kind = OpenUrlMessage::Kind;
    for (long long success : {0, 33, 42}) {
        EXPECT_EQ(OpenUrlFailureMessage(success, L"x").kind, Kind::None) << success;
    }
    // Results 31 and 2 show warnings, read from real message boxes by the
    // module tests; 3 too, the rest an error naming the shell's code.
    EXPECT_EQ(OpenUrlFailureMessage(3, L"a").text, L"The 'a' File or Path was Not Found.");
    for (long long code : {1, 5, 26, 32}) {
        EXPECT_EQ(OpenUrlFailureMessage(code, L"http://a/").kind, Kind::Error);
        EXPECT_EQ(OpenUrlFailureMessage(code, L"http://a/").text,
                  L"An error occurred attempting to open 'http://a/' (ShellExecute code " + std::to_wstring(code) +
                      L").");
    }
}

}  // namespace
}  // namespace veloria
