// Comparing the manifest's newest version with the program's own, and the
// addresses the program hands to the browser.
//
// Versions are compared as versions: dotted decimal numbers, number by
// number, so 2.0.10 is newer than 2.0.9 and 10.0.0 newer than 2.0.0;
// missing numbers count as 0 (2.0 is 2.0.0) and leading zeros do not
// count. A text that is not such a version (the "UNKNOW" of a failed load,
// a "2.0.1-beta") cannot be placed.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <string_view>

namespace veloria {

enum class VersionOrder { Older, Same, Newer, Unreadable };

// Where `candidate` stands against `current`. An empty candidate (a
// manifest that named no version) is older.
VersionOrder CompareVersions(std::wstring_view candidate, std::wstring_view current);

// The question at an update check is asked for a readable newer version
// only; the download button also stays a way to retry after a version that
// could not be read.
bool AsksToDownload(VersionOrder order);
bool EnablesDownloadButton(VersionOrder order);

}  // namespace veloria
