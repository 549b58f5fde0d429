// The window in an LV2 host: an X11 UI embedding the same editor the VST 3 bundle shows.
//
// Process model: in-process only. The editor reads the processor's Synth through its
// address (engine values, tables, settings published as atomics) and sends the VST 3
// connection messages (value changes, file requests, "open") straight to the processor,
// which an out-of-process UI could not do without a copy of the whole Synth sent over
// Atom messages every frame. The UI therefore requires instance-access, which Linux
// hosts loading X11 UIs in their own process (Ardour, Carla, jalv, Qtractor) offer.
// What a host must see still travels through LV2's own channels: every knob the editor
// turns is a port write (with touch gestures where the host offers ui:touch), so the
// host records automation; after the window loads a preset it writes each changed port,
// so the host shows and saves the new values; the host's own port changes reach the
// controller through port_event. File access happens in the processor's message
// handler on this user-interface thread, never in run.
#include "lv2/lv2_ui.h"

#include "lv2/host_features.h"
#include "lv2/lv2_instance.h"
#include "lv2/lv2_uris.h"
#include "lv2/port_map.h"
#include "lv2/ui_frame.h"
#include "vst3/main_vst_controller.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

#include <lv2/instance-access/instance-access.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <X11/Xlib.h>

#include <cstring>
#include <vector>

namespace taluma::lv2 {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// The host's scale factor for the window, when it gives one.
float scaleOption(const LV2_Feature* const* features) {
    const auto* map = static_cast<const LV2_URID_Map*>(hostFeature(features, LV2_URID__map));
    const auto* options =
        static_cast<const LV2_Options_Option*>(hostFeature(features, LV2_OPTIONS__options));
    if (!map || !options)
        return 0.0f;
    const LV2_URID key = map->map(map->handle, LV2_UI__scaleFactor);
    const LV2_URID floatType = map->map(map->handle, LV2_ATOM__Float);
    for (; options->key; ++options)
        if (options->key == key && options->type == floatType && options->value)
            return *static_cast<const float*>(options->value);
    return 0.0f;
}

// The editor's own X window: the newest child of the parent (the editor made it).
unsigned long childWindow(unsigned long parent) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 0;
    ::Window root = 0, up = 0, *children = nullptr;
    unsigned int count = 0;
    unsigned long child = 0;
    if (XQueryTree(display, parent, &root, &up, &children, &count) && count > 0)
        child = children[count - 1];
    if (children)
        XFree(children);
    XCloseDisplay(display);
    return child;
}

// The controller's parameter edits as port writes.
class PortWriter : public FObject, public IComponentHandler {
public:
    PortWriter(LV2UI_Write_Function write, LV2UI_Controller host, const LV2UI_Touch* touch,
               MainVSTController& controller)
        : write_(write), host_(host), touch_(touch), controller_(controller),
          shown_(size_t(controlPortCount())) {
        for (int i = 0; i < controlPortCount(); ++i)
            shown_[size_t(i)] = portDefault(controlPortRow(i));
    }

    // A port's value from the host: the controller follows it.
    void portChanged(uint32_t port, float value) {
        const int i = int(port) - int(kFirstControlPort);
        if (i < 0 || i >= controlPortCount())
            return;
        shown_[size_t(i)] = value;
        const ParameterDescription& row = controlPortRow(i);
        controller_.setParamNormalized(row.id, normalizedFromPort(row, value));
    }

    tresult PLUGIN_API beginEdit(ParamID id) override { return touch(id, true); }
    tresult PLUGIN_API endEdit(ParamID id) override { return touch(id, false); }
    tresult PLUGIN_API performEdit(ParamID id, ParamValue normalized) override {
        const int32_t port = controlPortOf(id);
        if (port < 0)
            return kResultFalse;
        send(uint32_t(port),
             portFromNormalized(controlPortRow(port - kFirstControlPort), normalized));
        return kResultOk;
    }
    // The instrument changed its values itself (a preset loaded in the window): every
    // port whose value moved is written, so the host shows and saves it.
    tresult PLUGIN_API restartComponent(int32 flags) override {
        if (!(flags & kParamValuesChanged))
            return kResultOk;
        for (int i = 0; i < controlPortCount(); ++i) {
            const ParameterDescription& row = controlPortRow(i);
            const float value = portFromNormalized(row, controller_.getParamNormalized(row.id));
            if (value != shown_[size_t(i)])
                send(kFirstControlPort + uint32_t(i), value);
        }
        return kResultOk;
    }

    OBJ_METHODS(PortWriter, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(IComponentHandler)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    void send(uint32_t port, float value) {
        shown_[port - kFirstControlPort] = value;
        write_(host_, port, sizeof(float), 0, &value);
    }
    tresult touch(ParamID id, bool grabbed) {
        const int32_t port = controlPortOf(id);
        if (port < 0)
            return kResultFalse;
        if (touch_)
            touch_->touch(touch_->handle, uint32_t(port), grabbed);
        return kResultOk;
    }

    LV2UI_Write_Function write_;
    LV2UI_Controller host_;
    const LV2UI_Touch* touch_;
    MainVSTController& controller_;
    std::vector<float> shown_;  // each port's value as the host last knows it
};

struct Window {
    Lv2Instance* instance = nullptr;
    IPtr<PortWriter> writer;
    IPtr<UiFrame> frame;
    IPtr<IPlugView> view;
};

void closeWindow(Window* window) {
    if (window->view) {
        window->view->removed();
        window->view->setFrame(nullptr);
    }
    window->view = nullptr;
    if (window->instance &&
        window->instance->controller().getComponentHandler() == window->writer.get())
        window->instance->controller().setComponentHandler(nullptr);
    delete window;
}

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*,
                         LV2UI_Write_Function write, LV2UI_Controller host, LV2UI_Widget* widget,
                         const LV2_Feature* const* features) {
    auto* instance = static_cast<Lv2Instance*>(
        const_cast<void*>(hostFeature(features, LV2_INSTANCE_ACCESS_URI)));
    const void* parent = hostFeature(features, LV2_UI__parent);
    if (!instance || !parent || !write || std::strcmp(pluginUri, kPluginUri) != 0)
        return nullptr;
    try {
        auto* window = new Window();
        window->instance = instance;
        MainVSTController& controller = instance->controller();
        window->writer = owned(new PortWriter(
            write, host, static_cast<const LV2UI_Touch*>(hostFeature(features, LV2_UI__touch)),
            controller));
        window->frame = owned(
            new UiFrame(static_cast<const LV2UI_Resize*>(hostFeature(features, LV2_UI__resize))));
        controller.setComponentHandler(window->writer);
        window->view = owned(controller.createView(ViewType::kEditor));
        if (!window->view) {
            closeWindow(window);
            return nullptr;
        }
        window->view->setFrame(window->frame);
        if (window->view->attached(const_cast<void*>(parent), kPlatformTypeX11EmbedWindowID) !=
            kResultOk) {
            closeWindow(window);
            return nullptr;
        }
        if (const float scale = scaleOption(features); scale > 0.0f) {
            FUnknownPtr<IPlugViewContentScaleSupport> scaling(window->view);
            if (scaling)
                scaling->setContentScaleFactor(scale);
        }
        ViewRect size;
        if (window->view->getSize(&size) == kResultOk)
            window->frame->resizeView(window->view, &size);
        *widget = reinterpret_cast<LV2UI_Widget>(childWindow(reinterpret_cast<uintptr_t>(parent)));
        return window;
    } catch (...) {
        return nullptr;
    }
}

void cleanup(LV2UI_Handle handle) {
    closeWindow(static_cast<Window*>(handle));
}

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format,
               const void* buffer) {
    if (format == 0 && size == sizeof(float) && buffer)
        static_cast<Window*>(handle)->writer->portChanged(port, *static_cast<const float*>(buffer));
}

int idle(LV2UI_Handle handle) {
    static_cast<Window*>(handle)->frame->idle();
    return 0;
}

const void* extensionData(const char* uri) {
    static const LV2UI_Idle_Interface kIdle = {idle};
    if (std::strcmp(uri, LV2_UI__idleInterface) == 0)
        return &kIdle;
    return nullptr;
}

const LV2UI_Descriptor kDescriptor = {kUiUri, instantiate, cleanup, portEvent, extensionData};

}  // namespace

const LV2UI_Descriptor* uiDescriptor() {
    return &kDescriptor;
}

}  // namespace taluma::lv2
