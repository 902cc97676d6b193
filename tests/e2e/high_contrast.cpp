// high_contrast.dll: a stand-in for a high-contrast theme, which Wine cannot
// turn on (its SPI_GETHIGHCONTRAST always says off). probe.exe loads it into
// veloria.exe; from then on the program's calls of SystemParametersInfoW
// are answered here, and SPI_GETHIGHCONTRAST says the theme is on. The tests
// then send the program the WM_SETTINGCHANGE that Windows broadcasts.
#include <windows.h>

#include <cstdint>
#include <cstring>

namespace {

using ParametersCall = BOOL WINAPI(UINT, UINT, void*, UINT);
ParametersCall* g_system = nullptr;

BOOL WINAPI StandIn(UINT action, UINT size, void* data, UINT flags)
{
    const BOOL answered = g_system(action, size, data, flags);
    if (action == SPI_GETHIGHCONTRAST && answered && data != nullptr) {
        static_cast<HIGHCONTRASTW*>(data)->dwFlags |= HCF_HIGHCONTRASTON;
    }
    return answered;
}

// Points the program's import of SystemParametersInfoW from user32 here.
void TakeOver()
{
    auto* base = reinterpret_cast<std::uint8_t*>(::GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name != 0; ++library) {
        if (_stricmp(reinterpret_cast<const char*>(base + library->Name), "user32.dll") != 0) {
            continue;
        }
        auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* bound = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++bound) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto* name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(name->Name), "SystemParametersInfoW") == 0) {
                DWORD was = 0;
                ::VirtualProtect(&bound->u1.Function, sizeof(bound->u1.Function), PAGE_READWRITE, &was);
                g_system = reinterpret_cast<ParametersCall*>(bound->u1.Function);
                bound->u1.Function = reinterpret_cast<std::uintptr_t>(&StandIn);
                ::VirtualProtect(&bound->u1.Function, sizeof(bound->u1.Function), was, &was);
            }
        }
    }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*)
{
    if (reason == DLL_PROCESS_ATTACH) {
        ::DisableThreadLibraryCalls(instance);
        TakeOver();
    }
    return TRUE;
}
