// The state record: everything the user can set, as 858 little-endian bytes (version 2).
// The host's project stores it through getState/setState; a preset file is the same
// record behind a 16-byte header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace taluma {

class Synth;

constexpr size_t kStateRecordSize = 858;
constexpr uint8_t kStateRecordVersion = 2;

// Writes the record from the Synth's settings, tables and the published engine values.
// Makes its own Synth::Edit; never interrupts the audio thread.
std::vector<uint8_t> writeStateRecord(Synth& synth);

// Applies a record: false, with nothing changed, unless size is 858 and the version is
// 2. Out-of-range fields are brought into range one by one. Makes its own Synth::Edit and holds
// the audio thread off the engine (StructuralEdit) while it applies.
bool readStateRecord(Synth& synth, const uint8_t* bytes, size_t size);

}  // namespace taluma
