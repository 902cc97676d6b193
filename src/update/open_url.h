// Opening pages of the maker's web server in the user's browser (module
// Paypal), with a message when the shell cannot.
#pragma once

#include <string>

namespace veloria {

// Asks the shell to open `address`; a failure is shown in a message box.
void OpenURL(const std::wstring& address);

// The donation page, through OpenURL.
void OpenDonationPage();

}  // namespace veloria
