// Messages the processor sends to its controller, and the "synth" address attribute
// that lets the controller and the editor read the Synth object directly.
#pragma once

#include "pluginterfaces/vst/ivstmessage.h"

namespace taluma {

class Synth;

constexpr const char* kSynthAttribute = "synth";

// Stores the Synth's address as 8 binary bytes in the machine's byte order.
void setSynthAttribute(Steinberg::Vst::IMessage& message, Synth* synth);
// The address from a message, or false when the attribute is missing or malformed.
bool getSynthAttribute(Steinberg::Vst::IMessage& message, Synth*& synth);

// The answer to a message of an id neither side handles, as the SDK's connection point
// gives it but without reading what may be missing or converting what may not be text:
// a "TextMessage" with a readable "Text" is taken (and ignored), anything else is not.
Steinberg::tresult answerOtherMessage(Steinberg::Vst::IMessage& message);

}  // namespace taluma
