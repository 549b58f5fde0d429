// What a VST 3 host gives the editor around its view, on top of an LV2 host: the plug-in
// frame (a resize goes to the host's ui:resize) and the Linux run loop, whose file
// descriptors and timers are served from the host's idle calls.
#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

#include <lv2/ui/ui.h>

#include <chrono>
#include <vector>

namespace taluma::lv2 {

using namespace Steinberg;

class UiFrame : public FObject, public IPlugFrame, public Linux::IRunLoop {
public:
    explicit UiFrame(const LV2UI_Resize* resize) : resize_(resize) {}

    // Serves every descriptor with input waiting and every timer that is due.
    void idle();

    tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* newSize) override;
    tresult PLUGIN_API registerEventHandler(Linux::IEventHandler* handler,
                                            Linux::FileDescriptor fd) override;
    tresult PLUGIN_API unregisterEventHandler(Linux::IEventHandler* handler) override;
    tresult PLUGIN_API registerTimer(Linux::ITimerHandler* handler,
                                     Linux::TimerInterval milliseconds) override;
    tresult PLUGIN_API unregisterTimer(Linux::ITimerHandler* handler) override;

    OBJ_METHODS(UiFrame, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(IPlugFrame)
    DEF_INTERFACE(Linux::IRunLoop)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    using Clock = std::chrono::steady_clock;
    struct Watch {
        IPtr<Linux::IEventHandler> handler;
        int fd;
    };
    struct Timer {
        IPtr<Linux::ITimerHandler> handler;
        Clock::duration interval;
        Clock::time_point due;
    };

    const LV2UI_Resize* resize_;
    std::vector<Watch> watches_;
    std::vector<Timer> timers_;
};

}  // namespace taluma::lv2
