// The main window's tray menu: its entries, captioned in the language in
// use, the language submenu listing the language folder, and what each
// entry does.
#include "shell/main_window.h"

#include <algorithm>
#include <optional>
#include <string>

#include "base/shell_open.h"
#include "language/language_file.h"
#include "language/language_folder.h"
#include "language/language_keys.h"
#include "settings/settings_record.h"
#include "shell/tray_icon.h"
#include "transparency/alpha_blend.h"
#include "transparency/taskbar.h"
#include "update/web_links.h"
#include "windows/about_window.h"
#include "windows/tell_a_friend_window.h"

namespace veloria {

namespace {

void SetEntryCaption(HMENU menu, UINT position, const std::wstring& caption)
{
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING;
    item.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    ::SetMenuItemInfoW(menu, position, TRUE, &item);
}

}  // namespace

void MainWindow::BuildMenu()
{
    menuPop_.reset(::CreatePopupMenu());
    menuLanguage_ = ::CreatePopupMenu();
    // The submenu's first line stays as the template of the language entries.
    ::AppendMenuW(menuLanguage_, MF_SEPARATOR, 0, nullptr);
    for (UINT position = 0; position < kTrayMenu.size(); ++position) {
        switch (kTrayMenu[position].command) {
        case TrayCommand::Separator:
            ::AppendMenuW(menuPop_.get(), MF_SEPARATOR, 0, nullptr);
            break;
        case TrayCommand::Language:
            ::AppendMenuW(menuPop_.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menuLanguage_), L"");
            break;
        default:
            ::AppendMenuW(menuPop_.get(), MF_STRING, kTrayCommandBase + position, L"");
            break;
        }
    }
}

void MainWindow::SetLanguage()
{
    for (UINT position = 0; position < kTrayMenu.size(); ++position) {
        if (const auto caption = kTrayMenu[position].caption) {
            SetEntryCaption(menuPop_.get(), position, LanguageText(*caption));
        }
    }
}

void MainWindow::BuildLanguageMenu()
{
    while (::GetMenuItemCount(menuLanguage_) > 1) {
        ::DeleteMenu(menuLanguage_, 1, MF_BYPOSITION);
    }
    // Command ids are 16 bits: a folder with more files than that offers
    // the first ones only.
    const auto& files = LanguageFiles();
    const std::size_t shown = std::min<std::size_t>(files.size(), kMostLanguageEntries);
    for (std::size_t k = 0; k < shown; ++k) {
        ::AppendMenuW(menuLanguage_, MF_STRING | MF_ENABLED, kLanguageCommandBase + k + 1, files[k].c_str());
    }
}

bool MainWindow::TaskbarMarked() const
{
    return (::GetMenuState(menuPop_.get(), kTaskbarEntry, MF_BYPOSITION) & MF_CHECKED) != 0;
}

void MainWindow::SetTaskbarMark(bool marked)
{
    ::CheckMenuItem(menuPop_.get(), kTaskbarEntry, MF_BYPOSITION | (marked ? MF_CHECKED : MF_UNCHECKED));
}

void MainWindow::ShowPopupMenu(bool fromKeyboard)
{
    // The program's own process comes to the front, so that the menu closes
    // when the user clicks elsewhere.
    ::SetForegroundWindow(hwnd());
    POINT at{};
    if (const std::optional<POINT> icon = fromKeyboard ? TrayIconPlace(hwnd()) : std::nullopt) {
        at = *icon;
    } else {
        ::GetCursorPos(&at);
    }
    mouseMenuOpen_ = !fromKeyboard;
    // The choice is carried out before any other message is read: a menu
    // opened right after it already shows what it did.
    const auto chosen = static_cast<UINT>(
        ::TrackPopupMenu(menuPop_.get(), TPM_RETURNCMD, at.x, at.y, 0, hwnd(), nullptr));
    ::PostMessageW(hwnd(), WM_NULL, 0, 0);
    if (!fromKeyboard) {
        mouseMenuOpen_ = false;
        mouseMenuEnded_ = ::GetTickCount();
    }
    if (chosen != 0) {
        OnCommand(chosen);
    } else if (fromKeyboard) {
        GiveFocusBackToTray(hwnd());
    }
}

void MainWindow::OnCommand(UINT id)
{
    if (id > kLanguageCommandBase) {
        OnLanguageEntry(id - kLanguageCommandBase);
    } else if (const auto command = TrayCommandOf(id)) {
        OnMenuEntry(*command);
    }
}

void MainWindow::OnMenuEntry(TrayCommand command)
{
    switch (command) {
    case TrayCommand::Taskbar:
        OnTaskbarEntry();
        break;
    case TrayCommand::Options:
        windows_.options.Show(instance_, *this);
        break;
    case TrayCommand::Help:
        OnHelpEntry();
        break;
    case TrayCommand::RestoreAll:
        ClearEveryChangedWindow();
        break;
    case TrayCommand::Close:
        OnCloseEntry();
        break;
    case TrayCommand::About:
        windows_.about.Show(instance_);
        break;
    case TrayCommand::TellAFriend:
        windows_.tellAFriend.Show(instance_);
        break;
    default:
        break;
    }
}

void MainWindow::OnTaskbarEntry()
{
    if (!TaskbarMarked()) {
        transparenttaskbar(TaskbarLevel(Settings()));
        SetTaskbarMark(true);
        if (TaskbarMayIgnoreLevels() && !taskbarTold_) {
            taskbarTold_ = true;
            ShowTrayBalloon(hwnd(), LanguageText(Lang::LANG_BALLOON_TASKBAR_TITLE),
                            LanguageText(Lang::LANG_BALLOON_TASKBAR));
        }
    } else {
        transparenttaskbar(255);
        SetTaskbarMark(false);
    }
}

// A translucent taskbar's level goes to every taskbar there is now, and
// (`again`) once more a little later, to those the shell makes after it.
void MainWindow::LookAtTaskbars(bool again)
{
    if (TaskbarMarked()) {
        transparenttaskbar(LastTaskbarLevel());
        if (again) {
            ::SetTimer(hwnd(), kTaskbarLookTimer, kTaskbarLookMs, nullptr);
        }
    }
}

void MainWindow::OnLanguageEntry(UINT entry)
{
    const auto& files = LanguageFiles();
    if (entry == 0 || entry > files.size()) {
        return;
    }
    // In memory only: the options dialog is what saves the choice.
    Settings().LanguageFile = files[entry - 1];
    LoadLanguage(LanguageFileName(Settings()));
    SetLanguage();
    BuildLanguageMenu();
    ::CheckMenuItem(menuLanguage_, entry, MF_BYPOSITION | MF_CHECKED);
    ShowBanner();
}

void MainWindow::OnHelpEntry()
{
    OpenInBrowser(hwnd(), HelpAddress(CurrentAddressParts()));
}

void MainWindow::OnCloseEntry()
{
    // The shut-down ends the message loop; the program then ends at once.
    ::DestroyWindow(hwnd());
}

}  // namespace veloria
