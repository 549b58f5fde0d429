// Commands of editor controls that never reach the processor as they are: the
// settings and logo buttons, the preset browser, the page tabs and the generator-type
// buttons. The
// processor's commands are in command_tags.h.
#pragma once

#include "synth/command_tags.h"

namespace taluma {
namespace cmd {
namespace control {
constexpr int32_t kSettingsButton = 0x1001;  // shows the Settings page
constexpr int32_t kLogoButton = 0x1002;      // shows the credits
constexpr int32_t kPresetPrev = 0x1003;      // the preset browser: the previous preset
constexpr int32_t kPresetNext = 0x1004;      // the next preset
constexpr int32_t kPresetName = 0x1005;      // opens the preset menu
constexpr int32_t kPresetMenu = 0x1006;      // the preset menu's choice
constexpr int32_t kLogicTab = 0x1040;        // left tab
constexpr int32_t kGeneratorTab = 0x1041;    // right tab
// Generator-type buttons: kTypeButton + type (sine .. noise), sent as generator::kType.
constexpr int32_t kTypeButton = 0x6040;
constexpr int32_t kTypeButtonCount = 6;
// Radio groups of the Logic page: four buttons each, the group's command + index.
constexpr int32_t kRadioGroups[4] = {opValue::kAlgorithm, opValue::kVelocityCurveA,
                                     opValue::kVelocityCurveB, opValue::kLfoWave};
}  // namespace control

// A table's drawing tag whose item has this bit reports where the mouse hovers (the
// cell in the low bits): it changes nothing.
constexpr int32_t kHoverBit = 0x80;
constexpr bool isHoverReport(int32_t tag) {
    return subGroupOf(tag) == kDrawing && (itemOf(tag) & kHoverBit) != 0;
}
}  // namespace cmd
}  // namespace taluma
