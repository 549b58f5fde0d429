// Runs a shell command line for the tests that drive programs (taluma-render, Ardour):
// its exit code and everything it printed, standard error included.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace taluma {

struct Command {
    int exitCode;
    std::string output;
};

inline Command runShell(const std::string& command) {
    Command result{-1, ""};
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.output.append(buffer.data(), n);
    int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace taluma
