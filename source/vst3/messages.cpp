#include "vst3/messages.h"

#include "public.sdk/source/vst/vstcomponentbase.h"

#include <algorithm>
#include <cstring>

namespace taluma {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// Allocates a message of `id` through `from`, lets `fill` set its attributes and sends it.
template <typename Fill>
void send(const ComponentBase& from, const char* id, Fill&& fill) {
    IMessage* m = from.allocateMessage();
    if (!m)
        return;
    m->setMessageID(id);
    if (IAttributeList* attributes = m->getAttributes())
        fill(*attributes);
    from.sendMessage(m);
    m->release();
}

}  // namespace

bool isMessage(IMessage& message, const char* id) {
    const char* messageId = message.getMessageID();
    return messageId && std::strcmp(messageId, id) == 0;
}

void sendValue(const ComponentBase& from, const char* id, int64_t tag, double value) {
    send(from, id, [&](IAttributeList& a) {
        a.setInt(message::kTag, tag);
        a.setFloat(message::kValue, value);
    });
}

void sendFileRequest(const ComponentBase& from, int32_t code, const std::string& utf8Path) {
    send(from, message::kFileSelect, [&](IAttributeList& a) {
        a.setInt(message::kTag, code);
        a.setBinary(message::kPath, utf8Path.c_str(), uint32(utf8Path.size() + 1));
    });
}

void sendSynthAddress(const ComponentBase& from, const char* id, Synth* synth) {
    send(from, id, [&](IAttributeList& a) { a.setBinary(message::kSynth, &synth, sizeof(synth)); });
}

void sendNotice(const ComponentBase& from, const char* id) {
    send(from, id, [](IAttributeList&) {});
}

bool readValue(IMessage& message, int32_t& tag, double& value) {
    IAttributeList* attributes = message.getAttributes();
    int64 t = 0;
    if (!attributes || attributes->getInt(message::kTag, t) != kResultOk ||
        attributes->getFloat(message::kValue, value) != kResultOk)
        return false;
    tag = int32_t(uint32_t(t));
    return true;
}

bool readFileRequest(IMessage& message, int32_t& code, std::string& utf8Path) {
    IAttributeList* attributes = message.getAttributes();
    int64 c = 0;
    const void* data = nullptr;
    uint32 size = 0;
    if (!attributes || attributes->getInt(message::kTag, c) != kResultOk ||
        attributes->getBinary(message::kPath, data, size) != kResultOk || !data)
        return false;
    // The path is UTF-8 up to its 0 byte; the copy outlives the message.
    const char* bytes = static_cast<const char*>(data);
    utf8Path.assign(bytes, std::find(bytes, bytes + size, '\0'));
    code = int32_t(uint32_t(c));
    return true;
}

void setSynthAttribute(IMessage& message, Synth* synth) {
    if (IAttributeList* attributes = message.getAttributes())
        attributes->setBinary(message::kSynth, &synth, sizeof(synth));
}

bool readSynthAddress(IMessage& message, Synth*& synth) {
    IAttributeList* attributes = message.getAttributes();
    const void* data = nullptr;
    uint32 size = 0;
    if (!attributes || attributes->getBinary(message::kSynth, data, size) != kResultOk || !data ||
        size != sizeof(Synth*))
        return false;
    std::memcpy(&synth, data, sizeof(synth));
    return true;
}

tresult answerOtherMessage(IMessage& message) {
    IAttributeList* attributes = message.getAttributes();
    TChar text[256] = {};
    if (!isMessage(message, "TextMessage") || !attributes)
        return kResultFalse;
    return attributes->getString("Text", text, sizeof(text)) == kResultOk ? kResultOk
                                                                          : kResultFalse;
}

}  // namespace taluma
