#include "update/open_url.h"

#include <windows.h>

#include "base/error_report.h"
#include "base/shell_open.h"
#include "update/web_links.h"

namespace veloria {

void OpenURL(const std::wstring& address)
{
    const OpenUrlMessage message = OpenUrlFailureMessage(OpenWithShell(nullptr, address), address);
    if (message.kind == OpenUrlMessage::Kind::None) {
        return;
    }
    const UINT icon = message.kind == OpenUrlMessage::Kind::Warning ? MB_ICONEXCLAMATION : MB_ICONERROR;
    ShowMessage(nullptr, message.text, icon);
}

void OpenDonationPage()
{
    OpenURL(DonationAddress(CurrentAddressParts()));
}

}  // namespace veloria
