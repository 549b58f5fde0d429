// The sixteen render routines (and idle), generated from one template so that the
// per-sample loop holds no test for the algorithm or the LFO.
//
// A routine renders its voice in runs: a run is a stretch of samples in which no
// envelope reaches its stage end, so the run's loop holds no stage test and no test of
// which operators sound (they cannot change inside it). A sample at which a stage ends
// is rendered alone, with every test, by renderCheckedSample; both compute each sample
// in the same order with the same integers.
#include <utility>

#include "engine/voice.h"

namespace taluma {

namespace {

constexpr int32_t kModulatorAtt = 2304;  // 4.5 octaves below full scale
constexpr uint32_t kSwitchedOff = 0x3FFFFFFF;
constexpr auto kRelaxed = std::memory_order_relaxed;

void renderIdle(Voice& voice, float*, float*, int32_t) {
    voice.free();
}

// The LFO step taken at the start of a sample whose counter has run out: new PM and AM
// offsets (and increments) for the routine's operators.
template <bool HasA, bool HasB, bool Pm, bool Am>
void lfoStep(Voice& voice) {
    const int32_t pm = voice.lfoWave[voice.lfoStep];
    const int32_t am = voice.lfoWave[voice.lfoStep + 1];
    for (int i = 0; i < 2; ++i) {
        if ((i == 0 && !HasA) || (i == 1 && !HasB))
            continue;
        VoiceOperator& o = voice.op[i];
        if constexpr (Pm) {
            o.pmOffset = (pm * o.pmDepth) >> 11;
            o.increment = voice.increment(o.pitch + o.pmOffset);
        }
        if constexpr (Am)
            o.amOffset = ((am * o.amDepth) >> 11) & 0x7FFFFFFE;
    }
    voice.lfoCounter += 0x40000000;
    voice.lfoStep = (voice.lfoStep + 2) & 255;
}

// One sample with every test of the per-sample order: LFO step, operator A (its stage
// advance, switch-off or the end of the voice), operator B likewise, the output. Works
// on the voice itself; false when the voice ended (nothing was output).
template <int Ops, bool Serial, bool Pm, bool Am>
bool renderCheckedSample(Voice& voice, float* left, float* right, int32_t pos) {
    constexpr bool kHasA = (Ops & 1) != 0;
    constexpr bool kHasB = (Ops & 2) != 0;
    constexpr bool kTwoOps = Ops == 3;
    VoiceOperator& a = voice.op[0];
    VoiceOperator& b = voice.op[1];

    if constexpr (Pm || Am) {
        if (voice.lfoCounter < 1)
            lfoStep<kHasA, kHasB, Pm, Am>(voice);
    }

    int32_t outA = 0, modulation = 0, outB = 0;
    if constexpr (kHasA) {
        if (!kTwoOps || (voice.flags & kFlagA)) {
            if (a.envPosition >= a.stageEnd && !advanceStage(a, voice.linearCurve)) {
                if (!kTwoOps || !(voice.flags & kFlagB))
                    return false;
                a.envPosition = kSwitchedOff;
                voice.flags &= 0xF2;
            }
            const WaveCell* const wave = voice.waveLog[0];
            const int32_t mask = voice.waveIndexMask[0];
            const int32_t idx = int32_t(a.phase >> 16);
            const int32_t level = a.curve[a.envPosition >> 18] + a.levelAtt + (Am ? a.amOffset : 0);
            const int32_t feedback = voice.exp[int32_t(wave[idx & mask].load(kRelaxed)) +
                                               voice.feedbackAtt + kModulatorAtt + level];
            const int32_t idx2 = (idx + 4 * feedback) & mask;
            if constexpr (Serial) {
                modulation = voice.exp[int32_t(wave[idx2].load(kRelaxed)) + level + kModulatorAtt];
            } else {
                outA = voice.exp[int32_t(wave[idx2].load(kRelaxed)) + voice.expressionAtt + level] &
                       int32_t(voice.outputMask);
            }
            a.envPosition += a.envRate;
            a.phase = (a.phase + a.increment) & 0x7FFFFF;
        }
    }
    if constexpr (kHasB) {
        if (!kTwoOps || (voice.flags & kFlagB)) {
            if (b.envPosition >= b.stageEnd && !advanceStage(b, voice.linearCurve)) {
                if (!kTwoOps || Serial || !(voice.flags & kFlagA))
                    return false;
                b.envPosition = kSwitchedOff;
                voice.flags &= 0xF1;
            }
            const int32_t idx = (int32_t(b.phase >> 16) + modulation) & voice.waveIndexMask[1];
            const int32_t level = b.curve[b.envPosition >> 18] + b.levelAtt + (Am ? b.amOffset : 0);
            outB = voice.exp[int32_t(voice.waveLog[1][idx].load(kRelaxed)) + level +
                             voice.expressionAtt] &
                   int32_t(voice.outputMask);
            b.envPosition += b.envRate;
            b.phase = (b.phase + b.increment) & 0x7FFFFF;
        }
    }

    const float s = float(outA + outB);
    left[pos] += s * voice.gainL;
    right[pos] += s * voice.gainR;
    if constexpr (Pm || Am)
        voice.lfoCounter -= voice.lfoIncrement;
    return true;
}

// Renders pos..stop-1, where no envelope of a sounding operator reaches its stage end.
// RunA/RunB: the operators that sound throughout; HasA/HasB: the routine's operators,
// whose LFO offsets follow the steps whether they sound or not.
//
// The hot state lives in locals for the whole run and is written back once. Phases are
// kept shifted up by 9 bits, so that the 23-bit wrap is the register's own and the
// table index is the top 7 bits. Every table index is non-negative, so it is formed as
// an unsigned value and needs no sign extension. The LFO test stays in the loop: at the
// fastest LFO rate a step comes every dozen samples.
template <bool RunA, bool RunB, bool Serial, bool Pm, bool Am, bool HasA, bool HasB>
int32_t renderRun(Voice& voice, float* left, float* right, int32_t pos, int32_t stop) {
    constexpr int kPhaseShift = 9;
    const int32_t* const exp = voice.exp;
    const WaveCell* const waveA = voice.waveLog[0];
    const WaveCell* const waveB = voice.waveLog[1];
    const uint32_t maskA = uint32_t(voice.waveIndexMask[0]);
    const uint32_t maskB = uint32_t(voice.waveIndexMask[1]);
    const int32_t outputMask = int32_t(voice.outputMask);
    const uint32_t expressionAtt = uint32_t(voice.expressionAtt);
    const uint32_t feedbackAtt = uint32_t(voice.feedbackAtt + kModulatorAtt);
    const float gainL = voice.gainL;
    const float gainR = voice.gainR;
    const int32_t lfoIncrement = voice.lfoIncrement;
    int32_t lfoCounter = voice.lfoCounter;

    VoiceOperator& a = voice.op[0];
    VoiceOperator& b = voice.op[1];
    uint32_t phaseA = a.phase << kPhaseShift, incrementA = a.increment << kPhaseShift;
    uint32_t envA = a.envPosition;
    const uint32_t rateA = a.envRate;
    const int32_t* const curveA = a.curve;
    uint32_t levelA = uint32_t(a.levelAtt + (Am ? a.amOffset : 0));
    uint32_t phaseB = b.phase << kPhaseShift, incrementB = b.increment << kPhaseShift;
    uint32_t envB = b.envPosition;
    const uint32_t rateB = b.envRate;
    const int32_t* const curveB = b.curve;
    uint32_t levelB = uint32_t(b.levelAtt + (Am ? b.amOffset : 0));

    for (; pos < stop; ++pos) {
        if constexpr (Pm || Am) {
            if (lfoCounter < 1) {
                voice.lfoCounter = lfoCounter;
                lfoStep<HasA, HasB, Pm, Am>(voice);
                lfoCounter = voice.lfoCounter;
                if constexpr (Pm) {
                    incrementA = a.increment << kPhaseShift;
                    incrementB = b.increment << kPhaseShift;
                }
                if constexpr (Am) {
                    levelA = uint32_t(a.levelAtt + a.amOffset);
                    levelB = uint32_t(b.levelAtt + b.amOffset);
                }
            }
        }

        int32_t outA = 0, modulation = 0, outB = 0;
        if constexpr (RunA) {
            const uint32_t idx = phaseA >> (32 - 7);
            const uint32_t level = uint32_t(curveA[envA >> 18]) + levelA;
            const int32_t feedback = exp[waveA[idx & maskA].load(kRelaxed) + feedbackAtt + level];
            const uint32_t idx2 = uint32_t(int32_t(idx) + 4 * feedback) & maskA;
            if constexpr (Serial)
                modulation = exp[waveA[idx2].load(kRelaxed) + level + kModulatorAtt];
            else
                outA = exp[waveA[idx2].load(kRelaxed) + expressionAtt + level] & outputMask;
            envA += rateA;
            phaseA += incrementA;
        }
        if constexpr (RunB) {
            const uint32_t idx = uint32_t(int32_t(phaseB >> (32 - 7)) + modulation) & maskB;
            const uint32_t level = uint32_t(curveB[envB >> 18]) + levelB;
            outB = exp[waveB[idx].load(kRelaxed) + level + expressionAtt] & outputMask;
            envB += rateB;
            phaseB += incrementB;
        }

        const float s = float(outA + outB);
        left[pos] += s * gainL;
        right[pos] += s * gainR;
        if constexpr (Pm || Am)
            lfoCounter -= lfoIncrement;
    }

    if constexpr (RunA) {
        a.phase = phaseA >> kPhaseShift;
        a.envPosition = envA;
    }
    if constexpr (RunB) {
        b.phase = phaseB >> kPhaseShift;
        b.envPosition = envB;
    }
    voice.lfoCounter = lfoCounter;
    return pos;
}

// Samples from this one on that the operator renders before its stage end is reached:
// at least 1 (its position is below the end), at most limit.
int32_t samplesBeforeStageEnd(const VoiceOperator& o, int32_t limit) {
    if (o.envRate == 0)
        return limit;
    const uint32_t n = (o.stageEnd - o.envPosition - 1) / o.envRate + 1;
    return n < uint32_t(limit) ? int32_t(n) : limit;
}

using RunRoutine = int32_t (*)(Voice& voice, float* left, float* right, int32_t pos, int32_t stop);

// The run of a routine with operators Ops while the operators Sounding sound.
template <int Ops, bool Serial, bool Pm, bool Am, int Sounding>
constexpr RunRoutine runFor() {
    return renderRun<(Sounding & 1) != 0, (Sounding & 2) != 0, Serial, Pm, Am, (Ops & 1) != 0,
                     (Ops & 2) != 0>;
}

// Ops: 1 = A alone, 2 = B alone, 3 = both; Serial: A modulates B; Pm/Am: LFO steps.
template <int Ops, bool Serial, bool Pm, bool Am>
void renderVoice(Voice& voice, float* left, float* right, int32_t end) {
    // By the operators that sound (flags bits 0-1); a one-operator routine's operator
    // always sounds.
    constexpr RunRoutine kRuns[4] = {
        runFor<Ops, Serial, Pm, Am, 0>(), runFor<Ops, Serial, Pm, Am, 1 & Ops>(),
        runFor<Ops, Serial, Pm, Am, 2 & Ops>(), runFor<Ops, Serial, Pm, Am, 3 & Ops>()};
    const VoiceOperator& a = voice.op[0];
    const VoiceOperator& b = voice.op[1];

    int32_t pos = voice.position;
    while (pos < end) {
        const int32_t sounding = Ops == 3 ? voice.flags & 3 : Ops;
        const bool soundsA = (sounding & kFlagA) != 0;
        const bool soundsB = (sounding & kFlagB) != 0;
        if ((soundsA && a.envPosition >= a.stageEnd) || (soundsB && b.envPosition >= b.stageEnd)) {
            if (!renderCheckedSample<Ops, Serial, Pm, Am>(voice, left, right, pos)) {
                voice.position = pos;
                voice.free();
                return;
            }
            ++pos;
            continue;
        }

        int32_t count = end - pos;
        if (soundsA)
            count = samplesBeforeStageEnd(a, count);
        if (soundsB)
            count = samplesBeforeStageEnd(b, count);
        pos = kRuns[sounding](voice, left, right, pos, pos + count);
    }
    voice.position = pos;
}

template <int Code>
constexpr RenderRoutine routineFor() {
    constexpr int ops = Code & 3;
    if constexpr (ops == 0) {
        return renderIdle;
    } else {
        return renderVoice < ops, ops == 3 && (Code & 4) != 0, (Code & 8) != 0, (Code & 16) != 0 > ;
    }
}

template <int... Codes>
constexpr auto makeTable(std::integer_sequence<int, Codes...>) {
    struct Table {
        RenderRoutine entries[sizeof...(Codes)];
    };
    return Table{{routineFor<Codes>()...}};
}

constexpr auto kRoutines = makeTable(std::make_integer_sequence<int, 32>());

}  // namespace

RenderRoutine renderRoutine(int32_t renderSelect) {
    return kRoutines.entries[renderSelect & 31];
}

}  // namespace taluma
