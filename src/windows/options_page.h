// One page of the options dialog: a child dialog over the dialog's tab
// strip (DS_CONTROL, so the dialog's one IsDialogMessage walks into the
// page shown), drawn in the tab's own background, holding its controls.
//
// A page lists its controls in one table (kind, place, caption) that
// makes, places and captions them, and says itself how it shows the
// settings (Fill), what it gives the settings record when OK or Apply
// save (Save) and what it saves on its own after the record is written
// (Saved). Its controls' notifications come to the page itself.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "base/dpi.h"
#include "controls/slider.h"
#include "language/language_keys.h"
#include "settings/settings_record.h"

namespace veloria {

class OptionsHost;

namespace options {

// Places are pixels of the dialog at 96 DPI; a page stands here in it.
inline constexpr RECT kPageArea{16, 32, 481, 305};
inline constexpr int kSliderMin = 1;
inline constexpr int kSliderMax = 30;

enum class Kind {
    Button, DefaultButton, Check, Radio, Group, Label, Note, Line, Combo, List, HotKey, Picture, Field, TextBox,
    Progress,
    WrappingButton, WrappingCheck,  // captions on as many lines as their height holds
    Slider,      // with the sliders' tooltip
    BareSlider,  // without it
};

struct ControlRow {
    int id;
    Kind kind;
    int x, y, width, height;      // in the dialog, at 96 DPI
    std::optional<Lang> caption;  // else fixedText stays
    const wchar_t* fixedText = L"";
};

// Makes the controls of `rows` on `parent` in their order (their tab
// order), without a place; the sliders among them join `sliders`.
void MakeControls(HWND parent, std::span<const ControlRow> rows, std::vector<std::pair<int, Slider>>& sliders);
// Places them at `scale`, moved by `origin` (the parent's place in the dialog).
void PlaceControls(HWND parent, std::span<const ControlRow> rows, const DpiScale& scale, POINT origin);
// Captions those that have a text of the language in use.
void CaptionControls(HWND parent, std::span<const ControlRow> rows);

// What a page has of the dialog it stands in.
struct Sheet {
    HWND window;         // the dialog: owner of what a page tells
    OptionsHost* host;   // the main window's side
};

class OptionsPage {
public:
    OptionsPage(Lang title, std::span<const ControlRow> rows) : title_(title), rows_(rows) {}
    virtual ~OptionsPage() = default;
    OptionsPage(const OptionsPage&) = delete;
    OptionsPage& operator=(const OptionsPage&) = delete;

    // Makes the page and its controls on the dialog, over the tab strip.
    void Create(const Sheet& sheet);
    void LayOut(const DpiScale& scale);
    void Caption();
    void Show(bool shown);

    HWND window() const { return page_; }
    Lang Title() const { return title_; }

    // The settings in use, shown by the page's controls.
    virtual void Fill() {}
    // What the page gives the settings OK and Apply save.
    virtual void Save(SettingsRecord&) {}
    // What the page saves itself, after the settings are written.
    virtual void Saved() {}

protected:
    HWND Item(int id) const { return ::GetDlgItem(page_, id); }
    bool Ticked(int id) const;
    void SetTicked(int id, bool ticked) const;
    Slider& SliderOf(int id);
    const Sheet& sheet() const { return sheet_; }

    // After the controls are made, placed or captioned.
    virtual void Made() {}
    virtual void LaidOut(const DpiScale&) {}
    virtual void Captioned() {}
    // The page has come to the front.
    virtual void Selected() {}
    // A notification of one of the page's controls; true when taken.
    virtual bool Command(int /*id*/, int /*notification*/) { return false; }
    virtual bool Notify(const NMHDR& /*header*/) { return false; }
    virtual void Slid(int /*id*/, Slider& /*slider*/) {}
    // A message to the page of its own (WM_APP and above).
    virtual void Message(UINT /*message*/, WPARAM /*wParam*/) {}
    virtual void Destroyed() {}

private:
    static INT_PTR CALLBACK Procedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    Lang title_;
    std::span<const ControlRow> rows_;
    Sheet sheet_{};
    HWND page_ = nullptr;  // a child of the dialog: destroyed with it
    std::vector<std::pair<int, Slider>> sliders_;
    Slider none_;  // no window: what a row the page lacks gives, doing nothing
};

// The pages, in the order of their tabs.
std::unique_ptr<OptionsPage> MakeGeneralPage();
std::unique_ptr<OptionsPage> MakeStartPage();
std::unique_ptr<OptionsPage> MakeProgramsPage();
std::unique_ptr<OptionsPage> MakeMessengerPage();
std::unique_ptr<OptionsPage> MakeUpdatesPage();
std::unique_ptr<OptionsPage> MakeSponsorPage();

}  // namespace options
}  // namespace veloria
