#include "windows/tell_a_friend_layout.h"

#include "base/alpha_rules.h"

namespace veloria {

namespace {

constexpr double kTwipsPerInch = 1440.0;

double ToTwips(int pixels, int dpi)
{
    return static_cast<double>(pixels) * kTwipsPerInch / static_cast<double>(dpi);
}

int ToPixels(double twips, int dpi)
{
    return RoundHalfEven(twips * static_cast<double>(dpi) / kTwipsPerInch);
}

}  // namespace

TellAFriendLayout LayOutTellAFriend(const TellAFriendSizes& sizes)
{
    const int dpi = sizes.dpi > 0 ? sizes.dpi : 96;
    const double browserWidth = ToTwips(sizes.clientWidth, dpi) + 250;
    const double browserHeight = ToTwips(sizes.clientHeight, dpi) - 500;
    TellAFriendLayout layout{};
    layout.browserWidth = ToPixels(browserWidth, dpi);
    layout.browserHeight = ToPixels(browserHeight, dpi);
    layout.sliderTop = ToPixels(browserHeight - ToTwips(sizes.sliderHeight, dpi) + 350, dpi);
    layout.buttonTop = ToPixels(browserHeight - ToTwips(sizes.buttonHeight, dpi) + 450, dpi);
    layout.buttonLeft = ToPixels(browserWidth - ToTwips(sizes.buttonWidth, dpi) - 300, dpi);
    return layout;
}

int TellAFriendMinimumClientHeight(int dpi)
{
    // 500 twips under the page for the slider and the button, and as much
    // again for the page itself.
    return ToPixels(1000, dpi > 0 ? dpi : 96);
}

}  // namespace veloria
