// Where the tell-a-friend window puts its controls when it is resized. The
// rules are kept in twips (1440 to the inch), the unit the layout was
// drawn in; sizes come and go in pixels at the screen's `dpi`.
// No Windows header here: this file is also built into the native tests.
#pragma once

namespace veloria {

struct TellAFriendSizes {
    int clientWidth;
    int clientHeight;
    int sliderHeight;
    int buttonWidth;
    int buttonHeight;
    int dpi;
};

struct TellAFriendLayout {
    int browserWidth;   // reaches 250 twips beyond the client area's right edge
    int browserHeight;  // the client height less 500 twips
    int sliderTop;
    int buttonTop;
    int buttonLeft;
};

TellAFriendLayout LayOutTellAFriend(const TellAFriendSizes& sizes);

// The least client height (pixels) at which the page keeps some height and
// the slider and button stay inside the window.
int TellAFriendMinimumClientHeight(int dpi);

}  // namespace veloria
