#include "public.sdk/source/main/moduleentry.h"

#include "public.sdk/source/main/moduleinit.h"

#include <atomic>

namespace {
std::atomic<int> useCounter{0};
}

bool InitDll() {
    if (++useCounter == 1 && !InitModule()) {
        // Not initialised: the next InitDll tries again.
        --useCounter;
        return false;
    }
    return true;
}

bool ExitDll() {
    int remaining = --useCounter;
    if (remaining == 0)
        return DeinitModule();
    if (remaining < 0) {
        // An unbalanced call: keep the count at zero so a later InitDll still
        // initialises the module.
        ++useCounter;
        return false;
    }
    return true;
}

int Steinberg::moduleUseCount() {
    return useCounter.load();
}
