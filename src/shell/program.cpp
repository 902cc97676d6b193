#include "shell/program.h"

#include <commctrl.h>

namespace veloria {

Program::Program(HINSTANCE instance) : instance_(instance)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
}

int Program::Run()
{
    if (!main_.Create(instance_)) {
        return 1;
    }
    return main_.Load() ? state_.loop.Run() : 0;
}

}  // namespace veloria
