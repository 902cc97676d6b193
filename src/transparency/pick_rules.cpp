#include "transparency/pick_rules.h"

#include <algorithm>
#include <array>

#include "base/alpha_rules.h"
#include "base/text_rules.h"

namespace veloria {

std::int16_t ModifierBits(bool shift, bool ctrl, bool alt)
{
    return static_cast<std::int16_t>((shift ? 1 : 0) | (ctrl ? 2 : 0) | (alt ? 4 : 0));
}

PickAction ActionForModifiers(int tecla)
{
    switch (tecla) {
    case 1:
        return PickAction::MakeOpaque;
    case 2:
        return PickAction::OpenLevelPopup;
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
        return PickAction::Nothing;
    default:
        return PickAction::ApplyDefaultLevel;
    }
}

ConversationWindowAction ActionForConversationWindow(const SettingsRecord& settings)
{
    using Kind = ConversationWindowAction::Kind;
    if (!MessengerWindowsEnabled(settings)) {
        return {};
    }
    const double level = MessengerWindowLevel(settings);
    if (level < 255.0) {
        return {Kind::ApplyLevel, ClampLevel(RoundHalfEven(level))};
    }
    return {Kind::MakeOpaque, kHighestLevel};
}

namespace {

constexpr std::uintptr_t kStateMark = 0x80000000u;
constexpr std::uintptr_t kKeyMark = 0x01000000u;

}  // namespace

namespace {

// Letter case does not count in class names.
template <std::size_t N>
bool IsClassAmong(std::wstring_view windowClass, const std::array<std::wstring_view, N>& classes)
{
    return std::any_of(classes.begin(), classes.end(),
                       [&](std::wstring_view known) { return SameLetters(known, windowClass); });
}

}  // namespace

bool IsRefusedClass(std::wstring_view windowClass)
{
    constexpr std::array<std::wstring_view, 6> kRefused{L"progman", L"workerw", L"shell_traywnd",
                                                         L"shell_secondarytraywnd", L"notifyiconoverflowwindow",
                                                         L"toplevelwindowforoverflowxamlisland"};
    return IsClassAmong(windowClass, kRefused);
}

bool IsFleetingClass(std::wstring_view windowClass)
{
    constexpr std::array<std::wstring_view, 6> kFleeting{L"#32768", L"tooltips_class32", L"sysshadow",
                                                          L"ime",    L"msctfime ui",      L"combolbox"};
    return IsClassAmong(windowClass, kFleeting);
}

bool IsMainWindow(std::uint32_t style, std::uint32_t exStyle)
{
    constexpr std::uint32_t kChild = 0x40000000u;       // WS_CHILD
    constexpr std::uint32_t kVisible = 0x10000000u;     // WS_VISIBLE
    constexpr std::uint32_t kCaption = 0x00C00000u;     // WS_CAPTION
    constexpr std::uint32_t kToolWindow = 0x00000080u;  // WS_EX_TOOLWINDOW
    constexpr std::uint32_t kNoActivate = 0x08000000u;  // WS_EX_NOACTIVATE
    return (style & (kChild | kVisible)) == kVisible && (style & kCaption) == kCaption &&
           (exStyle & (kToolWindow | kNoActivate)) == 0;
}

// The state word: 1 layered, 2 click-through, 4 and 8 its flags, 16 a
// level given, 32 click-through given, 64 on top given, its alpha in the
// second byte and the level given in the third; the mark in the top bit.
std::pair<std::uintptr_t, std::uintptr_t> EncodeNote(const WindowNote& note)
{
    const std::uintptr_t state = kStateMark | (note.layered ? 1u : 0u) | (note.clickThrough ? 2u : 0u) |
                                 ((note.flags & 3u) << 2) | (note.given ? 16u : 0u) |
                                 (note.clickThroughGiven ? 32u : 0u) | (note.onTopGiven ? 64u : 0u) |
                                 (static_cast<std::uintptr_t>(note.alpha) << 8) |
                                 (static_cast<std::uintptr_t>(note.given.value_or(0)) << 16);
    return {state, kKeyMark | (note.key & 0xFFFFFFu)};
}

std::optional<WindowNote> DecodeNote(std::uintptr_t state, std::uintptr_t key)
{
    if ((state & kStateMark) == 0 || (key & kKeyMark) == 0) {
        return std::nullopt;
    }
    WindowNote note;
    note.layered = (state & 1u) != 0;
    note.clickThrough = (state & 2u) != 0;
    note.flags = static_cast<std::uint32_t>((state >> 2) & 3u);
    note.alpha = static_cast<std::uint8_t>((state >> 8) & 0xFFu);
    note.key = static_cast<std::uint32_t>(key & 0xFFFFFFu);
    if ((state & 16u) != 0) {
        note.given = static_cast<std::uint8_t>((state >> 16) & 0xFFu);
    }
    note.clickThroughGiven = (state & 32u) != 0;
    note.onTopGiven = (state & 64u) != 0;
    return note;
}

bool NoteStillHolds(const WindowNote& note, const WindowLayering& now)
{
    constexpr std::uint32_t kAlpha = 2;  // LWA_ALPHA
    if (note.given) {
        return now.layered && (now.flags & kAlpha) != 0 && now.alpha == *note.given;
    }
    if (now.layered != note.layered) {
        return false;
    }
    return !now.layered || (now.flags == note.flags && now.key == note.key && now.alpha == note.alpha);
}

WindowNote RenewedNote(const WindowNote& note, const WindowLayering& now, bool clickThroughNow, bool onTopNow)
{
    WindowNote renewed;
    renewed.layered = now.layered;
    renewed.flags = now.layered ? now.flags & 3u : 0u;
    renewed.key = now.layered ? now.key : 0u;
    renewed.alpha = now.layered ? now.alpha : 255;
    renewed.clickThroughGiven = note.clickThroughGiven && clickThroughNow;
    renewed.clickThrough = renewed.clickThroughGiven ? note.clickThrough : clickThroughNow;
    renewed.onTopGiven = note.onTopGiven && onTopNow;
    return renewed;
}

}  // namespace veloria
