#include "public.sdk/source/main/moduleinit.h"

#include <algorithm>
#include <vector>

namespace Steinberg {
namespace {

struct Registered {
    ModuleInitFunction func;
    unsigned priority;
};

// Function-local statics: registrations happen from other translation units'
// static constructors, whose order is unknown.
std::vector<Registered>& initializers() {
    static std::vector<Registered> list;
    return list;
}

std::vector<Registered>& terminators() {
    static std::vector<Registered> list;
    return list;
}

void runAll(std::vector<Registered> list) {
    std::stable_sort(list.begin(), list.end(), [](const Registered& a, const Registered& b) {
        return a.priority < b.priority;
    });
    for (const auto& entry : list)
        entry.func();
}

void* platformModuleHandle = nullptr;

}  // namespace

ModuleInitializer::ModuleInitializer(ModuleInitFunction func, unsigned priority) {
    if (func)
        initializers().push_back({func, priority});
}

ModuleTerminator::ModuleTerminator(ModuleInitFunction func, unsigned priority) {
    if (func)
        terminators().push_back({func, priority});
}

void* getPlatformModuleHandle() {
    return platformModuleHandle;
}

void setPlatformModuleHandle(void* handle) {
    platformModuleHandle = handle;
}

}  // namespace Steinberg

// The host calls these through InitDll and ExitDll: an exception ends here.
bool InitModule() {
    try {
        Steinberg::runAll(Steinberg::initializers());
        return true;
    } catch (...) {
        return false;
    }
}

bool DeinitModule() {
    try {
        Steinberg::runAll(Steinberg::terminators());
        return true;
    } catch (...) {
        return false;
    }
}
