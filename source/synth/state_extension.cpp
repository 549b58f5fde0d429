#include "synth/state_extension.h"

#include <cstring>

namespace taluma {

namespace {

enum : size_t { kBypassField = 0, kFieldBytes = 1 };

}  // namespace

std::vector<uint8_t> writeStateExtension(const StateExtension& extension) {
    std::vector<uint8_t> out(kStateExtensionHeaderSize + kFieldBytes, 0);
    std::memcpy(out.data(), kStateExtensionMark, sizeof(kStateExtensionMark));
    out[4] = uint8_t(kFieldBytes);
    out[5] = uint8_t(kFieldBytes >> 8);
    out[kStateExtensionHeaderSize + kBypassField] = extension.bypassed ? 1 : 0;
    return out;
}

bool readStateExtensionHeader(const uint8_t* bytes, size_t size, uint16_t& length) {
    if (!bytes || size < kStateExtensionHeaderSize ||
        std::memcmp(bytes, kStateExtensionMark, sizeof(kStateExtensionMark)) != 0)
        return false;
    length = uint16_t(bytes[4] | bytes[5] << 8);
    return true;
}

StateExtension readStateExtensionFields(const uint8_t* fields, size_t size) {
    StateExtension extension;
    if (fields && size > kBypassField)
        extension.bypassed = fields[kBypassField] != 0;
    return extension;
}

}  // namespace taluma
