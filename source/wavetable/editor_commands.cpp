#include "editor_commands.h"

#include <algorithm>
#include <mutex>
#include <optional>

#include "command_tags.h"
#include "synth.h"
#include "wave_generators.h"

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

// A control's normalised value, kept to 0..1 (NaN counts as 0).
double unit(double x) {
    return x >= 0.0 ? (x <= 1.0 ? x : 1.0) : 0.0;
}

// round(norm * range): add 0.5 and truncate.
int32_t scaled(double norm, int32_t range) {
    return int32_t(unit(norm) * range + 0.5);
}

// A plain integer carried in the double, truncated toward zero and kept to lo..hi.
int32_t plain(double value, int32_t lo, int32_t hi) {
    if (!(value >= lo))
        return lo;
    if (value >= hi)
        return hi;
    return int32_t(value);
}

template <typename F>
void forSoundingVoices(SynthEngine& engine, F f) {
    Voice* voices = engine.voices();
    for (int32_t i = 0; i < engine.voiceCount; ++i)
        if (voices[i].flags != 0)
            f(voices[i]);
}

class Dispatch {
public:
    Dispatch(Synth& synth, int32_t tag, double value, Replies& replies)
        : synth_(synth), tag_(tag), value_(value), replies_(replies) {}

    void run() {
        switch (groupOf(tag_)) {
        case kGlobal: global(); break;
        case kWaveSwitches: waveSwitches(); break;
        case kTableA:
        case kTableB: table(tableOperator(tag_)); break;
        case kOpValues: operatorValue(); break;
        case kGenerator: generator(); break;
        case kSettings: settings(); break;
        default: break;  // group 0 and unknown groups
        }
    }

private:
    int32_t command() const { return commandOf(tag_); }
    bool audioRunning() const { return synth_.audioRunning.load(); }
    void echo() { replies_.add(tag_, value_); }
    void replyZero() { replies_.add(tag_, 0.0); }
    void replyStep(int32_t q, int32_t steps) { replies_.add(tag_, double(q) / steps); }

    void global() {
        SynthEngine& engine = *synth_.engine;
        switch (command()) {
        case global::kVolume: {  // volume knob; the host's "CC : 7" carries it while audio runs
            if (audioRunning())
                return;
            Synth::StructuralEdit edit(synth_);
            engine.setVolume(scaled(value_, 127));
            const ToneParameters& tone = engine.tone();
            forSoundingVoices(engine, [&](Voice& v) {
                v.gainL = tone.gainL;
                v.gainR = tone.gainR;
            });
            return;
        }
        case global::kReferencePitch: {  // reference pitch, 42000..46000 in 1/100 Hz
            if (audioRunning())
                return;
            Synth::StructuralEdit edit(synth_);
            engine.setParameterValue(eventid::kStdPitch, (scaled(value_, 400) + 4200) * 10);
            return;
        }
        case global::kRateDivider:  // rate divider
            if (audioRunning()) {
                synth_.pendingRateValue.store(float(unit(value_)));
                synth_.pendingChanges.fetch_or(change::kRateDivider);
                return;
            } else {
                Synth::StructuralEdit edit(synth_);
                if (synth_.rate.rateDivider != -1)
                    synth_.setRateDivider(scaled(value_, 3));
                return;
            }
        case global::kBitDepth: {  // output bit depth
            if (audioRunning())
                return;
            Synth::StructuralEdit edit(synth_);
            engine.setBitDepth(std::clamp(int32_t(unit(value_) * 15.0 + 1.5), 1, 16));
            return;
        }
        case global::kVoiceCount:  // voice count 8..1024
            if (audioRunning()) {
                synth_.pendingVoiceValue.store(float(unit(value_)));
                synth_.pendingChanges.fetch_or(change::kVoiceCount);
                return;
            } else {
                Synth::StructuralEdit edit(synth_);
                const int32_t n = 1 << int32_t(unit(value_) * 7.0 + 3.5);
                if (n != engine.voiceCount) {
                    engine.allocCursor = 0;
                    engine.voiceMask = n - 1;
                    engine.setVoiceCount(n);
                    engine.updateRateConstants();
                }
                return;
            }
        case global::kPage:  // page tabs
            synth_.settings.page.store(plain(value_, 1, 3));
            return;
        default: return;
        }
    }

    void waveSwitches() {
        TableHistory& history = synth_.tableHistory;
        switch (command()) {
        case waveSwitch::kLinkAB: synth_.waveStore->linkAB.store(value_ > 0.5); return echo();
        case history::kUndo:
            history.close(*synth_.waveStore);  // an unfinished stroke is a step of its own
            return replies_.add(tag_, restore(history.undo(), true) ? 1.0 : 0.0);
        case history::kRedo:
            history.close(*synth_.waveStore);
            return replies_.add(tag_, restore(history.redo(), false) ? 1.0 : 0.0);
        case history::kStrokeBegin:
            history.close(*synth_.waveStore);
            return history.open(*synth_.waveStore);
        case history::kStrokeEnd: return history.close(*synth_.waveStore);
        default: return;
        }
    }

    // Puts the tables of a step back as they were before it, or as they were after it.
    bool restore(const TableStep* step, bool before) {
        if (!step)
            return false;
        const TablesImage& image = before ? step->before : step->after;
        WaveStore& store = *synth_.waveStore;
        if (restoreResizes(store, image, step->changed)) {
            Synth::StructuralEdit edit(synth_);  // new index masks: not while voices render
            restoreTables(store, image, step->changed);
        } else {
            restoreTables(store, image, step->changed);
        }
        return true;
    }

    void table(int op) {
        const int item = itemOf(tag_);
        // Every command on a table is one step of the history, except the drawing
        // commands inside a stroke (the stroke is the step) and the hover reports.
        const bool drawing = subGroupOf(tag_) == kDrawing;
        std::optional<RecordedTableChange> recorded;
        if (!drawing || (item < kTableCells && !synth_.tableHistory.isOpen()))
            recorded.emplace(synth_.tableHistory, *synth_.waveStore);
        switch (subGroupOf(tag_)) {
        case kEditButtons: editButton(op, item); break;
        case kDrawing: draw(op, item); break;
        case kTableMenu: menu(op, item); break;
        default: break;
        }
    }

    void editButton(int op, int item) {
        WaveStore& store = *synth_.waveStore;
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
        replyZero();  // every operation above ends with its commit
    }

    void draw(int op, int cell) {
        if (cell >= kTableCells) {
            echo();
            return;
        }
        WaveStore& store = *synth_.waveStore;
        const double level = store.drawSample(op, cell, value_);
        replies_.add(tag_, level);
        if (store.linkAB.load())
            replies_.add(linkedDrawReply(op, cell), level);
    }

    void menu(int op, int item) {
        WaveStore& store = *synth_.waveStore;
        switch (item) {
        case menu::kClear:
            store.clear(op);
            replyZero();
            return;
        case menu::kCopy:
            store.copy(op, op ^ 1);
            echo();
            return;
        case menu::kExchange:
            store.exchange();
            echo();
            return;
        case menu::kTableSize: {
            // Changes the index masks the voices read with: not while they render.
            Synth::StructuralEdit edit(synth_);
            store.resizeTable(op, scaled(value_, 5) + 2);
            echo();
            return;
        }
        case menu::kLoadSlot:
            store.loadSlot(op, scaled(value_, 3));
            echo();
            return;
        case menu::kSaveSlot: store.saveSlot(op, scaled(value_, 3)); return;
        case menu::kBitReduction:
            store.reduceBits(op, scaled(value_, 6));
            echo();
            return;
        case menu::kSteps:
            store.setStepQuantiser(op, scaled(value_, 7) + 1);
            echo();
            return;
        default: return;
        }
    }

    // The engine parameter a logic-page command sets, or 0 for none.
    static uint32_t operatorValueId(int32_t command) {
        switch (command) {
        case opValue::kLfoFreq: return eventid::kLfoFreq;
        case opValue::kAlgorithm: return eventid::kAlgorithm;
        case opValue::kLfoWave: return eventid::kLfoWave;
        case opValue::kVelocityCurveA: return eventid::operatorParam(0, eventid::kVelocityCurve);
        case opValue::kVelocityCurveB: return eventid::operatorParam(1, eventid::kVelocityCurve);
        default: break;
        }
        for (int op = 0; op < 2; ++op) {
            const uint32_t k = uint32_t(command - opValue::operatorParam(op, 0));
            const bool exists = op == 0 || k != eventid::kFeedback;
            if (k <= eventid::kAms && k != eventid::kVelocityCurve && exists)
                return eventid::operatorParam(op, eventid::OperatorParam(k));
        }
        return 0;
    }

    void operatorValue() {
        // While audio runs the host's parameters carry these values.
        if (audioRunning())
            return;
        const uint32_t id = operatorValueId(command());
        if (id == 0)
            return;
        const int32_t v = plain(value_, -65536, 65536);
        {
            Synth::StructuralEdit edit(synth_);
            const int op = id >= eventid::kOperatorB ? 1 : 0;
            if (id == eventid::operatorParam(op, eventid::kTune)) {
                // The tune knob reaches 16384 (one octave up), one step past the
                // automation range.
                synth_.engine->tone().setTune(op, std::clamp(v, 0, 16384));
            } else {
                synth_.engine->setParameterValue(id, v);
            }
        }
        echo();
    }

    void generator() {
        GeneratorSettings& g = synth_.generator;
        int32_t q = 0;
        switch (command()) {
        case generator::kApplyA:
        case generator::kApplyB: {
            const int op = command() == generator::kApplyA ? 0 : 1;
            RecordedTableChange recorded(synth_.tableHistory, *synth_.waveStore);
            if (g.type == kGenConstant)
                fillConstant(*synth_.waveStore, op, g);
            else
                generateWave(*synth_.waveStore, op, g);
            echo();
            return;
        }
        case generator::kAmplitude:
            q = scaled(value_, 511);
            g.amplitude = q - 256;
            return replyStep(q, 511);
        case generator::kOffset:
            q = scaled(value_, 511);
            g.offset = q - 256;
            return replyStep(q, 511);
        case generator::kRangeEnd:
            q = scaled(value_, 127);
            g.rangeEnd = q + 1;
            return replyStep(q, 127);
        case generator::kRangeStart:
            q = scaled(value_, 127);
            g.rangeStart = q;
            return replyStep(q, 127);
        case generator::kCycles:
            q = scaled(value_, 511);
            g.cyclesQuarter = q + 1;
            return replyStep(q, 511);
        case generator::kPhase:
            q = scaled(value_, 255);
            g.phase = q - 128;
            return replyStep(q, 255);
        case generator::kHarmonicsOn: g.harmonicsOn = value_ > 0.5; return replyZero();
        case generator::kHarmonicsCount:
            q = scaled(value_, 63);
            g.harmonicsCount = q + 1;
            return replyStep(q, 63);
        case generator::kNoiseLoop: g.noiseLoop = value_ > 0.5; return replyZero();
        case generator::kInterpolation:
            q = scaled(value_, 3);
            g.interpolation = q;
            return replyStep(q, 3);
        case generator::kNoisePoints:
            q = scaled(value_, 127);
            g.noisePoints = q + 1;
            return replyStep(q, 127);
        case generator::kNoiseSeed:
            q = scaled(value_, 65535);
            g.noiseSeed = q;
            return replyStep(q, 65535);
        case generator::kType: g.type = plain(value_, kGenSine, kGenNoise); return echo();
        default: return;
        }
    }

    void settings() {
        SynthSettings& s = synth_.settings;
        switch (command()) {
        case setting::kBendRange: {  // pitch-bend range
            if (audioRunning())
                return;
            Synth::StructuralEdit edit(synth_);
            SynthEngine& engine = *synth_.engine;
            engine.setBendRange(std::min(scaled(value_, 24), 24));
            forSoundingVoices(engine, [](Voice& v) { v.refreshPitch(); });
            return;
        }
        case setting::kWaveOpacity: s.waveOpacity.store(plain(value_, 0, 100)); return;
        case setting::kGridOpacity: s.gridOpacity.store(plain(value_, 0, 100)); return;
        case setting::kNumberRadix: s.numberRadix.store(plain(value_, 0, 1)); return;
        case setting::kSkin: s.skin.store(plain(value_, 0, 1)); return;
        case setting::kFrameRateIndex: s.frameRateIndex.store(plain(value_, 0, 4)); return;
        default: return;
        }
    }

    Synth& synth_;
    const int32_t tag_;
    const double value_;
    Replies& replies_;
};

}  // namespace

void handleEditorValue(Synth& synth, int32_t tag, double value, const ValueReply& reply) {
    Replies replies;
    {
        std::lock_guard<std::mutex> lock(synth.editLock);
        Dispatch(synth, tag, value, replies).run();
    }
    if (!reply)
        return;
    for (int i = 0; i < replies.count; ++i)
        reply(replies.tag[i], replies.value[i]);
}

}  // namespace taluma
