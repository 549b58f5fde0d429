// The messages between processor, controller and editor: their ids, their attributes
// and how each is written and read. Processor, controller, editor and the tools use
// these and no text of their own.
//
//   id                       from -> to                      attributes
//   "GUIEditor:openGUI"      editor -> processor             none
//   "Processor:openGUI"      processor -> controller         synth
//   "GUIEditor:valueChange"  editor -> processor             tag, val
//   "GUIEditor:valueUpdate"  processor -> controller/editor  tag, val
//   "GUIEditor:fileSelect"   editor -> processor             tag (file request), path
//   "Processor:uiUpdate"     processor -> controller         none
//   "Processor:setState"     processor -> controller         synth
//   "Processor:getState"     processor -> controller         synth
#pragma once

#include "pluginterfaces/vst/ivstmessage.h"

#include <cstdint>
#include <string>

namespace Steinberg {
namespace Vst {
class ComponentBase;
}
}  // namespace Steinberg

namespace taluma {

class Synth;

namespace message {
constexpr const char* kEditorOpened = "GUIEditor:openGUI";
constexpr const char* kSynthForEditor = "Processor:openGUI";
constexpr const char* kValueChange = "GUIEditor:valueChange";
constexpr const char* kValueUpdate = "GUIEditor:valueUpdate";
constexpr const char* kFileSelect = "GUIEditor:fileSelect";
constexpr const char* kUiUpdate = "Processor:uiUpdate";
constexpr const char* kStateLoaded = "Processor:setState";
constexpr const char* kStateSaved = "Processor:getState";

// Attributes: "tag" an integer (receivers use its low 32 bits), "val" a float, "path"
// UTF-8 bytes with their 0, "synth" the 8 bytes of the Synth's address.
constexpr const char* kTag = "tag";
constexpr const char* kValue = "val";
constexpr const char* kPath = "path";
constexpr const char* kSynth = "synth";
}  // namespace message

bool isMessage(Steinberg::Vst::IMessage& message, const char* id);

// Sends a message of `id` from `from` to its peer, with a command's tag and value
// ("GUIEditor:valueChange", "GUIEditor:valueUpdate"), a file request's code and path,
// the Synth's address, or nothing else. Nothing is sent when no message can be had.
void sendValue(const Steinberg::Vst::ComponentBase& from, const char* id, int64_t tag,
               double value);
void sendFileRequest(const Steinberg::Vst::ComponentBase& from, int32_t code,
                     const std::string& utf8Path);
void sendSynthAddress(const Steinberg::Vst::ComponentBase& from, const char* id, Synth* synth);
void sendNotice(const Steinberg::Vst::ComponentBase& from, const char* id);

// The attributes of a received message; false when they are missing or malformed.
bool readValue(Steinberg::Vst::IMessage& message, int32_t& tag, double& value);
bool readFileRequest(Steinberg::Vst::IMessage& message, int32_t& code, std::string& utf8Path);
bool readSynthAddress(Steinberg::Vst::IMessage& message, Synth*& synth);

// Stores the Synth's address as 8 binary bytes in the machine's byte order.
void setSynthAttribute(Steinberg::Vst::IMessage& message, Synth* synth);

// The answer to a message of an id neither side handles, as the SDK's connection point
// gives it but without reading what may be missing or converting what may not be text:
// a "TextMessage" with a readable "Text" is taken (and ignored), anything else is not.
Steinberg::tresult answerOtherMessage(Steinberg::Vst::IMessage& message);

}  // namespace taluma
