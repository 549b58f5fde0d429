// Typed entries: a number typed into a field does what turning its control would do,
// clamped to the control's range. Text that is no number reads as 0.
#include "editor/main_vst_gui_editor.h"

#include "editor/control_values.h"
#include "editor/editor_tags.h"
#include "editor/layer_logc.h"
#include "editor/layer_mbar.h"
#include "editor/layer_sett.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Steinberg {
namespace Vst {

namespace cmd = taluma::cmd;
namespace gen = taluma::cmd::generator;
namespace setting = taluma::cmd::setting;

namespace {

double parsed(const std::string& text) {
    const float x = std::strtof(text.c_str(), nullptr);
    return std::isfinite(x) ? x : 0.0;  // "nan" and "inf" are no numbers either
}

// What a typed generator value is sent as: the knob's normalised position.
bool generatorValue(int32 command, double x, double& v) {
    switch (command) {
    case gen::kAmplitude:
    case gen::kOffset: v = (int32(std::clamp(x, -256.0, 255.0)) + 256) / 511.0; return true;
    case gen::kRangeEnd:
    case gen::kNoisePoints: v = (int32(std::clamp(x, 1.0, 128.0)) - 1) / 127.0; return true;
    case gen::kRangeStart: v = int32(std::clamp(x, 0.0, 127.0)) / 127.0; return true;
    case gen::kCycles: v = (std::ceil(4.0 * std::clamp(x, 0.25, 128.0)) - 1.0) / 511.0; return true;
    case gen::kPhase: v = (int32(std::clamp(x, -128.0, 127.0)) + 128) / 255.0; return true;
    case gen::kHarmonicsCount: v = (int32(std::clamp(x, 1.0, 64.0)) - 1) / 63.0; return true;
    case gen::kNoiseSeed: v = int32(std::clamp(x, 0.0, 65535.0)) / 65535.0; return true;
    default: return false;
    }
}

}  // namespace

void MainVSTGUIEditor::onTextEntry(VSTGUI::CControl* control) {
    auto* textField = dynamic_cast<VSTGUI::CTextLabel*>(control);
    if (!textField)
        return;
    const int32 command = cmd::commandOf(control->getTag());
    const double x = parsed(textField->getText());
    double v = 0.0;

    if (command == cmd::global::kReferencePitch) {
        const int32 hertz = int32(std::clamp(x, 420.0, 460.0) + 0.5);
        v = (10.0 * hertz - 4200.0) / 400.0;
        showPitch(hertz * 100);
        char text[32];
        std::snprintf(text, sizeof text, "%f Hz", double(hertz));
        showText(menuBar_->global.pitchField, text);
        if (settingsShown())
            showText(settingsPage_->global.pitchField, text);
        hostEdit(command, v);
        sendValueChange(command, v);
    } else if (command == setting::kBendRange) {
        const int32 n = int32(std::clamp(x, 0.0, 24.0) + 0.5);
        showBendRange(n);
        sendStep(command, n, 24);
    } else if (command == setting::kWaveOpacity || command == setting::kGridOpacity) {
        const int32 n = int32(std::clamp(x, 0.0, 100.0) + 0.5);
        showOpacity(command, float(n / 100.0));
        sendValueChange(command, n);
    } else if (generatorValue(command, x, v)) {
        sendValueChange(command, v);
    } else if (cmd::groupOf(command) == cmd::kOpValues) {
        const int32 item = cmd::itemOf(command);
        const int32 steps = logicSteps(item);
        if (steps == 0)
            return;
        const int32 lowest = logicTypedMin(item);
        const int32 n = int32(std::clamp(x, double(lowest), double(lowest + steps))) - lowest;
        logicPage_->show(item, n);
        hostEdit(command, float(n) / float(steps));
        sendValueChange(command, n);
    }
}

}  // namespace Vst
}  // namespace Steinberg
