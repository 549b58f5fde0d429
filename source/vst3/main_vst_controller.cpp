#include "vst3/main_vst_controller.h"

#include "editor/main_vst_gui_editor.h"
#include "engine/engine_event.h"
#include "vst3/host_boundary.h"
#include "vst3/live_synths.h"
#include "vst3/parameter_table.h"
#include "vst3/messages.h"
#include "vst3/state_stream.h"
#include "synth/synth.h"

#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstmessage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace Steinberg {
namespace Vst {

namespace {

void toString128(const std::string& text, String128 out) {
    UString(out, 128).fromAscii(text.c_str());
}

bool isHighSurrogate(TChar c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(TChar c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// A value text from the host: at most 127 UTF-16 units before its 0, surrogates only in
// pairs. Other characters than ASCII become '?', which no value text holds.
bool readHostText(const TChar* text, std::string& out) {
    constexpr int kCapacity = 128;  // a String128 with its terminating 0
    if (!text)
        return false;
    for (int i = 0; i < kCapacity; ++i) {
        const TChar c = text[i];
        if (c == 0)
            return true;
        if (isHighSurrogate(c)) {
            if (i + 1 == kCapacity || !isLowSurrogate(text[i + 1]))
                return false;
            ++i;  // the pair is one character
        } else if (isLowSurrogate(c)) {
            return false;
        }
        out += c < 128 ? char(c) : '?';
    }
    return false;
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

}  // namespace

tresult PLUGIN_API MainVSTController::initialize(FUnknown* context) {
    // A second call (even without a host context) would register everything twice.
    if (getParameterCount() > 0)
        return kResultFalse;
    const tresult result = EditControllerEx1::initialize(context);
    if (result != kResultOk)
        return result;
    const tresult registered = taluma::hostBoundary([this] {
        registerParameters();
        return kResultOk;
    });
    if (registered != kResultOk) {
        parameters.removeAll();
        units.clear();
    }
    return registered;
}

void MainVSTController::registerParameters() {
    int count = 0;
    const taluma::ParameterDescription* table = taluma::parameterDescriptions(count);
    for (int i = 0; i < count; ++i) {
        const taluma::ParameterDescription& p = table[i];
        String128 title;
        toString128(p.title, title);
        const int32 flags = taluma::hostFlags(p), unit = taluma::hostUnit(p);
        if (!p.range) {
            parameters.addParameter(title, p.id == taluma::kBypassId ? STR16("...") : nullptr,
                                    p.steps, p.defaultValue, flags, p.id, unit);
            if (p.id == taluma::kBypassId) {
                String128 unitName;
                toString128(taluma::kMidiUnitName, unitName);
                addUnit(new Unit(unitName, taluma::kMidiUnitId, kRootUnitId, kNoProgramListId));
            }
        } else {
            auto* parameter = new LinearRangeParameter(title, p.id, nullptr, p.plainMin, p.plainMax,
                                                       p.defaultValue, p.steps, flags, unit);
            // The base constructor converted the default with its own mapping.
            parameter->getInfo().defaultNormalizedValue = parameter->toNormalized(p.defaultValue);
            parameter->setNormalized(parameter->getInfo().defaultNormalizedValue);
            parameters.addParameter(parameter);
        }
    }
}

tresult PLUGIN_API MainVSTController::getMidiControllerAssignment(int32 busIndex, int16 channel,
                                                                  CtrlNumber midiControllerNumber,
                                                                  ParamID& id) {
    if (busIndex != 0 || channel < 0 || channel >= taluma::kEventInputChannels)
        return kInvalidArgument;
    int count = 0;
    const taluma::ParameterDescription* table = taluma::parameterDescriptions(count);
    for (int i = 0; i < count; ++i) {
        if (table[i].midiController >= 0 && table[i].midiController == midiControllerNumber) {
            id = table[i].id;
            return kResultOk;
        }
    }
    return kResultFalse;
}

IPlugView* PLUGIN_API MainVSTController::createView(FIDString name) {
    if (!FIDStringsEqual(name, ViewType::kEditor))
        return nullptr;
    MainVSTGUIEditor* editor = nullptr;
    try {
        std::lock_guard<std::recursive_mutex> lock(editorsLock_);
        editors_.reserve(editors_.size() + 1);  // the push below cannot throw
        editor = new MainVSTGUIEditor(this, synth_);
        editors_.push_back(editor);
    } catch (...) {
        return nullptr;  // out of memory: no view
    }
    return editor;
}

void MainVSTController::editorDestroyed(EditorView* editor) {
    std::lock_guard<std::recursive_mutex> lock(editorsLock_);
    editors_.erase(std::remove_if(editors_.begin(), editors_.end(),
                                  [editor](MainVSTGUIEditor* e) {
                                      return static_cast<EditorView*>(e) == editor;
                                  }),
                   editors_.end());
}

void MainVSTController::forEachEditor(const std::function<void(MainVSTGUIEditor&)>& fn) {
    std::lock_guard<std::recursive_mutex> lock(editorsLock_);
    const std::vector<MainVSTGUIEditor*> editors = editors_;
    for (MainVSTGUIEditor* editor : editors)
        fn(*editor);
}

void MainVSTController::setParametersFromEngineValues(
    const std::vector<std::pair<uint32_t, int32_t>>& values) {
    for (const auto& [id, v] : values)
        setParamNormalized(id, taluma::readBackValue(id, v));
}

void MainVSTController::readBackParameters() {
    readBackFrom(synth_);
}

void MainVSTController::readBackFrom(taluma::Synth* address) {
    std::vector<std::pair<uint32_t, int32_t>> values;
    values.reserve(taluma::EngineSnapshot::kCount);
    // Read under the registry's hold, set afterwards: setting notifies dependents.
    if (!taluma::readLiveSynth(address, [&](const taluma::Synth& synth) {
            for (uint32_t id : taluma::EngineSnapshot::kIds)
                if (const int32_t v = synth.snapshot().value(id); v >= 0)
                    values.emplace_back(id, v);
        }))
        return;
    setParametersFromEngineValues(values);
}

void MainVSTController::instrumentValuesChanged(taluma::Synth* synth) {
    readBackFrom(synth ? synth : synth_);
    if (IComponentHandler* handler = getComponentHandler())
        handler->restartComponent(kParamValuesChanged);
}

tresult PLUGIN_API MainVSTController::setComponentState(IBStream* state) {
    if (!state)
        return kInvalidArgument;
    return taluma::hostBoundary([&] {
        const taluma::SavedState saved = taluma::readSavedState(*state);
        if (saved.kind == taluma::SavedState::kUnreadable ||
            saved.kind == taluma::SavedState::kIncomplete)
            return kResultFalse;
        if (saved.kind != taluma::SavedState::kRecord)
            return kResultOk;  // passed over by the processor too
        setParametersFromEngineValues(taluma::recordedValues(saved.record, sizeof(saved.record)));
        if (saved.hasExtension)
            setParamNormalized(taluma::kBypassId, saved.extension.bypassed ? 1.0 : 0.0);
        hostStateLoaded_.store(true);
        return kResultOk;
    });
}

tresult PLUGIN_API MainVSTController::notify(IMessage* message) {
    if (!message)
        return kInvalidArgument;
    return taluma::hostBoundary([&] { return handleMessage(*message); });
}

tresult MainVSTController::handleMessage(IMessage& message) {
    namespace msg = taluma::message;
    taluma::Synth* address = nullptr;
    // An address that names no processor's Synth (in this process) is not one.
    const bool addressed =
        taluma::readSynthAddress(message, address) && taluma::isLiveSynth(address);
    if (taluma::isMessage(message, msg::kValueUpdate)) {
        int32_t tag = 0;
        double value = 0.0;
        if (taluma::readValue(message, tag, value))
            forEachEditor([&](MainVSTGUIEditor& e) { e.onValueUpdate(tag, value); });
        return kResultOk;
    }
    if (taluma::isMessage(message, msg::kSynthForEditor)) {
        // For the editor only: the controller's own address stays as it is.
        if (addressed)
            forEachEditor([&](MainVSTGUIEditor& e) {
                e.setSynth(address);
                e.refreshFromSynth();
            });
        return kResultOk;
    }
    const bool stateMessage = taluma::isMessage(message, msg::kStateLoaded) ||
                              taluma::isMessage(message, msg::kStateSaved);
    if (stateMessage || taluma::isMessage(message, msg::kUiUpdate)) {
        // A state message without the address still reads back from the one known before.
        if (stateMessage && addressed) {
            synth_ = address;
            forEachEditor([&](MainVSTGUIEditor& e) { e.setSynth(address); });
        }
        readBackParameters();
        forEachEditor([](MainVSTGUIEditor& e) { e.refreshFromSynth(); });
        return kResultOk;
    }
    return taluma::answerOtherMessage(message);
}

tresult PLUGIN_API MainVSTController::getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                            String128 string) {
    if (!string)
        return kInvalidArgument;
    if (!getParameterObject(id))
        return kResultFalse;
    // The SDK prints a plain parameter's value with no bound on its length; a value of
    // 0..1 fits the host's 128 characters.
    const double value = taluma::heldUnit(valueNormalized);
    return taluma::hostBoundary([&]() -> tresult {
        const std::string text = taluma::formatParameter(id, value);
        if (text.empty())
            return EditControllerEx1::getParamStringByValue(id, value, string);
        toString128(text, string);
        return kResultOk;
    });
}

tresult PLUGIN_API MainVSTController::getParamValueByString(ParamID id, TChar* string,
                                                            ParamValue& valueNormalized) {
    return taluma::hostBoundary([&]() -> tresult {
        std::string text;
        if (!readHostText(string, text))
            return kInvalidArgument;
        double value = 0.0;
        if (!getParameterObject(id) || !taluma::parseParameter(id, text, value))
            return kResultFalse;
        valueNormalized = value;
        return kResultOk;
    });
}

tresult PLUGIN_API MainVSTController::getParameterInfo(int32 paramIndex, ParameterInfo& info) {
    if (paramIndex < 0 || paramIndex >= getParameterCount())
        return kInvalidArgument;
    return EditControllerEx1::getParameterInfo(paramIndex, info);
}

ParamValue PLUGIN_API MainVSTController::normalizedParamToPlain(ParamID id,
                                                                ParamValue valueNormalized) {
    return EditControllerEx1::normalizedParamToPlain(id, taluma::heldUnit(valueNormalized));
}

ParamValue PLUGIN_API MainVSTController::plainParamToNormalized(ParamID id, ParamValue plainValue) {
    return taluma::heldUnit(EditControllerEx1::plainParamToNormalized(id, plainValue));
}

tresult PLUGIN_API MainVSTController::setParamNormalized(ParamID id, ParamValue value) {
    // The SDK holds finite values to 0..1 but would store NaN; no infinity is a value.
    if (!std::isfinite(value))
        return kInvalidArgument;
    return taluma::hostBoundary([&] { return EditControllerEx1::setParamNormalized(id, value); });
}

tresult PLUGIN_API MainVSTController::setKnobMode(KnobMode mode) {
    if (mode < kCircularMode || mode > kLinearMode)
        return kInvalidArgument;
    return EditControllerEx1::setKnobMode(mode);
}

tresult PLUGIN_API MainVSTController::getUnitInfo(int32 unitIndex, UnitInfo& info) {
    if (unitIndex < 0 || unitIndex >= getUnitCount())
        return kInvalidArgument;
    return EditControllerEx1::getUnitInfo(unitIndex, info);
}

tresult PLUGIN_API MainVSTController::selectUnit(UnitID unitId) {
    bool known = unitId == kRootUnitId;
    for (const auto& unit : units)
        known = known || unit->getID() == unitId;
    return known ? EditControllerEx1::selectUnit(unitId) : kInvalidArgument;
}

}  // namespace Vst
}  // namespace Steinberg
