// The update check's rules: versions compared as versions, and the
// addresses handed to the browser. What a manifest gives is read from the
// updates tab, end to end.
#include <gtest/gtest.h>

#include <tuple>

#include "controls/page_rules.h"
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

}  // namespace
}  // namespace veloria
