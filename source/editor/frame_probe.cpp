#include "editor/frame_probe.h"

#include "public.sdk/source/vst/vstguieditor.h"

#include "vstgui/lib/offscreen.h"

#include <cstring>
#include <functional>
#include <string>

namespace taluma {
DEF_CLASS_IID(IEditorProbe)
}

namespace Steinberg::Vst {

using namespace VSTGUI;

namespace {

uint32 rgba(const CColor& c) {
    return (uint32(c.red) << 24) | (uint32(c.green) << 16) | (uint32(c.blue) << 8) | c.alpha;
}

void copyText(char* to, size_t size, const std::string& text) {
    std::strncpy(to, text.c_str(), size - 1);
    to[size - 1] = 0;
}

template <typename View>
bool is(const CView* v) {
    return dynamic_cast<const View*>(v) != nullptr;
}

// The first kind a view is of, derived classes before their bases.
struct Kind {
    bool (*matches)(const CView*);
    const char* name;
};
constexpr Kind kKinds[] = {
    {is<CAnimKnob>, "knob"},          {is<CKickButton>, "kick"},
    {is<COnOffButton>, "onoff"},      {is<CHorizontalSwitch>, "hswitch"},
    {is<CVerticalSwitch>, "vswitch"}, {is<CVerticalSlider>, "slider"},
    {is<COptionMenu>, "menu"},        {is<CTextEdit>, "edit"},
    {is<CTextLabel>, "label"},        {is<CMovieBitmap>, "movie"},
};

const char* kindOf(const CView* v) {
    for (const Kind& k : kKinds)
        if (k.matches(v))
            return k.name;
    return v->isContainer() ? "container" : "view";
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

int32 PLUGIN_API FrameProbe::mouse(int32 event, double x, double y, int32 buttons) {
    CFrame* frame = editor_.getFrame();
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

tresult PLUGIN_API FrameProbe::wheel(double x, double y, float distance) {
    CFrame* frame = editor_.getFrame();
    if (!frame)
        return kResultFalse;
    return frame->platformOnMouseWheel(CPoint(x, y), kMouseWheelAxisY, distance, 0) ? kResultTrue
                                                                                    : kResultFalse;
}

int32 PLUGIN_API FrameProbe::key(int32 character, int32 virt, int32 modifiers) {
    CFrame* frame = editor_.getFrame();
    if (!frame)
        return -1;
    VstKeyCode code;
    code.character = character;
    code.virt = uint8_t(virt);
    code.modifier = uint8_t(modifiers);
    return frame->platformOnKeyDown(code);
}

void PLUGIN_API FrameProbe::advanceTime(uint32 milliseconds) {
    Offscreen::advanceTime(milliseconds);
}

const uint32* PLUGIN_API FrameProbe::render(int32& width, int32& height) {
    CFrame* frame = editor_.getFrame();
    width = height = 0;
    if (!frame)
        return nullptr;
    const PixelBuffer& canvas = Offscreen::render(frame);
    width = canvas.getWidth();
    height = canvas.getHeight();
    return canvas.data();
}

void PLUGIN_API FrameProbe::invalidate() {
    CFrame* frame = editor_.getFrame();
    if (frame)
        frame->invalid();
}

int32 PLUGIN_API FrameProbe::viewUnder(double x, double y) {
    CFrame* frame = editor_.getFrame();
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

int32 PLUGIN_API FrameProbe::viewCount() {
    CFrame* frame = editor_.getFrame();
    int32 count = 0;
    if (frame)
        forEachView(frame, 0, true, [&](CView*, int32, bool) { ++count; });
    return count;
}

tresult PLUGIN_API FrameProbe::viewInfo(int32 index, taluma::ProbeView& info) {
    CFrame* frame = editor_.getFrame();
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

tresult PLUGIN_API FrameProbe::menuEntry(int32 index, int32 entry, char title[128]) {
    CFrame* frame = editor_.getFrame();
    auto* menu = dynamic_cast<COptionMenu*>(viewAt(frame, index));
    CMenuItem* item = menu ? menu->getEntry(entry) : nullptr;
    if (!item)
        return kResultFalse;
    copyText(title, 128, item->getTitle());
    return kResultOk;
}

int32 PLUGIN_API FrameProbe::focusTag() {
    CFrame* frame = editor_.getFrame();
    auto* control = frame ? dynamic_cast<CControl*>(frame->getFocusView()) : nullptr;
    return control ? control->getTag() : 0;
}

tresult PLUGIN_API FrameProbe::fileDialog(taluma::ProbeFileDialog& info) {
    info = lastDialog_;
    return lastDialog_.code ? kResultOk : kResultFalse;
}

int32 PLUGIN_API FrameProbe::idleRate() {
    return editor_.getIdleRate();
}

tresult PLUGIN_API FrameProbe::queryInterface(const TUID iid, void** obj) {
    QUERY_INTERFACE(iid, obj, taluma::IEditorProbe::iid, taluma::IEditorProbe)
    return editor_.queryInterface(iid, obj);
}

uint32 PLUGIN_API FrameProbe::addRef() {
    return editor_.addRef();
}

uint32 PLUGIN_API FrameProbe::release() {
    return editor_.release();
}

}  // namespace Steinberg::Vst
