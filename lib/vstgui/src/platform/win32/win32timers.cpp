// Windows timers: SetTimer without a window; the host's message loop calls back.
#include <windows.h>
#include <map>
#include "../timerhost.h"
#include "vstgui/lib/cvstguitimer.h"

namespace VSTGUI {
namespace {

std::map<UINT_PTR, CVSTGUITimer*>& activeTimers() {
    static std::map<UINT_PTR, CVSTGUITimer*> timers;
    return timers;
}

void CALLBACK timerProc(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = activeTimers().find(id);
    if (it != activeTimers().end())
        it->second->fire();
}

class Win32TimerHost : public ITimerHost {
public:
    void* start(CVSTGUITimer* timer, uint32_t ms) override {
        UINT_PTR id = SetTimer(nullptr, 0, ms, timerProc);
        if (!id)
            return nullptr;
        activeTimers()[id] = timer;
        return reinterpret_cast<void*>(id);
    }
    void stop(void* handle) override {
        auto id = reinterpret_cast<UINT_PTR>(handle);
        KillTimer(nullptr, id);
        activeTimers().erase(id);
    }
};

}  // namespace

ITimerHost* nativeTimerHost() {
    static Win32TimerHost host;
    return &host;
}

}  // namespace VSTGUI
