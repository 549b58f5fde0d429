// taluma-scenario BUNDLE OUTPUT: renders the fixed scenario with the bundle's module
// and writes the interleaved stereo float samples (raw, little-endian) to OUTPUT.
#include "scenario.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: taluma-scenario BUNDLE.vst3 OUTPUT.raw\n");
        return 2;
    }
    std::string error;
    auto module = taluma::testhost::Module::load(argv[1], error);
    std::vector<float> samples;
    if (!module || !taluma::testhost::renderScenario(*module, samples, error)) {
        std::fprintf(stderr, "taluma-scenario: %s\n", error.c_str());
        return 1;
    }
    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out || std::fwrite(samples.data(), sizeof(float), samples.size(), out) != samples.size()) {
        std::fprintf(stderr, "taluma-scenario: cannot write %s\n", argv[2]);
        if (out)
            std::fclose(out);
        return 1;
    }
    std::fclose(out);
    return 0;
}
