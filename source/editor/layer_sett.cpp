#include "editor/layer_sett.h"

#include "editor/control_factory.h"
#include "editor/control_values.h"
#include "editor/editor_context.h"
#include "editor/editor_tags.h"
#include "editor/layer_wedt.h"
#include "editor/parameter_entry.h"
#include "engine/engine_event.h"
#include "vst3/plugin_ids.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Steinberg::Vst {

using namespace VSTGUI;
namespace setting = taluma::cmd::setting;
namespace file = taluma::cmd::file;
namespace place = taluma::layout::settings;

namespace {

const char* const kRateSuffixes[4] = {" Hz", " Hz", " Hz", " Hz"};
constexpr uint32_t kBendRangeId = taluma::eventid::kBendRange;

// The file dialog a button opens, 0 for the other controls.
int32_t dialogOf(int32_t command) {
    switch (command) {
    case setting::kImportTableA:
    case setting::kImportTableB:
        return file::importTable(command - setting::kImportTableA, file::kByName);
    case setting::kExportTableA:
    case setting::kExportTableB:
        return file::exportTable(command - setting::kExportTableA, file::kByName);
    case setting::kImportPreset: return file::kImportPreset;
    case setting::kExportPreset: return file::kExportPreset;
    default: return 0;
    }
}

}  // namespace

Layer_Sett::Layer_Sett(EditorContext& context, Layer_Wedt& waveEditor)
    : PageLayer(context, taluma::layout::window::page), waveEditor_(waveEditor) {
    skinBook_.bitmap(this, "BackRmenuSetting.png");
    setBackground(loadBitmap(skinBook_.name("BackRmenuSetting.png")));
    IControlListener* listener = context.listener();
    const CColor ink = colour(Palette::Ink);
    const CColor paper = colour(Palette::Paper);
    auto knob = [&](int32_t command, const ControlRect& r, int32_t steps) {
        return skinBook_.bitmap(makeKnob(listener, this, cmd::editorTag(command), r,
                                         skinBook_.name("KnbG22.png"), steps),
                                "KnbG22.png");
    };
    auto coloured = [&](auto* view) {
        return skinBook_.colours(view, Palette::Ink, Palette::Paper);
    };
    auto text = [&](int32_t command, const ControlRect& r) {
        return coloured(
            makeTextEdit(listener, this, cmd::typedEntryTag(command), r, ink, paper, "0"));
    };
    auto label = [&](const ControlRect& r, const char* content) {
        return coloured(makeLabel(this, r, ink, paper, kNormalFont, kCenterText, content));
    };
    auto menu = [&](int32_t command, const ControlRect& r, const Entries& entries) {
        auto* m = makeOptionMenu(listener, this, cmd::editorTag(command), r, ink, paper, entries);
        m->setStyle(kMenuStyle);
        return coloured(m);
    };
    auto button = [&](int32_t command, const ControlRect& r, const char* bitmap) {
        skinBook_.bitmap(
            makeKickButton(listener, this, cmd::editorTag(command), r, skinBook_.name(bitmap)),
            bitmap);
    };

    global.volumeKnob = knob(cmd::global::kVolume, place::volumeKnob,
                             knobSteps(cmd::parameterOf(cmd::global::kVolume)));
    global.pitchKnob = knob(cmd::global::kReferencePitch, place::pitchKnob,
                            knobSteps(cmd::parameterOf(cmd::global::kReferencePitch)));
    bendKnob_ = knob(setting::kBendRange, place::bendKnob, knobSteps(kBendRangeId));
    global.volumeLabel = label(place::volumeLabel, "0");
    global.pitchField = text(cmd::global::kReferencePitch, place::pitchField);
    bendField_ = text(setting::kBendRange, place::bendField);
    global.voiceMenu = menu(cmd::global::kVoiceCount, place::voiceMenu, kVoiceEntries);
    global.rateMenu = menu(cmd::global::kRateDivider, place::rateMenu,
                           {"44100 Hz", "22050 Hz", "14700 Hz", "11025 Hz"});
    global.bitDepthMenu = menu(cmd::global::kBitDepth, place::bitDepthMenu, kBitDepthEntries);
    global.rateSuffixes = kRateSuffixes;
    button(setting::kImportTableA, place::importButton[0], "BtnImpA.png");
    button(setting::kImportTableB, place::importButton[1], "BtnImpB.png");
    button(setting::kExportTableA, place::exportButton[0], "BtnExpA.png");
    button(setting::kExportTableB, place::exportButton[1], "BtnExpB.png");
    button(setting::kImportPreset, place::presetImportButton, "BtnImp.png");
    button(setting::kExportPreset, place::presetExportButton, "BtnExp.png");
    opacityKnob_[0] = knob(setting::kWaveOpacity, place::waveOpacityKnob, 100);
    opacityKnob_[1] = knob(setting::kGridOpacity, place::gridOpacityKnob, 100);
    opacityField_[0] = text(setting::kWaveOpacity, place::waveOpacityField);
    opacityField_[1] = text(setting::kGridOpacity, place::gridOpacityField);
    radixMenu_ = menu(setting::kNumberRadix, place::radixMenu, {"10", "16"});
    skinMenu_ = menu(setting::kSkin, place::skinMenu,
                     {taluma::layout::kSkinNames[0], taluma::layout::kSkinNames[1]});
    frameRateMenu_ = menu(setting::kFrameRateIndex, place::frameRateMenu,
                          {"24 FPS", "25 FPS", "30 FPS", "50 FPS", "60 FPS"});
    const std::string version = std::string("TALUMA W / Ver:") + taluma::kVersionString;
    label(place::versionLabel, version.c_str());
}

void Layer_Sett::showBendRange(int32_t semitones, const CView* focus) {
    const int32_t steps = knobSteps(kBendRangeId);
    semitones = std::clamp(semitones, 0, steps);
    showNormalized(bendKnob_, float(semitones) / float(steps));
    showText(bendField_, context_.tables().decimal[semitones], focus);
}

void Layer_Sett::showOpacity(int which, float normalized, bool live) {
    showNormalized(opacityKnob_[which], normalized);
    showText(opacityField_[which], std::to_string(int32_t(normalized * 100.0 + 0.5)) + " %");
    if (live && which == 0)
        waveEditor_.setWaveAlpha(normalized);
    else if (live)
        waveEditor_.setGridAlpha(normalized);
}

void Layer_Sett::handleChange(CControl* control) {
    const int32_t tag = control->getTag();
    const int32_t command = cmd::commandOf(tag);
    const float norm = control->getValueNormalized();
    if (const int32_t code = dialogOf(command)) {
        if (norm > 0.5f)
            context_.openFileDialog(code);
        return;
    }
    switch (command) {
    case setting::kBendRange: {
        const int32_t steps = knobSteps(kBendRangeId);
        const int32_t n = snapStep(norm, steps);
        showBendRange(n);
        context_.sendStep(tag, n, steps);
        return;
    }
    case setting::kWaveOpacity:
    case setting::kGridOpacity:
        showOpacity(command == setting::kWaveOpacity ? 0 : 1, norm, true);
        context_.sendValueChange(tag, int32_t(norm * 100.0 + 0.5));
        return;
    case setting::kNumberRadix: {
        const int32_t k = int32_t(norm + 0.5f);
        waveEditor_.showRadixMarks(k > 0);
        context_.sendValueChange(tag, k);
        return;
    }
    case setting::kSkin: {
        const int32_t skin = int32_t(norm + 0.5f);
        context_.changeSkin(skin);
        context_.sendValueChange(tag, skin);
        return;
    }
    case setting::kFrameRateIndex: {
        const int32_t k = int32_t(norm * 4.0f + 0.5f);
        context_.changeFrameRate(k);
        context_.sendValueChange(tag, k);
        return;
    }
    default: return;
    }
}

void Layer_Sett::handleTypedEntry(int32_t command, const std::string& text) {
    if (command == setting::kBendRange) {
        const int32_t n = int32_t(parsedPlain(kBendRangeId, text) + 0.5);
        showBendRange(n);
        context_.sendStep(command, n, knobSteps(kBendRangeId));
    } else if (command == setting::kWaveOpacity || command == setting::kGridOpacity) {
        const float x = std::strtof(text.c_str(), nullptr);
        const int32_t n = int32_t(std::clamp(std::isfinite(x) ? x : 0.0, 0.0, 100.0) + 0.5);
        showOpacity(command == setting::kWaveOpacity ? 0 : 1, float(n / 100.0), true);
        context_.sendValueChange(command, n);
    }
}

void Layer_Sett::refresh(const EditorSource& source) {
    global.update(context_.tables(), source, nullptr);
    const int32_t bend = source.value(kBendRangeId);
    if (bend >= 0)
        showBendRange(bend);
    const taluma::SynthSettings* settings = source.settings();
    if (!settings)
        return;
    for (int which = 0; which < 2; ++which) {
        const int32_t percent = (which == 0 ? settings->waveOpacity : settings->gridOpacity).load();
        showOpacity(which, float(std::clamp(percent, 0, 100)) / 100.0f, false);
    }
    showNormalized(radixMenu_, settings->numberRadix.load() > 0 ? 1.0f : 0.0f);
    showNormalized(skinMenu_, settings->skin.load() > 0 ? 1.0f : 0.0f);
    showNormalized(frameRateMenu_, float(settings->frameRateIndex.load()) / 4.0f);
}

void Layer_Sett::tick(const EditorSource& source, const CView* focus, uint32_t) {
    const int32_t bend = source.value(kBendRangeId);
    if (isShown(this) && bend >= 0)
        showBendRange(bend, focus);
}

}  // namespace Steinberg::Vst
