// The addresses on the maker's web server and the messages of a page that
// could not be opened.
#include "update/web_links.h"

#include <gtest/gtest.h>

#include "language/language_keys.h"

namespace veloria {
namespace {

const AddressParts kSpanish{"veloria.example", "200", "es"};

TEST(WebAddresses, EachAddressFromItsPieces)
{
    EXPECT_EQ(HelpAddress(kSpanish), "http://veloria.example/software/vl/help.php?v=200&cc=es");
    EXPECT_EQ(ManifestAddress(kSpanish), "http://www.veloria.example/software/vl/autoupdate/?v=200&cc=es");
    EXPECT_EQ(ManifestListAddress(kSpanish), "http://www.veloria.example/software/vl/autoupdate/");
    EXPECT_EQ(BannerAddress(kSpanish), "http://www.veloria.example/software/softwarebanners/vl/?v=200&cc=es");
    EXPECT_EQ(TellAFriendAddress(kSpanish), "http://www.veloria.example/software/vl/tellafriend/?v=200&cc=es");
    EXPECT_EQ(DonationAddress(kSpanish), "http://www.veloria.example/software/vl/paypal/donate.php?cc=es");
}

TEST(WebAddresses, CountryCodeGoesInUnchanged)
{
    EXPECT_EQ(HelpAddress({"veloria.example", "200", "VL_lang_error"}),
              "http://veloria.example/software/vl/help.php?v=200&cc=VL_lang_error");
    EXPECT_EQ(DonationAddress({"veloria.example", "200", "a b&c"}),
              "http://www.veloria.example/software/vl/paypal/donate.php?cc=a b&c");
    EXPECT_EQ(BannerAddress({"veloria.example", "200", ""}),
              "http://www.veloria.example/software/softwarebanners/vl/?v=200&cc=");
}

TEST(WebAddresses, CurrentPiecesComeFromTheHostVersionAndLanguageTable)
{
    WebDomain() = "veloria.example";
    LanguageTexts()[static_cast<std::size_t>(Lang::LANG_COUNTRYCODE)] = "es";
    EXPECT_EQ(HelpAddress(CurrentAddressParts()), "http://veloria.example/software/vl/help.php?v=200&cc=es");
    LanguageTexts()[static_cast<std::size_t>(Lang::LANG_COUNTRYCODE)] = "us";
    EXPECT_EQ(HelpAddress(CurrentAddressParts()), "http://veloria.example/software/vl/help.php?v=200&cc=us");
}

TEST(OpenUrlMessages, ByTheShellsResult)
{
    using Kind = OpenUrlMessage::Kind;
    EXPECT_EQ(OpenUrlFailureMessage(33, "x").kind, Kind::None);
    EXPECT_EQ(OpenUrlFailureMessage(42, "x").kind, Kind::None);
    EXPECT_EQ(OpenUrlFailureMessage(0, "x").kind, Kind::None);

    const OpenUrlMessage noBrowser = OpenUrlFailureMessage(31, "http://a/");
    EXPECT_EQ(noBrowser.kind, Kind::Warning);
    EXPECT_EQ(noBrowser.text,
              "No Association Found for HTTP Addresses. A Web Browser Should be Installed or Reinstalled.");

    for (long long code : {2, 3}) {
        const OpenUrlMessage notFound = OpenUrlFailureMessage(code, "http://a/");
        EXPECT_EQ(notFound.kind, Kind::Warning);
        EXPECT_EQ(notFound.text, "The 'http://a/' File or Path was Not Found.");
    }
    for (long long code : {1, 5, 26, 32}) {
        const OpenUrlMessage other = OpenUrlFailureMessage(code, "http://a/");
        EXPECT_EQ(other.kind, Kind::Error);
        EXPECT_EQ(other.text,
                  "An error occurred attempting to open 'http://a/' (ShellExecute code " + std::to_string(code) + ").");
    }
}

}  // namespace
}  // namespace veloria
