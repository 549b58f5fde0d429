// The offscreen probe (see editor_probe.h): synthetic input and a description of
// every view, for tests and benchmarks through the built module.
#include "editor/main_vst_gui_editor.h"

#include "vstgui/lib/offscreen.h"

#include <cstring>
#include <functional>
#include <string>

namespace taluma {
DEF_CLASS_IID(IEditorProbe)
}

namespace Steinberg {
namespace Vst {

using namespace VSTGUI;

namespace {

uint32 rgba(const CColor& c) {
    return (uint32(c.red) << 24) | (uint32(c.green) << 16) | (uint32(c.blue) << 8) | c.alpha;
}

void copyText(char* to, size_t size, const std::string& text) {
    std::strncpy(to, text.c_str(), size - 1);
    to[size - 1] = 0;
}

const char* kindOf(const CView* v) {
    if (dynamic_cast<const CAnimKnob*>(v))
        return "knob";
    if (dynamic_cast<const CKickButton*>(v))
        return "kick";
    if (dynamic_cast<const COnOffButton*>(v))
        return "onoff";
    if (dynamic_cast<const CHorizontalSwitch*>(v))
        return "hswitch";
    if (dynamic_cast<const CVerticalSwitch*>(v))
        return "vswitch";
    if (dynamic_cast<const CVerticalSlider*>(v))
        return "slider";
    if (dynamic_cast<const COptionMenu*>(v))
        return "menu";
    if (dynamic_cast<const CTextEdit*>(v))
        return "edit";
    if (dynamic_cast<const CTextLabel*>(v))
        return "label";
    if (dynamic_cast<const CMovieBitmap*>(v))
        return "movie";
    if (v->isContainer())
        return "container";
    return "view";
}

// Calls fn(view, depth, effectivelyVisible) for `view` and everything in it, in drawing
// order: the frame is view 0 at depth 0.
void forEachView(CView* view, int32 depth, bool parentVisible,
                 const std::function<void(CView*, int32, bool)>& fn) {
    const bool shown = parentVisible && view->isVisible();
    fn(view, depth, shown);
    if (auto* container = dynamic_cast<CViewContainer*>(view))
        for (uint32_t i = 0; i < container->getNbViews(); ++i)
            forEachView(container->getView(i), depth + 1, shown, fn);
}

CView* viewAt(CFrame* frame, int32 index, int32* depth = nullptr, bool* visible = nullptr) {
    CView* found = nullptr;
    int32 i = 0;
    if (frame)
        forEachView(frame, 0, true, [&](CView* v, int32 d, bool shown) {
            if (i++ == index) {
                found = v;
                if (depth)
                    *depth = d;
                if (visible)
                    *visible = shown;
            }
        });
    return found;
}

}  // namespace

int32 PLUGIN_API MainVSTGUIEditor::mouse(int32 event, double x, double y, int32 buttons) {
    if (!frame)
        return kMouseEventNotHandled;
    CPoint where(x, y);
    switch (event) {
    case kDown: return frame->platformOnMouseDown(where, buttons);
    case kMove: return frame->platformOnMouseMoved(where, buttons);
    case kUp: return frame->platformOnMouseUp(where, buttons);
    default: return frame->platformOnMouseExited(where, buttons);
    }
}

tresult PLUGIN_API MainVSTGUIEditor::wheel(double x, double y, float distance) {
    if (!frame)
        return kResultFalse;
    return frame->platformOnMouseWheel(CPoint(x, y), kMouseWheelAxisY, distance, 0) ? kResultTrue
                                                                                    : kResultFalse;
}

int32 PLUGIN_API MainVSTGUIEditor::key(int32 character, int32 virt, int32 modifiers) {
    if (!frame)
        return -1;
    VstKeyCode code;
    code.character = character;
    code.virt = uint8_t(virt);
    code.modifier = uint8_t(modifiers);
    return frame->platformOnKeyDown(code);
}

void PLUGIN_API MainVSTGUIEditor::advanceTime(uint32 milliseconds) {
    Offscreen::advanceTime(milliseconds);
}

const uint32* PLUGIN_API MainVSTGUIEditor::render(int32& width, int32& height) {
    width = height = 0;
    if (!frame)
        return nullptr;
    const PixelBuffer& canvas = Offscreen::render(frame);
    width = canvas.getWidth();
    height = canvas.getHeight();
    return canvas.data();
}

void PLUGIN_API MainVSTGUIEditor::invalidate() {
    if (frame)
        frame->invalid();
}

int32 PLUGIN_API MainVSTGUIEditor::viewUnder(double x, double y) {
    const CView* under = frame ? frame->getViewAtDeep(frame->deviceToFrame(CPoint(x, y))) : nullptr;
    int32 index = 0, found = -1;
    if (under)
        forEachView(frame, 0, true, [&](CView* v, int32, bool) {
            if (v == under)
                found = index;
            ++index;
        });
    return found;
}

int32 PLUGIN_API MainVSTGUIEditor::viewCount() {
    int32 count = 0;
    if (frame)
        forEachView(frame, 0, true, [&](CView*, int32, bool) { ++count; });
    return count;
}

tresult PLUGIN_API MainVSTGUIEditor::viewInfo(int32 index, taluma::ProbeView& info) {
    int32 depth = 0;
    bool visible = false;
    CView* v = viewAt(frame, index, &depth, &visible);
    if (!v)
        return kResultFalse;
    info = taluma::ProbeView{};
    info.depth = depth;
    info.tag = -1;
    const CRect r = v->getFrameRect();
    info.left = int32(r.left);
    info.top = int32(r.top);
    info.right = int32(r.right);
    info.bottom = int32(r.bottom);
    info.visible = visible ? 1 : 0;
    info.mouseEnabled = v->getMouseEnabled() ? 1 : 0;
    info.alpha = v->getAlphaValue();
    info.identity = uint64(reinterpret_cast<uintptr_t>(v));
    copyText(info.kind, sizeof info.kind, kindOf(v));
    if (CBitmap* bitmap = v->getBackground())
        copyText(info.bitmap, sizeof info.bitmap, bitmap->getResourceDescription().nameId);
    if (auto* control = dynamic_cast<CControl*>(v)) {
        info.tag = control->getTag();
        info.value = control->getValueNormalized();
    }
    if (auto* display = dynamic_cast<CParamDisplay*>(v)) {
        info.backColour = rgba(display->getBackColor());
        info.fontColour = rgba(display->getFontColor());
        info.fontSize = display->getFont() ? float(display->getFont()->getSize()) : 0.0f;
    }
    if (auto* label = dynamic_cast<CTextLabel*>(v))
        copyText(info.text, sizeof info.text, label->getText());
    if (auto* menu = dynamic_cast<COptionMenu*>(v)) {
        info.entries = menu->getNbEntries();
        if (CMenuItem* current = menu->getCurrent())
            copyText(info.text, sizeof info.text, current->getTitle());
    }
    if (auto* container = dynamic_cast<CViewContainer*>(v))
        info.backColour = rgba(container->getBackgroundColor());
    return kResultOk;
}

tresult PLUGIN_API MainVSTGUIEditor::menuEntry(int32 index, int32 entry, char title[128]) {
    auto* menu = dynamic_cast<COptionMenu*>(viewAt(frame, index));
    CMenuItem* item = menu ? menu->getEntry(entry) : nullptr;
    if (!item)
        return kResultFalse;
    copyText(title, 128, item->getTitle());
    return kResultOk;
}

int32 PLUGIN_API MainVSTGUIEditor::focusTag() {
    auto* control = frame ? dynamic_cast<CControl*>(frame->getFocusView()) : nullptr;
    return control ? control->getTag() : 0;
}

tresult PLUGIN_API MainVSTGUIEditor::fileDialog(taluma::ProbeFileDialog& info) {
    info = lastDialog_;
    return lastDialog_.code ? kResultOk : kResultFalse;
}

}  // namespace Vst
}  // namespace Steinberg
