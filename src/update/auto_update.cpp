#include "update/auto_update.h"

#include <string>

#include "base/shell_open.h"
#include "base/version.h"
#include "controls/page_rules.h"
#include "language/language_keys.h"
#include "settings/settings_record.h"
#include "update/manifest.h"
#include "update/update_checks.h"
#include "update/versions.h"

namespace veloria {

namespace {

// The download goes through the user's browser: the shell's old download
// routine belongs to a browser engine current systems no longer ship.
void DownloadInstaller(const std::wstring& address, HWND owner)
{
    if (!IsWebAddress(address)) {
        ShowUpdateFailure(owner);  // not a web address: handed to no one
        return;
    }
    OpenInBrowser(owner, address);
}

}  // namespace

void OfferNewerVersion()
{
    const VersionOrder order = CompareVersions(Manifest().LastVersion, VersionText(CurrentVersion()));
    if (AsksToDownload(order)) {
        const HWND owner = ::GetActiveWindow();
        const std::wstring caption = std::wstring(ProductName()) + L" Auto Update";
        const std::wstring question = LanguageText(Lang::LANG_WINDOWOPTIONS_MSGBOX_DOWNLOADUPDATEAVAILABLE);
        if (::MessageBoxW(owner, question.c_str(), caption.c_str(), MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK) {
            DownloadInstaller(Manifest().DownloadURL, owner);
        }
    }
}

void ShowUpdateFailure(HWND owner)
{
    ::MessageBoxW(owner, LanguageText(Lang::LANG_WINDOWOPTIONS_MSGBOX_DOWNLOADUPDATEFAIL).c_str(), L"AutoUpdate Error",
                  MB_OK | MB_ICONEXCLAMATION);
}

void RunStartupUpdateCheck()
{
    if (AutoUpdateEnabled(Settings())) {
        RequestUpdateCheck(UpdateCheck::Startup);
    }
}

}  // namespace veloria
