// The maker's web server and the addresses the program builds on it.
//
// Every address is built when it is used, from the host, the program's
// version digits ("200" for 2.0.0) and the country code of the language in
// use, which is inserted unchanged. Only the help page goes without "www.";
// only the donation page goes without the version.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <string>
#include <string_view>

namespace veloria {

// The host name set at start-up.
inline constexpr const wchar_t* kMakerWebDomain = L"veloria.example";

// The host in use; empty until start-up sets it.
std::wstring& WebDomain();

// The pieces every address is built from.
struct AddressParts {
    std::wstring host;
    std::wstring versionDigits;
    std::wstring countryCode;
};

// The pieces as they stand now: WebDomain, this program's version and the
// LANG_COUNTRYCODE text of the language table.
AddressParts CurrentAddressParts();

std::wstring ManifestAddress(const AddressParts& parts);      // with its query
std::wstring ManifestListAddress(const AddressParts& parts);  // without a query
std::wstring HelpAddress(const AddressParts& parts);
std::wstring BannerAddress(const AddressParts& parts);
std::wstring TellAFriendAddress(const AddressParts& parts);
std::wstring DonationAddress(const AddressParts& parts);

// What OpenURL tells the user when the shell could not open an address,
// by the shell's result: nothing for success (above 32) or 0, a warning for
// 31 (no browser) and for 2 and 3 (not found), an error for the rest.
struct OpenUrlMessage {
    enum class Kind { None, Warning, Error };
    Kind kind = Kind::None;
    std::wstring text;
};
OpenUrlMessage OpenUrlFailureMessage(long long shellResult, std::wstring_view address);

}  // namespace veloria
