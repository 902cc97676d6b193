#include "update/web_links.h"

#include "base/version.h"
#include "language/language_keys.h"

namespace veloria {

namespace {

std::string Join(std::initializer_list<std::string_view> pieces)
{
    std::string address;
    for (std::string_view piece : pieces) {
        address += piece;
    }
    return address;
}

}  // namespace

std::string& WebDomain()
{
    static std::string domain;
    return domain;
}

AddressParts CurrentAddressParts()
{
    return {WebDomain(), VersionDigits(CurrentVersion()), LanguageText(Lang::LANG_COUNTRYCODE)};
}

std::string ManifestAddress(const AddressParts& parts)
{
    return Join({"http://www.", parts.host, "/software/vl/autoupdate/?v=", parts.versionDigits, "&cc=",
                 parts.countryCode});
}

std::string ManifestListAddress(const AddressParts& parts)
{
    return Join({"http://www.", parts.host, "/software/vl/autoupdate/"});
}

std::string HelpAddress(const AddressParts& parts)
{
    return Join({"http://", parts.host, "/software/vl/help.php?v=", parts.versionDigits, "&cc=",
                 parts.countryCode});
}

std::string BannerAddress(const AddressParts& parts)
{
    return Join({"http://www.", parts.host, "/software/softwarebanners/vl/?v=", parts.versionDigits, "&cc=",
                 parts.countryCode});
}

std::string TellAFriendAddress(const AddressParts& parts)
{
    return Join({"http://www.", parts.host, "/software/vl/tellafriend/?v=", parts.versionDigits, "&cc=",
                 parts.countryCode});
}

std::string DonationAddress(const AddressParts& parts)
{
    return Join({"http://www.", parts.host, "/software/vl/paypal/donate.php?cc=", parts.countryCode});
}

OpenUrlMessage OpenUrlFailureMessage(long long shellResult, std::string_view address)
{
    using Kind = OpenUrlMessage::Kind;
    if (shellResult > 32 || shellResult == 0) {
        return {};
    }
    if (shellResult == 31) {
        return {Kind::Warning,
                "No Association Found for HTTP Addresses. A Web Browser Should be Installed or Reinstalled."};
    }
    if (shellResult == 2 || shellResult == 3) {
        return {Kind::Warning, Join({"The '", address, "' File or Path was Not Found."})};
    }
    return {Kind::Error, Join({"An error occurred attempting to open '", address, "' (ShellExecute code ",
                               std::to_string(shellResult), ")."})};
}

}  // namespace veloria
