#include "synth/editor_commands.h"

#include <algorithm>
#include <optional>

#include "synth/command_tags.h"
#include "synth/synth.h"
#include "engine/unit_value.h"
#include "wavetable/wave_generators.h"

namespace taluma {

namespace {

using namespace cmd;

// A command answers at most twice (a drawn sample mirrored onto the other table).
struct Replies {
    int count = 0;
    int64_t tag[2] = {0, 0};
    double value[2] = {0.0, 0.0};
    void add(int64_t t, double v) {
        if (count < 2) {
            tag[count] = t;
            value[count] = v;
            ++count;
        }
    }
};

// round(norm * range): add 0.5 and truncate.
int32_t scaled(double norm, int32_t range) {
    return int32_t(clampUnit(norm) * range + 0.5);
}

// A plain integer carried in the double, truncated toward zero and kept to lo..hi.
int32_t plain(double value, int32_t lo, int32_t hi) {
    if (!(value >= lo))
        return lo;
    if (value >= hi)
        return hi;
    return int32_t(value);
}

// Knobs of the wave generator: the field takes round(norm * steps) + offset and the
// editor gets the step back.
struct GeneratorKnob {
    int32_t command;
    int32_t steps;
    int32_t offset;
    int32_t GeneratorSettings::*field;
};
constexpr GeneratorKnob kGeneratorKnobs[] = {
    {generator::kAmplitude, 511, -256, &GeneratorSettings::amplitude},
    {generator::kOffset, 511, -256, &GeneratorSettings::offset},
    {generator::kRangeEnd, 127, 1, &GeneratorSettings::rangeEnd},
    {generator::kRangeStart, 127, 0, &GeneratorSettings::rangeStart},
    {generator::kCycles, 511, 1, &GeneratorSettings::cyclesQuarter},
    {generator::kPhase, 255, -128, &GeneratorSettings::phase},
    {generator::kHarmonicsCount, 63, 1, &GeneratorSettings::harmonicsCount},
    {generator::kInterpolation, 3, 0, &GeneratorSettings::interpolation},
    {generator::kNoisePoints, 127, 1, &GeneratorSettings::noisePoints},
    {generator::kNoiseSeed, 65535, 0, &GeneratorSettings::noiseSeed},
};

// Display settings: a plain integer kept to 0..max.
struct DisplaySetting {
    int32_t command;
    int32_t max;
    std::atomic<int32_t> SynthSettings::*field;
};
constexpr DisplaySetting kDisplaySettings[] = {
    {setting::kWaveOpacity, 100, &SynthSettings::waveOpacity},
    {setting::kGridOpacity, 100, &SynthSettings::gridOpacity},
    {setting::kNumberRadix, 1, &SynthSettings::numberRadix},
    {setting::kSkin, 1, &SynthSettings::skin},
    {setting::kFrameRateIndex, 4, &SynthSettings::frameRateIndex},
};

class Dispatch {
public:
    Dispatch(Synth& synth, Synth::Edit& edit, int32_t tag, double value, Replies& replies)
        : synth_(synth), edit_(edit), tag_(tag), value_(value), replies_(replies) {}

    void run() {
        switch (groupOf(tag_)) {
        case kGlobal: global(); break;
        case kWaveSwitches: waveSwitches(); break;
        case kTableA:
        case kTableB: table(tableOperator(tag_)); break;
        case kOpValues: operatorValue(); break;
        case kGenerator: generatorCommand(); break;
        case kSettings: settings(); break;
        default: break;  // group 0 and unknown groups
        }
    }

private:
    int32_t command() const { return commandOf(tag_); }

    void reply(Reply kind, double value = 0.0) {
        switch (kind) {
        case Reply::kEcho: replies_.add(tag_, value_); break;
        case Reply::kZero: replies_.add(tag_, 0.0); break;
        case Reply::kStep:
        case Reply::kLevel:
        case Reply::kDone: replies_.add(tag_, value); break;
        case Reply::kNone: break;
        }
    }

    // A value the host's parameters carry while audio runs: set only while it does not.
    // Returns whether it was set.
    template <typename F>
    bool hostValue(F change) {
        if (synth_.audioRunning())
            return false;
        Synth::StructuralEdit structural(synth_);
        change(synth_.engine());
        return true;
    }

    // A host parameter's normalised value, scaled as the engine scales the host's.
    void hostParameter(uint32_t id) {
        hostValue([&](SynthEngine& e) {
            int32_t v = 0;
            if (SynthEngine::scaleEventValue(id, float(value_), v))
                e.setParameterValue(id, v);
        });
    }

    void global() {
        switch (command()) {
        case global::kVolume: return hostParameter(eventid::kVolume);
        case global::kReferencePitch: return hostParameter(eventid::kStdPitch);
        case global::kRateDivider: synth_.chooseRateDivider(value_); return;
        case global::kBitDepth: return hostParameter(eventid::kBitDepth);
        case global::kVoiceCount: synth_.chooseVoiceCount(value_); return;
        case global::kPage: edit_.settings().page.store(plain(value_, 1, 3)); return;
        default: return;
        }
    }

    void waveSwitches() {
        TableHistory& history = edit_.history();
        WaveStore& store = edit_.waves();
        switch (command()) {
        case waveSwitch::kLinkAB: store.linkAB.store(value_ > 0.5); return reply(Reply::kEcho);
        case history::kUndo:
            history.close(store);  // an unfinished stroke is a step of its own
            return reply(Reply::kDone, restore(history.undo(historyTable()), true) ? 1.0 : 0.0);
        case history::kRedo:
            history.close(store);
            return reply(Reply::kDone, restore(history.redo(historyTable()), false) ? 1.0 : 0.0);
        case history::kStrokeBegin: history.close(store); return history.open(store);
        case history::kStrokeEnd: return history.close(store);
        default: return;
        }
    }

    // The table whose history undo and redo walk: the value, 0 for A and 1 for B.
    int historyTable() const { return value_ > 0.5 ? 1 : 0; }

    // Puts the table of the history back as it was before a step, or after it.
    bool restore(const TableStep* step, bool before) {
        if (!step)
            return false;
        const int op = historyTable();
        const TableImage& image = before ? step->before : step->after;
        WaveStore& store = edit_.waves();
        if (restoreResizes(store, op, image)) {
            Synth::StructuralEdit structural(synth_);  // new index masks: not while voices render
            restoreTable(store, op, image);
        } else {
            restoreTable(store, op, image);
        }
        return true;
    }

    void table(int op) {
        const int item = itemOf(tag_);
        // Every command on a table is one step of the history, except the drawing
        // commands inside a stroke (the stroke is the step) and the hover reports.
        const bool drawing = subGroupOf(tag_) == kDrawing;
        std::optional<RecordedTableChange> recorded;
        if (!drawing || (item < kTableCells && !edit_.history().isOpen()))
            recorded.emplace(edit_.history(), edit_.waves());
        switch (subGroupOf(tag_)) {
        case kEditButtons: editButton(op, item); break;
        case kDrawing: draw(op, item); break;
        case kTableMenu: menu(op, item); break;
        default: break;
        }
    }

    void editButton(int op, int item) {
        WaveStore& store = edit_.waves();
        switch (item) {
        case button::kRotateLeft4: store.rotateLeft(op, 4); break;
        case button::kRotateLeft1: store.rotateLeft(op, 1); break;
        case button::kReverse: store.reverse(op); break;
        case button::kRotateRight1: store.rotateRight(op, 1); break;
        case button::kRotateRight4: store.rotateRight(op, 4); break;
        case button::kUp4: store.applyLevel(op, LevelOp::Up4); break;
        case button::kUp1: store.applyLevel(op, LevelOp::Up1); break;
        case button::kInvert: store.applyLevel(op, LevelOp::Invert); break;
        case button::kDown1: store.applyLevel(op, LevelOp::Down1); break;
        case button::kDown4: store.applyLevel(op, LevelOp::Down4); break;
        case button::kAmplify2: store.applyLevel(op, LevelOp::Amplify2); break;
        case button::kAmplify1_5: store.applyLevel(op, LevelOp::Amplify1_5); break;
        case button::kScale2_3: store.applyLevel(op, LevelOp::Scale2_3); break;
        case button::kScaleHalf: store.applyLevel(op, LevelOp::ScaleHalf); break;
        default: return;
        }
        reply(Reply::kZero);  // every operation above ends with its commit
    }

    void draw(int op, int cell) {
        if (cell >= kTableCells) {
            reply(Reply::kEcho);
            return;
        }
        WaveStore& store = edit_.waves();
        const double level = store.drawSample(op, cell, value_);
        reply(Reply::kLevel, level);
        if (store.linkAB.load())
            replies_.add(linkedDrawReply(op, cell), level);
    }

    void menu(int op, int item) {
        WaveStore& store = edit_.waves();
        switch (item) {
        case menu::kClear: store.clear(op); return reply(Reply::kZero);
        case menu::kCopy: store.copy(op, op ^ 1); return reply(Reply::kEcho);
        case menu::kExchange: store.exchange(); return reply(Reply::kEcho);
        case menu::kTableSize: {
            // Changes the index masks the voices read with: not while they render.
            Synth::StructuralEdit structural(synth_);
            store.resizeTable(op, scaled(value_, 5) + 2);
            return reply(Reply::kEcho);
        }
        case menu::kLoadSlot: store.loadSlot(op, scaled(value_, 3)); return reply(Reply::kEcho);
        case menu::kSaveSlot: store.saveSlot(op, scaled(value_, 3)); return reply(Reply::kNone);
        case menu::kBitReduction:
            store.reduceBits(op, scaled(value_, 6));
            return reply(Reply::kEcho);
        case menu::kSteps:
            store.setStepQuantiser(op, scaled(value_, 7) + 1);
            return reply(Reply::kEcho);
        default: return;
        }
    }

    void operatorValue() {
        const uint32_t id = parameterOf(command());
        if (id == 0)
            return;
        const int32_t v = plain(value_, -65536, 65536);
        const int op = id >= eventid::kOperatorB ? 1 : 0;
        const auto set = [&](SynthEngine& e) {
            if (id == eventid::operatorParam(op, eventid::kTune))
                // The tune knob reaches 16384 (one octave up), one step past the
                // automation range.
                e.tone().setTune(op, std::clamp(v, 0, 16384));
            else
                e.setParameterValue(id, v);
        };
        if (hostValue(set))
            reply(Reply::kEcho);
    }

    void generatorCommand() {
        GeneratorSettings& g = edit_.generator();
        switch (command()) {
        case generator::kApplyA:
        case generator::kApplyB: {
            const int op = command() == generator::kApplyA ? 0 : 1;
            RecordedTableChange recorded(edit_.history(), edit_.waves());
            if (g.type == kGenConstant)
                fillConstant(edit_.waves(), op, g);
            else
                generateWave(edit_.waves(), op, g);
            return reply(Reply::kEcho);
        }
        case generator::kHarmonicsOn: g.harmonicsOn = value_ > 0.5; return reply(Reply::kZero);
        case generator::kNoiseLoop: g.noiseLoop = value_ > 0.5; return reply(Reply::kZero);
        case generator::kType:
            g.type = plain(value_, kGenSine, kGenNoise);
            return reply(Reply::kEcho);
        default: break;
        }
        for (const GeneratorKnob& knob : kGeneratorKnobs) {
            if (knob.command == command()) {
                const int32_t q = scaled(value_, knob.steps);
                g.*knob.field = q + knob.offset;
                return reply(Reply::kStep, double(q) / knob.steps);
            }
        }
    }

    void settings() {
        if (command() == setting::kBendRange) {
            hostValue([&](SynthEngine& e) {
                // Sounding voices follow the range at once; when it is unchanged they still
                // take up any tune change made meanwhile.
                if (!e.setBendRange(std::min(scaled(value_, 24), 24)))
                    e.forSounding([](Voice& v) { v.refreshPitch(); });
            });
            return;
        }
        for (const DisplaySetting& s : kDisplaySettings)
            if (s.command == command())
                (edit_.settings().*s.field).store(plain(value_, 0, s.max));
    }

    Synth& synth_;
    Synth::Edit& edit_;
    const int32_t tag_;
    const double value_;
    Replies& replies_;
};

}  // namespace

void handleEditorValue(Synth& synth, int32_t tag, double value, const ValueReply& reply) {
    Replies replies;
    {
        Synth::Edit edit(synth);
        Dispatch(synth, edit, tag, value, replies).run();
    }
    if (!reply)
        return;
    for (int i = 0; i < replies.count; ++i)
        reply(replies.tag[i], replies.value[i]);
}

}  // namespace taluma
