// Normalised values (host parameters, editor controls) are kept to 0..1 before they
// are scaled; NaN counts as 0.
#pragma once

namespace taluma {

template <typename T>
constexpr T clampUnit(T x) {
    return x >= T(0) ? (x <= T(1) ? x : T(1)) : T(0);
}

}  // namespace taluma
