#include "update/open_url.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>

#include "base/error_report.h"
#include "update/web_links.h"

namespace veloria {

void OpenURL(const std::wstring& address)
{
    const HINSTANCE result = ::ShellExecuteW(nullptr, L"Open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    const auto code = static_cast<long long>(reinterpret_cast<std::intptr_t>(result));
    const OpenUrlMessage message = OpenUrlFailureMessage(code, address);
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
