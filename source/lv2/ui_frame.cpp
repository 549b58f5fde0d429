#include "lv2/ui_frame.h"

#include <poll.h>

#include <algorithm>

namespace taluma::lv2 {

void UiFrame::idle() {
    // Handlers may register and unregister while they run: serve copies.
    const std::vector<Watch> watches = watches_;
    for (const Watch& watch : watches) {
        pollfd p{watch.fd, POLLIN, 0};
        if (poll(&p, 1, 0) > 0 && (p.revents & POLLIN))
            watch.handler->onFDIsSet(watch.fd);
    }
    const Clock::time_point now = Clock::now();
    std::vector<IPtr<Linux::ITimerHandler>> due;
    for (Timer& timer : timers_)
        if (timer.due <= now) {
            timer.due = now + timer.interval;
            due.push_back(timer.handler);
        }
    for (auto& handler : due)
        handler->onTimer();
}

tresult PLUGIN_API UiFrame::resizeView(IPlugView* view, ViewRect* newSize) {
    if (!view || !newSize)
        return kInvalidArgument;
    if (resize_)
        resize_->ui_resize(resize_->handle, newSize->getWidth(), newSize->getHeight());
    return view->onSize(newSize);
}

tresult PLUGIN_API UiFrame::registerEventHandler(Linux::IEventHandler* handler,
                                                 Linux::FileDescriptor fd) {
    if (!handler)
        return kInvalidArgument;
    watches_.push_back({handler, fd});
    return kResultTrue;
}

tresult PLUGIN_API UiFrame::unregisterEventHandler(Linux::IEventHandler* handler) {
    const auto gone = std::remove_if(watches_.begin(), watches_.end(),
                                     [&](const Watch& w) { return w.handler == handler; });
    const bool found = gone != watches_.end();
    watches_.erase(gone, watches_.end());
    return found ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API UiFrame::registerTimer(Linux::ITimerHandler* handler,
                                          Linux::TimerInterval milliseconds) {
    if (!handler)
        return kInvalidArgument;
    const auto interval =
        std::chrono::milliseconds(std::max<Linux::TimerInterval>(milliseconds, 1));
    timers_.push_back({handler, interval, Clock::now() + interval});
    return kResultTrue;
}

tresult PLUGIN_API UiFrame::unregisterTimer(Linux::ITimerHandler* handler) {
    const auto gone = std::remove_if(timers_.begin(), timers_.end(),
                                     [&](const Timer& t) { return t.handler == handler; });
    const bool found = gone != timers_.end();
    timers_.erase(gone, timers_.end());
    return found ? kResultTrue : kResultFalse;
}

}  // namespace taluma::lv2
