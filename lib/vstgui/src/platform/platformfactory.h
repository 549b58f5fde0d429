// Creates the platform window of a frame; null when the platform cannot.
#pragma once
#include <memory>
#include "vstgui/lib/platformframe.h"

namespace VSTGUI {

std::unique_ptr<IPlatformFrame> createOffscreenFrame(CFrame* frame);
std::unique_ptr<IPlatformFrame> createNativeFrame(CFrame* frame, void* parent, PlatformType type,
                                                  IPlatformFrameConfig* config);

}  // namespace VSTGUI
