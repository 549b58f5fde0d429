// What a host hands the plug-in and its window at instantiation: its features by URI.
#pragma once

#include <lv2/core/lv2.h>

#include <cstring>

namespace taluma::lv2 {

// The data of the host's feature `uri`, or null when the host does not offer it.
inline const void* hostFeature(const LV2_Feature* const* features, const char* uri) {
    for (; features && *features; ++features)
        if (std::strcmp((*features)->URI, uri) == 0)
            return (*features)->data;
    return nullptr;
}

}  // namespace taluma::lv2
