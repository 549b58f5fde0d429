// Resampling a part of a bitmap to another size, for zooms between the versions a
// bitmap is drawn at: an area average when shrinking (every source pixel counts by
// the part of it a device pixel covers) and bilinear when enlarging, both with
// premultiplied alpha, so that transparent pixels lend no colour to their neighbours.
// Only pixels inside the part are read: the next frame of a film strip never bleeds in.
#pragma once
#include "vstgui/lib/cbitmap.h"

namespace VSTGUI {

// The part (x0, y0)-(x1, y1) of `from`, in its pixels, as w x h pixels.
BitmapPixels resample(const BitmapPixels& from, double x0, double y0, double x1, double y1,
                      int32_t w, int32_t h);

}  // namespace VSTGUI
