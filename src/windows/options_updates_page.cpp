// The updates page: the running version, the values of the last manifest
// load and its listing, and the download button. Each time the page comes
// to the front the manifest is asked for, and listed when it comes (the
// page shows meanwhile that a check is under way).
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <optional>

#include "base/version.h"
#include "update/manifest.h"
#include "update/update_checks.h"
#include "update/versions.h"
#include "windows/options_dialog.h"
#include "windows/options_page.h"

namespace veloria::options {

namespace {

using L = Lang;

class UpdatesPage final : public OptionsPage {
    enum : int {
        kActualVersionLabel = 600, kActualVersion, kLastVersionLabel, kLastVersion, kWebPageLabel, kWebPage,
        kDownloadUrlLabel, kDownloadUrl, kDownload, kChecking, kManifestText,
    };
    static constexpr std::array kRows{
        ControlRow{kActualVersionLabel, Kind::Label, 28, 44, 200, 18,
                   L::LANG_WINDOWOPTIONS_TAB_UPDATES_LABEL_ACTUALVERSION},
        ControlRow{kActualVersion, Kind::Label, 232, 44, 240, 18, std::nullopt},
        ControlRow{kLastVersionLabel, Kind::Label, 28, 66, 200, 18,
                   L::LANG_WINDOWOPTIONS_TAB_UPDATES_LABEL_LASTVERSION},
        ControlRow{kLastVersion, Kind::Label, 232, 66, 240, 18, std::nullopt},
        ControlRow{kWebPageLabel, Kind::Label, 28, 90, 200, 18, L::LANG_WINDOWOPTIONS_TAB_UPDATES_LABEL_WEBPAGE},
        ControlRow{kWebPage, Kind::Field, 232, 88, 240, 20, std::nullopt},
        ControlRow{kDownloadUrlLabel, Kind::Label, 28, 114, 200, 18,
                   L::LANG_WINDOWOPTIONS_TAB_UPDATES_LABEL_DOWNLOADURL},
        ControlRow{kDownloadUrl, Kind::Field, 232, 112, 240, 20, std::nullopt},
        ControlRow{kDownload, Kind::Button, 28, 138, 150, 24, L::LANG_WINDOWOPTIONS_TAB_UPDATES_BTN_DOWNLOAD},
        ControlRow{kChecking, Kind::Progress, 190, 142, 150, 16, std::nullopt},
        ControlRow{kManifestText, Kind::TextBox, 28, 170, 445, 128, std::nullopt},
    };

public:
    UpdatesPage() : OptionsPage(L::LANG_WINDOWOPTIONS_TAB_UPDATES, kRows) {}

    void Fill() override { ::SetWindowTextW(Item(kActualVersion), VersionText(CurrentVersion()).c_str()); }

private:
    void Made() override
    {
        WatchUpdateChecks(window());
        ShowChecking();
    }

    void Destroyed() override { UnwatchUpdateChecks(window()); }

    void Selected() override
    {
        ShowManifestValues();
        ::SetWindowTextW(Item(kManifestText), L"");
        RequestUpdateCheck(UpdateCheck::Listing);
        ShowChecking();
    }

    bool Command(int id, int /*notification*/) override
    {
        if (id != kDownload) {
            return false;
        }
        // A failure is told by the check when it ends.
        RequestUpdateCheck(UpdateCheck::Download, sheet().host->Window());
        ShowChecking();
        return true;
    }

    // Any check brings the values it loaded; the listing comes from its own.
    void Message(UINT message, WPARAM wParam) override
    {
        if (message != kUpdateCheckDone) {
            return;
        }
        ShowManifestValues();
        if (static_cast<UpdateCheck>(wParam) == UpdateCheck::Listing) {
            ::SetWindowTextW(Item(kManifestText), ManifestListing().c_str());
        }
        ShowChecking();
    }

    void ShowManifestValues()
    {
        const ManifestValues& manifest = Manifest();
        ::SetWindowTextW(Item(kLastVersion), manifest.LastVersion.c_str());
        ::SetWindowTextW(Item(kWebPage), manifest.WebPage.c_str());
        ::SetWindowTextW(Item(kDownloadUrl), manifest.DownloadURL.c_str());
        const VersionOrder order = CompareVersions(manifest.LastVersion, VersionText(CurrentVersion()));
        ::EnableWindow(Item(kDownload), EnablesDownloadButton(order) ? TRUE : FALSE);
    }

    // The moving bar while a check of this page's runs.
    void ShowChecking() const
    {
        const bool checking =
            UpdateCheckUnderWay(UpdateCheck::Listing) || UpdateCheckUnderWay(UpdateCheck::Download);
        ::SendMessageW(Item(kChecking), PBM_SETMARQUEE, checking ? TRUE : FALSE, 0);
        ::ShowWindow(Item(kChecking), checking ? SW_SHOWNA : SW_HIDE);
    }
};

}  // namespace

std::unique_ptr<OptionsPage> MakeUpdatesPage()
{
    return std::make_unique<UpdatesPage>();
}

}  // namespace veloria::options
