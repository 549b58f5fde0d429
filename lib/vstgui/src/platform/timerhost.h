// Where timers get their ticks: the host's run loop on Linux, SetTimer on
// Windows, or a manual clock advanced by tests.
#pragma once
#include <cstdint>

namespace VSTGUI {

class CVSTGUITimer;

class ITimerHost {
public:
    virtual ~ITimerHost() = default;
    virtual void* start(CVSTGUITimer* timer, uint32_t milliseconds) = 0;
    virtual void stop(void* handle) = 0;
};

ITimerHost& currentTimerHost();
ITimerHost& manualTimerHost();
// The platform's own timer host, or null when it has none right now.
ITimerHost* nativeTimerHost();

}  // namespace VSTGUI
