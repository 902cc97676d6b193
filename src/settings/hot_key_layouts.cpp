#include "settings/hot_key_layouts.h"

#include <algorithm>
#include <array>

namespace veloria {

namespace {

// The characters looked for key by key: ASCII and the Latin, Greek and
// Cyrillic letters, the dashes, quotes and currency signs (the euro).
struct CharacterRange {
    wchar_t first;
    wchar_t last;
};
constexpr std::array<CharacterRange, 3> kScannedCharacters{{{0x21, 0x24F}, {0x370, 0x52F}, {0x2010, 0x20CF}}};

// ToUnicodeEx leaves the thread's keyboard state (a dead key typed) alone
// with this flag, from Windows 10 1607 on.
constexpr UINT kKeepKeyboardState = 4;

}  // namespace

AltGrCharacters::AltGrCharacters()
{
    std::array<HKL, 64> installed{};
    const int count = ::GetKeyboardLayoutList(static_cast<int>(installed.size()), installed.data());
    layouts_.assign(installed.begin(), installed.begin() + std::max(count, 0));
    if (layouts_.empty()) {
        layouts_.push_back(::GetKeyboardLayout(0));
    }
}

std::optional<wchar_t> AltGrCharacters::TypedBy(const HotKey& hotKey)
{
    if (!PressedByAltGr(hotKey)) {
        return std::nullopt;
    }
    if (const auto typed = AskedOfLayouts(hotKey)) {
        return typed;
    }
    // Where the layouts cannot be asked key by key (Wine answers ToUnicodeEx
    // with Ctrl+Alt held with nothing), they are asked character by
    // character, for keys that type any character at all: the page keys,
    // the arrows and the function keys never do.
    if (!TypesCharacters(hotKey.key)) {
        return std::nullopt;
    }
    if (!scanned_) {
        scanned_ = true;
        for (HKL layout : layouts_) {
            for (const CharacterRange& range : kScannedCharacters) {
                for (wchar_t character = range.first; character <= range.last; ++character) {
                    const auto scan = static_cast<std::uint16_t>(::VkKeyScanExW(character, layout));
                    if (scan != 0xFFFF && (scan >> 8) >= 6) {
                        scans_.push_back({character, scan});
                    }
                }
            }
        }
    }
    return CharacterAltGrTypes(hotKey, scans_.data(), scans_.size());
}

std::optional<wchar_t> AltGrCharacters::AskedOfLayouts(const HotKey& hotKey) const
{
    std::array<BYTE, 256> state{};
    state[VK_CONTROL] = state[VK_LCONTROL] = state[VK_MENU] = state[VK_RMENU] = 0x80;
    if ((hotKey.modifiers & kModShift) != 0) {
        state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    }
    for (HKL layout : layouts_) {
        std::array<wchar_t, 8> typed{};
        const UINT scanCode = ::MapVirtualKeyExW(hotKey.key, MAPVK_VK_TO_VSC, layout);
        const int count = ::ToUnicodeEx(hotKey.key, scanCode, state.data(), typed.data(), static_cast<int>(typed.size()),
                                        kKeepKeyboardState, layout);
        if (count < 0) {
            // A dead key: typed once more it gives its own character and
            // ends, so that no later key of this thread is changed by it.
            std::array<wchar_t, 8> again{};
            ::ToUnicodeEx(hotKey.key, scanCode, state.data(), again.data(), static_cast<int>(again.size()),
                          kKeepKeyboardState, layout);
            return typed[0];
        }
        // Control characters are what Ctrl makes of letters, not typing.
        if (count > 0 && typed[0] >= 0x20 && typed[0] != 0x7F) {
            return typed[0];
        }
    }
    return std::nullopt;
}

bool AltGrCharacters::TypesCharacters(unsigned key) const
{
    for (HKL layout : layouts_) {
        if (::MapVirtualKeyExW(key, MAPVK_VK_TO_CHAR, layout) != 0) {
            return true;
        }
    }
    return false;
}

}  // namespace veloria
