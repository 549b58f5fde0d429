// Standard MIDI File reader (formats 0 and 1): merges the tracks, applies the tempo map
// and returns note, controller and pitch-bend events stamped in seconds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "timed_event.h"

namespace taluma::render {

// Parses a whole file image; `name` only labels error messages. Throws InputError.
EventSequence parseSmf(const std::vector<uint8_t>& bytes, const std::string& name);

}  // namespace taluma::render
