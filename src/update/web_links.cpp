#include "update/web_links.h"

namespace veloria {

std::string& WebDomain()
{
    static std::string domain;
    return domain;
}

}  // namespace veloria
