// The owner of an ICMP echo handle (IcmpCreateFile), apart from the other
// owners so that only the code that pings pulls in the IP helper headers.
// The IP helper library is loaded by the first ping.
#pragma once

#include "base/handle.h"
#include "base/system_calls.h"

namespace veloria {

struct IcmpTraits {
    using Type = HANDLE;
    static Type Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) noexcept
    {
        if (Ping().CloseHandle != nullptr) {
            Ping().CloseHandle(handle);
        }
    }
};
using IcmpHandle = UniqueHandle<IcmpTraits>;

}  // namespace veloria
