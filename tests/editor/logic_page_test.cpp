// The Logic page through the built module: knobs, switches, radio groups and typed
// entries with their host edits, commands and read-outs.
#include "page_cases.h"

#include "engine_event.h"

namespace taluma {
namespace test {
namespace {

using LogicPage = PageFixture;
namespace op = cmd::opValue;
namespace eventid = taluma::eventid;
namespace place = layout::logic;

// Operator o's command for parameter k, and the host parameter with it.
constexpr int32_t opCommand(int o, eventid::OperatorParam k) {
    return op::operatorParam(o, k);
}
constexpr uint32_t opParam(int o, eventid::OperatorParam k) {
    return eventid::operatorParam(o, k);
}

TEST_F(LogicPage, GesturesGiveHostEditsAndCommands) {
    const int32_t tlA = opCommand(0, eventid::kTotalLevel), tuneA = opCommand(0, eventid::kTune),
                  tuneB = opCommand(1, eventid::kTune), centreA = opCommand(0, eventid::kKeyCenter),
                  feedback = opCommand(0, eventid::kFeedback), pmsB = opCommand(1, eventid::kPms),
                  depthA = opCommand(0, eventid::kKeyScale), alg = op::kAlgorithm;
    auto reads = [&](const layout::Rect& r, const char* expected) {
        return [=] { EXPECT_EQ(labelText(r), expected); };
    };
    // clang-format off
    run({
        {"third algorithm button", press(control(alg + 2)), gesture(eventid::kAlgorithm, 2.0 / 3.0),
            {{alg, 2.0}}, {{control(alg), nullptr, 0.0f}, {control(alg + 2), nullptr, 1.0f},
                           {control(alg + 3), nullptr, 0.0f}}},
        {"the algorithm button already on (A modulates B by default)", press(control(alg + 3)),
            {}, {}, {}},
        {"shift-click on an algorithm button",
            press(control(alg + 1), testhost::OffscreenEditor::kLeft | testhost::OffscreenEditor::kShift),
            {}, {}, {{control(alg + 1), nullptr, 0.0f}}},
        {"velocity curve B, last button", press(control(op::kVelocityCurveB + 3)),
            gesture(opParam(1, eventid::kVelocityCurve), 1.0), {{op::kVelocityCurveB, 3.0}}, {}},
        {"LFO wave, second button", press(control(op::kLfoWave + 1)),
            gesture(eventid::kLfoWave, 1.0 / 3.0), {{op::kLfoWave, 1.0}}, {}},
        {"TL of A wheeled to the bottom", wheel(control(tlA), -127),
            gesture(opParam(0, eventid::kTotalLevel), 0.0), {{control(tlA), 0.0}}, {{field(tlA), "0"}}},
        {"typed TL below the range", typeIn(field(tlA), "-5"),
            gesture(opParam(0, eventid::kTotalLevel), 0.0), {{tlA, 0.0}},
            {{control(tlA), nullptr, 0.0f}, {field(tlA), "0"}}},
        {"typed TL is truncated", typeIn(field(tlA), "99.9"),
            gesture(opParam(0, eventid::kTotalLevel), step(99, 127)), {{tlA, 99.0}}, {}},
        {"typed tune of B in steps around the centre, shown in cents", typeIn(field(tuneB), "100"),
            gesture(opParam(1, eventid::kTune), step(8292, 16384)), {{tuneB, 8292.0}},
            {{field(tuneB), "100"}}, reads(place::centsLabel[1], "15 c")},
        {"typed tune at the bottom", typeIn(field(tuneA), "-9000"),
            gesture(opParam(0, eventid::kTune), 0.0), {{tuneA, 0.0}}, {{field(tuneA), "-8192"}},
            reads(place::centsLabel[0], "-1200 c")},
        {"typed key-scaling centre shows its note", typeIn(field(centreA), "60"),
            gesture(opParam(0, eventid::kKeyCenter), step(60, 127)), {{centreA, 60.0}}, {},
            reads(place::noteLabel[0], "C 4")},
        {"typed LFO frequency above the top", typeIn(field(op::kLfoFreq), "20000"),
            gesture(eventid::kLfoFreq, 1.0), {{op::kLfoFreq, 16384.0}}, {},
            reads(place::lfoHzLabel, "32.00 Hz")},
        {"feedback: one notch is one of 128 steps", wheel(control(feedback), 1),
            gesture(opParam(0, eventid::kFeedback), step(1, 128)), {{control(feedback), 1.0}}, {}},
        {"PM sensitivity of B: eight positions", wheel(control(pmsB), 1),
            gesture(opParam(1, eventid::kPms), step(1, 7)), {{control(pmsB), 1.0}}, {}},
        {"key-scaling depth of A, its last position", pressRightEnd(control(depthA)),
            gesture(opParam(0, eventid::kKeyScale), 1.0), {{control(depthA), 3.0}}, {}},
    });
    // clang-format on
}

TEST_F(LogicPage, ShowsTheToneParametersWithTheirReadOutsAtTheirPlaces) {
    // Defaults: tune at its centre, LFO frequency 2048.
    EXPECT_EQ(text(field(opCommand(0, eventid::kTune))), "0");
    EXPECT_EQ(labelText(place::centsLabel[0]), "0 c");
    EXPECT_EQ(text(field(op::kLfoFreq)), "2048");
    EXPECT_EQ(labelText(place::lfoHzLabel), "4.00 Hz");
    const layout::Rect page = layout::window::page;
    EXPECT_EQ(editor->view(control(op::kLfoFreq)).left, place::lfoFreqKnob.in(page).left);
    EXPECT_EQ(editor->view(control(opCommand(1, eventid::kReleaseRate))).top,
              place::envelopeKnob[1][5].in(page).top);
}

}  // namespace
}  // namespace test
}  // namespace taluma
