#include "base/system_calls.h"

namespace veloria {

const DpiCalls& Dpi()
{
    static const DpiCalls calls;
    return calls;
}

const SystemCalls& System()
{
    static const SystemCalls calls;
    return calls;
}

const WindowManagerCalls& WindowManager()
{
    static const WindowManagerCalls calls;
    return calls;
}

const ThemeCalls& Theme()
{
    static const ThemeCalls calls;
    return calls;
}

const AccessibilityCalls& Accessibility()
{
    static const AccessibilityCalls calls;
    return calls;
}

const AutomationCalls& Automation()
{
    static const AutomationCalls calls;
    return calls;
}

const WinHttpCalls& WinHttp()
{
    static const WinHttpCalls calls;
    return calls;
}

const PingCalls& Ping()
{
    static const PingCalls calls;
    return calls;
}

}  // namespace veloria
