// A saved state restored through the built module as hosts restore it: the controller
// learns every value from the state alone, the bypass comes back with it, the load tells
// the controller where the Synth is as the save did, and states saved before the bypass
// was saved still load. States the processor and the controller refuse are rows of the
// careless-host test.
#include "bundle_fixture.h"
#include "vst3/messages.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace taluma::test {
namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

constexpr ParamID kBypass = 0x1000001;
constexpr ParamID kTlA = 0x40093;
constexpr ParamID kPitchBend = 0x20007;
constexpr size_t kRecordBytes = 858;

class StateRestore : public BundleFixture {
protected:
    std::map<ParamID, double> controllerValues(testhost::PluginInstance& instance) {
        std::map<ParamID, double> values;
        IEditController* c = instance.controller();
        for (int32 i = 0; i < c->getParameterCount(); ++i) {
            ParameterInfo info{};
            c->getParameterInfo(i, info);
            values[info.id] = c->getParamNormalized(info.id);
        }
        return values;
    }
    bool bypassed(testhost::PluginInstance& instance) {
        return instance.controller()->getParamNormalized(kBypass) == 1.0;
    }
};

// A host that keeps processor and controller apart (no messages between them) hands the
// saved state to the controller: its values become those the instrument that saved the
// state plays, which that instrument's own controller reads back from the engine.
TEST_F(StateRestore, TheControllerLearnsEveryValueFromTheStateAlone) {
    ASSERT_TRUE(plugin->start(48000.0, 64));
    const std::map<ParamID, double> defaults = controllerValues(*plugin);
    int32 n = 0;
    for (const auto& [id, value] : defaults)
        if (id != kBypass && id != 0x20005 && id != 0x20006)  // the two switches hold nothing
            plugin->parameterChange(id, 0, std::fmod(value + 0.37 + 0.01 * n++, 1.0));
    render(64);
    std::vector<uint8_t> state;
    ASSERT_TRUE(plugin->getState(state));  // the processor's message makes its controller read back
    const std::map<ParamID, double> played = controllerValues(*plugin);

    std::string error;
    auto apart = testhost::PluginInstance::create(*module, error);
    ASSERT_TRUE(apart) << error;
    apart->setMessagesDelivered(false);
    ASSERT_EQ(apart->setState(state), kResultOk);
    const std::map<ParamID, double> learnt = controllerValues(*apart);
    int changed = 0;
    for (const auto& [id, value] : played) {
        if (id == kPitchBend)
            continue;  // the state keeps no bend: a loaded state starts at the centre
        EXPECT_FLOAT_EQ(float(learnt.at(id)), float(value)) << std::hex << id;
        changed += value != defaults.at(id);
    }
    EXPECT_GE(changed, 38);  // all but the bypass, the two switches and the pitch bend
    EXPECT_NEAR(learnt.at(kPitchBend), 0.5, 1e-4);
}

TEST_F(StateRestore, TheBypassComesBackWithTheState) {
    ASSERT_TRUE(plugin->start(48000.0, 64));
    plugin->parameterChange(kBypass, 0, 1.0);
    render(64);
    std::vector<uint8_t> state;
    ASSERT_TRUE(plugin->getState(state));
    const std::vector<testhost::RecordedMessage>& sent = plugin->messagesToController();
    const std::vector<uint8_t> synth = sent.back().synth;  // where the save said the Synth is
    plugin->parameterChange(kBypass, 0, 0.0);
    plugin->controller()->setParamNormalized(kBypass, 0.0);  // as the host does
    render(64);

    ASSERT_EQ(plugin->setState(state), kResultOk);
    // The same address, which the controller keeps to read the values back from.
    EXPECT_EQ(sent.back().id, taluma::message::kStateLoaded);
    EXPECT_EQ(sent.back().synth, synth);
    EXPECT_TRUE(bypassed(*plugin));
    plugin->noteOn(0, 60, 1.0f);
    render(512);
    EXPECT_TRUE(std::all_of(left.begin(), left.end(), [](float v) { return v == 0.0f; }))
        << "bypassed, yet playing";

    // A state saved before the bypass was saved (the record alone) loads and leaves the
    // bypass as it is.
    const std::vector<uint8_t> before(state.begin(), state.begin() + kRecordBytes);
    plugin->controller()->setParamNormalized(kTlA, 0.0);
    ASSERT_EQ(plugin->setState(before), kResultOk);
    EXPECT_TRUE(bypassed(*plugin));
    EXPECT_NEAR(plugin->controller()->getParamNormalized(kTlA), 16.0 / 127.0, 1e-6);

    // A newer build's longer extension: the fields known here are read, the rest skipped.
    std::vector<uint8_t> newer = state;
    newer.back() = 0;  // bypass off
    newer[kRecordBytes + 4] = 5;
    newer.insert(newer.end(), {9, 9, 9, 9});
    ASSERT_EQ(plugin->setState(newer), kResultOk);
    EXPECT_FALSE(bypassed(*plugin));
}

}  // namespace
}  // namespace taluma::test
