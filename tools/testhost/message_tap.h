// A connection point the host puts between processor and controller, as some DAWs do:
// it passes every message on to its target and keeps a copy of what it carried.
#pragma once

#include "pluginterfaces/vst/ivstmessage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace taluma {
namespace testhost {

using namespace Steinberg;
using namespace Steinberg::Vst;

struct RecordedMessage {
    std::string id;
    bool hasTag = false;
    int64 tag = 0;
    bool hasVal = false;
    double val = 0.0;
    std::vector<uint8_t> path;   // the "path" attribute's bytes, if any
    std::vector<uint8_t> synth;  // the "synth" attribute's bytes, if any
};

class MessageTap : public IConnectionPoint {
public:
    explicit MessageTap(IConnectionPoint* target) : target_(target) {}
    virtual ~MessageTap() = default;

    tresult PLUGIN_API connect(IConnectionPoint*) SMTG_OVERRIDE { return kResultOk; }
    tresult PLUGIN_API disconnect(IConnectionPoint*) SMTG_OVERRIDE { return kResultOk; }
    tresult PLUGIN_API notify(IMessage* message) SMTG_OVERRIDE;

    const std::vector<RecordedMessage>& messages() const { return messages_; }
    void clear() { messages_.clear(); }
    // Off: messages are recorded but not passed on.
    void setDelivering(bool on) { delivering_ = on; }

    // Lives as long as the instance that owns it: reference counting is not needed.
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
    uint32 PLUGIN_API addRef() SMTG_OVERRIDE { return 1; }
    uint32 PLUGIN_API release() SMTG_OVERRIDE { return 1; }

private:
    IConnectionPoint* target_;
    bool delivering_ = true;
    std::vector<RecordedMessage> messages_;
};

}  // namespace testhost
}  // namespace taluma
