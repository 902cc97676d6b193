#include "update/web_links.h"

#include "base/text_rules.h"
#include "base/version.h"
#include "language/language_keys.h"
#include "update/update_state.h"

namespace veloria {

namespace {

std::wstring Join(std::initializer_list<std::wstring_view> pieces)
{
    std::wstring address;
    for (std::wstring_view piece : pieces) {
        address += piece;
    }
    return address;
}

}  // namespace

std::wstring& WebDomain()
{
    return UpdateState::Current().webDomain;
}

AddressParts CurrentAddressParts()
{
    return {WebDomain(), VersionDigits(CurrentVersion()), LanguageText(Lang::LANG_COUNTRYCODE)};
}

std::wstring ManifestAddress(const AddressParts& parts)
{
    return Join({L"http://www.", parts.host, L"/software/vl/autoupdate/?v=", parts.versionDigits, L"&cc=",
                 parts.countryCode});
}

std::wstring ManifestListAddress(const AddressParts& parts)
{
    return Join({L"http://www.", parts.host, L"/software/vl/autoupdate/"});
}

std::wstring HelpAddress(const AddressParts& parts)
{
    return Join({L"http://", parts.host, L"/software/vl/help.php?v=", parts.versionDigits, L"&cc=",
                 parts.countryCode});
}

std::wstring BannerAddress(const AddressParts& parts)
{
    return Join({L"http://www.", parts.host, L"/software/softwarebanners/vl/?v=", parts.versionDigits, L"&cc=",
                 parts.countryCode});
}

std::wstring TellAFriendAddress(const AddressParts& parts)
{
    return Join({L"http://www.", parts.host, L"/software/vl/tellafriend/?v=", parts.versionDigits, L"&cc=",
                 parts.countryCode});
}

std::wstring DonationAddress(const AddressParts& parts)
{
    return Join({L"http://www.", parts.host, L"/software/vl/paypal/donate.php?cc=", parts.countryCode});
}

OpenUrlMessage OpenUrlFailureMessage(long long shellResult, std::wstring_view address)
{
    using Kind = OpenUrlMessage::Kind;
    if (shellResult > 32 || shellResult == 0) {
        return {};
    }
    if (shellResult == 31) {
        return {Kind::Warning,
                L"No Association Found for HTTP Addresses. A Web Browser Should be Installed or Reinstalled."};
    }
    if (shellResult == 2 || shellResult == 3) {
        return {Kind::Warning, Join({L"The '", address, L"' File or Path was Not Found."})};
    }
    return {Kind::Error, Join({L"An error occurred attempting to open '", address, L"' (ShellExecute code ",
                               DecimalText(shellResult), L")."})};
}

}  // namespace veloria
