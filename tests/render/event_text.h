// An event sequence as one line of text, so that a test states a whole sequence at once:
// "on 60 100 @0.5" for each event (channel 2 as "on/2"), then "; end <seconds>".
#pragma once

#include <iomanip>
#include <sstream>
#include <string>

#include "timed_event.h"

namespace taluma::render::test {

inline std::string describe(const EventSequence& s) {
    static const char* const kinds[] = {"on", "off", "cc", "bend", "param"};
    std::ostringstream out;
    out << std::setprecision(9);
    for (const TimedEvent& e : s.events) {
        out << (&e == s.events.data() ? "" : ", ") << kinds[int(e.kind)];
        if (e.channel)
            out << '/' << e.channel;
        if (e.kind == EventKind::Parameter)
            out << " 0x" << std::hex << e.paramId << std::dec << ' ' << e.normalized;
        else if (e.kind == EventKind::PitchBend)
            out << ' ' << e.value;
        else
            out << ' ' << e.number << ' ' << e.value;
        out << " @" << e.seconds;
    }
    out << "; end " << s.endSeconds;
    return out.str();
}

}  // namespace taluma::render::test
