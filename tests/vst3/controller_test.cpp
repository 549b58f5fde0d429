#include "vst3/parameter_table.h"
#include "vst3/messages.h"
#include "processor_fixture.h"

#include "pluginterfaces/base/ustring.h"

#include <string>

namespace taluma::test {
namespace {

std::string ascii(const TChar* text) {
    std::string s;
    for (int i = 0; text[i]; ++i)
        s += char(text[i]);
    return s;
}

class Controller : public ProcessorFixture {
protected:
    std::string text(ParamID id, double normalized) {
        String128 out{};
        EXPECT_EQ(controller->getParamStringByValue(id, normalized, out), kResultOk);
        return ascii(out);
    }
    double parse(ParamID id, const char* value) {
        String128 in{};
        UString(in, 128).fromAscii(value);
        double n = -1;
        EXPECT_EQ(controller->getParamValueByString(id, in, n), kResultOk) << value;
        return n;
    }
    // A message from the processor's side, as the processor would send it.
    IMessage* message(const char* id, Synth* address, bool withAddress = true) {
        IMessage* m = new HostMessage();
        m->setMessageID(id);
        if (withAddress)
            setSynthAttribute(*m, address);
        return m;
    }
};

TEST_F(Controller, PublishesFortyThreeParametersInOrder) {
    ASSERT_EQ(controller->getParameterCount(), 43);
    int count = 0;
    const ParameterDescription* table = parameterDescriptions(count);
    int automatable = 0;
    for (int i = 0; i < 43; ++i) {
        ParameterInfo info{};
        ASSERT_EQ(controller->getParameterInfo(i, info), kResultOk);
        automatable += (info.flags & ParameterInfo::kCanAutomate) != 0;
        EXPECT_EQ(info.id, table[i].id) << i;  // hosts keep the order
    }
    ParameterInfo bypass{};
    controller->getParameterInfo(0, bypass);
    EXPECT_EQ(bypass.flags, ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass);
    EXPECT_EQ(bypass.units[0], '.');
    ParameterInfo pitch{};
    controller->getParameterInfo(9, pitch);
    EXPECT_EQ(ascii(pitch.title), "STD Pitch");
    EXPECT_EQ(pitch.flags, ParameterInfo::kIsReadOnly | ParameterInfo::kIsHidden);
    EXPECT_DOUBLE_EQ(pitch.defaultNormalizedValue, 0.5);
    EXPECT_EQ(automatable, 35);  // the bypass, BitDepth and the 33 synthesizer parameters

    ASSERT_EQ(controller->getUnitCount(), 1);
    UnitInfo unit{};
    ASSERT_EQ(controller->getUnitInfo(0, unit), kResultOk);
    EXPECT_EQ(unit.id, 0x20000);
    EXPECT_EQ(unit.parentUnitId, kRootUnitId);
    EXPECT_EQ(unit.programListId, kNoProgramListId);
    EXPECT_EQ(ascii(unit.name), "MIDI Contloller");
}

TEST_F(Controller, DefaultsMatchTheEngine) {
    // What a host sends the processor from the controller's defaults keeps the sound.
    int count = 0;
    const ParameterDescription* table = parameterDescriptions(count);
    int compared = 0;
    for (int i = 0; i < count; ++i) {
        const uint32_t id = table[i].id;
        if (synth->engine().parameterValue(id) < 0)
            continue;  // the bypass and the two controller switches hold no value
        const double n = controller->getParamNormalized(id);
        int32_t v = 0;
        ASSERT_TRUE(SynthEngine::scaleEventValue(id, float(n), v));
        EXPECT_EQ(v, synth->engine().parameterValue(id)) << std::hex << id;
        ++compared;
    }
    EXPECT_EQ(compared, 40);
}

TEST_F(Controller, MidiControllerMapping) {
    const std::pair<int, ParamID> mapped[] = {{1, 0x20001},  {7, 0x20002},   {10, 0x20003},
                                              {11, 0x20004}, {120, 0x20005}, {123, 0x20006},
                                              {129, 0x20007}};
    for (const auto& [cc, id] : mapped) {
        for (int16 channel : {0, 9, 15}) {
            ParamID got = 0;
            EXPECT_EQ(controller->getMidiControllerAssignment(0, channel, CtrlNumber(cc), got),
                      kResultOk);
            EXPECT_EQ(got, id);
        }
    }
    ParamID untouched = 12345;
    for (CtrlNumber unmapped : {CtrlNumber(64), CtrlNumber(-1), CtrlNumber(128)})
        EXPECT_EQ(controller->getMidiControllerAssignment(0, 0, unmapped, untouched), kResultFalse)
            << unmapped;
    EXPECT_EQ(untouched, 12345u);
}

TEST_F(Controller, ReadableValues) {
    EXPECT_EQ(text(0x80002, 0.5), "440.00 Hz");
    EXPECT_EQ(text(0x80002, 0.0), "420.00 Hz");
    EXPECT_EQ(text(0x40092, 0.0), "-1200 c");
    EXPECT_EQ(text(0x40092, 0.5), "0 c");
    EXPECT_EQ(text(0x400A2, 8170.0 / 16383.0), "-3 c");
    EXPECT_EQ(text(0x40099, 60.0 / 127.0), "C 4");
    EXPECT_EQ(text(0x400A9, 0.0), "C -1");
    EXPECT_EQ(text(0x40091, 0.0), "1/2");
    EXPECT_EQ(text(0x40091, 1.0), "15");
    EXPECT_EQ(text(0x40004, 1.0), "31.99 Hz");
    EXPECT_EQ(text(0x80001, 1.0), "16 bit");
    EXPECT_EQ(text(0x40001, 1.0), "24 st");
    EXPECT_EQ(text(0x40002, 1.0), "A > B");
    EXPECT_EQ(text(0x40003, 2.0 / 3.0), "Square");
    EXPECT_EQ(text(0x1000001, 1.0), "On");
    EXPECT_EQ(text(0x40093, 1.0), "127");

    EXPECT_NEAR(parse(0x80002, "441.00 Hz"), 0.525, 1e-9);
    EXPECT_NEAR(parse(0x40092, "0 c"), 0.5, 1e-9);
    EXPECT_DOUBLE_EQ(parse(0x40091, "1/2"), 0.0);
    EXPECT_DOUBLE_EQ(parse(0x40002, "A + B"), 2.0 / 3.0);
    EXPECT_DOUBLE_EQ(parse(0x40093, "200"), 1.0);  // held to the range
}

TEST_F(Controller, StateMessagesSetTheAddressAndReadBack) {
    EXPECT_EQ(controller->synth(), nullptr);
    // No address yet: an update reads nothing back.
    IMessage* update = message(taluma::message::kUiUpdate, nullptr, false);
    EXPECT_EQ(controller->notify(update), kResultOk);
    EXPECT_EQ(controller->getParamNormalized(0x40093), 16.0 / 127.0);  // still the default

    {
        Synth::StructuralEdit edit(*synth);
        synth->engine().setParameterValue(0x40093, 100);
    }
    IMessage* state = message(taluma::message::kStateLoaded, synth);
    EXPECT_EQ(controller->notify(state), kResultOk);
    EXPECT_EQ(controller->synth(), synth);
    EXPECT_NEAR(controller->getParamNormalized(0x40093), 100.0 / 127.0, 1e-6);

    // Without the attribute the known address is still read back.
    {
        Synth::StructuralEdit edit(*synth);
        synth->engine().setParameterValue(0x40093, 50);
    }
    IMessage* bare = message(taluma::message::kStateLoaded, nullptr, false);
    EXPECT_EQ(controller->notify(bare), kResultOk);
    EXPECT_NEAR(controller->getParamNormalized(0x40093), 50.0 / 127.0, 1e-6);

    // A "synth" attribute of the wrong size is not an address.
    IMessage* malformed = message(taluma::message::kStateSaved, nullptr, false);
    const uint32_t four = 4;
    malformed->getAttributes()->setBinary(taluma::message::kSynth, &four, sizeof(four));
    EXPECT_EQ(controller->notify(malformed), kResultOk);
    EXPECT_EQ(controller->synth(), synth);
    malformed->release();

    // "Processor:openGUI" with no editor open changes nothing, not even the address.
    Instance other;
    IMessage* open = message(taluma::message::kSynthForEditor, other.synth);
    EXPECT_EQ(controller->notify(open), kResultOk);
    EXPECT_EQ(controller->synth(), synth);

    IMessage* unknown = message("Somebody:else", synth);
    EXPECT_EQ(controller->notify(unknown), kResultFalse);  // the SDK base
    for (IMessage* m : {update, state, bare, open, unknown})
        m->release();
}

}  // namespace
}  // namespace taluma::test
