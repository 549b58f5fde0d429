#include "editor/parameter_entry.h"

#include "engine/parameter_descriptions.h"
#include "vst3/parameter_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Steinberg::Vst {

using taluma::describeParameter;
using taluma::ParameterDescription;
using taluma::ParameterText;

int32_t knobSteps(uint32_t id) {
    const ParameterDescription* p = describeParameter(id);
    if (!p)
        return 0;
    return p->range ? p->steps : p->engineMax - p->engineMin;
}

int32_t engineValueAt(uint32_t id, int32_t n) {
    const ParameterDescription* p = describeParameter(id);
    const int32_t steps = knobSteps(id);
    return p && steps > 0 ? p->engineMin + n * (p->engineMax - p->engineMin) / steps : 0;
}

double normalizedOf(uint32_t id, double plain) {
    const ParameterDescription* p = describeParameter(id);
    return p ? (plain - p->plainMin) / (p->plainMax - p->plainMin) : 0.0;
}

double parsedPlain(uint32_t id, const std::string& text) {
    const ParameterDescription* p = describeParameter(id);
    if (!p)
        return 0.0;
    double normalized = 0.0;
    if (!taluma::parseParameter(id, text, normalized))
        taluma::parseParameter(id, "0", normalized);
    return p->plainMin + normalized * (p->plainMax - p->plainMin);
}

int32_t typedStep(uint32_t id, const std::string& text) {
    const ParameterDescription* p = describeParameter(id);
    if (!p)
        return 0;
    const float x = std::strtof(text.c_str(), nullptr);
    const double plain = std::isfinite(x) ? x : 0.0;  // "nan" and "inf" are no numbers
    return int32_t(std::clamp(plain, p->plainMin, p->plainMax)) - int32_t(p->plainMin);
}

int32_t plainOfStep(uint32_t id, int32_t n) {
    const ParameterDescription* p = describeParameter(id);
    return p ? n + int32_t(p->plainMin) : n;
}

std::string stepText(uint32_t id, int32_t n) {
    const ParameterDescription* p = describeParameter(id);
    if (!p || !p->range)
        return "";
    // formatParameter reads the engine's integer, which ends one below the top step of
    // the tune and the LFO frequency; their texts are spelt out here for all steps until
    // the parameter table names an engine integer's text itself.
    char text[32];
    switch (p->text) {
    case ParameterText::kLfoHz:
        std::snprintf(text, sizeof text, "%.2f Hz", (n * 3200 / 16384) / 100.0);
        return text;
    case ParameterText::kCents: {
        const double cents = double(n + int32_t(p->plainMin)) * 1200.0 / 8192.0;
        return std::to_string(int32_t(std::round(cents))) + " c";  // halves away from zero
    }
    default: return taluma::formatParameter(id, double(n) / double(p->steps));
    }
}

}  // namespace Steinberg::Vst
