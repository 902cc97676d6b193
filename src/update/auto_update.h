// AutoUpdate: what the program does with a manifest it has loaded, and the
// check at start-up.
#pragma once

#include <windows.h>

namespace veloria {

// For a readable newer version in Manifest(), asks whether to download it
// (owned by the program's active window, if any); on OK the installer's
// address goes to the default browser, which downloads it.
void OfferNewerVersion();

// The "AutoUpdate Error" message of a check that could not load the
// manifest, owned by `owner`.
void ShowUpdateFailure(HWND owner);

// The last start-up step: a check when AutoUpdate is 1; nothing is said
// when it fails.
void RunStartupUpdateCheck();

}  // namespace veloria
