// The manual clock: timers fire only when advanceTime moves it on.
#include <algorithm>
#include <vector>
#include "timerhost.h"
#include "vstgui/lib/cvstguitimer.h"
#include "vstgui/lib/offscreen.h"

namespace VSTGUI {
namespace {

class ManualTimerHost : public ITimerHost {
public:
    struct Entry {
        uint64_t id;
        CVSTGUITimer* timer;
        uint64_t interval;
        uint64_t due;
    };

    void* start(CVSTGUITimer* timer, uint32_t ms) override {
        uint64_t id = ++lastId;
        entries.push_back({id, timer, ms, now + ms});
        return reinterpret_cast<void*>(static_cast<uintptr_t>(id));
    }
    void stop(void* handle) override {
        auto id = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle));
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [id](const Entry& e) { return e.id == id; }),
                      entries.end());
    }
    void advance(uint32_t ms) {
        const uint64_t target = now + ms;
        for (;;) {
            auto next =
                std::min_element(entries.begin(), entries.end(),
                                 [](const Entry& a, const Entry& b) { return a.due < b.due; });
            if (next == entries.end() || next->due > target)
                break;
            now = next->due;
            next->due += next->interval;
            CVSTGUITimer* t = next->timer;
            t->fire();  // may stop or start timers
        }
        now = target;
    }

private:
    std::vector<Entry> entries;
    uint64_t now{0};
    uint64_t lastId{0};
};

ManualTimerHost& manualHost() {
    static ManualTimerHost host;
    return host;
}

bool manualTimers = false;

}  // namespace

ITimerHost& manualTimerHost() {
    return manualHost();
}

ITimerHost& currentTimerHost() {
    if (!manualTimers)
        if (ITimerHost* native = nativeTimerHost())
            return *native;
    return manualHost();
}

namespace Offscreen {

void setManualTimers(bool manual) {
    manualTimers = manual;
}

void advanceTime(uint32_t milliseconds) {
    manualHost().advance(milliseconds);
}

}  // namespace Offscreen
}  // namespace VSTGUI
