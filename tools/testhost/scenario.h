// A fixed performance (notes, controllers, automation, bypass, odd block sizes) that
// renders the same way on every platform; used to compare modules built for
// different systems sample for sample.
#pragma once

#include "module_loader.h"

#include <string>
#include <vector>

namespace taluma {
namespace testhost {

// Renders the scenario with the module's instrument at 48 kHz and returns interleaved
// stereo samples. False and a reason on failure.
bool renderScenario(Module& module, std::vector<float>& interleaved, std::string& error);

}  // namespace testhost
}  // namespace taluma
