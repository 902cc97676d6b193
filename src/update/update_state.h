// What the update checks leave the running program: the host its addresses
// name and the values of the last manifest read. One is held by the
// program's owner; web_links.h and manifest.h reach it.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <string>

#include "base/installed.h"
#include "update/manifest_nodes.h"

namespace veloria {

struct UpdateState : Installed<UpdateState> {
    std::wstring webDomain;   // empty until start-up sets it
    ManifestValues manifest;  // empty until the first load; window thread only
};

}  // namespace veloria
