// The renderer's plain-text note list: one event per line, times in seconds.
//
//   <time> <key> <velocity> <duration>        a note (same as "note ...")
//   note <time> <key> <velocity> <duration>   key 0..127 or a name such as C4, F#3, Bb2
//                                             (C4 = 60), velocity 1..127
//   cc <time> <controller> <value>            MIDI controller 0..127, value 0..127
//   bend <time> <value>                       pitch bend 0..16383, 8192 is the centre
//   param <time> <id> <value>                 plug-in parameter id (decimal or 0x..),
//                                             normalized value 0..1
//
// '#' starts a comment; blank lines are ignored. Events may appear in any order.
#pragma once

#include <string>

#include "timed_event.h"

namespace taluma::render {

// Parses note-list text; `name` labels error messages. Throws InputError naming the line.
// Events come out in time order; at equal times note-offs come first and note-ons last,
// so that a note repeated back to back is released before it starts again.
EventSequence parseNoteList(const std::string& text, const std::string& name);

// Parses a key number (0..127) or note name (C-1..G9, C4 = 60); returns -1 if invalid.
int parseKey(const std::string& word);

}  // namespace taluma::render
