// Number conventions of the engine.
//
// Pitches and rates are log2 values, 8192 units per octave. Amplitudes are log codes:
// code = 2 * attenuation (1/256 octave) + sign bit; 8192 is the code for zero.
#pragma once

#include <cstdint>

namespace taluma {

constexpr int32_t kSilentCode = 8192;

// Log code of x (double precision), as used for the attack curve and sine tables.
int32_t logEncode(double x);
// The same in single precision, as used for velocity curves and sample codes.
int32_t logEncodeSingle(float x);

// log2 of a float, correctly rounded to float. The C library's log2f may differ by an
// ulp between platforms; rounding the double result keeps every platform identical.
float log2Single(float x);

// 2^(v/8192), shifted down by a shift table indexed by whole octaves.
// exponent: E[i] = round(2^(30 + i/8192)); shift: 8192-unit octave index -> right shift.
inline uint32_t rateExp(int32_t v, const uint32_t* exponent, const uint8_t* shift) {
    return exponent[v & 8191] >> shift[v >> 13];
}

}  // namespace taluma
