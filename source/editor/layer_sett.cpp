#include "editor/layer_sett.h"

#include "editor/control_factory.h"
#include "editor/control_values.h"
#include "editor/editor_source.h"
#include "editor/editor_tags.h"
#include "engine/engine_event.h"
#include "vst3/plugin_ids.h"

#include <algorithm>
#include <string>

namespace Steinberg {
namespace Vst {

using namespace VSTGUI;
namespace cmd = taluma::cmd;
namespace setting = taluma::cmd::setting;
namespace place = taluma::layout::settings;

namespace {
const char* const kRateSuffixes[4] = {" Hz", " Hz", " Hz", " Hz"};
}  // namespace

MainVSTGUIEditor::Layer_Sett::Layer_Sett(MainVSTGUIEditor* e)
    : CViewContainerExt(toCRect(taluma::layout::window::page)), editor(e), skinBook(e->skin()) {
    skinBook.bitmap(this, "BackRmenuSetting.png");
    setBackground(loadBitmap(skinBook.name("BackRmenuSetting.png")));
    const int32_t skin = e->skin();
    const CColor ink = paletteColour(skin, Palette::Ink);
    const CColor paper = paletteColour(skin, Palette::Paper);
    auto knob = [&](int32_t command, const ControlRect& r, int32_t steps) {
        return skinBook.bitmap(
            makeKnob(e, this, cmd::editorTag(command), r, skinBook.name("KnbG22.png"), steps),
            "KnbG22.png");
    };
    auto text = [&](int32_t command, const ControlRect& r) {
        return skinBook.colours(
            makeTextEdit(e, this, cmd::typedEntryTag(command), r, ink, paper, "0"), Palette::Ink,
            Palette::Paper);
    };
    auto label = [&](const ControlRect& r, const char* content) {
        return skinBook.colours(makeLabel(this, r, ink, paper, kNormalFont, kCenterText, content),
                                Palette::Ink, Palette::Paper);
    };
    auto menu = [&](int32_t command, const ControlRect& r, const Entries& entries) {
        auto* m = makeOptionMenu(e, this, cmd::editorTag(command), r, ink, paper, entries);
        m->setStyle(kMenuStyle);
        return skinBook.colours(m, Palette::Ink, Palette::Paper);
    };
    auto button = [&](int32_t command, const ControlRect& r, const char* bitmap) {
        return skinBook.bitmap(
            makeKickButton(e, this, cmd::editorTag(command), r, skinBook.name(bitmap)), bitmap);
    };

    global.volumeKnob = knob(cmd::global::kVolume, place::volumeKnob, 127);
    global.pitchKnob = knob(cmd::global::kReferencePitch, place::pitchKnob, 400);
    bendKnob = knob(setting::kBendRange, place::bendKnob, 24);
    global.volumeLabel = label(place::volumeLabel, "0");
    global.pitchField = text(cmd::global::kReferencePitch, place::pitchField);
    bendField = text(setting::kBendRange, place::bendField);
    global.voiceMenu = menu(cmd::global::kVoiceCount, place::voiceMenu, kVoiceEntries);
    global.rateMenu = menu(cmd::global::kRateDivider, place::rateMenu,
                           {"44100 Hz", "22050 Hz", "14700 Hz", "11025 Hz"});
    global.bitDepthMenu = menu(cmd::global::kBitDepth, place::bitDepthMenu, kBitDepthEntries);
    global.rateSuffixes = kRateSuffixes;
    importButton[0] = button(setting::kImportTableA, place::importButton[0], "BtnImpA.png");
    importButton[1] = button(setting::kImportTableB, place::importButton[1], "BtnImpB.png");
    exportButton[0] = button(setting::kExportTableA, place::exportButton[0], "BtnExpA.png");
    exportButton[1] = button(setting::kExportTableB, place::exportButton[1], "BtnExpB.png");
    presetImportButton = button(setting::kImportPreset, place::presetImportButton, "BtnImp.png");
    presetExportButton = button(setting::kExportPreset, place::presetExportButton, "BtnExp.png");
    opacityKnob[0] = knob(setting::kWaveOpacity, place::waveOpacityKnob, 100);
    opacityKnob[1] = knob(setting::kGridOpacity, place::gridOpacityKnob, 100);
    opacityField[0] = text(setting::kWaveOpacity, place::waveOpacityField);
    opacityField[1] = text(setting::kGridOpacity, place::gridOpacityField);
    radixMenu = menu(setting::kNumberRadix, place::radixMenu, {"10", "16"});
    skinMenu = menu(setting::kSkin, place::skinMenu,
                    {taluma::layout::kSkinNames[0], taluma::layout::kSkinNames[1]});
    frameRateMenu = menu(setting::kFrameRateIndex, place::frameRateMenu,
                         {"24 FPS", "25 FPS", "30 FPS", "50 FPS", "60 FPS"});
    const std::string version = std::string("TALUMA W / Ver:") + taluma::kVersionString;
    versionLabel = label(place::versionLabel, version.c_str());
}

void MainVSTGUIEditor::Layer_Sett::showBendRange(int32_t semitones, const CView* focus) {
    semitones = std::clamp(semitones, 0, 24);
    showNormalized(bendKnob, float(semitones) / 24.0f);
    showText(bendField, editor->tables().decimal[semitones], focus);
}

void MainVSTGUIEditor::Layer_Sett::showOpacity(int which, int32_t percent) {
    percent = std::clamp(percent, 0, 100);
    showNormalized(opacityKnob[which], float(percent) / 100.0f);
    showText(opacityField[which], std::to_string(percent) + " %");
}

void MainVSTGUIEditor::Layer_Sett::updateFromSynth(const EditorSource& source) {
    global.update(editor->tables(), source, nullptr);
    const int32_t bend = source.value(taluma::eventid::kBendRange);
    if (bend >= 0)
        showBendRange(bend);
    const taluma::SynthSettings* settings = source.settings();
    if (!settings)
        return;
    showOpacity(0, settings->waveOpacity.load());
    showOpacity(1, settings->gridOpacity.load());
    showNormalized(radixMenu, settings->numberRadix.load() > 0 ? 1.0f : 0.0f);
    showNormalized(skinMenu, settings->skin.load() > 0 ? 1.0f : 0.0f);
    showNormalized(frameRateMenu, float(settings->frameRateIndex.load()) / 4.0f);
}

}  // namespace Vst
}  // namespace Steinberg
