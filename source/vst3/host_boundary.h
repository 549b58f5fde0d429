// Where a method the host calls ends when the SDK's helpers or an allocation throw: the
// host gets a result code, never the exception (which would take the host down).
#pragma once

#include "pluginterfaces/base/funknown.h"

#include <new>

namespace taluma {

template <typename Body>
Steinberg::tresult hostBoundary(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return Steinberg::kOutOfMemory;
    } catch (...) {
        return Steinberg::kInternalError;
    }
}

// A normalised value the host passed, held to 0..1 (NaN counts as 0).
inline double heldUnit(double value) {
    return value >= 0.0 ? (value <= 1.0 ? value : 1.0) : 0.0;
}

}  // namespace taluma
