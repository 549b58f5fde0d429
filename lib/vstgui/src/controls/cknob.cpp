#include "vstgui/lib/controls/cknob.h"
#include <cmath>
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"

namespace VSTGUI {
namespace {
constexpr double kTwoPi = 6.283185307179586;

// The angle a - b brought into -pi..pi, so a turn across the 9 o'clock line counts
// as the small step it is.
double angleStep(double a, double b) {
    double d = std::fmod(a - b, kTwoPi);
    if (d > kTwoPi / 2)
        d -= kTwoPi;
    else if (d < -kTwoPi / 2)
        d += kTwoPi;
    return d;
}
}  // namespace

CAnimKnob::CAnimKnob(const CRect& r, IControlListener* l, int32_t t, CBitmap* bg, const CPoint& o)
    : CDragControl(r, l, t, bg), offset(o), heightOfOneImage(r.getHeight()), subPixmaps(0) {}

CAnimKnob::CAnimKnob(const CRect& r, IControlListener* l, int32_t t, int32_t sub, CCoord h,
                     CBitmap* bg, const CPoint& o)
    : CDragControl(r, l, t, bg), offset(o), heightOfOneImage(h), subPixmaps(sub) {}

int32_t CAnimKnob::getNumSubPixmaps() const {
    if (subPixmaps > 0)
        return subPixmaps;
    if (!background || heightOfOneImage <= 0)
        return 0;
    return static_cast<int32_t>(background->getHeight() / heightOfOneImage);
}

void CAnimKnob::draw(CDrawContext* context) {
    const float norm = getValueNormalized();
    drawFilmStripFrame(context, background, size, filmStripIndex(norm, getNumSubPixmaps()),
                       heightOfOneImage, offset, 1.f);
}

double CAnimKnob::angleAt(const CPoint& where) const {
    return std::atan2(where.y - size.getCenter().y, where.x - size.getCenter().x);
}

float CAnimKnob::valueAtAngle(double angle) const {
    if (rangeAngle <= 0)
        return getValueNormalized();
    double past = std::fmod(angle - startAngle, kTwoPi);
    if (past < 0)
        past += kTwoPi;
    if (past > rangeAngle)  // in the gap between the ends: the nearer end
        return past - rangeAngle < kTwoPi - past ? 1.f : 0.f;
    return static_cast<float>(past / rangeAngle);
}

float CAnimKnob::dragValue(const CPoint& where, const CButtonState& buttons, bool press) {
    float norm = getValueNormalized();
    if (press) {
        dragMode = buttons & kZoomModifier ? kLinearMode
                   : getFrame()            ? getFrame()->getKnobMode()
                                           : kCircularMode;
        lastPoint = where;
        lastAngle = angleAt(where);
        if (dragMode == kCircularMode)
            norm = valueAtAngle(lastAngle);
        return vmin + norm * getRange();
    }
    const float fine = buttons & kZoomModifier ? kFineFactor : 1.f;
    switch (dragMode) {
    case kLinearMode:
        norm += static_cast<float>((lastPoint.y - where.y) / (kDragRange * fine));
        break;
    case kRelativCircularMode: {
        double angle = angleAt(where);
        norm += static_cast<float>(angleStep(angle, lastAngle) / rangeAngle / fine);
        lastAngle = angle;
        break;
    }
    default: {
        // Following the pointer round, but never across the gap from one end to the other.
        float next = valueAtAngle(angleAt(where));
        norm = std::fabs(next - norm) > 0.5f ? (norm < 0.5f ? 0.f : 1.f) : next;
        break;
    }
    }
    lastPoint = where;
    norm = norm < 0.f ? 0.f : (norm > 1.f ? 1.f : norm);
    return vmin + norm * getRange();
}

}  // namespace VSTGUI
