// A careless host: every method the module exports, called with what its contract rules
// out. Each call gets a clear answer, writes nothing past the host's buffers, throws
// nothing, and leaves the instrument as it was.
#include "bundle_fixture.h"
#include "vst3/messages.h"

#include "engine/engine_event.h"
#include "vst3/plugin_ids.h"
#include "synth/command_tags.h"

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <functional>
#include <limits>

namespace taluma::test {
namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int32 kMax = std::numeric_limits<int32>::max();
constexpr int32 kMin = std::numeric_limits<int32>::min();
constexpr ParamID kNoSuchId = 0x12345;
constexpr ParamID kTl = eventid::operatorParam(0, eventid::kTotalLevel);
constexpr ParamID kTune = eventid::operatorParam(0, eventid::kTune);
constexpr ParamValue kUntouched = -42.0;  // an output value before the call
constexpr double kWroteOutput = 100;      // a refusing call wrote its output anyway
constexpr int32 kRate = 44100;
constexpr int32 kBlock = 256;

#define TALUMA_NO_INTERFACES                                                                       \
    tresult PLUGIN_API queryInterface(const TUID, void** obj) override {                           \
        *obj = nullptr;                                                                            \
        return kNoInterface;                                                                       \
    }                                                                                              \
    TALUMA_HOST_STATIC_REFCOUNT

// A message with no attribute list at all.
struct BareMessage : IMessage {
    explicit BareMessage(const char* messageId) : id(messageId) {}
    FIDString PLUGIN_API getMessageID() override { return id; }
    void PLUGIN_API setMessageID(FIDString) override {}
    IAttributeList* PLUGIN_API getAttributes() override { return nullptr; }
    TALUMA_NO_INTERFACES
    FIDString id;
};

// A stream that fails, or reports `skew` bytes more (or fewer) than it moved.
struct LyingStream : IBStream {
    LyingStream(std::vector<uint8_t> data, bool fails, int32 skew)
        : bytes(std::move(data)), fail(fails), bias(skew) {}
    tresult PLUGIN_API read(void* buffer, int32 n, int32* done) override {
        const int32 moved = std::min<int32>(n, int32(bytes.size() - position));
        if (moved > 0)  // an empty stream has no data to copy from
            std::memcpy(buffer, bytes.data() + position, size_t(moved));
        position += size_t(moved);
        return report(moved, done);
    }
    tresult PLUGIN_API write(void*, int32 n, int32* done) override { return report(n, done); }
    tresult PLUGIN_API seek(int64, int32, int64*) override { return kResultFalse; }
    tresult PLUGIN_API tell(int64*) override { return kResultFalse; }
    tresult report(int32 n, int32* done) {
        if (done)
            *done = fail ? 0 : n + bias;
        return fail ? kResultFalse : kResultOk;
    }
    TALUMA_NO_INTERFACES
    std::vector<uint8_t> bytes;
    size_t position = 0;
    bool fail;
    int32 bias;
};

// Lists that announce more than they deliver.
struct OverstatedEvents : IEventList {
    int32 PLUGIN_API getEventCount() override { return 1000; }
    tresult PLUGIN_API getEvent(int32, Event&) override { return kResultFalse; }
    tresult PLUGIN_API addEvent(Event&) override { return kResultFalse; }
    TALUMA_NO_INTERFACES
};
struct OverstatedChanges : IParameterChanges {
    int32 PLUGIN_API getParameterCount() override { return 5; }
    IParamValueQueue* PLUGIN_API getParameterData(int32) override { return nullptr; }
    IParamValueQueue* PLUGIN_API addParameterData(const ParamID&, int32&) override {
        return nullptr;
    }
    TALUMA_NO_INTERFACES
};

// A String128 the host owns, with a guard zone behind it that no call may touch.
struct GuardedText {
    static constexpr TChar kGuard = 0x5A5A;
    GuardedText() { std::fill(std::begin(guard), std::end(guard), kGuard); }
    bool intact() const {
        return std::all_of(std::begin(guard), std::end(guard), [](TChar c) { return c == kGuard; });
    }
    TChar text[128] = {};
    TChar guard[512];
};

struct Row {
    const char* call;
    std::function<double()> run;
    double expected;  // the result code or the value returned
};
#define ROW(call, expected)                                                                        \
    Row {                                                                                          \
#call, [&]() -> double { return call; }, double(expected)                                  \
    }

class CarelessHost : public BundleFixture {
protected:
    template <typename T>
    T* query(FUnknown* object) {
        T* result = nullptr;
        object->queryInterface(T::iid, reinterpret_cast<void**>(&result));
        if (result)
            held.push_back(result);
        return result;
    }
    // Everything a host can read back of the instrument.
    // The controller's values come first: saving the state makes it read them back from
    // the engine, which would hide what a refused call left in the controller.
    std::vector<double> observable() {
        std::vector<double> seen;
        IEditController* c = plugin->controller();
        for (int32 i = 0; i < c->getParameterCount(); ++i) {
            ParameterInfo info{};
            c->getParameterInfo(i, info);
            seen.push_back(c->getParamNormalized(info.id));
        }
        std::vector<uint8_t> state;
        EXPECT_TRUE(plugin->getState(state));
        seen.insert(seen.end(), state.begin(), state.end());
        for (MediaType type : {kAudio, kEvent})
            for (BusDirection dir : {kInput, kOutput})
                seen.push_back(plugin->component()->getBusCount(type, dir));
        seen.push_back(FUnknownPtr<IUnitInfo>(c)->getSelectedUnit());
        return seen;
    }
    // A note through an instance set up afresh.
    std::vector<float> sound(testhost::PluginInstance& instance) {
        instance.stop();
        EXPECT_TRUE(instance.start(kRate, kBlock));
        instance.noteOn(0, 60, 0.8f);
        std::vector<float> out, l(kBlock), r(kBlock);
        for (int block = 0; block < 8; ++block) {
            EXPECT_EQ(instance.process(kBlock, l.data(), r.data()), kResultOk);
            out.insert(out.end(), l.begin(), l.end());
        }
        return out;
    }
    tresult processWith(int32 numSamples, AudioBusBuffers* outputs, int32 sampleSize = kSample32,
                        IEventList* events = nullptr, IParameterChanges* changes = nullptr) {
        ProcessData data;
        data.symbolicSampleSize = sampleSize;
        data.numSamples = numSamples;
        data.numOutputs = outputs ? 1 : 0;
        data.outputs = outputs;
        data.inputEvents = events ? events : &plugin->events();
        data.inputParameterChanges = changes ? changes : &plugin->parameterChanges();
        return plugin->processRaw(data);
    }
    IMessage* message(const char* id) {
        IMessage* m = plugin->allocateMessage();
        m->setMessageID(id);
        held.push_back(m);
        return m;
    }
    IBStream* stream(std::vector<uint8_t> bytes, bool fails, int32 skew = 0) {
        return &streams.emplace_back(std::move(bytes), fails, skew);
    }
    void TearDown() override {
        for (FUnknown* reference : held)
            reference->release();
        BundleFixture::TearDown();
    }
    std::vector<FUnknown*> held;  // references the test took
    std::deque<LyingStream> streams;
};

TEST_F(CarelessHost, EveryExportedMethodRefusesWhatItsContractRulesOut) {
    ASSERT_TRUE(plugin->start(kRate, kBlock));
    IPluginFactory* f = module->factory();
    auto* f3 = query<IPluginFactory3>(f);
    IComponent* component = plugin->component();
    IAudioProcessor* processor = plugin->processor();
    IEditController* c = plugin->controller();
    auto* c2 = query<IEditController2>(c);
    auto* units = query<IUnitInfo>(c);
    auto* midi = query<IMidiMapping>(c);
    auto* processorPoint = query<IConnectionPoint>(component);
    auto* controllerPoint = query<IConnectionPoint>(c);
    ASSERT_TRUE(f3 && c2 && units && midi && processorPoint && controllerPoint);
    std::vector<uint8_t> record;
    ASSERT_TRUE(plugin->getState(record));  // the controller reads the engine's values back
    const std::vector<double> before = observable();

    std::unique_ptr<GuardedText> out;
    auto text = [&](ParamID id, double v) {
        const bool ok = c->getParamStringByValue(id, v, out->text) == kResultOk;
        return ok ? std::u16string(reinterpret_cast<const char16_t*>(out->text)) : u"<refused>";
    };
    ParamValue value = kUntouched;
    auto parse = [&](ParamID id, const char16_t* s) {
        value = kUntouched;
        const tresult r = c->getParamValueByString(id, (TChar*)s, value);
        return r == kResultOk || value == kUntouched ? double(r) : kWroteOutput;
    };
    const std::vector<char16_t> unterminated(200, u'5');
    ParamID mapped = kNoSuchId;
    auto map = [&](int32 bus, int16 channel, CtrlNumber cc) {
        const tresult r = midi->getMidiControllerAssignment(bus, channel, cc, mapped);
        return mapped == kNoSuchId ? double(r) : kWroteOutput;
    };
    auto setup = [&](double rate, int32 block, int32 size = kSample32, int32 mode = kRealtime) {
        ProcessSetup s{mode, size, block, rate};
        return processor->setupProcessing(s);
    };

    std::vector<float> left(4096), right(4096);
    float* both[2] = {left.data(), right.data()};
    float* leftOnly[2] = {left.data(), nullptr};
    auto buses = [](int32 channels, float** list) {
        AudioBusBuffers b;
        b.numChannels = channels;
        b.channelBuffers32 = list;
        return b;
    };
    AudioBusBuffers stereo = buses(2, both), mono = buses(1, both), noList = buses(2, nullptr),
                    halfList = buses(2, leftOnly);
    HostEventList oddNotes;
    oddNotes.noteOn(-100, -1, float(kNaN));
    oddNotes.noteOn(kMax, 300, -float(kInf));
    oddNotes.noteOn(kMin, 60, float(kInf));
    HostParameterChanges oddValues;
    // Values that hold to 0 go to parameters at 0, so the instrument stays as it is.
    oddValues.addChange(eventid::kLfoWave, -7, kNaN);
    oddValues.addChange(eventid::operatorParam(0, eventid::kFeedback), kMax, -kInf);
    oddValues.addChange(eventid::operatorParam(0, eventid::kPms), kMin, -1e300);
    oddValues.addChange(0xFFFFFFFF, 0, kInf);
    oddValues.addChange(kBypassId, 0, kNaN);
    oddValues.addQueue(kTl);  // no points
    OverstatedEvents overstatedEvents;
    OverstatedChanges overstatedChanges;

    testhost::MessageTap stranger(nullptr);
    BareMessage anonymous(nullptr), bareText("TextMessage");
    const TChar lone[] = {u'1', 0xD800, 0};
    IMessage* unknownId = message("Nobody:knows");
    IMessage* surrogateText = message("TextMessage");
    surrogateText->getAttributes()->setString("Text", lone);
    IMessage* wrongTypes = message(taluma::message::kValueChange);
    wrongTypes->getAttributes()->setFloat(taluma::message::kTag, 1.0);
    wrongTypes->getAttributes()->setString(taluma::message::kValue, lone);
    IMessage* unknownCommand = message(taluma::message::kValueChange);
    unknownCommand->getAttributes()->setInt(taluma::message::kTag, kMax);
    unknownCommand->getAttributes()->setFloat(taluma::message::kValue, kNaN);
    IMessage* badPath = message(taluma::message::kFileSelect);
    badPath->getAttributes()->setInt(taluma::message::kTag, cmd::file::kImportPreset);
    const char path[] = "/\xFF\xFE/none.tlmprst";
    badPath->getAttributes()->setBinary(taluma::message::kPath, path,
                                        sizeof(path) - 1);  // no 0 byte
    const std::vector<uint8_t> garbage(4096, 0xA5);
    const void* garbageAddress = garbage.data();
    IMessage* forgedState = message(taluma::message::kStateLoaded);
    forgedState->getAttributes()->setBinary(taluma::message::kSynth, &garbageAddress,
                                            sizeof(garbageAddress));
    IMessage* forgedOpen = message(taluma::message::kSynthForEditor);
    forgedOpen->getAttributes()->setBinary(taluma::message::kSynth, &garbageAddress,
                                           sizeof(garbageAddress));
    IMessage* intAddress = message(taluma::message::kStateSaved);
    intAddress->getAttributes()->setInt(taluma::message::kSynth, 1);

    // A call to a new editor view that the host has not shown: a refused one leaves its
    // size as it was.
    auto viewCall = [&](auto call) {
        IPlugView* view = c->createView(ViewType::kEditor);
        ViewRect before, after;
        view->getSize(&before);
        const tresult r = call(view);
        view->getSize(&after);
        view->release();
        return r == kResultTrue || after.getWidth() == before.getWidth() ? double(r) : kWroteOutput;
    };
    auto scaleView = [&](float factor) {
        return viewCall([=](IPlugView* v) {
            return FUnknownPtr<IPlugViewContentScaleSupport>(v)->setContentScaleFactor(factor);
        });
    };
    static int window = 0;
#if defined(_WIN32)
    const FIDString nativeType = kPlatformTypeHWND;
#else
    const FIDString nativeType = kPlatformTypeX11EmbedWindowID;
#endif

    // Another skin and A TL: refused whole in another version or one byte short.
    std::vector<uint8_t> changed = record;
    changed[2] = 1;
    changed[835] = 99;
    std::vector<uint8_t> otherVersion = changed, oneShort(changed.begin(), changed.begin() + 857);
    otherVersion[0] = 1;
    TUID processorCid, unknownCid = {};
    kProcessorUID.toTUID(processorCid);
    void* object = nullptr;
    PClassInfo info{};
    PClassInfoW infoW{};
    BusInfo bus{};
    RoutingInfo routing{-1, kMax, kMax};
    SpeakerArrangement stereoArr = SpeakerArr::kStereo, monoArr = SpeakerArr::kMono;
    SpeakerArrangement twoStereo[2] = {SpeakerArr::kStereo, SpeakerArr::kStereo};
    ParameterInfo parameter{};
    UnitInfo unit{};

    const Row rows[] = {
        ROW(f->getFactoryInfo(nullptr), kInvalidArgument),
        ROW(f->getClassInfo(-1, &info), kInvalidArgument),
        ROW(f->getClassInfo(0, nullptr), kInvalidArgument),
        ROW(f3->getClassInfo2(kMax, nullptr), kInvalidArgument),
        ROW(f3->getClassInfoUnicode(kMin, &infoW), kInvalidArgument),
        ROW(f->createInstance(nullptr, IComponent::iid, &object), kInvalidArgument),
        ROW(f->createInstance(processorCid, IComponent::iid, nullptr), kInvalidArgument),
        ROW(f->createInstance(unknownCid, IComponent::iid, &object), kNoInterface),
        ROW(f->createInstance(processorCid, IPlugView::iid, &object), kNoInterface),
        ROW(f->queryInterface(IPluginFactory::iid, nullptr), kInvalidArgument),
        ROW(f->queryInterface(nullptr, &object), kInvalidArgument),

        ROW(component->initialize(nullptr), kResultFalse),
        ROW(component->queryInterface(IComponent::iid, nullptr), kInvalidArgument),
        ROW(component->queryInterface(nullptr, &object), kInvalidArgument),
        ROW(component->getControllerClassId(nullptr), kInvalidArgument),
        ROW(component->setIoMode(99), kNotImplemented),
        ROW(component->getBusCount(kAudio, 7), 0),
        ROW(component->getBusCount(9, kOutput), 0),
        ROW(component->getBusInfo(kAudio, kOutput, 1, bus), kInvalidArgument),
        ROW(component->getBusInfo(kEvent, 7, 0, bus), kInvalidArgument),
        ROW(component->activateBus(kEvent, kInput, -1, false), kInvalidArgument),
        ROW(component->activateBus(9, kOutput, 0, false), kInvalidArgument),
        ROW(component->getRoutingInfo(routing, routing), kNotImplemented),
        ROW(component->setState(nullptr), kResultFalse),
        ROW(component->setState(stream(changed, true)), kResultFalse),
        ROW(component->setState(stream(record, false, 1)), kResultFalse),
        ROW(component->setState(stream({}, false)), kResultFalse),
        ROW(component->setState(stream(oneShort, false)), kResultFalse),
        ROW(component->setState(stream(otherVersion, false)), kResultOk),
        ROW(component->getState(nullptr), kResultFalse),
        ROW(component->getState(stream({}, true)), kResultFalse),
        ROW(component->getState(stream({}, false, -1)), kResultFalse),
        ROW(component->getState(stream({}, false, 1)), kResultFalse),

        ROW(processor->setBusArrangements(nullptr, 0, nullptr, 1), kResultFalse),
        ROW(processor->setBusArrangements(nullptr, 0, &monoArr, 1), kResultFalse),
        ROW(processor->setBusArrangements(nullptr, 0, twoStereo, 2), kResultFalse),
        ROW(processor->setBusArrangements(twoStereo, 1, &stereoArr, 1), kResultFalse),
        ROW(processor->setBusArrangements(nullptr, -1, &stereoArr, 1), kInvalidArgument),
        ROW(processor->getBusArrangement(kOutput, 1, stereoArr), kInvalidArgument),
        ROW(processor->getBusArrangement(kInput, 0, stereoArr), kInvalidArgument),
        ROW(processor->getBusArrangement(7, 0, stereoArr), kInvalidArgument),
        ROW(processor->canProcessSampleSize(kSample64), kResultFalse),
        ROW(setup(kNaN, kBlock), kResultFalse),
        ROW(setup(-kInf, kBlock), kResultFalse),
        ROW(setup(kRate, -1), kResultFalse),
        ROW(setup(22050, kBlock, kSample64), kResultFalse),
        ROW(setup(22050, kBlock, kSample32, 99), kResultFalse),
        ROW(setup(kRate, kMax), kResultOk),  // no huge allocation: long blocks render in pieces
        ROW(processWith(-5, &stereo), kResultOk),
        ROW(processWith(kBlock, nullptr), kResultOk),
        ROW(processWith(kBlock, &mono), kResultOk),
        ROW(processWith(kBlock, &noList), kResultOk),
        ROW(processWith(kBlock, &halfList), kResultOk),
        ROW(processWith(kBlock, &noList, kSample64), kResultOk),
        ROW(processWith(4096, &stereo), kResultOk),
        ROW(processWith(kBlock, &stereo, kSample32, &oddNotes), kResultOk),
        ROW(processWith(kBlock, &stereo, kSample32, nullptr, &oddValues), kResultOk),
        ROW(processWith(kBlock, &stereo, kSample32, &overstatedEvents, &overstatedChanges),
            kResultOk),

        ROW(c->initialize(nullptr), kResultFalse),
        ROW(c->queryInterface(IEditController::iid, nullptr), kInvalidArgument),
        ROW(c->queryInterface(nullptr, &object), kInvalidArgument),
        ROW(c->queryInterface(IAudioProcessor::iid, &object), kNoInterface),
        ROW(c->setComponentState(nullptr), kInvalidArgument),
        ROW(c->setComponentState(stream(changed, true)), kResultFalse),
        ROW(c->setComponentState(stream(oneShort, false)), kResultFalse),
        ROW(c->setComponentState(stream(otherVersion, false)), kResultOk),
        ROW(c->setState(nullptr), kNotImplemented),
        ROW(c->getState(nullptr), kNotImplemented),
        ROW(c->getParameterInfo(-1, parameter), kInvalidArgument),
        ROW(c->getParameterInfo(43, parameter), kInvalidArgument),
        ROW(text(eventid::kModWheel, 1e123) == text(eventid::kModWheel, 1.0), true),
        ROW(text(eventid::kPitchBend, -1e300) == text(eventid::kPitchBend, 0.0), true),
        ROW(text(kTl, kInf) == text(kTl, 1.0), true),
        ROW(text(kTune, kNaN) == text(kTune, 0.0), true),
        ROW(text(kBypassId, kNaN) == u"Off", true),
        ROW(c->getParamStringByValue(kNoSuchId, 1e123, out->text), kResultFalse),
        ROW(c->getParamStringByValue(kTl, 0.5, nullptr), kInvalidArgument),
        ROW(parse(eventid::kModWheel, u"1\xD800"), kInvalidArgument),
        ROW(parse(kTl, u"\xDC00"
                       u"12"),
            kInvalidArgument),
        ROW(parse(kTl, u"\xD834\xDD1E"), kResultFalse),  // a whole pair, but no value
        ROW(parse(kTl, nullptr), kInvalidArgument),
        ROW(parse(kTl, unterminated.data()), kInvalidArgument),
        ROW(parse(eventid::kModWheel, u"nan"), kResultFalse),
        ROW(parse(kNoSuchId, u"0.5"), kResultFalse),
        ROW(parse(eventid::kVolume, u"5") == kResultOk ? value : -1, 1.0),
        ROW(c->normalizedParamToPlain(kTl, kNaN), 0),
        ROW(c->normalizedParamToPlain(kTune, -kInf), -8192),
        ROW(c->plainParamToNormalized(kTl, 1e300), 1),
        ROW(c->plainParamToNormalized(kTune, kNaN), 0),
        ROW(c->getParamNormalized(kNoSuchId), 0),
        ROW(c->setParamNormalized(kTl, kNaN), kInvalidArgument),
        ROW(c->setParamNormalized(kTl, -kInf), kInvalidArgument),
        ROW(c->setParamNormalized(kNoSuchId, 0.5), kResultFalse),
        ROW(c->createView(nullptr) != nullptr, false),
        ROW(c->createView("editorial") != nullptr, false),
        ROW(scaleView(float(kNaN)), kInvalidArgument),
        ROW(scaleView(float(-kInf)), kInvalidArgument),
        ROW(scaleView(0.0f), kInvalidArgument),
        ROW(scaleView(1e30f), kResultTrue),
        ROW(viewCall([&](IPlugView* v) { return v->attached(nullptr, nativeType); }), kResultFalse),
        ROW(viewCall([](IPlugView* v) { return v->attached(&window, "Amiga"); }), kResultFalse),
        ROW(viewCall([](IPlugView* v) { return v->attached(&window, nullptr); }), kResultFalse),
        ROW(viewCall([](IPlugView* v) { return v->removed(); }), kResultFalse),
        ROW(viewCall([](IPlugView* v) { return v->getSize(nullptr); }), kInvalidArgument),
        ROW(viewCall([](IPlugView* v) { return v->onSize(nullptr); }), kInvalidArgument),
        ROW(viewCall([](IPlugView* v) { return v->isPlatformTypeSupported(nullptr); }),
            kInvalidArgument),
        ROW(c2->setKnobMode(99), kInvalidArgument),

        ROW(units->getUnitInfo(-1, unit), kInvalidArgument),
        ROW(units->getUnitInfo(1, unit), kInvalidArgument),
        ROW(units->getProgramName(kNoProgramListId, 0, out->text), kResultFalse),
        ROW(units->getProgramInfo(0, -1, nullptr, out->text), kResultFalse),
        ROW(units->getProgramPitchName(0, 0, 999, out->text), kResultFalse),
        ROW(units->selectUnit(12345), kInvalidArgument),
        ROW(units->setUnitProgramData(-1, -1, nullptr), kResultFalse),

        // One event bus of 16 channels.
        ROW(map(1, 0, kCtrlVolume), kInvalidArgument),
        ROW(map(0, 16, kPitchBend), kInvalidArgument),

        ROW(processorPoint->connect(nullptr), kInvalidArgument),
        ROW(controllerPoint->connect(&stranger), kResultFalse),  // already connected
        ROW(processorPoint->disconnect(&stranger), kResultFalse),
        ROW(controllerPoint->disconnect(nullptr), kResultFalse),
        ROW(processorPoint->notify(nullptr), kInvalidArgument),
        ROW(controllerPoint->notify(nullptr), kInvalidArgument),
        ROW(processorPoint->notify(&anonymous), kResultFalse),
        ROW(controllerPoint->notify(&anonymous), kResultFalse),
        ROW(processorPoint->notify(&bareText), kResultFalse),
        ROW(controllerPoint->notify(&bareText), kResultFalse),
        ROW(processorPoint->notify(unknownId), kResultFalse),
        ROW(processorPoint->notify(surrogateText), kResultOk),  // taken and ignored
        ROW(controllerPoint->notify(surrogateText), kResultOk),
        ROW(processorPoint->notify(wrongTypes), kResultOk),
        ROW(processorPoint->notify(unknownCommand), kResultOk),
        ROW(processorPoint->notify(badPath), kResultOk),
        ROW(controllerPoint->notify(forgedState), kResultOk),
        ROW(controllerPoint->notify(forgedOpen), kResultOk),
        ROW(controllerPoint->notify(intAddress), kResultOk),
    };
    for (const Row& row : rows) {
        out = std::make_unique<GuardedText>();
        EXPECT_EQ(row.run(), row.expected) << row.call;
        EXPECT_TRUE(out->intact()) << row.call << " wrote past the host's String128";
        EXPECT_EQ(object, nullptr) << row.call;
        plugin->events().clear();
        plugin->parameterChanges().clear();
        // The refused preset import above is carried out (and refused) by the next block.
        ASSERT_EQ(processWith(kBlock, &stereo), kResultOk);
        EXPECT_TRUE(observable() == before) << row.call << " changed the instrument";
    }
    std::string error;
    auto fresh = testhost::PluginInstance::create(*module, error);
    ASSERT_TRUE(fresh) << error;
    EXPECT_EQ(sound(*plugin), sound(*fresh));
}

}  // namespace
}  // namespace taluma::test
