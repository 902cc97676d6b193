// The program's identity: product name, title and version, and the texts
// made from the version: "2.0.0" for display, the update comparison and the
// instance mutex, "200" for the query of web addresses.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <string>
#include <string_view>

namespace veloria {

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// What this copy of the program was built as (version.cpp, compiled into
// each program with the build's version numbers).
ProgramVersion CurrentVersion();
const wchar_t* ProductName();  // "Veloria"
const wchar_t* AppTitle();     // "Veloria 2"

// "2.0.0"
std::wstring VersionText(const ProgramVersion& version);

// "Veloria 2.0.0": the product name, a blank and the version text.
std::wstring NamedVersionText(std::wstring_view productName, const ProgramVersion& version);

// "200": the three numbers run together.
std::wstring VersionDigits(const ProgramVersion& version);

// The product name immediately followed by the version text: "Veloria2.0.0".
// A running copy holds a mutex of this name, so copies of one version
// exclude each other while other versions run beside them.
std::wstring InstanceMutexName(std::wstring_view productName, const ProgramVersion& version);

}  // namespace veloria
