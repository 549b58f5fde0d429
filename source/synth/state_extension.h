// What a saved state carries beside the 858-byte record: the host's bypass. It follows
// the record in the host's state stream as "TWX1", a u16 length (little-endian) and that
// many bytes; a reader takes the fields it knows from the front and skips the rest.
// Builds that know only the record stop reading after byte 858, so a newer state still
// loads there (playing, as the bypass is not theirs to know); preset files and the
// factory bank carry the record alone, which leaves the bypass as it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace taluma {

constexpr uint8_t kStateExtensionMark[4] = {'T', 'W', 'X', '1'};
constexpr size_t kStateExtensionHeaderSize = 6;  // mark and length

struct StateExtension {
    bool bypassed = false;
};

// Mark, length and fields.
std::vector<uint8_t> writeStateExtension(const StateExtension& extension);

// Reads the header from `bytes` (what followed the record): false unless it is complete
// and carries the mark. `length` is then how many field bytes follow the header.
bool readStateExtensionHeader(const uint8_t* bytes, size_t size, uint16_t& length);
// The fields of `size` field bytes; absent fields keep their defaults.
StateExtension readStateExtensionFields(const uint8_t* fields, size_t size);

}  // namespace taluma
