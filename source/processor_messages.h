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

}  // namespace taluma
