// Golden images of the window: a rectangle of what it shows, compared with a PNG under
// tests/editor/golden (a differing picture goes to the build folder). To accept a
// deliberate change, run the tests with TALUMA_UPDATE_GOLDEN=1 and look at the new images.
#pragma once

#include "layout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace taluma {
namespace test {

// `pixels` is the window (0xAARRGGBB, `width` per row); `area` the part to compare.
void expectMatchesGolden(const std::vector<uint32_t>& pixels, int32_t width,
                         const layout::Rect& area, const std::string& name);

}  // namespace test
}  // namespace taluma
