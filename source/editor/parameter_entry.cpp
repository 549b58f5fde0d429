#include "editor/parameter_entry.h"

#include "engine/parameter_descriptions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Steinberg::Vst {

using taluma::describeParameter;
using taluma::ParameterDescription;

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
    double plain = 0.0;
    taluma::parseValueText(*p, text, plain);  // left at 0 when the text names no value
    return std::clamp(plain, p->plainMin, p->plainMax);
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
    return p && p->range ? taluma::valueText(*p, p->engineMin + n) : "";
}

}  // namespace Steinberg::Vst
