// Linux: the frame and its timers run on the host's run loop, passed in by the
// editor glue. There is no thread of the toolkit's own.
#pragma once
#include <cstdint>
#include "vstguibase.h"

namespace VSTGUI {
namespace X11 {

class IEventHandler {
public:
    virtual ~IEventHandler() = default;
    virtual void onEvent() = 0;
};

class ITimerHandler {
public:
    virtual ~ITimerHandler() = default;
    virtual void onTimer() = 0;
};

class IRunLoop : public CBaseObject {
public:
    virtual bool registerEventHandler(int fd, IEventHandler* handler) = 0;
    virtual bool unregisterEventHandler(IEventHandler* handler) = 0;
    virtual bool registerTimer(uint64_t intervalMilliseconds, ITimerHandler* handler) = 0;
    virtual bool unregisterTimer(ITimerHandler* handler) = 0;
};

namespace RunLoop {
// Installs the run loop used by frames and timers opened afterwards; init/exit
// pairs nest (the loop is kept while any user remains).
void init(IRunLoop* runLoop);
void exit();
IRunLoop* get();
}  // namespace RunLoop

}  // namespace X11
}  // namespace VSTGUI
