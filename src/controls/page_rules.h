// Rules for the pages the program shows in its own windows: which engine
// mode to ask for, and where an address may be shown.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <string>
#include <string_view>

namespace veloria {

// The browser emulation value for the installed engine, from the
// "svcVersion" and "Version" texts of its registry key: the newest mode
// the engine has (11001 for version 11, 10001, 9999, 8888), 0 for an
// engine older than 8 or a text that names none.
unsigned long BrowserEmulationMode(std::wstring_view serviceVersion, std::wstring_view version);

// Only http and https addresses (letter case aside, a host after the
// scheme) go to the user's browser: a file: address, a script, a bare or
// UNC path never do.
bool IsWebAddress(std::wstring_view address);

// The host of a web address, in lower case; empty for any other address.
std::wstring HostOf(std::wstring_view address);

// `host` is on `site`: the two equal once a leading "www." is set aside,
// or `host` one of the site's subdomains.
bool OnSite(std::wstring_view host, std::wstring_view site);

// What becomes of a navigation of a page's whole window (not of a frame in
// it) to `address`.
enum class PageStep {
    Stay,         // shown in place
    OpenOutside,  // cancelled, and handed to the user's own browser
    Stop,         // cancelled
};
// `asked` is the address the program asked for; `ownLoad` that its load is
// still under way (its redirections stay in place while they keep to its
// site). Once the page is shown, every web address a link or a script goes
// to leaves for the user's browser; the engine's own pages (about:, res:)
// stay; anything else is stopped.
PageStep TopLevelStep(std::wstring_view address, std::wstring_view asked, bool ownLoad);

}  // namespace veloria
