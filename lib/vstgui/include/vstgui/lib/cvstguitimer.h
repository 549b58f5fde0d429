// A repeating timer on the user-interface thread: it notifies an object with the
// message "timer fired".
#pragma once
#include "vstguibase.h"

namespace VSTGUI {

class ITimerHost;

class CVSTGUITimer : public CBaseObject {
public:
    static IdStringPtr kMsgTimer;  // "timer fired"

    CVSTGUITimer(CBaseObject* timerObject, uint32_t fireTime = 100, bool doStart = false);
    ~CVSTGUITimer() override;

    bool start();
    bool stop();
    bool setFireTime(uint32_t milliseconds);
    bool isRunning() const { return platformHandle != nullptr; }

    // Called by the platform layer when the interval has passed.
    void fire();

private:
    uint32_t fireTime;
    CBaseObject* timerObject{nullptr};
    void* platformHandle{nullptr};
    ITimerHost* host{nullptr};
};

}  // namespace VSTGUI
