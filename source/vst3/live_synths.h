// The Synth objects that the processors of this module own. A "synth" address from a
// message is only followed when it names one of them: a forged or stale address from a
// careless host is ignored instead of read.
#pragma once

#include <functional>

namespace taluma {

class Synth;

// The processor registers its Synth when it builds it and removes it before freeing it;
// removing waits until no reader holds that Synth.
void addLiveSynth(Synth* synth);
void removeLiveSynth(Synth* synth);

bool isLiveSynth(const Synth* synth);
// Calls read(*synth) while the Synth cannot go away; false (nothing called) when synth
// is not live. Keep read short and do not call back into the host from it.
bool readLiveSynth(const Synth* synth, const std::function<void(const Synth&)>& read);

}  // namespace taluma
