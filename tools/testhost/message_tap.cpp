#include "message_tap.h"

#include "vst3/messages.h"

namespace taluma {
namespace testhost {

namespace {

std::vector<uint8_t> binary(IAttributeList* attributes, const char* name) {
    const void* data = nullptr;
    uint32 size = 0;
    if (!attributes || attributes->getBinary(name, data, size) != kResultOk || !data)
        return {};
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

}  // namespace

tresult PLUGIN_API MessageTap::notify(IMessage* message) {
    if (message) {
        RecordedMessage copy;
        copy.id = message->getMessageID() ? message->getMessageID() : "";
        IAttributeList* attributes = message->getAttributes();
        if (attributes) {
            copy.hasTag = attributes->getInt(taluma::message::kTag, copy.tag) == kResultOk;
            copy.hasVal = attributes->getFloat(taluma::message::kValue, copy.val) == kResultOk;
        }
        copy.path = binary(attributes, taluma::message::kPath);
        copy.synth = binary(attributes, taluma::message::kSynth);
        messages_.push_back(std::move(copy));
    }
    return target_ && delivering_ ? target_->notify(message) : kResultFalse;
}

tresult PLUGIN_API MessageTap::queryInterface(const TUID iid, void** obj) {
    if (FUnknownPrivate::iidEqual(iid, IConnectionPoint::iid) ||
        FUnknownPrivate::iidEqual(iid, FUnknown::iid)) {
        *obj = this;
        return kResultOk;
    }
    *obj = nullptr;
    return kNoInterface;
}

}  // namespace testhost
}  // namespace taluma
