// Whole files as bytes, by their UTF-16 paths.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace veloria {

// The first `most` bytes of the file; nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::wstring& path, std::size_t most);

// Replaces the file's contents: the bytes go to a new file beside it, which
// then takes its place, so a failure on the way leaves the old file whole.
// A file with hard links to it is rewritten in place, so that every name
// keeps showing the same contents.
bool ReplaceFileBytes(const std::wstring& path, std::string_view bytes);

}  // namespace veloria
