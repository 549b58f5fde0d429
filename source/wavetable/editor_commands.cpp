#include "editor_commands.h"

#include <algorithm>
#include <mutex>

#include "synth.h"
#include "wave_generators.h"

namespace taluma {

namespace {

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
        switch (tag_ & 0xF000) {
        case 0x1000: global(); break;
        case 0x2000:
            if (low() == 0x2007) {
                synth_.waveStore->linkAB.store(value_ > 0.5);
                echo();
            }
            break;
        case 0x3000: table(0); break;
        case 0x4000: table(1); break;
        case 0x5000: operatorValue(); break;
        case 0x6000: generator(); break;
        case 0x7000: settings(); break;
        default: break;  // group 0 and unknown groups
        }
    }

private:
    int32_t low() const { return tag_ & 0xFFFF; }
    bool audioRunning() const { return synth_.audioRunning.load(); }
    void echo() { replies_.add(tag_, value_); }
    void replyZero() { replies_.add(tag_, 0.0); }
    void replyStep(int32_t q, int32_t steps) { replies_.add(tag_, double(q) / steps); }

    void global() {
        SynthEngine& engine = *synth_.engine;
        switch (low()) {
        case 0x1008: {  // volume knob; the host's "CC : 7" carries it while audio runs
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
        case 0x1009: {  // reference pitch, 42000..46000 in 1/100 Hz
            if (audioRunning())
                return;
            Synth::StructuralEdit edit(synth_);
            engine.setParameterValue(eventid::kStdPitch, (scaled(value_, 400) + 4200) * 10);
            return;
        }
        case 0x100A:  // rate divider
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
        case 0x100B: {  // output bit depth
            if (audioRunning())
                return;
            Synth::StructuralEdit edit(synth_);
            engine.setBitDepth(std::clamp(int32_t(unit(value_) * 15.0 + 1.5), 1, 16));
            return;
        }
        case 0x100C:  // voice count 8..1024
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
        case 0x1040:  // page tabs
            synth_.settings.page.store(plain(value_, 1, 3));
            return;
        default: return;
        }
    }

    void table(int op) {
        const int item = tag_ & 0xFF;
        switch (tag_ & 0xF00) {
        case 0x000: editButton(op, item); break;
        case 0x100: draw(op, item); break;
        case 0x800: menu(op, item); break;
        default: break;
        }
    }

    void editButton(int op, int item) {
        WaveStore& store = *synth_.waveStore;
        static const LevelOp levels[] = {
            LevelOp::Up4,        LevelOp::Up1,      LevelOp::Invert,
            LevelOp::Down1,      LevelOp::Down4,    LevelOp::Amplify2,
            LevelOp::Amplify1_5, LevelOp::Scale2_3, LevelOp::ScaleHalf};
        switch (item) {
        case 1: store.rotateLeft(op, 4); break;
        case 2: store.rotateLeft(op, 1); break;
        case 3: store.reverse(op); break;
        case 4: store.rotateRight(op, 1); break;
        case 5: store.rotateRight(op, 4); break;
        default:
            if (item < 6 || item > 14)
                return;
            store.applyLevel(op, levels[item - 6]);
            break;
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
            replies_.add(cell | (op == 0 ? 0x4900 : 0x3900), level);
    }

    void menu(int op, int item) {
        WaveStore& store = *synth_.waveStore;
        switch (item) {
        case 0x02:
            store.clear(op);
            replyZero();
            return;
        case 0x03:
            store.copy(op, op ^ 1);
            echo();
            return;
        case 0x04:
            store.exchange();
            echo();
            return;
        case 0x10: {
            // Changes the index masks the voices read with: not while they render.
            Synth::StructuralEdit edit(synth_);
            store.resizeTable(op, scaled(value_, 5) + 2);
            echo();
            return;
        }
        case 0x20:
            store.loadSlot(op, scaled(value_, 3));
            echo();
            return;
        case 0x30: store.saveSlot(op, scaled(value_, 3)); return;
        case 0x40:
            store.reduceBits(op, scaled(value_, 6));
            echo();
            return;
        case 0x50:
            store.setStepQuantiser(op, scaled(value_, 7) + 1);
            echo();
            return;
        default: return;
        }
    }

    // The logic page's value for an item, as the engine's parameter id; 0 for none.
    static uint32_t operatorValueId(int item) {
        switch (item) {
        case 0x03: return eventid::kLfoFreq;
        case 0x80: return eventid::kAlgorithm;
        case 0xB0: return eventid::kLfoWave;
        case 0x90: return eventid::kOperatorA + eventid::kVelocityCurve;
        case 0xA0: return eventid::kOperatorB + eventid::kVelocityCurve;
        default: break;
        }
        const uint32_t k = uint32_t(item & 0x0F);
        if (k > eventid::kAms || k == eventid::kVelocityCurve)
            return 0;
        if ((item & 0xF0) == 0x10)
            return eventid::kOperatorA + k;
        if ((item & 0xF0) == 0x20 && k != eventid::kFeedback)
            return eventid::kOperatorB + k;
        return 0;
    }

    void operatorValue() {
        // While audio runs the host's parameters carry these values.
        if ((tag_ & 0xF00) != 0 || audioRunning())
            return;
        const uint32_t id = operatorValueId(tag_ & 0xFF);
        if (id == 0)
            return;
        const int32_t v = plain(value_, -65536, 65536);
        {
            Synth::StructuralEdit edit(synth_);
            if ((id & 0x0F) == eventid::kTune && (id & 0xF0) >= 0x90) {
                // The tune knob reaches 16384 (one octave up), one step past the
                // automation range.
                synth_.engine->tone().setTune((id & 0xF0) == 0x90 ? 0 : 1, std::clamp(v, 0, 16384));
            } else {
                synth_.engine->setParameterValue(id, v);
            }
        }
        echo();
    }

    void generator() {
        GeneratorSettings& g = synth_.generator;
        int32_t q = 0;
        switch (low()) {
        case 0x6001:
        case 0x6002: {
            const int op = low() == 0x6001 ? 0 : 1;
            if (g.type == kGenConstant)
                fillConstant(*synth_.waveStore, op, g);
            else
                generateWave(*synth_.waveStore, op, g);
            echo();
            return;
        }
        case 0x6006:
            q = scaled(value_, 511);
            g.amplitude = q - 256;
            return replyStep(q, 511);
        case 0x6007:
            q = scaled(value_, 511);
            g.offset = q - 256;
            return replyStep(q, 511);
        case 0x6008:
            q = scaled(value_, 127);
            g.rangeEnd = q + 1;
            return replyStep(q, 127);
        case 0x6009:
            q = scaled(value_, 127);
            g.rangeStart = q;
            return replyStep(q, 127);
        case 0x600A:
            q = scaled(value_, 511);
            g.cyclesQuarter = q + 1;
            return replyStep(q, 511);
        case 0x600B:
            q = scaled(value_, 255);
            g.phase = q - 128;
            return replyStep(q, 255);
        case 0x600C: g.harmonicsOn = value_ > 0.5; return replyZero();
        case 0x600D:
            q = scaled(value_, 63);
            g.harmonicsCount = q + 1;
            return replyStep(q, 63);
        case 0x600E: g.noiseLoop = value_ > 0.5; return replyZero();
        case 0x600F:
            q = scaled(value_, 3);
            g.interpolation = q;
            return replyStep(q, 3);
        case 0x6010:
            q = scaled(value_, 127);
            g.noisePoints = q + 1;
            return replyStep(q, 127);
        case 0x6011:
            q = scaled(value_, 65535);
            g.noiseSeed = q;
            return replyStep(q, 65535);
        case 0x6040: g.type = plain(value_, kGenSine, kGenNoise); return echo();
        default: return;
        }
    }

    void settings() {
        SynthSettings& s = synth_.settings;
        switch (low()) {
        case 0x7003: {  // pitch-bend range
            if (audioRunning())
                return;
            Synth::StructuralEdit edit(synth_);
            SynthEngine& engine = *synth_.engine;
            engine.setBendRange(std::min(scaled(value_, 24), 24));
            forSoundingVoices(engine, [](Voice& v) { v.refreshPitch(); });
            return;
        }
        case 0x700D: s.waveOpacity.store(plain(value_, 0, 100)); return;
        case 0x700E: s.gridOpacity.store(plain(value_, 0, 100)); return;
        case 0x700F: s.numberRadix.store(plain(value_, 0, 1)); return;
        case 0x7010: s.skin.store(plain(value_, 0, 1)); return;
        case 0x7011: s.frameRateIndex.store(plain(value_, 0, 4)); return;
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
