// The shape of the program's modeless dialogs, beside WindowBase: a struct
// holding the dialog's state, bound to its HWND at WM_INITDIALOG and
// unbound at WM_NCDESTROY, with one member HandleMessage doing the work.
// While it is open the dialog is registered with the message loop, which
// gives it the keyboard handling of a dialog.
//
// HandleMessage answers as a dialog procedure does: TRUE for a message it
// handled (a result for the sender goes through Answer), FALSE to leave it
// to the dialog manager. OK and Cancel end a modeless dialog with
// DestroyWindow, never EndDialog. No exception leaves the procedure.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/message_loop.h"

namespace veloria {

// A DLGTEMPLATE with no controls, in the default GUI font (DS_SETFONT is
// added): header, no menu, the standard class, the title and the font, as
// UTF-16 words. `width` and `height` are in dialog units.
inline std::vector<WORD> EmptyDialogTemplate(const wchar_t* title, DWORD style, DWORD exStyle, short width,
                                             short height)
{
    static_assert(sizeof(DLGTEMPLATE) == 18, "the header is packed; the words after it follow at once");
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    DLGTEMPLATE header{style | DS_SETFONT, exStyle, 0, 0, 0, width, height};
    std::memcpy(words.data(), &header, sizeof(header));
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    for (const wchar_t* text : {title, L"MS Shell Dlg"}) {
        if (text != title) {
            words.push_back(8);  // the font's point size comes before its name
        }
        for (; *text != L'\0'; ++text) {
            words.push_back(static_cast<WORD>(*text));
        }
        words.push_back(0);
    }
    return words;
}

// Whether a check box or an option button is ticked; ticks or clears it.
inline bool IsTicked(HWND button) noexcept
{
    return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
inline void SetTicked(HWND button, bool ticked) noexcept
{
    ::SendMessageW(button, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

template <typename Derived>
class DialogBase {
public:
    HWND hwnd() const noexcept { return hwnd_; }

protected:
    DialogBase() = default;
    ~DialogBase() = default;
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;

    // An empty dialog in the default GUI font, `width` x `height` dialog
    // units, whose controls the window makes itself at WM_INITDIALOG.
    HWND CreateFromCode(HINSTANCE instance, const wchar_t* title, DWORD style, DWORD exStyle, short width,
                        short height, HWND owner) noexcept
    {
        try {
            const std::vector<WORD> layout = EmptyDialogTemplate(title, style, exStyle, width, height);
            return ::CreateDialogIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(layout.data()), owner,
                                                &DialogBase::Procedure, reinterpret_cast<LPARAM>(this));
        } catch (...) {
            return nullptr;
        }
    }

    // The result of a handled message for its sender (DWLP_MSGRESULT).
    INT_PTR Answer(LRESULT result) noexcept
    {
        ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
    }

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
    {
        Derived* self = nullptr;
        if (message == WM_INITDIALOG) {
            self = static_cast<Derived*>(reinterpret_cast<DialogBase*>(lParam));
            self->hwnd_ = window;
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        }
        if (self == nullptr) {
            return FALSE;
        }
        INT_PTR result = FALSE;
        try {
            if (message == WM_INITDIALOG) {
                AddModelessWindow(window);
            }
            // A dialog laid out for its monitor's DPI takes a change of it
            // in its base (scaled_window.h).
            if constexpr (requires { self->TakeScaleChange(message, wParam, lParam); }) {
                if (self->TakeScaleChange(message, wParam, lParam)) {
                    return TRUE;
                }
            }
            result = self->HandleMessage(message, wParam, lParam);
        } catch (...) {
            result = FALSE;
        }
        if (message == WM_NCDESTROY) {
            RemoveModelessWindow(window);
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    }

    HWND hwnd_ = nullptr;
};

}  // namespace veloria
