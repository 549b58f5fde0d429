// Library entry on Linux: hosts call ModuleEntry after dlopen and ModuleExit before
// dlclose.
#include "public.sdk/source/main/moduleentry.h"
#include "public.sdk/source/main/moduleinit.h"

extern "C" {

SMTG_EXPORT_SYMBOL bool ModuleEntry(void* sharedLibraryHandle) {
    if (Steinberg::moduleUseCount() == 0)
        Steinberg::setPlatformModuleHandle(sharedLibraryHandle);
    return InitDll();
}

SMTG_EXPORT_SYMBOL bool ModuleExit() {
    return ExitDll();
}

}  // extern "C"
