#include "main_vst_controller.h"

#include "parameter_table.h"
#include "processor_messages.h"
#include "synth.h"

#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstmessage.h"

#include <cstring>
#include <string>

namespace Steinberg {
namespace Vst {

namespace {

void toString128(const std::string& text, String128 out) {
    UString(out, 128).fromAscii(text.c_str());
}

std::string fromString128(const TChar* text) {
    std::string out;
    for (int i = 0; text && text[i] && i < 128; ++i)
        out += text[i] < 128 ? char(text[i]) : '?';
    return out;
}

// The SDK's range parameter takes one plain unit per step when it has steps. "STD Pitch"
// has 400 steps over 420..460 Hz (tenths of a hertz), so the mapping is kept linear
// over the whole range for every range parameter: 0.5 is 440 Hz.
class LinearRangeParameter : public RangeParameter {
public:
    using RangeParameter::RangeParameter;
    ParamValue toPlain(ParamValue normalized) const SMTG_OVERRIDE {
        return getMin() + normalized * (getMax() - getMin());
    }
    ParamValue toNormalized(ParamValue plain) const SMTG_OVERRIDE {
        return (plain - getMin()) / (getMax() - getMin());
    }
};

bool isMessage(IMessage* message, const char* id) {
    const char* messageId = message->getMessageID();
    return messageId && std::strcmp(messageId, id) == 0;
}

}  // namespace

tresult PLUGIN_API MainVSTController::initialize(FUnknown* context) {
    const tresult result = EditControllerEx1::initialize(context);
    if (result != kResultOk)
        return result;

    int count = 0;
    const taluma::ParameterSpec* table = taluma::parameterTable(count);
    for (int i = 0; i < count; ++i) {
        const taluma::ParameterSpec& p = table[i];
        String128 title;
        toString128(p.title, title);
        if (p.kind == taluma::ParameterKind::Plain) {
            parameters.addParameter(title, p.id == taluma::kBypassId ? STR16("...") : nullptr,
                                    p.steps, p.defaultValue, p.flags, p.id, p.unit);
            if (p.id == taluma::kBypassId) {
                String128 unitName;
                toString128(taluma::kMidiUnitName, unitName);
                addUnit(new Unit(unitName, taluma::kMidiUnitId, kRootUnitId, kNoProgramListId));
            }
        } else {
            auto* parameter = new LinearRangeParameter(title, p.id, nullptr, p.min, p.max,
                                                       p.defaultValue, p.steps, p.flags, p.unit);
            // The base constructor converted the default with its own mapping.
            parameter->getInfo().defaultNormalizedValue = parameter->toNormalized(p.defaultValue);
            parameter->setNormalized(parameter->getInfo().defaultNormalizedValue);
            parameters.addParameter(parameter);
        }
    }
    return result;
}

tresult PLUGIN_API MainVSTController::getMidiControllerAssignment(int32 /*busIndex*/,
                                                                  int16 /*channel*/,
                                                                  CtrlNumber midiControllerNumber,
                                                                  ParamID& id) {
    switch (midiControllerNumber) {
    case kCtrlModWheel: id = 0x20001; return kResultOk;
    case kCtrlVolume: id = 0x20002; return kResultOk;
    case kCtrlPan: id = 0x20003; return kResultOk;
    case kCtrlExpression: id = 0x20004; return kResultOk;
    case kCtrlAllSoundsOff: id = 0x20005; return kResultOk;
    case kCtrlAllNotesOff: id = 0x20006; return kResultOk;
    case kPitchBend: id = 0x20007; return kResultOk;
    default: return kResultFalse;
    }
}

IPlugView* PLUGIN_API MainVSTController::createView(FIDString /*name*/) {
    return nullptr;
}

void MainVSTController::readBackParameters() {
    if (!synth_)
        return;
    int count = 0;
    const uint32_t* ids = taluma::readBackIds(count);
    for (int i = 0; i < count; ++i)
        setParamNormalized(ids[i], taluma::readBackValue(ids[i], synth_->snapshot().value(ids[i])));
}

tresult PLUGIN_API MainVSTController::notify(IMessage* message) {
    if (!message)
        return kInvalidArgument;
    taluma::Synth* address = nullptr;
    if (isMessage(message, "GUIEditor:valueUpdate") || isMessage(message, "Processor:openGUI")) {
        // Both are for the editor; without an open editor there is nothing to update.
        return kResultOk;
    }
    if (isMessage(message, "Processor:uiUpdate")) {
        readBackParameters();
        return kResultOk;
    }
    if (isMessage(message, "Processor:setState") || isMessage(message, "Processor:getState")) {
        // A message without the address still reads back from the one known before.
        if (taluma::getSynthAttribute(*message, address))
            synth_ = address;
        readBackParameters();
        return kResultOk;
    }
    return EditControllerEx1::notify(message);
}

tresult PLUGIN_API MainVSTController::getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                            String128 string) {
    const std::string text = taluma::formatParameter(id, valueNormalized);
    if (text.empty())
        return EditControllerEx1::getParamStringByValue(id, valueNormalized, string);
    toString128(text, string);
    return kResultOk;
}

tresult PLUGIN_API MainVSTController::getParamValueByString(ParamID id, TChar* string,
                                                            ParamValue& valueNormalized) {
    if (taluma::parseParameter(id, fromString128(string), valueNormalized))
        return kResultOk;
    return EditControllerEx1::getParamValueByString(id, string, valueNormalized);
}

}  // namespace Vst
}  // namespace Steinberg
