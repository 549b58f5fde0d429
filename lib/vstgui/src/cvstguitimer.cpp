#include "vstgui/lib/cvstguitimer.h"
#include "platform/timerhost.h"

namespace VSTGUI {

IdStringPtr CVSTGUITimer::kMsgTimer = "timer fired";

CVSTGUITimer::CVSTGUITimer(CBaseObject* object, uint32_t ms, bool doStart)
    : fireTime(ms), timerObject(object) {
    if (doStart)
        start();
}

CVSTGUITimer::~CVSTGUITimer() {
    stop();
}

bool CVSTGUITimer::start() {
    if (platformHandle)
        return false;
    host = &currentTimerHost();
    platformHandle = host->start(this, fireTime > 0 ? fireTime : 1);
    return platformHandle != nullptr;
}

bool CVSTGUITimer::stop() {
    if (!platformHandle)
        return false;
    void* h = platformHandle;
    platformHandle = nullptr;
    host->stop(h);
    return true;
}

bool CVSTGUITimer::setFireTime(uint32_t ms) {
    if (ms == fireTime)
        return false;
    fireTime = ms;
    if (platformHandle) {
        stop();
        start();
    }
    return true;
}

void CVSTGUITimer::fire() {
    SharedPointer<CVSTGUITimer> guard(this);
    if (timerObject)
        timerObject->notify(this, kMsgTimer);
}

}  // namespace VSTGUI
