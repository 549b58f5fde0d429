#include "vst3/live_synths.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace taluma {
namespace {

std::mutex& registryLock() {
    static std::mutex lock;
    return lock;
}

std::vector<const Synth*>& registry() {
    static std::vector<const Synth*> synths;
    return synths;
}

bool registered(const Synth* synth) {
    const auto& synths = registry();
    return synth && std::find(synths.begin(), synths.end(), synth) != synths.end();
}

}  // namespace

void addLiveSynth(Synth* synth) {
    std::lock_guard<std::mutex> hold(registryLock());
    if (!registered(synth))
        registry().push_back(synth);
}

void removeLiveSynth(Synth* synth) {
    std::lock_guard<std::mutex> hold(registryLock());
    auto& synths = registry();
    synths.erase(std::remove(synths.begin(), synths.end(), synth), synths.end());
}

bool isLiveSynth(const Synth* synth) {
    std::lock_guard<std::mutex> hold(registryLock());
    return registered(synth);
}

bool readLiveSynth(const Synth* synth, const std::function<void(const Synth&)>& read) {
    std::lock_guard<std::mutex> hold(registryLock());
    if (!registered(synth))
        return false;
    read(*synth);
    return true;
}

}  // namespace taluma
