// Changes the editor makes to host parameters, as gestures the host can record: a
// control's edit (a knob from mouse down to mouse up, a wheel notch, a menu choice, a
// typed entry) opens the gesture and closes it; every value in between is one
// setParamNormalized + performEdit. A change made outside any control's edit is a
// gesture of its own.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

#include <cstdint>
#include <vector>

namespace Steinberg {
namespace Vst {

class EditController;

// The host parameter a control tag (or its typed-entry twin) changes; 0 for none.
ParamID hostParameterOf(int32_t tag);

class HostEdits {
public:
    explicit HostEdits(EditController* controller) : controller_(controller) {}
    ~HostEdits() { endAll(); }

    void begin(ParamID id);
    void end(ParamID id);
    void change(ParamID id, double normalized);
    // Closes whatever is still open (the window closes during a drag).
    void endAll();

private:
    struct Open {
        ParamID id;
        int32_t depth;
    };
    Open* find(ParamID id);

    EditController* controller_;
    std::vector<Open> open_;
};

}  // namespace Vst
}  // namespace Steinberg
