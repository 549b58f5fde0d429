// Raised for an input file the renderer cannot use; the message names the file and
// the place of the fault, and is printed as is by the command-line tool.
#pragma once

#include <stdexcept>
#include <string>

namespace taluma::render {

class InputError : public std::runtime_error {
public:
    explicit InputError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace taluma::render
