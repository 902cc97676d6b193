#include "transparency/pick_rules.h"

#include "base/alpha_rules.h"

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

}  // namespace veloria
