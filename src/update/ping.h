// ICMP: whether the maker's web server answers, asked before the update
// check and before the updates tab lists the manifest.
#pragma once

#include <string>

namespace veloria {

// One echo request to `host` (its first 64 characters), answered within
// two seconds: true. A name that does not resolve to an IPv4 address is
// false at once; so is an echo that got no reply, whatever the untouched
// reply record would say.
bool PingHost(const std::wstring& host);

}  // namespace veloria
