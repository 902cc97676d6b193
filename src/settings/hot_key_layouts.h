// The characters the user's keyboards type with AltGr, which Windows
// reports as Ctrl+Alt: a system-wide key with Ctrl and Alt that one of them
// types would take that character from every program. The keys are checked
// whenever they are registered and when one is chosen in the options.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "settings/hot_keys.h"

namespace veloria {

class AltGrCharacters {
public:
    // The keyboard layouts the user has installed now.
    AltGrCharacters();

    // The character `hotKey` types on one of them, or nothing.
    std::optional<wchar_t> TypedBy(const HotKey& hotKey);

private:
    std::optional<wchar_t> AskedOfLayouts(const HotKey& hotKey) const;
    bool TypesCharacters(unsigned key) const;

    std::vector<HKL> layouts_;
    std::vector<KeyScan> scans_;  // made on the first key that types characters
    bool scanned_ = false;
};

}  // namespace veloria
