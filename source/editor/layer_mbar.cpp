#include "editor/layer_mbar.h"

#include "editor/control_factory.h"
#include "editor/control_values.h"
#include "editor/editor_context.h"
#include "editor/editor_tags.h"
#include "editor/parameter_entry.h"
#include "editor/preset_browser.h"

#include <cstdio>

namespace Steinberg::Vst {

using namespace VSTGUI;
namespace cmd = taluma::cmd;
namespace place = taluma::layout::menubar;

namespace {

const char* const kRateSuffixes[4] = {" Hz [1/1]", " Hz [1/2]", " Hz [1/3]", " Hz [1/4]"};

}  // namespace

Layer_Mbar::Layer_Mbar(EditorContext& context)
    : PageLayer(context, taluma::layout::window::menuBar) {
    setBackgroundColor(CColor(0, 0, 0, 0));
    IControlListener* listener = context.listener();
    const CColor paper = colour(Palette::Paper);
    const CColor ink = colour(Palette::Ink);
    auto button = [&](int32_t command, const ControlRect& r, const char* bitmap) {
        skinBook_.bitmap(
            makeKickButton(listener, this, cmd::editorTag(command), r, skinBook_.name(bitmap)),
            bitmap);
    };
    auto knob = [&](int32_t command, const ControlRect& r) {
        return skinBook_.bitmap(makeKnob(listener, this, cmd::editorTag(command), r,
                                         skinBook_.name("KnbG16.png"),
                                         knobSteps(cmd::parameterOf(command))),
                                "KnbG16.png");
    };
    auto text = [&](auto* view) { return skinBook_.colours(view, Palette::Paper, Palette::Ink); };
    auto menu = [&](int32_t command, const ControlRect& r, const Entries& entries) {
        auto* m = makeOptionMenu(listener, this, cmd::editorTag(command), r, paper, ink, entries);
        m->setStyle(kMenuStyle);
        return text(m);
    };

    button(cmd::control::kSettingsButton, place::settingsButton, "BtnSetting.png");
    button(cmd::control::kLogoButton, place::logoButton, "BtnLogo.png");
    button(cmd::control::kPresetPrev, place::presetPrev, "BtnPresetPrev.png");
    button(cmd::control::kPresetNext, place::presetNext, "BtnPresetNext.png");
    presetName = text(makeClickLabel(listener, this, cmd::editorTag(cmd::control::kPresetName),
                                     place::presetName, paper, ink));
    global_.volumeKnob = knob(cmd::global::kVolume, place::volumeKnob);
    global_.pitchKnob = knob(cmd::global::kReferencePitch, place::pitchKnob);
    global_.volumeLabel =
        text(makeLabel(this, place::volumeLabel, paper, ink, kNormalFont, kCenterText, "0"));
    global_.pitchField =
        text(makeTextEdit(listener, this, cmd::typedEntryTag(cmd::global::kReferencePitch),
                          place::pitchField, paper, ink, "0"));
    global_.rateMenu =
        menu(cmd::global::kRateDivider, place::rateMenu,
             {"44100 Hz [1/1]", "22050 Hz [1/2]", "14700 Hz [1/3]", "11025 Hz [1/4]"});
    global_.bitDepthMenu = menu(cmd::global::kBitDepth, place::bitDepthMenu, kBitDepthEntries);
    global_.voiceMenu = menu(cmd::global::kVoiceCount, place::voiceMenu, kVoiceEntries);
    global_.rateSuffixes = kRateSuffixes;
}

void Layer_Mbar::showTwin(GlobalControls& twin, const CView& page) {
    twin_ = &twin;
    twinPage_ = &page;
}

template <typename Show>
void Layer_Mbar::showGlobal(Show show) {
    show(global_);
    if (twin_ && isShown(twinPage_))
        show(*twin_);
}

void Layer_Mbar::handleChange(CControl* control) {
    const int32_t tag = control->getTag();
    const int32_t command = cmd::commandOf(tag);
    const float norm = control->getValueNormalized();
    const bool pressed = norm > 0.5f;
    const int32_t steps = knobSteps(cmd::parameterOf(command));
    const int32_t n = snapStep(norm, steps);
    const int32_t value = engineValueAt(cmd::parameterOf(command), n);
    const DisplayTables& tables = context_.tables();
    switch (command) {
    case cmd::control::kSettingsButton:
        if (pressed)
            context_.choosePage(kSettingsPage);
        return;
    case cmd::control::kLogoButton:
        if (pressed)
            context_.showCredits();
        return;
    case cmd::control::kPresetPrev:
    case cmd::control::kPresetNext:
        if (pressed)
            context_.presets().step(command == cmd::control::kPresetNext ? 1 : -1);
        return;
    case cmd::control::kPresetName:
        if (pressed)
            context_.presets().openMenu(getFrame(), context_.listener());
        return;
    case cmd::control::kPresetMenu:
        context_.presets().menuChosen(control, getFrame(), context_.skin());
        return;
    case cmd::control::kLogicTab: context_.choosePage(kLogicPage); return;
    case cmd::control::kGeneratorTab: context_.choosePage(kGeneratorPage); return;
    case cmd::global::kVolume:
        showGlobal([&](GlobalControls& g) { g.showVolume(tables, value); });
        break;
    case cmd::global::kReferencePitch:
        showGlobal([&](GlobalControls& g) { g.showPitch(value, nullptr); });
        break;
    case cmd::global::kBitDepth:
        showGlobal([&](GlobalControls& g) { g.showBitDepth(value); });
        break;
    case cmd::global::kRateDivider:
    case cmd::global::kVoiceCount: context_.sendValueChange(tag, norm); return;
    default: return;
    }
    context_.sendStep(tag, n, steps);
}

void Layer_Mbar::handleTypedEntry(int32_t command, const std::string& text) {
    if (command != cmd::global::kReferencePitch)
        return;
    const uint32_t id = cmd::parameterOf(command);
    const int32_t hertz = int32_t(parsedPlain(id, text) + 0.5);
    const double v = normalizedOf(id, hertz);
    const int32_t centiHz = engineValueAt(id, int32_t(v * knobSteps(id) + 0.5));
    char shown[32];
    std::snprintf(shown, sizeof shown, "%f Hz", double(hertz));
    showGlobal([&](GlobalControls& g) {
        g.showPitch(centiHz, nullptr);
        showText(g.pitchField, shown);
    });
    context_.hostEdit(command, v);
    context_.sendValueChange(command, v);
}

void Layer_Mbar::refresh(const EditorSource& source) {
    global_.update(context_.tables(), source, nullptr);
}

void Layer_Mbar::tick(const EditorSource& source, const CView* focus, uint32_t notice) {
    showGlobal([&](GlobalControls& g) { g.showLive(context_.tables(), source, focus); });
    if (notice & taluma::change::kRateDivider) {
        global_.showRates(source);
        if (twin_)
            twin_->showRates(source);
    }
    if (notice & taluma::change::kVoiceCount) {
        global_.showVoiceCount(source.voiceCount());
        if (twin_)
            twin_->showVoiceCount(source.voiceCount());
    }
}

}  // namespace Steinberg::Vst
