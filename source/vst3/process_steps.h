// The steps of one process call, on the audio thread, in order: collect the block's
// events, render (or only apply the events), then carry out deferred changes.
#pragma once

#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <cstdint>

namespace taluma {

class Synth;

// Turns the host's note events and every point of each parameter queue into the Synth's
// time-ordered event list (positions in engine samples), and handles the bypass
// parameter. Needs the engine section.
void collectBlockEvents(Synth& synth, Steinberg::Vst::ProcessData& data);

// Outside the engine section (a structural edit runs): drops the block's events and
// only follows the bypass parameter.
void readBypassOnly(Synth& synth, Steinberg::Vst::ProcessData& data);

// Renders numSamples output samples into left/right at the selected engine rate with
// sample-and-hold, or only applies the events (silence) while rendering is disabled.
void renderBlock(Synth& synth, float* left, float* right, int32_t numSamples);

// Applies the block's events without producing sound (no output buffers, empty block).
void applyBlockEventsOnly(Synth& synth);

// Drops the block's event list unread.
void dropBlockEvents(Synth& synth);

}  // namespace taluma
