// The plug-in's window in an LV2 host (lv2_ui.cpp).
#pragma once

#include <lv2/ui/ui.h>

namespace taluma::lv2 {

const LV2UI_Descriptor* uiDescriptor();

}  // namespace taluma::lv2
