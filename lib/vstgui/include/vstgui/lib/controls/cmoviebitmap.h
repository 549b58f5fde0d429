// Shows one frame of a vertical film strip according to its value.
#pragma once
#include "ccontrol.h"

namespace VSTGUI {

class CMovieBitmap : public CControl {
public:
    CMovieBitmap(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
                 CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));
    CMovieBitmap(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                 const CPoint& offset = CPoint(0, 0));

    void draw(CDrawContext* context) override;
    int32_t getNumSubPixmaps() const { return subPixmaps; }

private:
    CPoint offset;
    CCoord heightOfOneImage;
    int32_t subPixmaps;
};

}  // namespace VSTGUI
