// The messenger client's automation component: new conversation windows
// get the level of the settings by themselves.
//
// The main window creates the component's Messenger object at the end of
// start-up and listens to its events (dispinterface DMessengerEvents)
// through its connection point; of those it handles OnIMWindowCreated only.
// Where the component is not installed nothing happens and nothing is said.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include "base/com_ptr.h"

namespace veloria {

// The component's class Messenger and its event interface.
inline constexpr GUID kMessengerClassId = {
    0xB69003B3, 0xC55E, 0x4B48, {0x83, 0x6C, 0xBC, 0x59, 0x46, 0xFC, 0x3B, 0x28}};
inline constexpr GUID kMessengerEventsId = {
    0xC9A6A6B6, 0x9BC1, 0x43A5, {0xB0, 0x6B, 0xE5, 0x88, 0x74, 0xEE, 0xBC, 0x96}};
inline constexpr DISPID kOnIMWindowCreated = 0x411;

class MessengerConnection {
public:
    MessengerConnection() = default;
    ~MessengerConnection() { Disconnect(); }
    MessengerConnection(const MessengerConnection&) = delete;
    MessengerConnection& operator=(const MessengerConnection&) = delete;

    // True when the component was there and its events now arrive.
    bool Connect();

    // Stops the events and lets the component go.
    void Disconnect();

private:
    ComPtr<IUnknown> messenger_;
    ComPtr<IConnectionPoint> point_;
    ComPtr<IDispatch> sink_;
    DWORD cookie_ = 0;
};

// What the event does with the window object it reports: read its "hWnd"
// by name and give that window the level of the settings. A failed read
// does nothing.
void msnMessenger_OnIMWindowCreated(IDispatch* pIMWindow);

}  // namespace veloria
