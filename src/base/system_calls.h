// Every function of a system library the program binds late, in one list:
// those of a newer Windows than the one the program is built for (their
// types are written here: the program is built for Windows Vista's
// headers, so that nothing newer is called by accident), and those of
// libraries the program needs only now and then (the update check's web
// and network calls), so that a start that never checks never loads them.
//
// Each group is looked up, library and all, on its first use; a function
// the system lacks is null. A function is added by adding its line here.
#pragma once

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>
#include <oleacc.h>
#include <oleauto.h>
#include <uxtheme.h>
#include <winhttp.h>
#include <ws2tcpip.h>
#include <wtsapi32.h>

#include "base/late_bound.h"

namespace veloria {

// Of user32, shcore and comctl32 of Windows 8.1 and 10: the scale.
struct DpiCalls {
    using ForWindowCall = UINT WINAPI(HWND);
    using ForMonitorCall = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
    using ParametersForDpiCall = BOOL WINAPI(UINT, UINT, void*, UINT, UINT);
    using AdjustForDpiCall = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
    using MetricsForDpiCall = int WINAPI(int, UINT);
    using DialogBehaviourCall = BOOL WINAPI(HWND, int, int);
    using IconScaledDownCall = HRESULT WINAPI(HINSTANCE, const wchar_t*, int, int, HICON*);

    ForWindowCall* ForWindow = LateBound<ForWindowCall>(L"user32.dll", "GetDpiForWindow");
    ForMonitorCall* ForMonitor = LateBound<ForMonitorCall>(L"shcore.dll", "GetDpiForMonitor");
    ParametersForDpiCall* ParametersForDpi =
        LateBound<ParametersForDpiCall>(L"user32.dll", "SystemParametersInfoForDpi");
    AdjustForDpiCall* AdjustForDpi = LateBound<AdjustForDpiCall>(L"user32.dll", "AdjustWindowRectExForDpi");
    MetricsForDpiCall* MetricsForDpi = LateBound<MetricsForDpiCall>(L"user32.dll", "GetSystemMetricsForDpi");
    DialogBehaviourCall* DialogBehaviour = LateBound<DialogBehaviourCall>(L"user32.dll", "SetDialogDpiChangeBehavior");
    IconScaledDownCall* IconScaledDown = LateBound<IconScaledDownCall>(L"comctl32.dll", "LoadIconWithScaleDown");
};
const DpiCalls& Dpi();

// Of the system at large: the true version, the message filter of an
// elevated window (Windows 7), the session's notifications and the place
// of the tray icon (Windows 7).
struct SystemCalls {
    using VersionCall = LONG WINAPI(OSVERSIONINFOW*);
    using FilterMessageCall = BOOL WINAPI(HWND, UINT, DWORD, void*);
    struct TrayIconIdentity {  // NOTIFYICONIDENTIFIER
        DWORD cbSize;
        HWND hWnd;
        UINT uID;
        GUID guidItem;
    };
    using TrayIconPlaceCall = HRESULT WINAPI(const TrayIconIdentity*, RECT*);

    VersionCall* RtlGetVersion = LateBound<VersionCall>(L"ntdll.dll", "RtlGetVersion");
    FilterMessageCall* ChangeWindowMessageFilterEx =
        LateBound<FilterMessageCall>(L"user32.dll", "ChangeWindowMessageFilterEx");
    decltype(&::WTSRegisterSessionNotification) RegisterSessionNotification =
        VELORIA_LATE_BOUND("wtsapi32.dll", WTSRegisterSessionNotification);
    decltype(&::WTSUnRegisterSessionNotification) UnregisterSessionNotification =
        VELORIA_LATE_BOUND("wtsapi32.dll", WTSUnRegisterSessionNotification);
    TrayIconPlaceCall* TrayIconPlace = LateBound<TrayIconPlaceCall>(L"shell32.dll", "Shell_NotifyIconGetRect");
};
const SystemCalls& System();

// The window manager's attributes, when a pick by the keyboard first looks
// behind a window (the start never loads its library).
struct WindowManagerCalls {
    // Whether a window is hidden by the window manager though shown
    // (DWMWA_CLOAKED, Windows 8: another virtual desktop, a suspended app).
    static constexpr DWORD kCloaked = 14;
    using WindowAttributeCall = HRESULT WINAPI(HWND, DWORD, void*, DWORD);
    WindowAttributeCall* WindowAttribute = LateBound<WindowAttributeCall>(L"dwmapi.dll", "DwmGetWindowAttribute");
};
const WindowManagerCalls& WindowManager();

// The theme library, when a dialog first shows a page.
struct ThemeCalls {
    decltype(&::EnableThemeDialogTexture) DialogTexture = VELORIA_LATE_BOUND("uxtheme.dll", EnableThemeDialogTexture);
};
const ThemeCalls& Theme();

// The accessibility library, when a screen reader first asks a control.
struct AccessibilityCalls {
    decltype(&::LresultFromObject) ResultFromObject = VELORIA_LATE_BOUND("oleacc.dll", LresultFromObject);
    decltype(&::CreateStdAccessibleObject) StandardObject =
        VELORIA_LATE_BOUND("oleacc.dll", CreateStdAccessibleObject);
    decltype(&::AccessibleObjectFromWindow) ObjectFromWindow =
        VELORIA_LATE_BOUND("oleacc.dll", AccessibleObjectFromWindow);
};
const AccessibilityCalls& Accessibility();

// OLE Automation's texts and variants, for the browser and the manifest.
struct AutomationCalls {
    decltype(&::SysAllocString) AllocString = VELORIA_LATE_BOUND("oleaut32.dll", SysAllocString);
    decltype(&::SysFreeString) FreeString = VELORIA_LATE_BOUND("oleaut32.dll", SysFreeString);
    decltype(&::SysStringLen) StringLength = VELORIA_LATE_BOUND("oleaut32.dll", SysStringLen);
    decltype(&::VariantClear) Clear = VELORIA_LATE_BOUND("oleaut32.dll", VariantClear);
    decltype(&::VariantChangeType) ChangeType = VELORIA_LATE_BOUND("oleaut32.dll", VariantChangeType);
};
const AutomationCalls& Automation();

// WinHTTP, by the first fetch.
struct WinHttpCalls {
    decltype(&::WinHttpCrackUrl) CrackUrl = VELORIA_LATE_BOUND("winhttp.dll", WinHttpCrackUrl);
    decltype(&::WinHttpOpen) Open = VELORIA_LATE_BOUND("winhttp.dll", WinHttpOpen);
    decltype(&::WinHttpSetTimeouts) SetTimeouts = VELORIA_LATE_BOUND("winhttp.dll", WinHttpSetTimeouts);
    decltype(&::WinHttpConnect) Connect = VELORIA_LATE_BOUND("winhttp.dll", WinHttpConnect);
    decltype(&::WinHttpOpenRequest) OpenRequest = VELORIA_LATE_BOUND("winhttp.dll", WinHttpOpenRequest);
    decltype(&::WinHttpSendRequest) SendRequest = VELORIA_LATE_BOUND("winhttp.dll", WinHttpSendRequest);
    decltype(&::WinHttpReceiveResponse) ReceiveResponse = VELORIA_LATE_BOUND("winhttp.dll", WinHttpReceiveResponse);
    decltype(&::WinHttpQueryHeaders) QueryHeaders = VELORIA_LATE_BOUND("winhttp.dll", WinHttpQueryHeaders);
    decltype(&::WinHttpSetOption) SetOption = VELORIA_LATE_BOUND("winhttp.dll", WinHttpSetOption);
    decltype(&::WinHttpQueryDataAvailable) QueryDataAvailable =
        VELORIA_LATE_BOUND("winhttp.dll", WinHttpQueryDataAvailable);
    decltype(&::WinHttpReadData) ReadData = VELORIA_LATE_BOUND("winhttp.dll", WinHttpReadData);
    decltype(&::WinHttpCloseHandle) CloseHandle = VELORIA_LATE_BOUND("winhttp.dll", WinHttpCloseHandle);

    bool Loaded() const
    {
        return CrackUrl && Open && SetTimeouts && Connect && OpenRequest && SendRequest && ReceiveResponse &&
               QueryHeaders && SetOption && QueryDataAvailable && ReadData && CloseHandle;
    }
};
const WinHttpCalls& WinHttp();

// The socket and IP helper libraries, by the first ping.
struct PingCalls {
    decltype(&::WSAStartup) Startup = VELORIA_LATE_BOUND("ws2_32.dll", WSAStartup);
    decltype(&::WSACleanup) Cleanup = VELORIA_LATE_BOUND("ws2_32.dll", WSACleanup);
    decltype(&::GetAddrInfoW) AddressesOf = VELORIA_LATE_BOUND("ws2_32.dll", GetAddrInfoW);
    decltype(&::FreeAddrInfoW) FreeAddresses = VELORIA_LATE_BOUND("ws2_32.dll", FreeAddrInfoW);
    decltype(&::IcmpCreateFile) CreateFile = VELORIA_LATE_BOUND("iphlpapi.dll", IcmpCreateFile);
    decltype(&::IcmpSendEcho) SendEcho = VELORIA_LATE_BOUND("iphlpapi.dll", IcmpSendEcho);
    decltype(&::IcmpCloseHandle) CloseHandle = VELORIA_LATE_BOUND("iphlpapi.dll", IcmpCloseHandle);

    bool Loaded() const
    {
        return Startup && Cleanup && AddressesOf && FreeAddresses && CreateFile && SendEcho && CloseHandle;
    }
};
const PingCalls& Ping();

}  // namespace veloria
