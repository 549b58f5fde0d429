#include "vstgui/lib/cresourcedescription.h"
#include <cctype>
#include <map>
#include <string>

namespace VSTGUI {
namespace {

std::string folded(UTF8StringPtr name) {
    std::string s = name ? name : "";
    for (auto& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Filled during static initialisation and from the UI thread only.
std::map<std::string, ResourceData>& registry() {
    static std::map<std::string, ResourceData> r;
    return r;
}

}  // namespace

namespace Resources {

void add(UTF8StringPtr name, const uint8_t* data, size_t size) {
    registry()[folded(name)] = ResourceData{data, size};
}

ResourceData find(UTF8StringPtr name) {
    auto& r = registry();
    auto it = r.find(folded(name));
    return it == r.end() ? ResourceData{} : it->second;
}

}  // namespace Resources
}  // namespace VSTGUI
