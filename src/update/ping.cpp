#include "update/ping.h"

#include "base/icmp_handle.h"
#include "base/system_calls.h"

#include <array>
#include <cstring>

namespace veloria {

namespace {

// The socket library, started for as long as this lives.
class Sockets {
public:
    Sockets() : started_(Ping().Startup(MAKEWORD(1, 1), &data_) == 0) {}
    ~Sockets()
    {
        if (started_) {
            Ping().Cleanup();
        }
    }
    Sockets(const Sockets&) = delete;
    Sockets& operator=(const Sockets&) = delete;
    bool started() const { return started_; }

private:
    WSADATA data_{};
    bool started_;
};

// The first IPv4 address of `host`, or 0.
IPAddr AddressOf(const std::wstring& host)
{
    ADDRINFOW hints{};
    hints.ai_family = AF_INET;
    ADDRINFOW* found = nullptr;
    // The name as the resolver was always given it: at most 64 characters.
    if (Ping().AddressesOf(host.substr(0, 64).c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
        return 0;
    }
    IPAddr target = 0;
    if (found->ai_family == AF_INET && found->ai_addr != nullptr && found->ai_addrlen >= sizeof(sockaddr_in)) {
        target = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    }
    Ping().FreeAddresses(found);
    return target;
}

}  // namespace

bool PingHost(const std::wstring& host)
{
    if (!Ping().Loaded()) {
        return false;
    }
    const Sockets sockets;
    const IPAddr target = sockets.started() ? AddressOf(host) : 0;
    if (target == 0) {
        return false;
    }
    const IcmpHandle icmp(Ping().CreateFile());
    if (!icmp) {
        return false;
    }
    std::array<char, 32> request;
    request.fill('A');
    IP_OPTION_INFORMATION options{};
    options.Ttl = 255;
    // The reply record, the echoed data and room for an ICMP error: 163
    // bytes, zeroed.
    alignas(ICMP_ECHO_REPLY) std::array<unsigned char, 163> reply{};
    const DWORD replies = Ping().SendEcho(icmp.get(), target, request.data(), static_cast<WORD>(request.size()),
                                         &options, reply.data(), static_cast<DWORD>(reply.size()), 2000);
    ICMP_ECHO_REPLY record{};
    std::memcpy(&record, reply.data(), std::min(sizeof(record), reply.size()));
    return replies > 0 && record.Status == IP_SUCCESS;
}

}  // namespace veloria
