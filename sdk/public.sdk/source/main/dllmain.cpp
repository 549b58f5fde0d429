// Library entry on Windows: the loader calls DllMain; the host then calls InitDll.
#include "public.sdk/source/main/moduleentry.h"
#include "public.sdk/source/main/moduleinit.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH)
        Steinberg::setPlatformModuleHandle(instance);
    return TRUE;
}
