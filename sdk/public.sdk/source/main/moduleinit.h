// Module initialisers and terminators: functions a module registers (with a static
// ModuleInitializer/ModuleTerminator object) that run when the host first initialises
// the module (InitModule) and when its last user leaves (DeinitModule).
#pragma once

namespace Steinberg {

using ModuleInitFunction = void (*)();

// Lower priorities run first; equal priorities run in registration order.
struct ModuleInitializer {
    explicit ModuleInitializer(ModuleInitFunction func, unsigned priority = 1000);
};

struct ModuleTerminator {
    explicit ModuleTerminator(ModuleInitFunction func, unsigned priority = 1000);
};

// The platform's handle of the loaded module (HINSTANCE on Windows, the handle given
// to ModuleEntry on Linux); null before the library entry has run.
void* getPlatformModuleHandle();
void setPlatformModuleHandle(void* handle);

}  // namespace Steinberg

// Run every registered initialiser / terminator; false when one of them threw.
bool InitModule();
bool DeinitModule();
