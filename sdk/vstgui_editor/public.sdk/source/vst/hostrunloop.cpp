#include "hostrunloop.h"

#if defined(_WIN32)

namespace Steinberg {
namespace Vst {

bool installHostRunLoop(IPlugFrame*) {
    return false;
}

void releaseHostRunLoop(bool& installed) {
    installed = false;
}

}  // namespace Vst
}  // namespace Steinberg

#else

#include <map>
#include "base/source/fobject.h"
#include "pluginterfaces/base/smartpointer.h"
#include "vstgui/lib/x11runloop.h"

namespace Steinberg {
namespace Vst {
namespace {

class EventProxy : public FObject, public Linux::IEventHandler {
public:
    explicit EventProxy(VSTGUI::X11::IEventHandler* h) : handler(h) {}
    void PLUGIN_API onFDIsSet(Linux::FileDescriptor) override { handler->onEvent(); }
    DEFINE_INTERFACES
    DEF_INTERFACE(Linux::IEventHandler)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    VSTGUI::X11::IEventHandler* handler;
};

class TimerProxy : public FObject, public Linux::ITimerHandler {
public:
    explicit TimerProxy(VSTGUI::X11::ITimerHandler* h) : handler(h) {}
    void PLUGIN_API onTimer() override { handler->onTimer(); }
    DEFINE_INTERFACES
    DEF_INTERFACE(Linux::ITimerHandler)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    VSTGUI::X11::ITimerHandler* handler;
};

// The toolkit's run-loop interface on top of the host's.
class HostRunLoop : public VSTGUI::X11::IRunLoop {
public:
    explicit HostRunLoop(Linux::IRunLoop* loop) : host(loop) {}
    ~HostRunLoop() override {
        for (auto& e : events)
            host->unregisterEventHandler(e.second);
        for (auto& t : timers)
            host->unregisterTimer(t.second);
    }

    bool registerEventHandler(int fd, VSTGUI::X11::IEventHandler* handler) override {
        IPtr<EventProxy> proxy = owned(new EventProxy(handler));
        if (host->registerEventHandler(proxy, fd) != kResultTrue)
            return false;
        events[handler] = proxy;
        return true;
    }
    bool unregisterEventHandler(VSTGUI::X11::IEventHandler* handler) override {
        auto it = events.find(handler);
        if (it == events.end())
            return false;
        host->unregisterEventHandler(it->second);
        events.erase(it);
        return true;
    }
    bool registerTimer(uint64_t interval, VSTGUI::X11::ITimerHandler* handler) override {
        IPtr<TimerProxy> proxy = owned(new TimerProxy(handler));
        if (host->registerTimer(proxy, interval) != kResultTrue)
            return false;
        timers[handler] = proxy;
        return true;
    }
    bool unregisterTimer(VSTGUI::X11::ITimerHandler* handler) override {
        auto it = timers.find(handler);
        if (it == timers.end())
            return false;
        host->unregisterTimer(it->second);
        timers.erase(it);
        return true;
    }

private:
    IPtr<Linux::IRunLoop> host;
    std::map<VSTGUI::X11::IEventHandler*, IPtr<EventProxy>> events;
    std::map<VSTGUI::X11::ITimerHandler*, IPtr<TimerProxy>> timers;
};

}  // namespace

bool installHostRunLoop(IPlugFrame* plugFrame) {
    if (!plugFrame)
        return false;
    Linux::IRunLoop* loop = nullptr;
    if (plugFrame->queryInterface(Linux::IRunLoop::iid, reinterpret_cast<void**>(&loop)) !=
            kResultTrue ||
        !loop)
        return false;
    auto* adapter = new HostRunLoop(loop);
    loop->release();  // the adapter holds its own reference
    VSTGUI::X11::RunLoop::init(adapter);
    adapter->forget();
    return true;
}

void releaseHostRunLoop(bool& installed) {
    if (installed)
        VSTGUI::X11::RunLoop::exit();
    installed = false;
}

}  // namespace Vst
}  // namespace Steinberg

#endif
