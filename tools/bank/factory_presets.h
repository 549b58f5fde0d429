// The factory bank: every preset's description, grouped by category.
#pragma once

#include <vector>

#include "preset_recipe.h"

namespace taluma::bank {

const std::vector<Preset>& factoryPresets();

}  // namespace taluma::bank
