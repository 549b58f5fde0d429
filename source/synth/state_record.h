// The state record: everything the user can set, as 858 little-endian bytes (version 2).
// The host's project stores it through getState/setState; a preset file is the same
// record behind a 16-byte header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace taluma {

class Synth;

constexpr size_t kStateRecordSize = 858;
constexpr uint8_t kStateRecordVersion = 2;

// Writes the record from the Synth's settings, tables and the published engine values.
// Makes its own Synth::Edit; never interrupts the audio thread.
std::vector<uint8_t> writeStateRecord(Synth& synth);

// What a load takes from a record: everything (a session restored by the host), or the
// sound only (the instrument's own preset loads), which leaves how the user has the
// window as it is: skin, frame rate, number radix, wave and grid opacity, open page.
enum class RecordScope { kWhole, kSound };

// Applies a record: false, with nothing changed, unless size is 858 and the version is
// 2. Out-of-range fields are brought into range one by one. Makes its own Synth::Edit and
// holds the audio thread off the engine (StructuralEdit) while it applies.
bool readStateRecord(Synth& synth, const uint8_t* bytes, size_t size,
                     RecordScope scope = RecordScope::kWhole);

// The engine's integers the record gives its parameters (engine event ids) once loaded,
// for a reader without a Synth (the controller); none when the record would be refused.
// The pitch bend reads as the centre.
std::vector<std::pair<uint32_t, int32_t>> recordedValues(const uint8_t* bytes, size_t size);

// The record's fields as (offset, size), one row each, in the order the reader and the
// writer share: every byte belongs to exactly one.
std::vector<std::pair<size_t, size_t>> stateRecordFields();

}  // namespace taluma
