#include "controls/page_rules.h"

#include <algorithm>
#include <cstddef>

namespace veloria {

namespace {

wchar_t Lower(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view start)
{
    return text.size() >= start.size() &&
           std::equal(start.begin(), start.end(), text.begin(), [](wchar_t a, wchar_t b) { return a == Lower(b); });
}

// The leading decimal number of a version text; -1 when it has none.
long Major(std::wstring_view version)
{
    long major = -1;
    for (const wchar_t c : version) {
        if (c < L'0' || c > L'9' || major > 1000) {
            break;
        }
        major = (major < 0 ? 0 : major * 10) + (c - L'0');
    }
    return major;
}

std::wstring_view WithoutWww(std::wstring_view host)
{
    return host.substr(host.rfind(L"www.", 0) == 0 ? 4 : 0);
}

bool IsSubdomain(std::wstring_view host, std::wstring_view of)
{
    return host.size() > of.size() && host.substr(host.size() - of.size()) == of &&
           host[host.size() - of.size() - 1] == L'.';
}

}  // namespace

unsigned long BrowserEmulationMode(std::wstring_view serviceVersion, std::wstring_view version)
{
    // From version 10 on "Version" reads 9.10, 9.11: "svcVersion" holds
    // the true one.
    const long major = Major(serviceVersion) > 0 ? Major(serviceVersion) : Major(version);
    if (major >= 11) {
        return 11001;
    }
    switch (major) {
    case 10:
        return 10001;
    case 9:
        return 9999;
    case 8:
        return 8888;
    default:
        return 0;
    }
}

bool IsWebAddress(std::wstring_view address)
{
    for (const std::wstring_view scheme : {std::wstring_view(L"http://"), std::wstring_view(L"https://")}) {
        if (StartsWithNoCase(address, scheme)) {
            return address.size() > scheme.size() && address[scheme.size()] != L'/';
        }
    }
    return false;
}

std::wstring HostOf(std::wstring_view address)
{
    if (!IsWebAddress(address)) {
        return {};
    }
    std::wstring_view rest = address.substr(address.find(L"//") + 2);
    rest = rest.substr(0, std::min(rest.find_first_of(L"/?#\\"), rest.size()));
    rest = rest.substr(rest.rfind(L'@') == std::wstring_view::npos ? 0 : rest.rfind(L'@') + 1);  // user:password@
    if (!rest.empty() && rest.front() != L'[') {
        rest = rest.substr(0, std::min(rest.find(L':'), rest.size()));  // the port
    }
    std::wstring host(rest);
    std::transform(host.begin(), host.end(), host.begin(), Lower);
    return host;
}

bool OnSite(std::wstring_view host, std::wstring_view site)
{
    const std::wstring_view a = WithoutWww(host);
    const std::wstring_view b = WithoutWww(site);
    return !b.empty() && (a == b || IsSubdomain(a, b));
}

PageStep TopLevelStep(std::wstring_view address, std::wstring_view asked, bool ownLoad)
{
    if (IsWebAddress(address)) {
        return ownLoad && OnSite(HostOf(address), HostOf(asked)) ? PageStep::Stay : PageStep::OpenOutside;
    }
    return StartsWithNoCase(address, L"about:") || StartsWithNoCase(address, L"res:") ? PageStep::Stay
                                                                                         : PageStep::Stop;
}

}  // namespace veloria
