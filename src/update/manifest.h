// LeerXML: fetching the update manifest and reading it, on the thread of
// an update check (never the window thread).
//
// The manifest's bytes are fetched through the system's proxy settings,
// at most 1 MiB, and only from an answer with status 200; every stage
// waits only for what is left of the check's deadline. The platform's XML
// parser (MSXML's DOMDocument) then reads them, a document type
// declaration refused rather than followed.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "base/slim_lock.h"
#include "update/manifest_nodes.h"

namespace veloria {

inline constexpr std::size_t kLargestManifest = 1024 * 1024;

// The manifest values of the last load; empty until the first. Read and
// written on the window thread only.
ManifestValues& Manifest();

// Lets another thread end a fetch: Cancel closes every network handle the
// fetch has open, which makes a call waiting on one return, and the fetch
// opens no more. Each handle is closed once, by whichever side comes first.
class FetchCancel {
public:
    void Cancel() noexcept;
    bool Cancelled() const noexcept;

    // For the fetch: takes a handle it opened into the list; false, with
    // the handle closed, once the fetch is cancelled.
    bool Adopt(void* handle) noexcept;
    // Closes a handle of the list, unless Cancel closed it already.
    void Close(void* handle) noexcept;

private:
    SlimLock lock_;
    bool cancelled_ = false;
    std::vector<void*> open_;
};

// The body of `url`, or nothing when the fetch failed, was cancelled, did
// not end before `deadline` (a GetTickCount64 time), answered other than
// 200 or exceeded kLargestManifest.
std::optional<std::string> FetchManifestBytes(const std::wstring& url, ULONGLONG deadline, FetchCancel& cancel);

// The document's nodes, or nothing when it is not well-formed XML or
// declares a document type.
std::optional<std::vector<XmlNode>> ParseManifest(const std::string& bytes);

}  // namespace veloria
