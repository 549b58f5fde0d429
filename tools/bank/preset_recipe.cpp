#include "preset_recipe.h"

#include <algorithm>
#include <cmath>

#include "engine/engine_event.h"
#include "engine/parameter_descriptions.h"
#include "synth/synth.h"

namespace taluma::bank {

namespace {

struct CategoryNames {
    const char* heading;
    const char* prefix;
};
constexpr CategoryNames kCategoryNames[kCategoryCount] = {
    {"Chip leads", "Lead"},           {"Basses", "Bass"},  {"Plucks and keys", "Keys"},
    {"Bells and mallets", "Bell"},    {"Organs", "Organ"}, {"Pads and strings", "Pad"},
    {"Percussion and drums", "Drum"}, {"Effects", "FX"},
};

int log2Cells(int cells) {
    int log2 = 2;
    while ((1 << log2) < cells && log2 < 7)
        ++log2;
    return log2;
}

}  // namespace

const char* categoryName(Category category) {
    return kCategoryNames[int(category)].heading;
}

const char* categoryPrefix(Category category) {
    return kCategoryNames[int(category)].prefix;
}

Shape Shape::constant(int level, int start, int count) {
    Shape s(kGenConstant);
    s.s_.amplitude = level;
    s.s_.offset = 0;
    return s.range(start, count);
}

Shape Shape::noise(int seed, int points, int interpolation) {
    Shape s(kGenNoise);
    s.s_.noiseSeed = seed;
    s.s_.noisePoints = points;
    s.s_.interpolation = interpolation;
    return s;
}

Shape& Shape::cycles(double c) {
    s_.cyclesQuarter = int(std::lround(c * 4));
    return *this;
}

Shape& Shape::amplitude(int a) {
    s_.amplitude = a;
    return *this;
}

Shape& Shape::offset(int o) {
    s_.offset = o;
    return *this;
}

Shape& Shape::phase(int p) {
    s_.phase = p;
    return *this;
}

Shape& Shape::range(int start, int end) {
    s_.rangeStart = start;
    s_.rangeEnd = end;
    return *this;
}

Shape& Shape::partials(int n) {
    s_.harmonicsOn = true;
    s_.harmonicsCount = n;
    return *this;
}

Shape& Shape::loop() {
    s_.noiseLoop = true;
    return *this;
}

Wave::Wave(int cells) : log2Size_(log2Cells(cells)) {}

Wave& Wave::gen(const Shape& shape) {
    const GeneratorSettings settings = shape.settings();
    steps_.push_back([settings](WaveStore& store, int op) {
        if (settings.type == kGenConstant)
            fillConstant(store, op, settings);
        else
            generateWave(store, op, settings);
    });
    return *this;
}

Wave& Wave::level(LevelOp kind, int times) {
    steps_.push_back([kind, times](WaveStore& store, int op) {
        for (int i = 0; i < times; ++i)
            store.applyLevel(op, kind);
    });
    return *this;
}

Wave& Wave::bits(int keep) {
    steps_.push_back([keep](WaveStore& store, int op) { store.reduceBits(op, keep - 1); });
    return *this;
}

Wave& Wave::reverse() {
    steps_.push_back([](WaveStore& store, int op) { store.reverse(op); });
    return *this;
}

Wave& Wave::rotate(int n) {
    steps_.push_back([n](WaveStore& store, int op) { store.rotateLeft(op, n); });
    return *this;
}

Wave& Wave::draw(std::vector<int> levels) {
    steps_.push_back([levels](WaveStore& store, int op) {
        for (size_t i = 0; i < levels.size() && int(i) < store.size(op); ++i)
            store.setCell(op, int(i), uint8_t(std::clamp(levels[i], -128, 127) + 128));
        store.commitTable(op);
    });
    return *this;
}

void Wave::apply(WaveStore& store, int op) const {
    store.resizeTable(op, log2Size_);
    // A blank table sits on the zero line.
    fillConstant(store, op, Shape::constant(0, 0, kTableCells).settings());
    for (const auto& step : steps_)
        step(store, op);
}

Op& Op::ratio(int m, int cents) {
    mul = m;
    tune = cents;
    return *this;
}

Op& Op::level(int totalLevel) {
    tl = totalLevel;
    return *this;
}

Op& Op::env(int attack, int decay, int sustainLevel, int sustainRate, int release) {
    ar = attack;
    dr = decay;
    sl = sustainLevel;
    sr = sustainRate;
    rr = release;
    return *this;
}

Op& Op::keyScale(int depth, int centre) {
    ks = depth;
    kc = centre;
    return *this;
}

Op& Op::velocity(int curve, int sensitivity) {
    vc = curve;
    vs = sensitivity;
    return *this;
}

Op& Op::lfo(int pmSens, int amSens) {
    pms = pmSens;
    ams = amSens;
    return *this;
}

Preset& Preset::keys(int low, int high) {
    lowKey = low;
    highKey = high;
    return *this;
}

Preset& Preset::tables(Wave forA, Wave forB) {
    waveA = std::move(forA);
    waveB = std::move(forB);
    return *this;
}

Preset& Preset::ops(Op forA, Op forB) {
    a = forA;
    b = forB;
    return *this;
}

Preset& Preset::alg(int algorithmNumber, int feedbackLevel) {
    algorithm = algorithmNumber;
    feedback = feedbackLevel;
    return *this;
}

Preset& Preset::lfo(int wave, double hz, int wheel) {
    lfoWave = wave;
    lfoHz = hz;
    modWheel = wheel;
    return *this;
}

Preset& Preset::instrument(int bits, int divider, int voiceCount) {
    bitDepth = bits;
    rateDivider = divider;
    voices = voiceCount;
    return *this;
}

Preset& Preset::bend(int semitones) {
    bendRange = semitones;
    return *this;
}

std::string Preset::fileStem() const {
    return std::string(categoryPrefix(category)) + " - " + name;
}

void applyPreset(Synth& synth, const Preset& p) {
    {
        Synth::Edit edit(synth);
        Synth::StructuralEdit engineEdit(synth);  // resizing a table silences the voices
        p.waveA.apply(edit.waves(), 0);
        p.waveB.apply(edit.waves(), 1);

        SynthEngine& engine = synth.engine();
        auto set = [&engine](uint32_t id, int value) { engine.setParameterValue(id, value); };
        set(eventid::kAlgorithm, p.algorithm);
        set(eventid::operatorParam(0, eventid::kFeedback), p.feedback);
        set(eventid::kLfoWave, p.lfoWave);
        // The LFO runs at freq * top / (the engine's highest freq) Hz.
        const int32_t topFreq = describeParameter(eventid::kLfoFreq)->engineMax;
        set(eventid::kLfoFreq, int(std::lround(p.lfoHz * topFreq / kLfoTopHz)));
        set(eventid::kModWheel, p.modWheel);
        set(eventid::kBendRange, p.bendRange);
        set(eventid::kBitDepth, p.bitDepth);
        const Op* ops[2] = {&p.a, &p.b};
        for (int op = 0; op < 2; ++op) {
            const Op& o = *ops[op];
            auto setOp = [&](eventid::OperatorParam k, int value) {
                set(eventid::operatorParam(op, k), value);
            };
            setOp(eventid::kMul, o.mul);
            setOp(eventid::kTune, kTuneCentre + int(std::lround(o.tune / kCentsPerTuneStep)));
            setOp(eventid::kTotalLevel, o.tl);
            setOp(eventid::kAttackRate, o.ar);
            setOp(eventid::kDecayRate, o.dr);
            setOp(eventid::kSustainLevel, o.sl);
            setOp(eventid::kSustainRate, o.sr);
            setOp(eventid::kReleaseRate, o.rr);
            setOp(eventid::kKeyScale, o.ks);
            setOp(eventid::kKeyCenter, o.kc);
            setOp(eventid::kVelocityCurve, o.vc);
            setOp(eventid::kVelocitySens, o.vs);
            setOp(eventid::kPms, o.pms);
            setOp(eventid::kAms, o.ams);
        }
    }
    // Voice count and engine rate as the Settings page's menus choose them.
    synth.chooseVoiceCount((std::log2(double(p.voices)) - 3.0) / 7.0);
    synth.chooseRateDivider(p.rateDivider / 3.0);
}

}  // namespace taluma::bank
