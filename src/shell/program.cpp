#include "shell/program.h"

#include <commctrl.h>

#include "base/error_report.h"

namespace veloria {

Program::Program(HINSTANCE instance) : instance_(instance)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
}

int Program::Run()
{
    // Without its window the program can do nothing: the user is told why
    // it does not start rather than seeing nothing.
    if (!main_.Create(instance_)) {
        const DWORD error = ::GetLastError();
        ShowMessage(nullptr, L"Veloria could not start: Windows did not make its window (" + SystemErrorText(error) +
                                 L").", MB_ICONERROR);
        return 1;
    }
    return main_.Load() ? state_.loop.Run() : 0;
}

}  // namespace veloria
