// The resources built into veloria.exe: the version (from the program's one
// version definition, also in a copy built as another version), the
// manifest and the tray icon.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "test_windows.h"

namespace veloria {
namespace {

struct LibraryTraits {
    using Type = HMODULE;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type module) noexcept { ::FreeLibrary(module); }
};
using Library = UniqueHandle<LibraryTraits>;

std::string BuiltProgram(const char* name)
{
    return test::OwnFolder() + "\\" + name;
}

class VersionInfo {
public:
    explicit VersionInfo(const std::string& path)
    {
        DWORD ignored = 0;
        data_.resize(::GetFileVersionInfoSizeA(path.c_str(), &ignored));
        if (data_.empty() || !::GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(data_.size()), data_.data())) {
            data_.clear();
        }
    }

    bool valid() const { return !data_.empty(); }

    std::string Text(const char* name) const
    {
        const std::string key = std::string("\\StringFileInfo\\040904b0\\") + name;
        char* value = nullptr;
        UINT length = 0;
        if (!::VerQueryValueA(data_.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || length == 0) {
            return {};
        }
        return std::string(value);
    }

    std::string FixedVersion() const
    {
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        if (!::VerQueryValueA(data_.data(), "\\", reinterpret_cast<void**>(&fixed), &length)) {
            return {};
        }
        return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) +
               "." + std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
    }

private:
    std::vector<char> data_;
};

TEST(ProgramResources, VersionNamesTheProductAndRelease)
{
    const VersionInfo info(BuiltProgram("veloria.exe"));
    ASSERT_TRUE(info.valid());
    EXPECT_EQ(info.Text("ProductName"), "Veloria");
    EXPECT_EQ(info.Text("FileDescription"), "Veloria 2");
    EXPECT_EQ(info.Text("FileVersion"), "2.0.0.0");
    EXPECT_EQ(info.Text("ProductVersion"), "2.0.0.0");
    EXPECT_EQ(info.FixedVersion(), "2.0.0.0");
}

TEST(ProgramResources, AnotherVersionCarriesItsOwnNumbers)
{
    const VersionInfo info(BuiltProgram("veloria_other_version.exe"));
    ASSERT_TRUE(info.valid());
    EXPECT_EQ(info.Text("FileVersion"), "2.0.1.0");
    EXPECT_EQ(info.FixedVersion(), "2.0.1.0");
}

TEST(ProgramResources, ManifestAsksForCommonControlsSixAsInvoker)
{
    const Library program(::LoadLibraryExA(BuiltProgram("veloria.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(program);
    HRSRC found = ::FindResourceA(program.get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const auto* text = static_cast<const char*>(::LockResource(::LoadResource(program.get(), found)));
    const std::string manifest(text, ::SizeofResource(program.get(), found));
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
}

TEST(ProgramResources, TrayIconIs48PixelsIn256Colours)
{
    const Library program(::LoadLibraryExA(BuiltProgram("veloria.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(program);
    HRSRC found = ::FindResourceA(program.get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(found, nullptr);
    const auto* group = static_cast<const BYTE*>(::LockResource(::LoadResource(program.get(), found)));
    ASSERT_NE(group, nullptr);
    // The group header (reserved, type, count), then 14-byte entries.
    const WORD count = *reinterpret_cast<const WORD*>(group + 4);
    ASSERT_EQ(count, 1);
    const BYTE* entry = group + 6;
    EXPECT_EQ(entry[0], 48);                                      // width
    EXPECT_EQ(entry[1], 48);                                      // height
    EXPECT_EQ(*reinterpret_cast<const WORD*>(entry + 6), 8);      // bits per pixel
}

}  // namespace
}  // namespace veloria
