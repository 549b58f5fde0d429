#include "vstgui/lib/x11runloop.h"
#include "../timerhost.h"
#include "vstgui/lib/cvstguitimer.h"

namespace VSTGUI {
namespace X11 {
namespace RunLoop {
namespace {
SharedPointer<IRunLoop> current;
int users = 0;
}  // namespace

void init(IRunLoop* runLoop) {
    if (users++ == 0)
        current = runLoop;
}

void exit() {
    if (users > 0 && --users == 0)
        current = nullptr;
}

IRunLoop* get() {
    return current.get();
}

}  // namespace RunLoop
}  // namespace X11

namespace {

class RunLoopTimer : public X11::ITimerHandler {
public:
    RunLoopTimer(CVSTGUITimer* t, X11::IRunLoop* l) : timer(t), loop(l) {}
    void onTimer() override { timer->fire(); }
    CVSTGUITimer* timer;
    SharedPointer<X11::IRunLoop> loop;
};

class RunLoopTimerHost : public ITimerHost {
public:
    void* start(CVSTGUITimer* timer, uint32_t ms) override {
        X11::IRunLoop* loop = X11::RunLoop::get();
        if (!loop)
            return nullptr;
        auto* handler = new RunLoopTimer(timer, loop);
        if (!loop->registerTimer(ms, handler)) {
            delete handler;
            return nullptr;
        }
        return handler;
    }
    void stop(void* handle) override {
        auto* handler = static_cast<RunLoopTimer*>(handle);
        handler->loop->unregisterTimer(handler);
        delete handler;
    }
};

}  // namespace

ITimerHost* nativeTimerHost() {
    static RunLoopTimerHost host;
    return X11::RunLoop::get() ? &host : nullptr;
}

}  // namespace VSTGUI
