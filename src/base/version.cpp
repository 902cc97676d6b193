// The version this program is built as. Only this file and the resource
// receive the build's version numbers.
#include "base/product.h"
#include "base/version.h"

namespace veloria {

ProgramVersion CurrentVersion()
{
    return {VELORIA_VERSION_MAJOR, VELORIA_VERSION_MINOR, VELORIA_VERSION_REVISION};
}

const wchar_t* ProductName()
{
    return L"" VELORIA_PRODUCT_NAME;
}

const wchar_t* AppTitle()
{
    return L"" VELORIA_APP_TITLE;
}

}  // namespace veloria
