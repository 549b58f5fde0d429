// Starts a private Xvfb server for a test program and points DISPLAY at it.
#pragma once
#include <string>
#include <sys/types.h>

namespace VSTGUI::Test {

class XvfbServer {
public:
    XvfbServer();
    ~XvfbServer();
    bool isRunning() const { return pid > 0; }
    // Why the server could not be started (empty when it runs).
    const std::string& failure() const { return reason; }

private:
    pid_t pid{-1};
    std::string reason;
};

}  // namespace VSTGUI::Test
