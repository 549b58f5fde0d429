// Commands of editor controls that never reach the processor as they are: the
// settings and logo buttons, the page tabs and the generator-type buttons. The
// processor's commands are in command_tags.h.
#pragma once

#include "command_tags.h"

namespace taluma {
namespace cmd {
namespace control {
constexpr int32_t kSettingsButton = 0x1001;  // shows the Settings page
constexpr int32_t kLogoButton = 0x1002;      // shows the credits
constexpr int32_t kLogicTab = 0x1040;        // left tab
constexpr int32_t kGeneratorTab = 0x1041;    // right tab
// Generator-type buttons: kTypeButton + type (sine .. noise), sent as generator::kType.
constexpr int32_t kTypeButton = 0x6040;
constexpr int32_t kTypeButtonCount = 6;
// Radio groups of the Logic page: four buttons each, the group's command + index.
constexpr int32_t kRadioGroups[4] = {opValue::kAlgorithm, opValue::kVelocityCurveA,
                                     opValue::kVelocityCurveB, opValue::kLfoWave};
}  // namespace control
}  // namespace cmd
}  // namespace taluma
