#include "engine/voice.h"

namespace taluma {

namespace {
constexpr uint32_t kEnvelopeTop = 0x40000000;

// A note-off or damp during the attack continues from the attenuation reached: the
// attack curve's code at the current position, expressed as a linear-curve position.
void attackToLinear(VoiceOperator& o, const int32_t* attackCurve, const int32_t* linearCurve) {
    if (o.stage != kStageAttack)
        return;
    o.curve = linearCurve;
    o.envPosition =
        o.envPosition < kEnvelopeTop ? uint32_t(attackCurve[o.envPosition >> 18]) << 17 : 0;
}

constexpr int32_t kSwitchOffMask[2] = {0xF2, 0xF1};
}  // namespace

void Voice::start(int32_t noteKey, int32_t velocity) {
    const ToneParameters& t = *tone;
    flags = t.voiceFlagTemplate;
    if (flags == 0) {
        routine = renderRoutine(0);
        return;
    }
    key = noteKey;
    lfoWave = t.lfoWave;
    lfoIncrement = t.lfoIncrement;
    lfoCounter = 0x40000000;
    lfoStep = 0;
    gainL = t.gainL;
    gainR = t.gainR;
    expressionAtt = t.expressionAtt;
    routine = renderRoutine(t.renderSelect);
    feedbackAtt = t.feedbackAtt;
    for (int i = 0; i < 2; ++i) {
        if (!(flags & (1 << i)))
            continue;
        const OperatorTone& ot = t.op[i];
        VoiceOperator& o = op[i];
        o.pmDepth = ot.pmDepth;
        o.amDepth = ot.amDepth;
        o.pmOffset = 0;
        o.amOffset = 0;
        o.pitch = notePitch[noteKey] + ot.pitchBent;
        o.increment = increment(o.pitch);
        o.phase = 0;
        o.levelAtt = ot.levelAtt[velocity];
        o.silenceCeiling = ot.silenceCeiling[velocity];
        o.decayTarget = ot.decayTarget[velocity];
        o.decayRate = ot.decayRate[noteKey];
        o.sustainRate = ot.sustainRate[noteKey];
        o.releaseRate = ot.releaseRate[noteKey];
        o.curve = ot.firstCurve;
        o.stage = ot.initialStage;
        o.envPosition = ot.stageStart[velocity];
        o.stageEnd = ot.stageEnd[velocity];
        o.envRate = ot.firstRate[noteKey];
    }
}

void Voice::refreshPitch() {
    for (int i = 0; i < 2; ++i) {
        if (!(flags & (1 << i)))
            continue;
        op[i].pitch = notePitch[key] + tone->op[i].pitchBent;
        op[i].increment = increment(op[i].pitch + op[i].pmOffset);
    }
}

void Voice::release() {
    if (!(flags & kFlagHeld))
        return;
    for (int i = 0; i < 2; ++i) {
        if (!(flags & (1 << i)))
            continue;
        VoiceOperator& o = op[i];
        attackToLinear(o, attackCurve, linearCurve);
        o.stageEnd = o.silenceCeiling;
        o.envRate = o.releaseRate;
        o.stage = kStageRelease;
        if (o.envPosition > o.silenceCeiling) {
            if (switchOff(i))
                return;
            o.stage = kStageEnded;
        }
    }
    flags = (flags & 3) | kFlagReleased;
}

void Voice::damp() {
    if (!(flags & (kFlagHeld | kFlagReleased)))
        return;
    for (int i = 0; i < 2; ++i) {
        if (!(flags & (1 << i)))
            continue;
        VoiceOperator& o = op[i];
        attackToLinear(o, attackCurve, linearCurve);
        if (o.envPosition > o.silenceCeiling && switchOff(i))
            return;
        o.stageEnd = o.silenceCeiling;
        o.envRate = dampRate;
        o.stage = kStageEnded;  // ends when the ceiling is reached
    }
    flags = (flags & 3) | kFlagDamped;
}

bool Voice::switchOff(int i) {
    if (!(flags & (2 >> i))) {  // the other operator is silent too
        free();
        return true;
    }
    flags &= kSwitchOffMask[i];
    return false;
}

void Voice::free() {
    flags = 0;
    routine = renderRoutine(0);
}

}  // namespace taluma
