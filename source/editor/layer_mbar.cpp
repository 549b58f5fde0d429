#include "editor/layer_mbar.h"

#include "editor/control_factory.h"
#include "editor/editor_tags.h"

namespace Steinberg {
namespace Vst {

using namespace VSTGUI;
namespace cmd = taluma::cmd;
namespace place = taluma::layout::menubar;

namespace {
const char* const kRateSuffixes[4] = {" Hz [1/1]", " Hz [1/2]", " Hz [1/3]", " Hz [1/4]"};
}  // namespace

MainVSTGUIEditor::Layer_Mbar::Layer_Mbar(MainVSTGUIEditor* e)
    : CViewContainerExt(toCRect(taluma::layout::window::menuBar)), editor(e), skinBook(e->skin()) {
    setBackgroundColor(CColor(0, 0, 0, 0));
    const int32_t skin = e->skin();
    const CColor paper = paletteColour(skin, Palette::Paper);
    const CColor ink = paletteColour(skin, Palette::Ink);
    auto button = [&](int32_t command, const ControlRect& r, const char* bitmap) {
        return skinBook.bitmap(
            makeKickButton(e, this, cmd::editorTag(command), r, skinBook.name(bitmap)), bitmap);
    };
    auto knob = [&](int32_t command, const ControlRect& r, int32_t steps) {
        return skinBook.bitmap(
            makeKnob(e, this, cmd::editorTag(command), r, skinBook.name("KnbG16.png"), steps),
            "KnbG16.png");
    };
    auto menu = [&](int32_t command, const ControlRect& r, const Entries& entries) {
        auto* m = makeOptionMenu(e, this, cmd::editorTag(command), r, paper, ink, entries);
        m->setStyle(kMenuStyle);
        return skinBook.colours(m, Palette::Paper, Palette::Ink);
    };

    settingsButton = button(cmd::control::kSettingsButton, place::settingsButton, "BtnSetting.png");
    logoButton = button(cmd::control::kLogoButton, place::logoButton, "BtnLogo.png");
    presetPrev = button(cmd::control::kPresetPrev, place::presetPrev, "BtnPresetPrev.png");
    presetNext = button(cmd::control::kPresetNext, place::presetNext, "BtnPresetNext.png");
    presetName = skinBook.colours(makeClickLabel(e, this, cmd::editorTag(cmd::control::kPresetName),
                                                 place::presetName, paper, ink),
                                  Palette::Paper, Palette::Ink);
    global.volumeKnob = knob(cmd::global::kVolume, place::volumeKnob, 127);
    global.pitchKnob = knob(cmd::global::kReferencePitch, place::pitchKnob, 400);
    global.volumeLabel = skinBook.colours(
        makeLabel(this, place::volumeLabel, paper, ink, kNormalFont, kCenterText, "0"),
        Palette::Paper, Palette::Ink);
    global.pitchField =
        skinBook.colours(makeTextEdit(e, this, cmd::typedEntryTag(cmd::global::kReferencePitch),
                                      place::pitchField, paper, ink, "0"),
                         Palette::Paper, Palette::Ink);
    global.rateMenu =
        menu(cmd::global::kRateDivider, place::rateMenu,
             {"44100 Hz [1/1]", "22050 Hz [1/2]", "14700 Hz [1/3]", "11025 Hz [1/4]"});
    global.bitDepthMenu = menu(cmd::global::kBitDepth, place::bitDepthMenu, kBitDepthEntries);
    global.voiceMenu = menu(cmd::global::kVoiceCount, place::voiceMenu, kVoiceEntries);
    global.rateSuffixes = kRateSuffixes;
}

void MainVSTGUIEditor::Layer_Mbar::updateFromSynth(const EditorSource& source) {
    global.update(editor->tables(), source, nullptr);
}

}  // namespace Vst
}  // namespace Steinberg
