// The host side of an embedded Linux view: a plug-in frame that offers the host's run
// loop (Linux::IRunLoop) and drives it with poll(), as a DAW's GUI thread does.
#pragma once
#include <chrono>
#include <map>
#include <poll.h>
#include <vector>
#include "base/source/fobject.h"
#include "pluginterfaces/gui/iplugview.h"

namespace VSTGUI {
namespace Test {

using namespace Steinberg;

class TestHostFrame : public FObject, public IPlugFrame, public Linux::IRunLoop {
public:
    tresult PLUGIN_API resizeView(IPlugView*, ViewRect*) override { return kResultTrue; }
    tresult PLUGIN_API registerEventHandler(Linux::IEventHandler* h,
                                            Linux::FileDescriptor fd) override {
        handlers[h] = fd;
        h->addRef();
        return kResultTrue;
    }
    tresult PLUGIN_API unregisterEventHandler(Linux::IEventHandler* h) override {
        if (!handlers.erase(h))
            return kResultFalse;
        h->release();
        return kResultTrue;
    }
    tresult PLUGIN_API registerTimer(Linux::ITimerHandler* h, Linux::TimerInterval ms) override {
        timers[h] = {ms, now() + ms};
        h->addRef();
        return kResultTrue;
    }
    tresult PLUGIN_API unregisterTimer(Linux::ITimerHandler* h) override {
        if (!timers.erase(h))
            return kResultFalse;
        h->release();
        return kResultTrue;
    }

    void runFor(int milliseconds) {
        const uint64_t end = now() + static_cast<uint64_t>(milliseconds);
        while (now() < end) {
            std::vector<pollfd> fds;
            std::vector<Linux::IEventHandler*> owners;
            for (auto& h : handlers) {
                fds.push_back({h.second, POLLIN, 0});
                owners.push_back(h.first);
            }
            poll(fds.data(), fds.size(), 5);
            for (size_t i = 0; i < fds.size(); ++i)
                if (fds[i].revents && handlers.count(owners[i]))
                    owners[i]->onFDIsSet(fds[i].fd);
            for (auto it = timers.begin(); it != timers.end();) {
                auto current = it++;
                if (current->second.due <= now()) {
                    current->second.due = now() + current->second.interval;
                    current->first->onTimer();  // may unregister
                }
            }
        }
    }
    size_t handlerCount() const { return handlers.size() + timers.size(); }

    DEFINE_INTERFACES
    DEF_INTERFACE(IPlugFrame)
    DEF_INTERFACE(Linux::IRunLoop)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    static uint64_t now() {
        using namespace std::chrono;
        return static_cast<uint64_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    struct Timer {
        uint64_t interval, due;
    };
    std::map<Linux::IEventHandler*, Linux::FileDescriptor> handlers;
    std::map<Linux::ITimerHandler*, Timer> timers;
};

}  // namespace Test
}  // namespace VSTGUI
