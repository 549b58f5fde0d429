// The sixteen render routines (and idle), generated from one template so that the
// per-sample loop holds no test for the algorithm or the LFO.
#include <utility>

#include "voice.h"

namespace taluma {

namespace {

constexpr int32_t kModulatorAtt = 2304;  // 4.5 octaves below full scale
constexpr uint32_t kSwitchedOff = 0x3FFFFFFF;

void renderIdle(Voice& voice, float*, float*, int32_t) {
    voice.free();
}

// Ops: 1 = A alone, 2 = B alone, 3 = both; Serial: A modulates B; Pm/Am: LFO steps.
template <int Ops, bool Serial, bool Pm, bool Am>
void renderVoice(Voice& voice, float* left, float* right, int32_t end) {
    constexpr bool kHasA = (Ops & 1) != 0;
    constexpr bool kHasB = (Ops & 2) != 0;
    constexpr bool kTwoOps = Ops == 3;
    constexpr bool kLfo = Pm || Am;

    int32_t pos = voice.position;
    if (pos >= end)
        return;

    // Work on local copies so that the compiler keeps them in registers.
    VoiceOperator a = voice.op[0];
    VoiceOperator b = voice.op[1];
    int32_t flags = voice.flags;
    int32_t lfoCounter = voice.lfoCounter;
    int32_t lfoStep = voice.lfoStep;
    const int32_t lfoIncrement = voice.lfoIncrement;
    const int32_t* const lfoWave = voice.lfoWave;
    const int32_t* const exp = voice.exp;
    const int32_t* const linear = voice.linearCurve;
    const WaveCell* const waveA = voice.waveLog[0];
    const WaveCell* const waveB = voice.waveLog[1];
    constexpr auto kRelaxed = std::memory_order_relaxed;
    const int32_t maskA = voice.waveIndexMask[0];
    const int32_t maskB = voice.waveIndexMask[1];
    const int32_t outputMask = int32_t(voice.outputMask);
    const int32_t expressionAtt = voice.expressionAtt;
    const int32_t feedbackAtt = voice.feedbackAtt + kModulatorAtt;
    const float gainL = voice.gainL;
    const float gainR = voice.gainR;
    bool freed = false;

    for (; pos < end; ++pos) {
        if constexpr (kLfo) {
            if (lfoCounter < 1) {
                const int32_t pm = lfoWave[lfoStep];
                const int32_t am = lfoWave[lfoStep + 1];
                if constexpr (Pm) {
                    if constexpr (kHasA) {
                        a.pmOffset = (pm * a.pmDepth) >> 11;
                        a.increment = voice.increment(a.pitch + a.pmOffset);
                    }
                    if constexpr (kHasB) {
                        b.pmOffset = (pm * b.pmDepth) >> 11;
                        b.increment = voice.increment(b.pitch + b.pmOffset);
                    }
                }
                if constexpr (Am) {
                    if constexpr (kHasA)
                        a.amOffset = ((am * a.amDepth) >> 11) & 0x7FFFFFFE;
                    if constexpr (kHasB)
                        b.amOffset = ((am * b.amDepth) >> 11) & 0x7FFFFFFE;
                }
                lfoCounter += 0x40000000;
                lfoStep = (lfoStep + 2) & 255;
            }
        }

        int32_t outA = 0, modulation = 0, outB = 0;
        if constexpr (kHasA) {
            if (!kTwoOps || (flags & kFlagA)) {
                if (a.envPosition >= a.stageEnd && !advanceStage(a, linear)) {
                    if (!kTwoOps || !(flags & kFlagB)) {
                        freed = true;
                        break;
                    }
                    a.envPosition = kSwitchedOff;
                    flags &= 0xF2;
                }
                const int32_t idx = int32_t(a.phase >> 16);
                const int32_t level =
                    a.curve[a.envPosition >> 18] + a.levelAtt + (Am ? a.amOffset : 0);
                const int32_t feedback =
                    exp[int32_t(waveA[idx & maskA].load(kRelaxed)) + feedbackAtt + level];
                const int32_t idx2 = (idx + 4 * feedback) & maskA;
                if constexpr (Serial) {
                    modulation = exp[int32_t(waveA[idx2].load(kRelaxed)) + level + kModulatorAtt];
                } else {
                    outA = exp[int32_t(waveA[idx2].load(kRelaxed)) + expressionAtt + level] &
                           outputMask;
                }
                a.envPosition += a.envRate;
                a.phase = (a.phase + a.increment) & 0x7FFFFF;
            }
        }
        if constexpr (kHasB) {
            if (!kTwoOps || (flags & kFlagB)) {
                if (b.envPosition >= b.stageEnd && !advanceStage(b, linear)) {
                    if (!kTwoOps || Serial || !(flags & kFlagA)) {
                        freed = true;
                        break;
                    }
                    b.envPosition = kSwitchedOff;
                    flags &= 0xF1;
                }
                const int32_t idx = (int32_t(b.phase >> 16) + modulation) & maskB;
                const int32_t level =
                    b.curve[b.envPosition >> 18] + b.levelAtt + (Am ? b.amOffset : 0);
                outB = exp[int32_t(waveB[idx].load(kRelaxed)) + level + expressionAtt] & outputMask;
                b.envPosition += b.envRate;
                b.phase = (b.phase + b.increment) & 0x7FFFFF;
            }
        }

        const float s = float(outA + outB);
        left[pos] += s * gainL;
        right[pos] += s * gainR;
        if constexpr (kLfo)
            lfoCounter -= lfoIncrement;
    }

    if constexpr (kHasA)
        voice.op[0] = a;
    if constexpr (kHasB)
        voice.op[1] = b;
    voice.flags = flags;
    voice.lfoCounter = lfoCounter;
    voice.lfoStep = lfoStep;
    voice.position = pos;
    if (freed)
        voice.free();
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
