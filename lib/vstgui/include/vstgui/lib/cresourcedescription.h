// Names a bitmap among the module's embedded resources, and the registry that
// holds them (name -> PNG bytes; names compare without regard to case).
#pragma once
#include <cstddef>
#include <cstdint>
#include "vstguibase.h"

namespace VSTGUI {

class CResourceDescription {
public:
    enum Type { kUnknownType, kIntegerType, kStringType };
    CResourceDescription() = default;
    CResourceDescription(int32_t id) : type(kIntegerType), intId(id) {}
    CResourceDescription(UTF8StringPtr name) : type(kStringType), nameId(name ? name : "") {}

    Type type{kUnknownType};
    int32_t intId{0};
    UTF8String nameId;
};

struct ResourceData {
    const uint8_t* data{nullptr};
    size_t size{0};
};

namespace Resources {
// Registers bytes under a name; the bytes must outlive every lookup. A second
// registration of the same name replaces the first.
void add(UTF8StringPtr name, const uint8_t* data, size_t size);
// Finds the bytes registered under the name, ignoring case; empty when unknown.
ResourceData find(UTF8StringPtr name);
}  // namespace Resources

}  // namespace VSTGUI
