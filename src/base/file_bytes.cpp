#include "base/file_bytes.h"

#include <windows.h>

#include <algorithm>

#include "base/handle.h"

namespace veloria {

std::optional<std::string> ReadFileBytes(const std::wstring& path, std::size_t most)
{
    const FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) {
        return std::nullopt;
    }
    std::string bytes(std::min<std::size_t>(static_cast<std::size_t>(size.QuadPart), most), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return std::nullopt;
    }
    bytes.resize(read);
    return bytes;
}

namespace {

bool WriteAll(HANDLE file, std::string_view bytes)
{
    DWORD written = 0;
    return ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// A file that has other names (a package manager keeps a program's
// settings elsewhere under a hard link) is written where it is: a new file
// in its place would leave the other names with the old contents.
std::optional<bool> WriteInPlaceIfLinked(const std::wstring& path, std::string_view bytes)
{
    const FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file || !::GetFileInformationByHandle(file.get(), &information) || information.nNumberOfLinks < 2) {
        return std::nullopt;
    }
    return WriteAll(file.get(), bytes) && ::SetEndOfFile(file.get()) && ::FlushFileBuffers(file.get());
}

}  // namespace

bool ReplaceFileBytes(const std::wstring& path, std::string_view bytes)
{
    if (const std::optional<bool> written = WriteInPlaceIfLinked(path, bytes)) {
        return *written;
    }
    const std::wstring fresh = path + L".new";
    {
        const FileHandle file(
            ::CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !WriteAll(file.get(), bytes)) {
            ::DeleteFileW(fresh.c_str());
            return false;
        }
    }
    if (!::MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(fresh.c_str());
        return false;
    }
    return true;
}

}  // namespace veloria
