// Checksums of short renders. Any change to the sound changes one of them. To accept
// a deliberate change, run with TALUMA_PRINT_GOLDEN=1 and paste the printed values.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "engine_harness.h"
#include "float_hash.h"

namespace taluma {
namespace {

struct Golden {
    const char* name;
    std::function<void(SynthEngine&)> setUp;
    uint64_t expected;
};

uint64_t renderGolden(const Golden& g) {
    SynthEngine engine;
    engine.init(44100.0f);
    g.setUp(engine);
    test::EventList events;
    events.noteOn(0, 57, 0.9f).noteOn(100, 64, 0.5f).add(2000, eventid::kModWheel, 1.0f);
    events.add(3000, eventid::kPitchBend, 0.3f)
        .noteOff(5000, 57)
        .noteOn(6000, 71, 1.0f)
        .noteOff(8000, 64);
    const test::Rendered out = test::renderInBlocks(engine, events, 12000, 256);
    return testhost::floatHash(out.right, testhost::floatHash(out.left));
}

const Golden kGoldens[] = {
    {"algorithm 0", [](SynthEngine& e) { e.tone().setAlgorithm(0); }, 0xb2b167d6ef543b4full},
    {"algorithm 1", [](SynthEngine& e) { e.tone().setAlgorithm(1); }, 0xc01385ce143aa4c3ull},
    {"algorithm 2", [](SynthEngine& e) { e.tone().setAlgorithm(2); }, 0xb03b828ffa2b42afull},
    {"algorithm 3", [](SynthEngine& e) { e.tone().setAlgorithm(3); }, 0x7f7cae03ac84799full},
    {"feedback",
     [](SynthEngine& e) {
         e.tone().setAlgorithm(0);
         e.tone().setFeedback(128);
     },
     0x163d5592334d44c7ull},
    {"lfo pm am",
     [](SynthEngine& e) {
         e.tone().setPms(0, 7);
         e.tone().setPms(1, 4);
         e.tone().setAms(1, 7);
         e.tone().setLfoWave(0);
         e.setLfoFreq(12000);
     },
     0x3bd5b4484ae776c3ull},
    {"random lfo",
     [](SynthEngine& e) {
         e.tone().setAms(0, 5);
         e.tone().setPms(1, 7);
         e.tone().setLfoWave(3);
         e.setLfoFreq(16000);
     },
     0xe3b1341aafc1215bull},
    {"bit depth 4",
     [](SynthEngine& e) {
         e.setBitDepth(4);
         e.tone().setAlgorithm(2);
     },
     0x123e3aad522d3413ull},
};

TEST(GoldenAudio, RendersMatchTheirChecksums) {
    const bool print = std::getenv("TALUMA_PRINT_GOLDEN") != nullptr;
    for (const Golden& g : kGoldens) {
        const uint64_t h = renderGolden(g);
        if (print)
            std::printf("%-12s 0x%016llxull\n", g.name, static_cast<unsigned long long>(h));
        else
            EXPECT_EQ(h, g.expected) << g.name;
    }
}

}  // namespace
}  // namespace taluma
