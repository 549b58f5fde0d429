#include "editor/control_factory.h"

#include <map>

namespace Steinberg {
namespace Vst {

using namespace VSTGUI;

namespace {

// π/2 + 0.001 and 2π - 0.001: the knob's arc, kept for VSTGUI's circular drawing.
constexpr float kKnobStartAngle = 1.5717964f;
constexpr float kKnobRangeAngle = 6.282185f;

template <typename T>
T* added(CViewContainer* container, T* view) {
    if (container)
        container->addView(view);
    return view;
}

void fillMenu(COptionMenu* menu, const Entries& entries) {
    for (const char* entry : entries)
        menu->addEntry(entry);
}

void styleText(CParamDisplay* view, CFontRef typeface, const CColor& back, const CColor& font,
               CHoriTxtAlign align) {
    view->setFont(typeface ? typeface : kNormalFont);
    view->setFontColor(font);
    view->setBackColor(back);
    view->setFrameColor(CColor(0, 0, 0, 0));
    view->setHoriAlign(align);
}

}  // namespace

CRect toCRect(const ControlRect& r) {
    return CRect(r.left, r.top, r.left + r.width, r.top + r.height);
}

namespace {
std::map<std::string, SharedPointer<CBitmap>>& bitmapCache() {
    static std::map<std::string, SharedPointer<CBitmap>> cache;
    return cache;
}
}  // namespace

SharedPointer<CBitmap> loadBitmap(const std::string& name) {
    SharedPointer<CBitmap>& cached = bitmapCache()[name];
    if (!cached)
        cached = owned(new CBitmap(CResourceDescription(name.c_str())));
    return cached;
}

void releaseUnusedBitmaps() {
    auto& cache = bitmapCache();
    for (auto it = cache.begin(); it != cache.end();)
        it = it->second->getNbReference() == 1 ? cache.erase(it) : std::next(it);
}

CView* makeImageView(CViewContainer* container, const ControlRect& r, const std::string& bitmap) {
    auto* view = new CView(toCRect(r));
    view->setBackground(loadBitmap(bitmap));
    return added(container, view);
}

CViewContainer* makeLayerContainer(CViewContainer* parent, const ControlRect& r,
                                   const std::string& bitmap) {
    auto* view = new CViewContainer(toCRect(r));
    view->setBackground(loadBitmap(bitmap));
    return added(parent, view);
}

COptionMenu* makePopupMenu(IControlListener* listener, int32_t tag, const Entries& entries,
                           int32_t style) {
    auto* menu = new COptionMenu(CRect(0, 0, 1, 1), listener, tag);
    menu->setStyle(style);
    int32_t item = tag + 1;
    for (const char* entry : entries)
        menu->addEntry(new CMenuItem(entry, item++));
    return menu;
}

CMovieBitmapSwtBtn* makeSwitchButton(IControlListener* listener, CViewContainer* container,
                                     int32_t tag, const ControlRect& r, const std::string& bitmap) {
    return added(container, new CMovieBitmapSwtBtn(toCRect(r), listener, tag, loadBitmap(bitmap)));
}

CKickButton* makeKickButton(IControlListener* listener, CViewContainer* container, int32_t tag,
                            const ControlRect& r, const std::string& bitmap) {
    return added(container,
                 new CKickButton(toCRect(r), listener, tag, loadBitmap(bitmap), CPoint(0, 0)));
}

CAnimKnob* makeKnob(IControlListener* listener, CViewContainer* container, int32_t tag,
                    const ControlRect& r, const std::string& bitmap, int32_t steps) {
    auto* knob = new CAnimKnob(toCRect(r), listener, tag, loadBitmap(bitmap), CPoint(0, 0));
    knob->setWheelInc(1.0f / float(steps));
    knob->setStartAngle(kKnobStartAngle);
    knob->setRangeAngle(kKnobRangeAngle);
    return added(container, knob);
}

CVerticalSwitch* makeVerticalSwitch(IControlListener* listener, CViewContainer* container,
                                    int32_t tag, const ControlRect& r, const std::string& bitmap) {
    constexpr int32_t kPositions = 8;
    auto* view = new CVerticalSwitch(toCRect(r), listener, tag, kPositions, r.height, kPositions,
                                     loadBitmap(bitmap), CPoint(0, 0));
    return added(container, view);
}

CHorizontalSwitch* makeHorizontalSwitch(IControlListener* listener, CViewContainer* container,
                                        int32_t tag, const ControlRect& r, int32_t positions,
                                        const std::string& bitmap) {
    auto* view = new CHorizontalSwitch(toCRect(r), listener, tag, positions, r.height, positions,
                                       loadBitmap(bitmap), CPoint(0, 0));
    return added(container, view);
}

COptionMenu* makeOptionMenu(IControlListener* listener, CViewContainer* container, int32_t tag,
                            const ControlRect& r, const CColor& back, const CColor& font,
                            const Entries& entries) {
    auto* menu = new COptionMenu(toCRect(r), listener, tag);
    fillMenu(menu, entries);
    styleText(menu, kNormalFont, back, font, kCenterText);
    return added(container, menu);
}

CTextLabel* makeLabel(CViewContainer* container, const ControlRect& r, const CColor& back,
                      const CColor& font, CFontRef typeface, CHoriTxtAlign align,
                      const char* text) {
    auto* label = new CTextLabel(toCRect(r), text);
    styleText(label, typeface, back, font, align);
    return added(container, label);
}

CTextLabel* makeClickLabel(IControlListener* listener, CViewContainer* container, int32_t tag,
                           const ControlRect& r, const CColor& back, const CColor& font) {
    auto* label = new CClickLabel(toCRect(r), listener, tag);
    styleText(label, kNormalFontSmall, back, font, kLeftText);
    label->setTextInset(CPoint(4, 0));
    return added(container, label);
}

CTextEdit* makeTextEdit(IControlListener* listener, CViewContainer* container, int32_t tag,
                        const ControlRect& r, const CColor& back, const CColor& font,
                        const char* text) {
    auto* edit = new CTextEdit(toCRect(r), listener, tag, text);
    styleText(edit, kNormalFont, back, font, kCenterText);
    return added(container, edit);
}

void setViewBitmap(CView* view, const std::string& bitmap) {
    if (view)
        view->setBackground(loadBitmap(bitmap));
}

void setTextColours(CParamDisplay* view, const CColor& back, const CColor& font) {
    if (!view)
        return;
    view->setFontColor(font);
    view->setBackColor(back);
}

}  // namespace Vst
}  // namespace Steinberg
