// The update check's rules: versions compared as versions, the addresses
// handed to the browser, and what a manifest document gives.
#include <gtest/gtest.h>

#include <tuple>

#include "update/manifest_nodes.h"
#include "update/versions.h"

namespace veloria {
namespace {

TEST(Versions, ComparedNumberByNumber)
{
    using O = VersionOrder;
    const std::tuple<const char*, const char*, VersionOrder> cases[] = {
        {"2.0.0", "2.0.0", O::Same},       {"2.0.1", "2.0.0", O::Newer},     {"2.0.10", "2.0.9", O::Newer},
        {"2.0.9", "2.0.10", O::Older},     {"10.0.0", "2.0.0", O::Newer},    {"2.0", "2.0.0", O::Same},
        {"2.0.0.1", "2.0.0", O::Newer},    {"02.00.001", "2.0.1", O::Same},  {"1.9.9", "2.0.0", O::Older},
        {"", "2.0.0", O::Older},           {"UNKNOW", "2.0.0", O::Unreadable}, {"2.0.0-beta", "2.0.0", O::Unreadable},
        {"2..0", "2.0.0", O::Unreadable},  {"2.0.", "2.0.0", O::Unreadable}, {" 2.0.1", "2.0.0", O::Unreadable},
        {"99999999999999999999.0", "2.0.0", O::Newer},
    };
    for (const auto& [candidate, current, order] : cases) {
        EXPECT_EQ(CompareVersions(candidate, current), order) << candidate << " against " << current;
    }
    EXPECT_TRUE(AsksToDownload(O::Newer) && EnablesDownloadButton(O::Newer) && EnablesDownloadButton(O::Unreadable));
    EXPECT_FALSE(AsksToDownload(O::Unreadable) || EnablesDownloadButton(O::Same) || EnablesDownloadButton(O::Older));
}

TEST(Versions, OnlyWebAddressesGoToTheBrowser)
{
    for (const char* address : {"http://veloria.example/setup.exe", "HTTPS://veloria.example/x"}) {
        EXPECT_TRUE(IsWebAddress(address)) << address;
    }
    for (const char* address : {"file:///C:/setup.exe", "javascript:alert(1)", "C:\\setup.exe", "\\\\server\\s.exe",
                                "http://", "http:///x", "ftp://veloria.example/", "", "UNKNOW"}) {
        EXPECT_FALSE(IsWebAddress(address)) << address;
    }
}

XmlNode Element(const char* name, std::vector<XmlNode> children)
{
    return {XmlNode::Type::Element, name, "", std::move(children)};
}
XmlNode Text(const char* value)
{
    return {XmlNode::Type::Text, "#text", value, {}};
}

TEST(ManifestNodes, ExactNamesTextOnlyTheLastWinsAndTheListingIndents)
{
    const std::vector<XmlNode> document{Element("VELORIA", {
        Element("SOFTWARE_LASTVERSION", {Text("2.0.1")}),
        Element("software_downloadurl", {Text("http://lower/")}),
        Element("SOFTWARE_DOWNLOADURL", {{XmlNode::Type::Other, "#cdata-section", "http://cdata/", {}}}),
        Element("SOFTWARE_WEBPAGE", {Text("http://first/")}),
        Element("GROUP", {Element("SOFTWARE_WEBPAGE", {Text("http://second/")})}),
    })};
    ManifestValues values{"", "kept", "old"};
    ReadManifestNodes(document, values);
    EXPECT_EQ(values.LastVersion, "2.0.1");
    EXPECT_EQ(values.DownloadURL, "kept");
    EXPECT_EQ(values.WebPage, "http://second/");
    EXPECT_EQ(ListManifestNodes(document),
              "   SOFTWARE_LASTVERSION:2.0.1\r\n   software_downloadurl:http://lower/\r\n"
              "   SOFTWARE_WEBPAGE:http://first/\r\n    SOFTWARE_WEBPAGE:http://second/\r\n");
}

}  // namespace
}  // namespace veloria
