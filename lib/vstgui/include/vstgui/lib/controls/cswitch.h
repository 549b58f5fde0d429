// Switches with a fixed number of positions, drawn from a film strip with one
// frame per position. A click selects the position under the pointer and a drag
// follows it; a wheel notch moves one position; the value is position / (positions - 1)
// of the range.
#pragma once
#include "ccontrol.h"

namespace VSTGUI {

class CSwitchBase : public CDragControl {
public:
    CSwitchBase(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
                CCoord heightOfOneImage, int32_t iMaxPositions, CBitmap* background,
                const CPoint& offset);

    void draw(CDrawContext* context) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    int32_t getNumPositions() const { return positions; }

protected:
    static int32_t framesIn(CBitmap* background, const CRect& size);
    // Position 0..positions-1 under the point (parent coordinates).
    virtual int32_t positionAt(const CPoint& where) const = 0;
    float dragValue(const CPoint& where, const CButtonState& buttons, bool press) override;

    CPoint offset;
    CCoord heightOfOneImage;
    int32_t subPixmaps;
    int32_t positions;
};

class CHorizontalSwitch : public CSwitchBase {
public:
    CHorizontalSwitch(const CRect& size, IControlListener* listener, int32_t tag,
                      int32_t subPixmaps, CCoord heightOfOneImage, int32_t iMaxPositions,
                      CBitmap* background, const CPoint& offset = CPoint(0, 0));
    // One position per frame of the view's height in the bitmap.
    CHorizontalSwitch(const CRect& size, IControlListener* listener, int32_t tag,
                      CBitmap* background, const CPoint& offset = CPoint(0, 0));

protected:
    int32_t positionAt(const CPoint& where) const override;
};

class CVerticalSwitch : public CSwitchBase {
public:
    CVerticalSwitch(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
                    CCoord heightOfOneImage, int32_t iMaxPositions, CBitmap* background,
                    const CPoint& offset = CPoint(0, 0));
    CVerticalSwitch(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                    const CPoint& offset = CPoint(0, 0));

protected:
    int32_t positionAt(const CPoint& where) const override;
};

}  // namespace VSTGUI
