// The owner of an ICMP echo handle (IcmpCreateFile), apart from the other
// owners so that only the code that pings pulls in the IP helper headers.
// The IP helper library is loaded by the first ping.
#pragma once

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>

#include "base/handle.h"
#include "base/late_bound.h"

namespace veloria {

struct IcmpTraits {
    using Type = HANDLE;
    static Type Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) noexcept
    {
        static const auto close = VELORIA_LATE_BOUND("iphlpapi.dll", IcmpCloseHandle);
        if (close != nullptr) {
            close(handle);
        }
    }
};
using IcmpHandle = UniqueHandle<IcmpTraits>;

}  // namespace veloria
