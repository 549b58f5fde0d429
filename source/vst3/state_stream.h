// A saved state in the host's stream: the 858-byte record, then the extension with what
// the record has no room for (state_extension.h). The processor reads and writes it;
// the controller reads the same stream in setComponentState.
#pragma once

#include "synth/state_extension.h"
#include "synth/state_record.h"

#include "pluginterfaces/base/ibstream.h"

#include <cstdint>

namespace taluma {

struct SavedState {
    enum Kind {
        kUnreadable,    // not even the version byte could be read
        kOtherVersion,  // a record this build does not know: nothing to apply
        kIncomplete,    // the record ends early: refused whole
        kRecord,        // record holds a complete record of version 2
    };
    Kind kind = kUnreadable;
    uint8_t record[kStateRecordSize] = {};
    bool hasExtension = false;  // a state saved before the extension has none
    StateExtension extension;
};

SavedState readSavedState(Steinberg::IBStream& stream);

// The record and the extension in one write; false when the stream takes less.
bool writeSavedState(Steinberg::IBStream& stream, const std::vector<uint8_t>& record,
                     const StateExtension& extension);

// What a load through the host takes from the record: the sound only when the host marks
// the stream as a preset (IStreamAttributes' "StateType" other than "Project"), else
// everything, as for a session (hosts that mark nothing cannot be told apart).
RecordScope hostLoadScope(Steinberg::IBStream& stream);

}  // namespace taluma
