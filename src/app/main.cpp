// Entry point: the program, made here, runs the start-up, then idles in the
// message loop until the main window is gone, and ends here.
#include <windows.h>

#include <cstdlib>

#include "base/late_bound.h"
#include "shell/program.h"

// An exception that escapes everything ends the program at once. The
// runtime's own handler would first print the exception's demangled type
// to a console this program does not have, and would bring its name
// demangler (some 45 KB) into the program for that.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Before anything loads a library by name.
    veloria::LoadLibrariesFromTheSystemOnly();
    veloria::Program program(instance);
    return program.Run();
}
