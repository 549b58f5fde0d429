#include "editor/global_controls.h"

#include "editor/control_values.h"
#include "editor/editor_source.h"
#include "editor/parameter_entry.h"
#include "engine/engine_event.h"
#include "engine/parameter_descriptions.h"

#include <algorithm>
#include <string>

namespace Steinberg::Vst {

namespace eventid = taluma::eventid;

const std::vector<const char*> kBitDepthEntries = {
    "1 bit", "2 bit",  "3 bit",  "4 bit",  "5 bit",  "6 bit",  "7 bit",  "8 bit",
    "9 bit", "10 bit", "11 bit", "12 bit", "13 bit", "14 bit", "15 bit", "16 bit"};
const std::vector<const char*> kVoiceEntries = {"8", "16", "32", "64", "128", "256", "512", "1024"};

int32_t voiceCountIndex(int32_t voices) {
    int32_t k = 0;
    for (int32_t n = 8; n < voices && n < 1024; n *= 2)
        ++k;
    return k;
}

void GlobalControls::showVolume(const DisplayTables& tables, int32_t step) {
    const int32_t steps = knobSteps(eventid::kVolume);
    step = std::clamp(step, 0, steps);
    showNormalized(volumeKnob, float(step) / float(steps));
    showText(volumeLabel, tables.decibel[step]);
}

void GlobalControls::showPitch(int32_t centiHz, const VSTGUI::CView* focus) {
    const taluma::ParameterDescription& p = *taluma::describeParameter(eventid::kStdPitch);
    centiHz = std::clamp(centiHz, p.engineMin, p.engineMax);
    showNormalized(pitchKnob, float(centiHz - p.engineMin) / float(p.engineMax - p.engineMin));
    showText(pitchField, taluma::valueText(p, centiHz), focus);
}

void GlobalControls::showBitDepth(int32_t bits) {
    showNormalized(bitDepthMenu, float(std::clamp(bits, 1, 16) - 1) / 15.0f);
}

void GlobalControls::showVoiceCount(int32_t voices) {
    showNormalized(voiceMenu, float(voiceCountIndex(voices)) / 7.0f);
}

void GlobalControls::showRates(const EditorSource& source) {
    if (!rateMenu || !source.hasSynth())
        return;
    const float engineRate = source.sampleRate();
    if (engineRate != rememberedRate) {
        rememberedRate = engineRate;
        rateMenu->removeAllEntry();
        for (int k = 0; k < 4; ++k) {
            const int32_t rate = source.rate(k);
            rateMenu->addEntry(rate < 1 ? std::string("---")
                                        : std::to_string(rate) + rateSuffixes[k]);
        }
        rateMenu->invalid();
    }
    const int32_t divider = source.rateDivider();
    showNormalized(rateMenu, divider < 0 ? 0.0f : float(divider) / 3.0f);
}

void GlobalControls::showLive(const DisplayTables& tables, const EditorSource& source,
                              const VSTGUI::CView* focus) {
    const int32_t volume = source.value(eventid::kVolume);
    if (volume >= 0)
        showVolume(tables, volume);
    const int32_t pitch = source.value(eventid::kStdPitch);
    if (pitch >= 0)
        showPitch(pitch, focus);
    const int32_t bits = source.value(eventid::kBitDepth);
    if (bits >= 0)
        showBitDepth(bits);
}

void GlobalControls::update(const DisplayTables& tables, const EditorSource& source,
                            const VSTGUI::CView* focus) {
    showLive(tables, source, focus);
    if (source.hasSynth()) {
        showRates(source);
        showVoiceCount(source.voiceCount());
    }
}

}  // namespace Steinberg::Vst
