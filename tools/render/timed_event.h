// The renderer's input vocabulary: MIDI-like events stamped in seconds, as read from a
// note list or a Standard MIDI File, before they are placed on samples and blocks.
#pragma once

#include <cstdint>
#include <vector>

namespace taluma::render {

enum class EventKind {
    NoteOn,      // number = key, value = velocity 1..127
    NoteOff,     // number = key, value = release velocity 0..127
    Controller,  // number = controller 0..127, value = 0..127
    PitchBend,   // value = 0..16383, 8192 is the centre
    Parameter,   // paramId + normalized (0..1), sent to the plug-in as is
};

struct TimedEvent {
    double seconds = 0.0;
    EventKind kind = EventKind::NoteOn;
    int channel = 0;  // MIDI channel 0..15
    int number = 0;
    int value = 0;
    uint32_t paramId = 0;
    double normalized = 0.0;
};

// Events in the order they must reach the plug-in, plus the time where the input ends
// (end of the last track or the last note-off), from which the tail is counted.
struct EventSequence {
    std::vector<TimedEvent> events;
    double endSeconds = 0.0;
};

}  // namespace taluma::render
