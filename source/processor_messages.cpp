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

tresult answerOtherMessage(IMessage& message) {
    const char* id = message.getMessageID();
    IAttributeList* attributes = message.getAttributes();
    TChar text[256] = {};
    if (!id || std::strcmp(id, "TextMessage") != 0 || !attributes)
        return kResultFalse;
    return attributes->getString("Text", text, sizeof(text)) == kResultOk ? kResultOk
                                                                          : kResultFalse;
}

}  // namespace taluma
