// A repeating timer on the user-interface thread. It either notifies an object
// with the message "timer fired" or calls a function.
#pragma once
#include <functional>
#include "vstguibase.h"

namespace VSTGUI {

class ITimerHost;

class CVSTGUITimer : public CBaseObject {
public:
    static IdStringPtr kMsgTimer;  // "timer fired"

    CVSTGUITimer(CBaseObject* timerObject, uint32_t fireTime = 100, bool doStart = false);
    CVSTGUITimer(std::function<void(CVSTGUITimer*)> callback, uint32_t fireTime = 100,
                 bool doStart = true);
    ~CVSTGUITimer() override;

    bool start();
    bool stop();
    bool setFireTime(uint32_t milliseconds);
    uint32_t getFireTime() const { return fireTime; }
    bool isRunning() const { return platformHandle != nullptr; }

    // Called by the platform layer when the interval has passed.
    void fire();

private:
    uint32_t fireTime;
    CBaseObject* timerObject{nullptr};
    std::function<void(CVSTGUITimer*)> callback;
    void* platformHandle{nullptr};
    ITimerHost* host{nullptr};
};

}  // namespace VSTGUI
