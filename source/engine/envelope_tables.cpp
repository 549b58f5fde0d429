// The per-key rate tables, per-velocity level tables and first-stage set-up of each
// operator.
#include <algorithm>

#include "engine/log_math.h"
#include "engine/tone_parameters.h"

namespace taluma {

void ToneParameters::rebuildRateTable(int o, uint32_t* table, int32_t rateValue,
                                      bool zeroBelowOne) {
    if (zeroBelowOne && rateValue < 1) {
        std::fill(table, table + 128, 0u);
        return;
    }
    const int32_t ks = opValue(o, kKs);
    const int32_t kc = opValue(o, kKc);
    for (int k = 0; k < 128; ++k) {
        // Rates double every 48, 24 or 12 keys above the key centre (KS 1, 2, 3).
        const int32_t base = rateBase + (ks != 0 ? keyScaleTable[k - kc + 128] * (1 << ks) : 0);
        const int32_t v = std::max(base + rateValue * 1024, 1);
        table[k] = rateExp(v, exponent, rateShift);
    }
}

void ToneParameters::rebuildAttackRates(int o) {
    rebuildRateTable(o, op[o].attackRate, opValue(o, kAr), false);
}
void ToneParameters::rebuildDecayRates(int o) {
    rebuildRateTable(o, op[o].decayRate, opValue(o, kDr), true);
}
void ToneParameters::rebuildSustainRates(int o) {
    rebuildRateTable(o, op[o].sustainRate, opValue(o, kSr), true);
}
void ToneParameters::rebuildReleaseRates(int o) {
    rebuildRateTable(o, op[o].releaseRate, opValue(o, kRr), false);
}

void ToneParameters::rebuildAllRates(int o) {
    rebuildAttackRates(o);
    rebuildDecayRates(o);
    rebuildSustainRates(o);
    rebuildReleaseRates(o);
}

void ToneParameters::rebuildLevels(int o) {
    OperatorTone& t = op[o];
    const int32_t* curve = velocityCurves + (opValue(o, kVc) & 3) * 128;
    const int32_t shift = 7 - opValue(o, kVs);
    const int32_t tl = tlTable[opValue(o, kTl)];
    // A serial modulator may fall 16 octaves before it ends, a carrier 13.
    const int32_t ceilingBase = (o == 0 && (renderSelect & 7) == 7) ? 0x40000000 : 0x34000000;
    for (int v = 0; v < 128; ++v) {
        const int32_t c = (curve[v] >> shift) & ~1;
        t.levelAtt[v] = std::min(c + tl, 8192);
        t.silenceCeiling[v] = uint32_t(std::max(ceilingBase - (t.levelAtt[v] << 17), 0));
    }
    rebuildDecayTarget(o);
}

void ToneParameters::rebuildDecayTarget(int o) {
    OperatorTone& t = op[o];
    const uint32_t sl = slTable[opValue(o, kSl)];
    for (int v = 0; v < 128; ++v)
        t.decayTarget[v] = std::min(sl, t.silenceCeiling[v]);
}

void ToneParameters::setupFirstStage(int o) {
    OperatorTone& t = op[o];
    if (opValue(o, kAr) < 127) {
        t.initialStage = kStageAttack;
        t.firstCurve = attackCurve;
        t.stageStart = attackStart;
        t.stageEnd = attackEnd;
        t.firstRate = t.attackRate;
    } else if (opValue(o, kSl) >= 127) {
        t.initialStage = kStageSustain;
        t.firstCurve = linearCurve;
        t.stageStart = t.decayTarget;
        t.stageEnd = t.silenceCeiling;
        t.firstRate = t.sustainRate;
    } else {
        t.initialStage = kStageDecay;
        t.firstCurve = linearCurve;
        t.stageStart = zeroStart;
        t.stageEnd = t.decayTarget;
        t.firstRate = t.decayRate;
    }
}

}  // namespace taluma
