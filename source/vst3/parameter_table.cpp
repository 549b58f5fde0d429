#include "vst3/parameter_table.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "engine/synth_engine.h"
#include "engine/unit_value.h"

namespace taluma {

namespace {

using Steinberg::Vst::ParameterInfo;

int32_t engineInteger(uint32_t id, double normalized) {
    int32_t v = 0;
    SynthEngine::scaleEventValue(id, float(normalized), v);
    return v;
}

}  // namespace

int32_t hostFlags(const ParameterDescription& p) {
    int32_t flags = 0;
    if (p.flags & kAutomatable)
        flags |= ParameterInfo::kCanAutomate;
    if (p.flags & kHiddenReadOnly)
        flags |= ParameterInfo::kIsReadOnly | ParameterInfo::kIsHidden;
    if (p.flags & kBypassSwitch)
        flags |= ParameterInfo::kIsBypass;
    return flags;
}

int32_t hostUnit(const ParameterDescription& p) {
    return (p.flags & kMidiUnit) ? kMidiUnitId : 0;
}

double readBackValue(uint32_t id, int32_t v) {
    const ParameterDescription* p = describeParameter(id);
    if (!p)
        return 0.0;
    return double((float(v) - float(p->readOrigin)) / float(p->readSpan));
}

std::string formatParameter(uint32_t id, double normalized) {
    const ParameterDescription* p = describeParameter(id);
    if (!p)
        return "";
    if (p->text == ParameterText::kOnOff)
        return valueText(*p, normalized >= 0.5 ? 1 : 0);
    return valueText(*p, engineInteger(id, normalized));
}

bool parseParameter(uint32_t id, const std::string& text, double& normalized) {
    const ParameterDescription* p = describeParameter(id);
    double plain = 0;
    if (!p || !parseValueText(*p, text, plain))
        return false;
    normalized = clampUnit((plain - p->plainMin) / (p->plainMax - p->plainMin));
    return true;
}

}  // namespace taluma
