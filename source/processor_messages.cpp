#include "processor_messages.h"

#include <cstring>

namespace taluma {

using namespace Steinberg;
using namespace Steinberg::Vst;

void setSynthAttribute(IMessage& message, Synth* synth) {
    IAttributeList* attributes = message.getAttributes();
    if (attributes)
        attributes->setBinary(kSynthAttribute, &synth, sizeof(synth));
}

bool getSynthAttribute(IMessage& message, Synth*& synth) {
    IAttributeList* attributes = message.getAttributes();
    const void* data = nullptr;
    uint32 size = 0;
    if (!attributes || attributes->getBinary(kSynthAttribute, data, size) != kResultOk || !data ||
        size != sizeof(Synth*))
        return false;
    std::memcpy(&synth, data, sizeof(synth));
    return true;
}

}  // namespace taluma
