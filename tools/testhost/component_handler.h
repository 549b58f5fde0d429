// The host's component handler: records every parameter edit the plug-in reports
// (beginEdit, performEdit, endEdit) in order, as a DAW's automation recorder sees them.
#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <vector>

namespace taluma {
namespace testhost {

using namespace Steinberg;
using namespace Steinberg::Vst;

struct HostEdit {
    enum Kind { kBegin, kPerform, kEnd };
    Kind kind;
    ParamID id;
    double value;  // performEdit only
    bool operator==(const HostEdit& o) const {
        return kind == o.kind && id == o.id && (kind != kPerform || value == o.value);
    }
};

class HostComponentHandler : public IComponentHandler {
public:
    tresult PLUGIN_API beginEdit(ParamID id) SMTG_OVERRIDE;
    tresult PLUGIN_API performEdit(ParamID id, ParamValue valueNormalized) SMTG_OVERRIDE;
    tresult PLUGIN_API endEdit(ParamID id) SMTG_OVERRIDE;
    tresult PLUGIN_API restartComponent(int32 flags) SMTG_OVERRIDE;

    const std::vector<HostEdit>& edits() const { return edits_; }
    void clear() { edits_.clear(); }
    // Edits still open (begun, not yet ended), for checking that every gesture closes.
    int32 openGestures() const { return open_; }

    // Lives as long as the instance that owns it.
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
    uint32 PLUGIN_API addRef() SMTG_OVERRIDE { return 1; }
    uint32 PLUGIN_API release() SMTG_OVERRIDE { return 1; }

private:
    std::vector<HostEdit> edits_;
    int32 open_ = 0;
};

}  // namespace testhost
}  // namespace taluma
