// The addresses on the maker's web server and the messages of a page that
// could not be opened.
#include <gtest/gtest.h>

#include "controls/page_rules.h"
#include "language/language_keys.h"
#include "language/language_state.h"
#include "update/update_state.h"
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
    UpdateState update;
    LanguageState language;
    WebDomain() = L"veloria.example";
    LanguageTexts()[static_cast<std::size_t>(Lang::LANG_COUNTRYCODE)] = L"us";
    EXPECT_EQ(HelpAddress(CurrentAddressParts()), L"http://veloria.example/software/vl/help.php?v=200&cc=us");
}

TEST(PageRules, TheEnginesNewestModeAndWhereAPageMayGo)
{
    EXPECT_EQ(BrowserEmulationMode(L"11.0.9600.18376", L"9.11.9600.18376"), 11001u);
    EXPECT_EQ(BrowserEmulationMode(L"", L"9.0.8112.16421"), 9999u);
    EXPECT_EQ(BrowserEmulationMode(L"", L"7.0.6000"), 0u);
    EXPECT_EQ(BrowserEmulationMode(L"junk", L""), 0u);

    EXPECT_EQ(HostOf(L"HTTPS://user:pw@WWW.Veloria.example:8080/x?y"), L"www.veloria.example");
    EXPECT_EQ(HostOf(L"file:///C:/x"), L"");
    EXPECT_TRUE(OnSite(L"veloria.example", L"www.veloria.example") && OnSite(L"ads.veloria.example", L"veloria.example"));
    for (const wchar_t* other : {L"evilveloria.example", L"veloria.example.evil.test", L"example", L""}) {
        EXPECT_FALSE(OnSite(other, L"www.veloria.example")) << other;
    }

    using S = PageStep;
    const wchar_t* asked = L"http://www.veloria.example/banner";
    EXPECT_EQ(TopLevelStep(L"https://veloria.example/banner2", asked, true), S::Stay);
    EXPECT_EQ(TopLevelStep(L"https://veloria.example/banner2", asked, false), S::OpenOutside);
    EXPECT_EQ(TopLevelStep(L"http://elsewhere.test/", asked, true), S::OpenOutside);
    EXPECT_EQ(TopLevelStep(L"res://ieframe.dll/navcancl.htm", asked, false), S::Stay);
    EXPECT_EQ(TopLevelStep(L"mailto:a@b.test", asked, false), S::Stop);
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
