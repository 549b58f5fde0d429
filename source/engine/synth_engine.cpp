#include "engine/synth_engine.h"

#include <algorithm>
#include <cmath>

#include "engine/log_math.h"
#include "engine/parameter_descriptions.h"
#include "engine/unit_value.h"

namespace taluma {

namespace {

constexpr int32_t kMaxVoices = 1024;

// r(x) of the event scaling: trunc(x + 0.5) in single precision.
int32_t roundScaled(float x) {
    return int32_t(x + 0.5f);
}
// r(x) of the rate constants: trunc(x + 0.5) in double precision.
int32_t roundDouble(double x) {
    return int32_t(x + 0.5);
}

struct Range {
    int32_t min, max;
};

// Valid integers of each parameter id (parameter_descriptions.h); false for ids the
// engine keeps no integer for.
bool parameterRange(uint32_t id, Range& r) {
    const ParameterDescription* p = describeParameter(id);
    if (!p || !hasEngineValue(*p))
        return false;
    r = {p->engineMin, p->engineMax};
    return true;
}

bool isValueless(uint32_t id) {
    return id == eventid::kAllSoundOff || id == eventid::kAllNotesOff;
}

}  // namespace

SynthEngine::SynthEngine() = default;
SynthEngine::~SynthEngine() = default;

void SynthEngine::init(float engineSampleRate) {
    bitDepth = 16;
    outputMask = 0xFFFFFFFE;
    for (int op = 0; op < 2; ++op) {
        waveLog2Size[op] = 5;
        waveSize[op] = 32;
        waveIndexMask[op] = 124;
    }
    referencePitch = 44000;
    sampleRate = engineSampleRate;

    tables_.reset(new EngineTables);
    tables_->buildAll();
    tone_.reset(new ToneParameters);
    tone_->init(*tables_);

    waveStorage_.reset(new WaveCell[2 * kWaveArraySize]());
    waveLog[0] = waveStorage_.get();
    waveLog[1] = waveStorage_.get() + kWaveArraySize;
    // The pool is allocated once at its largest, so that a voice-count change made on
    // the audio thread allocates nothing.
    voices_.reset(new Voice[kMaxVoices]);
    voiceCount = 0;

    resetWaveTables();
    setVoiceCount(128);  // from 0: builds the pool and the rate constants
}

void SynthEngine::initVoice(Voice& v) const {
    v = Voice();
    v.exp = tone_->exp;
    v.exponent = tone_->exponent;
    v.pitchShift = tone_->pitchShift;
    v.notePitch = tone_->notePitch;
    v.attackCurve = tone_->attackCurve;
    v.linearCurve = tone_->linearCurve;
    v.tone = tone_.get();
    v.gainL = v.gainR = 1.0f / 65536.0f;
    v.dampRate = uint32_t(dampRate);
    for (int op = 0; op < 2; ++op) {
        v.waveLog[op] = waveLog[op];
        v.waveIndexMask[op] = waveIndexMask[op];
    }
    v.outputMask = outputMask;
    v.routine = renderRoutine(0);
}

bool SynthEngine::setVoiceCount(int32_t n) {
    int32_t count = 8;
    while (count < n && count < kMaxVoices)
        count <<= 1;
    if (count == voiceCount)
        return false;
    for (int32_t i = 0; i < kMaxVoices; ++i)
        initVoice(voices_[i]);
    voiceCount = count;
    voiceMask = count - 1;
    allocCursor = 0;
    updateRateConstants();
    return true;
}

int32_t SynthEngine::computePitchBase() const {
    const double fs = sampleRate;
    const double f0 = std::pow(2.0, -5.75) * referencePitch / 100.0;  // key 0
    return roundDouble(23.0 * 8192.0) - (fs > 1.0 ? roundDouble(std::log2(fs) * 8192.0) : 0) +
           (f0 > 1.0 ? roundDouble(std::log2(f0) * 8192.0) : 0);
}

void SynthEngine::updateRateConstants() {
    if (!(sampleRate >= 1.0f && sampleRate <= 1.0e7f))
        sampleRate = 44100.0f;
    const double fs = sampleRate;
    const double twoTo30 = 1073741824.0;
    lfoRateFactor = roundDouble((twoTo30 / 16383.0) / std::max(1.0, fs / 4096.0));
    const double sweep = twoTo30 / (256.0 * fs);
    rateBase = sweep > 1.0 ? roundDouble(std::log2(sweep) * 8192.0) : 0;
    // A full sweep in 1/512 s; capped so that a position plus a rate cannot overflow.
    dampRate = roundDouble(std::min(twoTo30 / (fs / 512.0), twoTo30));
    pitchBase = computePitchBase();
    for (int32_t i = 0; i < voiceCount; ++i) {
        voices_[i].free();
        voices_[i].dampRate = uint32_t(dampRate);
    }
    tone_->setRateConstants(lfoRateFactor, rateBase, pitchBase);
}

void SynthEngine::setReferencePitch(uint32_t centiHz) {
    if (centiHz == referencePitch)
        return;
    referencePitch = centiHz;
    pitchBase = computePitchBase();
    tone_->setPitchBase(pitchBase);
}

void SynthEngine::resetWaveTables() {
    silenceAllVoices();
    const double twoPi = 6.28318530717958647692;
    for (int op = 0; op < 2; ++op) {
        for (int i = 0; i < 64; ++i) {
            const int32_t code = logEncode(std::sin(twoPi * i / 128.0));
            waveLog[op][i].store(uint32_t(code), std::memory_order_relaxed);
            // The negative half: the same level with the sign bit set.
            waveLog[op][64 + i].store(uint32_t(code + 1), std::memory_order_relaxed);
        }
    }
}

void SynthEngine::setWaveSize(int op, int32_t log2Size) {
    op &= 1;
    log2Size = std::clamp(log2Size, 2, 7);
    silenceAllVoices();
    waveLog2Size[op] = log2Size;
    waveSize[op] = 1 << log2Size;
    waveIndexMask[op] = (waveSize[op] - 1) << (7 - log2Size);
    for (int32_t i = 0; i < voiceCount; ++i)
        voices_[i].waveIndexMask[op] = waveIndexMask[op];
}

void SynthEngine::silenceAllVoices() {
    if (!voices_)
        return;
    for (int32_t i = 0; i < voiceCount; ++i)
        voices_[i].free();
}

void SynthEngine::allSoundOff() {
    for (int32_t i = 0; i < voiceCount; ++i)
        voices_[i].damp();
}

void SynthEngine::allNotesOff() {
    for (int32_t i = 0; i < voiceCount; ++i)
        voices_[i].release();
}

int32_t SynthEngine::sounding() const {
    int32_t n = 0;
    for (int32_t i = 0; i < voiceCount; ++i)
        n += voices_[i].flags != 0;
    return n;
}

// --- setters that reach sounding voices -------------------------------------------

bool SynthEngine::setModWheel(int32_t v) {
    if (v == tone_->modWheel)
        return false;
    tone_->storeModWheel(v);
    forSounding([this](Voice& voice) {
        for (int op = 0; op < 2; ++op) {
            voice.op[op].pmDepth = tone_->op[op].pmDepth;
            voice.op[op].amDepth = tone_->op[op].amDepth;
        }
    });
    return true;
}

bool SynthEngine::setVolume(int32_t v) {
    if (v == tone_->volume)
        return false;
    tone_->storeVolume(v);
    forSounding([this](Voice& voice) {
        voice.gainL = tone_->gainL;
        voice.gainR = tone_->gainR;
    });
    return true;
}

bool SynthEngine::setPan(int32_t v) {
    if (v == tone_->pan)
        return false;
    tone_->storePan(v);
    forSounding([this](Voice& voice) {
        voice.gainL = tone_->gainL;
        voice.gainR = tone_->gainR;
    });
    return true;
}

bool SynthEngine::setExpression(int32_t v) {
    if (v == tone_->expression)
        return false;
    tone_->storeExpression(v);
    forSounding([this](Voice& voice) { voice.expressionAtt = tone_->expressionAtt; });
    return true;
}

bool SynthEngine::setPitchBend(int32_t v) {
    if (v == tone_->pitchBend)
        return false;
    tone_->storePitchBend(v);
    forSounding([](Voice& voice) { voice.refreshPitch(); });
    return true;
}

bool SynthEngine::setBendRange(int32_t v) {
    v = std::min(v, 24);
    if (v == tone_->bendRange)
        return false;
    tone_->storeBendRange(v);
    forSounding([](Voice& voice) { voice.refreshPitch(); });
    return true;
}

bool SynthEngine::setLfoFreq(int32_t v) {
    if (v == tone_->value(kLfoFreqValue))
        return false;
    tone_->storeLfoFreq(v);
    forSounding([this](Voice& voice) { voice.lfoIncrement = tone_->lfoIncrement; });
    return true;
}

bool SynthEngine::setBitDepth(int32_t v) {
    if (v == bitDepth)
        return false;
    bitDepth = v;
    outputMask = 0xFFFFFFFFu << (17 - v);
    for (int32_t i = 0; i < kMaxVoices; ++i)
        voices_[i].outputMask = outputMask;
    return true;
}

// --- parameters by id ---------------------------------------------------------------

bool SynthEngine::scaleEventValue(uint32_t id, float value, int32_t& scaled) {
    Range range;
    if (!parameterRange(id, range))
        return false;
    const float x = clampUnit(value);
    switch (id) {
    case eventid::kBitDepth: scaled = int32_t(15.0f * x + 1.5f); break;
    case eventid::kStdPitch: scaled = (roundScaled(400.0f * x) + 4200) * 10; break;
    default: scaled = roundScaled(float(range.max - range.min) * x) + range.min; break;
    }
    scaled = std::clamp(scaled, range.min, range.max);
    return true;
}

int32_t SynthEngine::parameterValue(uint32_t id) const {
    Range range;
    if (!parameterRange(id, range))
        return -1;
    const ToneParameters& t = *tone_;
    switch (id) {
    case eventid::kModWheel: return t.modWheel;
    case eventid::kVolume: return t.volume;
    case eventid::kPan: return t.pan;
    case eventid::kExpression: return t.expression;
    case eventid::kPitchBend: return t.pitchBend;
    case eventid::kBitDepth: return bitDepth;
    case eventid::kStdPitch: return int32_t(referencePitch);
    case eventid::kBendRange: return t.bendRange;
    default: return t.value(toneValueIndex(id));
    }
}

bool SynthEngine::setParameterValue(uint32_t id, int32_t value) {
    Range range;
    if (!parameterRange(id, range))
        return false;
    const int32_t v = std::clamp(value, range.min, range.max);
    ToneParameters& t = *tone_;
    switch (id) {
    case eventid::kModWheel: return setModWheel(v);
    case eventid::kVolume: return setVolume(v);
    case eventid::kPan: return setPan(v);
    case eventid::kExpression: return setExpression(v);
    case eventid::kPitchBend: return setPitchBend(v);
    case eventid::kBitDepth: return setBitDepth(v);
    case eventid::kStdPitch:
        if (uint32_t(v) == referencePitch)
            return false;
        setReferencePitch(uint32_t(v));
        return true;
    case eventid::kBendRange: return setBendRange(v);
    case eventid::kAlgorithm: return t.setAlgorithm(v);
    case eventid::kLfoWave: return t.setLfoWave(v);
    case eventid::kLfoFreq: return setLfoFreq(v);
    default: break;
    }
    const int op = id >= eventid::kOperatorB ? 1 : 0;
    switch (id - eventid::operatorParam(op, eventid::kFeedback)) {
    case eventid::kFeedback: return t.setFeedback(v);
    case eventid::kMul: return t.setMultiplier(op, v);
    case eventid::kTune: return t.setTune(op, v);
    case eventid::kTotalLevel: return t.setTotalLevel(op, v);
    case eventid::kAttackRate: return t.setAttackRate(op, v);
    case eventid::kDecayRate: return t.setDecayRate(op, v);
    case eventid::kSustainLevel: return t.setSustainLevel(op, v);
    case eventid::kSustainRate: return t.setSustainRate(op, v);
    case eventid::kReleaseRate: return t.setReleaseRate(op, v);
    case eventid::kKeyCenter: return t.setKeyCenter(op, v);
    case eventid::kKeyScale: return t.setKeyScale(op, v);
    case eventid::kVelocityCurve: return t.setVelocityCurve(op, v);
    case eventid::kVelocitySens: return t.setVelocitySensitivity(op, v);
    case eventid::kPms: return t.setPms(op, v);
    default: return t.setAms(op, v);
    }
}

// --- events -------------------------------------------------------------------------

bool SynthEngine::eventChangesState(const EngineEvent& e, int32_t& scaled) const {
    if ((e.id & eventid::kClassMask) == eventid::kNote || isValueless(e.id))
        return true;
    return scaleEventValue(e.id, e.value, scaled) && scaled != parameterValue(e.id);
}

void SynthEngine::applyEvent(const EngineEvent& e, int32_t scaled) {
    if ((e.id & eventid::kClassMask) == eventid::kNote) {
        const int32_t key = int32_t(e.id & 0x7F);
        const int32_t velocity =
            (e.id & eventid::kNoteOnBit) ? roundScaled(clampUnit(e.value) * 127.0f) : 0;
        if (velocity < 1)
            noteOff(key);
        else
            noteOn(key, velocity, e.sampleOffset);
        return;
    }
    if (e.id == eventid::kAllSoundOff)
        return allSoundOff();
    if (e.id == eventid::kAllNotesOff)
        return allNotesOff();
    setParameterValue(e.id, scaled);
}

Voice* SynthEngine::allocateVoice() {
    // Three passes over the ring after the cursor: a free voice, else a released or
    // damped one, else a held one. The voice at the cursor (the newest) is never taken.
    const int32_t found = allocCursor;
    const int32_t wanted[3] = {0, kFlagReleased | kFlagDamped, kFlagHeld};
    for (int pass = 0; pass < 3; ++pass) {
        int32_t i = found;
        for (;;) {
            i = (i + 1) & voiceMask;
            if (i == found)
                break;
            allocCursor = i;
            const int32_t flags = voices_[i].flags;
            if (pass == 0 ? flags == 0 : (flags & wanted[pass]) != 0)
                return &voices_[i];
        }
    }
    allocCursor = found;
    return nullptr;
}

void SynthEngine::noteOn(int32_t key, int32_t velocity, int32_t offset) {
    Voice* v = allocateVoice();
    if (!v)
        return;
    v->position = offset;
    v->start(key, velocity);
}

void SynthEngine::noteOff(int32_t key) {
    forSounding([key](Voice& voice) {
        if ((voice.flags & kFlagHeld) && voice.key == key)
            voice.release();
    });
}

void SynthEngine::renderVoicesTo(int32_t end) {
    for (int32_t i = 0; i < voiceCount; ++i) {
        Voice& v = voices_[i];
        if (v.flags != 0)
            v.routine(v, left_, right_, end);
    }
}

void SynthEngine::render(const EngineEvent* events, float* left, float* right, int32_t start,
                         int32_t count) {
    if (count < 0)
        count = 0;
    const int32_t end = start + count;
    left_ = left;
    right_ = right;
    for (int32_t i = 0; i < voiceCount; ++i)
        voices_[i].position = start;
    int32_t renderedTo = start;
    for (const EngineEvent* e = events; e; e = e->next) {
        int32_t scaled = 0;
        if (!eventChangesState(*e, scaled))
            continue;
        // Offsets outside the block are held to it, so nothing renders out of bounds.
        EngineEvent at = *e;
        at.sampleOffset = std::clamp(e->sampleOffset, renderedTo, end);
        if (at.sampleOffset > renderedTo) {
            renderVoicesTo(at.sampleOffset);
            renderedTo = at.sampleOffset;
        }
        applyEvent(at, scaled);
    }
    renderVoicesTo(end);
    left_ = right_ = nullptr;
}

void SynthEngine::applyEvents(const EngineEvent* events) {
    // An event that changes nothing has nothing to apply.
    for (const EngineEvent* e = events; e; e = e->next) {
        int32_t scaled = 0;
        if ((e->id & eventid::kClassMask) != eventid::kNote && eventChangesState(*e, scaled))
            applyEvent(*e, scaled);
    }
}

}  // namespace taluma
