// LeerXML: fetching the update manifest and reading it.
//
// The manifest's bytes are fetched with a deadline of 15 seconds for
// connecting and receiving together, at most 1 MiB, and only from an
// answer with status 200; the platform's XML parser (MSXML's DOMDocument)
// then reads them, a document type declaration refused rather than
// followed. Everything blocks the calling thread, as a synchronous fetch
// does, but never for longer than the deadline.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "update/manifest_nodes.h"

namespace veloria {

inline constexpr DWORD kManifestDeadlineMs = 15000;
inline constexpr std::size_t kLargestManifest = 1024 * 1024;

// The manifest values of the last load; empty until the first.
ManifestValues& Manifest();

// The body of `url`, or nothing when the fetch failed, took longer than
// `deadlineMs`, answered other than 200 or exceeded kLargestManifest.
std::optional<std::string> FetchManifestBytes(const std::string& url, DWORD deadlineMs = kManifestDeadlineMs);

// The document's nodes, or nothing when it is not well-formed XML or
// declares a document type.
std::optional<std::vector<XmlNode>> ParseManifest(const std::string& bytes);

// Fetches and reads the manifest into Manifest(); false, with
// LastVersion and DownloadURL "UNKNOW", when that failed. The hourglass
// shows meanwhile.
bool LoadManifest(const std::string& url);

// Appends the listing of the manifest at `url` to the text of `textBox`;
// nothing when it cannot be loaded.
void ShowManifest(const std::string& url, HWND textBox);

}  // namespace veloria
