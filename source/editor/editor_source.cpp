#include "editor/editor_source.h"

#include "public.sdk/source/vst/vsteditcontroller.h"

namespace Steinberg {
namespace Vst {

int32_t EditorSource::value(uint32_t id) const {
    if (synth_)
        return synth_->snapshot().value(id);
    if (!controller_ || !controller_->getParameterObject(id))
        return -1;
    int32_t scaled = -1;
    const auto normalized = float(controller_->getParamNormalized(id));
    return taluma::SynthEngine::scaleEventValue(id, normalized, scaled) ? scaled : -1;
}

bool EditorSource::generator(taluma::GeneratorSettings& out) const {
    if (!synth_)
        return false;
    out = synth_->generator();
    return true;
}

}  // namespace Vst
}  // namespace Steinberg
