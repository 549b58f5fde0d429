// The plug-in's LV2 state interface (lv2_state.cpp).
#pragma once

#include <lv2/state/state.h>

namespace taluma::lv2 {

const LV2_State_Interface* stateInterface();

}  // namespace taluma::lv2
