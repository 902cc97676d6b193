// The main window's keys: registered as the settings give them, each key
// another program holds or AltGr types told once, and what each does to
// the window in front.
#include "shell/main_window.h"

#include <algorithm>
#include <optional>
#include <string>

#include "language/language_file.h"
#include "language/language_keys.h"
#include "settings/hot_key_layouts.h"
#include "settings/hot_keys.h"
#include "shell/tray_icon.h"
#include "transparency/alpha_blend.h"
#include "transparency/key_actions.h"
#include "transparency/pick_rules.h"
#include "transparency/picker.h"

namespace veloria {

void MainWindow::KeysChanged()
{
    const KeySettings& keys = Keys();
    std::wstring taken;
    std::wstring typing;
    AltGrCharacters characters;
    // Each key is told once, whichever of the two keeps it from working.
    const auto tellOnce = [this](std::wstring& list, const std::wstring& name) {
        if (std::find(keysTold_.begin(), keysTold_.end(), name) == keysTold_.end()) {
            keysTold_.push_back(name);
            list += (list.empty() ? L"" : L", ") + name;
        }
    };
    for (std::size_t action = 0; action < kKeyActionCount; ++action) {
        const int id = kHotKeyBase + static_cast<int>(action);
        ::UnregisterHotKey(hwnd(), id);
        const std::optional<HotKey>& key = keys.keys[action];
        if (!key || (static_cast<KeyAction>(action) == KeyAction::ClickThrough && !keys.clickThrough)) {
            continue;
        }
        // A key that AltGr types on one of the user's keyboards stays in
        // the settings but is not taken from their typing.
        if (const auto character = characters.TypedBy(*key)) {
            tellOnce(typing, HotKeyAndCharacterText(*key, *character));
            continue;
        }
        // The steps repeat while their key is held; the others act once.
        const bool steps = action <= static_cast<std::size_t>(KeyAction::MoreSolid);
        constexpr UINT kNoRepeat = 0x4000;  // MOD_NOREPEAT
        if (!::RegisterHotKey(hwnd(), id, key->modifiers | (steps ? 0 : kNoRepeat), key->key)) {
            tellOnce(taken, HotKeyText(*key));
        }
    }
    if (!taken.empty() || !typing.empty()) {
        const std::wstring text =
            (taken.empty() ? L"" : LanguageText(Lang::LANG_BALLOON_KEYTAKEN, taken)) +
            (taken.empty() || typing.empty() ? L"" : L"\n") +
            (typing.empty() ? L"" : LanguageText(Lang::LANG_BALLOON_KEYTYPES, typing));
        ShowTrayBalloon(hwnd(), LanguageText(Lang::LANG_BALLOON_KEYTAKEN_TITLE), text);
    }
    WatchWheel(hwnd(), kWheelStepMessage, keys.wheel, keys.wheelModifiers);
}

// A key acts on the window in front; never on the program's hidden window.
void MainWindow::OnHotKey(WPARAM id)
{
    const HWND window = PickableWindow(::GetForegroundWindow());
    if (window == nullptr || window == hwnd() || id < kHotKeyBase) {
        return;
    }
    switch (static_cast<KeyAction>(id - kHotKeyBase)) {
    case KeyAction::MoreSeeThrough:
        StepWindowLevel(window, -1);
        break;
    case KeyAction::MoreSolid:
        StepWindowLevel(window, 1);
        break;
    case KeyAction::Opaque:
        ClearWindowAlpha(window);
        break;
    case KeyAction::ClickThrough:
        // The first time a window is made click-through, the user hears
        // how to get it back.
        if (Keys().clickThrough && ToggleClickThrough(window) == ClickThroughToggle::Started &&
            std::find(clickThroughTold_.begin(), clickThroughTold_.end(), window) == clickThroughTold_.end()) {
            if (clickThroughTold_.size() >= 256) {
                clickThroughTold_.erase(clickThroughTold_.begin());
            }
            clickThroughTold_.push_back(window);
            const std::optional<HotKey>& key = Keys()[KeyAction::ClickThrough];
            ShowTrayBalloon(hwnd(), LanguageText(Lang::LANG_BALLOON_CLICKTHROUGH_TITLE),
                            LanguageText(Lang::LANG_BALLOON_CLICKTHROUGH, key ? HotKeyText(*key) : L""));
        }
        break;
    case KeyAction::OnTop:
        ToggleOnTop(window);
        break;
    case KeyAction::Pick:
        PickWindowForPopup(instance_, window, windows_.levelPopup);
        break;
    }
}

}  // namespace veloria
