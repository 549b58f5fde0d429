// The host's component handler: records every parameter edit the plug-in reports
// (beginEdit, performEdit, endEdit) in order, as a DAW's automation recorder sees them.
#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <thread>
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

// A restartComponent call: its flags, the thread it came on and whether the host was
// inside a call of its own into the plug-in (a state load) meanwhile.
struct HostRestart {
    int32 flags;
    std::thread::id thread;
    bool insideHostCall;
};

class HostComponentHandler : public IComponentHandler {
public:
    tresult PLUGIN_API beginEdit(ParamID id) SMTG_OVERRIDE;
    tresult PLUGIN_API performEdit(ParamID id, ParamValue valueNormalized) SMTG_OVERRIDE;
    tresult PLUGIN_API endEdit(ParamID id) SMTG_OVERRIDE;
    tresult PLUGIN_API restartComponent(int32 flags) SMTG_OVERRIDE;

    const std::vector<HostEdit>& edits() const { return edits_; }
    const std::vector<HostRestart>& restarts() const { return restarts_; }
    void clear() {
        edits_.clear();
        restarts_.clear();
    }
    // The host brackets its own calls into the plug-in with these.
    void enterHostCall() { ++hostCalls_; }
    void leaveHostCall() { --hostCalls_; }
    // Edits still open (begun, not yet ended), for checking that every gesture closes.
    int32 openGestures() const { return open_; }

    // Lives as long as the instance that owns it.
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
    uint32 PLUGIN_API addRef() SMTG_OVERRIDE { return 1; }
    uint32 PLUGIN_API release() SMTG_OVERRIDE { return 1; }

private:
    std::vector<HostEdit> edits_;
    std::vector<HostRestart> restarts_;
    int32 open_ = 0;
    int32 hostCalls_ = 0;
};

}  // namespace testhost
}  // namespace taluma
