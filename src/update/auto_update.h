// AutoUpdate: the update check at start-up and from the updates tab.
#pragma once

#include <windows.h>

namespace veloria {

// Loads the manifest and, for a readable newer version, asks whether to
// download it; on OK the installer's address goes to the default browser,
// which downloads it. False when the manifest could not be loaded.
bool CheckForUpdate();

// The "AutoUpdate Error" message of a check that could not load the
// manifest, owned by `owner`.
void ShowUpdateFailure(HWND owner);

// The last start-up step: a check when AutoUpdate is 1 and the maker's
// server answers; nothing is said when it fails.
void RunStartupUpdateCheck();

}  // namespace veloria
