// The update check's rules: versions compared as versions, the addresses
// handed to the browser, and what a manifest document gives.
#include <gtest/gtest.h>

#include <tuple>

#include "controls/page_rules.h"
#include "update/manifest_nodes.h"
#include "update/versions.h"

namespace veloria {
namespace {

TEST(Versions, ComparedNumberByNumber)
{
    using O = VersionOrder;
    const std::tuple<const wchar_t*, const wchar_t*, VersionOrder> cases[] = {
        {L"2.0.0", L"2.0.0", O::Same},       {L"2.0.1", L"2.0.0", O::Newer},     {L"2.0.10", L"2.0.9", O::Newer},
        {L"2.0.9", L"2.0.10", O::Older},     {L"10.0.0", L"2.0.0", O::Newer},    {L"2.0", L"2.0.0", O::Same},
        {L"2.0.0.1", L"2.0.0", O::Newer},    {L"02.00.001", L"2.0.1", O::Same},  {L"1.9.9", L"2.0.0", O::Older},
        {L"", L"2.0.0", O::Older},           {L"UNKNOW", L"2.0.0", O::Unreadable},
        {L"2.0.0-beta", L"2.0.0", O::Unreadable},
        {L"2..0", L"2.0.0", O::Unreadable},  {L"2.0.", L"2.0.0", O::Unreadable}, {L" 2.0.1", L"2.0.0", O::Unreadable},
        {L"99999999999999999999.0", L"2.0.0", O::Newer},
    };
    for (const auto& [candidate, current, order] : cases) {
        EXPECT_EQ(CompareVersions(candidate, current), order) << candidate << L" against " << current;
    }
    EXPECT_TRUE(AsksToDownload(O::Newer) && EnablesDownloadButton(O::Newer) && EnablesDownloadButton(O::Unreadable));
    EXPECT_FALSE(AsksToDownload(O::Unreadable) || EnablesDownloadButton(O::Same) || EnablesDownloadButton(O::Older));
}

TEST(Versions, OnlyWebAddressesGoToTheBrowser)
{
    for (const wchar_t* address : {L"http://veloria.example/setup.exe", L"HTTPS://veloria.example/x"}) {
        EXPECT_TRUE(IsWebAddress(address)) << address;
    }
    for (const wchar_t* address : {L"file:///C:/setup.exe", L"javascript:alert(1)", L"C:\\setup.exe",
                                   L"\\\\server\\s.exe", L"http://", L"http:///x", L"ftp://veloria.example/", L"",
                                   L"UNKNOW"}) {
        EXPECT_FALSE(IsWebAddress(address)) << address;
    }
}

XmlNode Element(const wchar_t* name, std::vector<XmlNode> children)
{
    return {XmlNode::Type::Element, name, L"", std::move(children)};
}
XmlNode Text(const wchar_t* value)
{
    return {XmlNode::Type::Text, L"#text", value, {}};
}

TEST(ManifestNodes, ExactNamesTextOnlyTheLastWinsAndTheListingIndents)
{
    const std::vector<XmlNode> document{Element(L"VELORIA", {
        Element(L"SOFTWARE_LASTVERSION", {Text(L"2.0.1")}),
        Element(L"software_downloadurl", {Text(L"http://lower/")}),
        Element(L"SOFTWARE_DOWNLOADURL", {{XmlNode::Type::Other, L"#cdata-section", L"http://cdata/", {}}}),
        Element(L"SOFTWARE_WEBPAGE", {Text(L"http://first/")}),
        Element(L"GROUP", {Element(L"SOFTWARE_WEBPAGE", {Text(L"http://second/")})}),
    })};
    ManifestValues values{L"", L"kept", L"old"};
    ReadManifestNodes(document, values);
    EXPECT_EQ(values.LastVersion, L"2.0.1");
    EXPECT_EQ(values.DownloadURL, L"kept");
    EXPECT_EQ(values.WebPage, L"http://second/");
    EXPECT_EQ(ListManifestNodes(document),
              L"   SOFTWARE_LASTVERSION:2.0.1\r\n   software_downloadurl:http://lower/\r\n"
              L"   SOFTWARE_WEBPAGE:http://first/\r\n    SOFTWARE_WEBPAGE:http://second/\r\n");
}

}  // namespace
}  // namespace veloria
