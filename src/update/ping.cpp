#include "update/ping.h"

#include "base/icmp_handle.h"
#include "base/late_bound.h"

#include <array>
#include <cstring>

namespace veloria {

namespace {

// The socket and IP helper libraries, loaded by the first ping.
struct PingCalls {
    decltype(&::WSAStartup) Startup = VELORIA_LATE_BOUND("ws2_32.dll", WSAStartup);
    decltype(&::WSACleanup) Cleanup = VELORIA_LATE_BOUND("ws2_32.dll", WSACleanup);
    decltype(&::gethostbyname) HostByName = VELORIA_LATE_BOUND("ws2_32.dll", gethostbyname);
    decltype(&::IcmpCreateFile) CreateFile = VELORIA_LATE_BOUND("iphlpapi.dll", IcmpCreateFile);
    decltype(&::IcmpSendEcho) SendEcho = VELORIA_LATE_BOUND("iphlpapi.dll", IcmpSendEcho);

    bool Loaded() const { return Startup && Cleanup && HostByName && CreateFile && SendEcho; }
};

const PingCalls& Ping()
{
    static const PingCalls calls;
    return calls;
}

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

}  // namespace

bool PingHost(const std::string& host)
{
    if (!Ping().Loaded()) {
        return false;
    }
    const Sockets sockets;
    // The name as the resolver was always given it: at most 64 characters.
    std::array<char, 65> name{};
    std::memcpy(name.data(), host.data(), std::min<std::size_t>(host.size(), 64));
    const hostent* found = sockets.started() ? Ping().HostByName(name.data()) : nullptr;
    if (found == nullptr || found->h_addrtype != AF_INET || found->h_addr_list == nullptr ||
        found->h_addr_list[0] == nullptr) {
        return false;
    }
    IPAddr target = 0;
    std::memcpy(&target, found->h_addr_list[0], sizeof(target));
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
