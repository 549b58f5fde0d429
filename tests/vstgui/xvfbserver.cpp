#include "xvfbserver.h"
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace VSTGUI::Test {

XvfbServer::XvfbServer() {
    int fds[2];
    if (pipe(fds) != 0) {
        reason = "no pipe";
        return;
    }
    // -displayfd makes the server pick a free display and write its number;
    // -noreset keeps it from restarting (and refusing clients) when the last one leaves.
    std::vector<std::string> args{"Xvfb",      "-displayfd", std::to_string(fds[1]),
                                  "-screen",   "0",          "2560x1920x24",
                                  "-nolisten", "tcp",        "-noreset"};
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", 0, 0);
    int rc = posix_spawnp(&pid, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        pid = -1;
        close(fds[0]);
        reason = "Xvfb is not installed (tools/setup.sh installs package xvfb)";
        return;
    }
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    while (poll(&p, 1, 10000) > 0) {
        char c;
        if (read(fds[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        pid = -1;
        reason = "Xvfb did not start";
        return;
    }
    setenv("DISPLAY", (":" + number).c_str(), 1);
}

XvfbServer::~XvfbServer() {
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

}  // namespace VSTGUI::Test
