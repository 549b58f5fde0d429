// The numbers of the editor's commands ("GUIEditor:valueChange" tags), of its file
// requests ("GUIEditor:fileSelect" codes) and the kinds of reply the processor sends
// back. Editor and processor both use these names.
//
// A command is 16 bits: group (bits 12..15), sub-group (bits 8..11, table groups only)
// and item (bits 0..7). An editor control's tag adds marker bits above them, which
// the processor ignores; its replies carry the tag exactly as received:
//     editorTag(global::kVolume)                              0x10001008
//     editorTag(tableCommand(1, kTableMenu, menu::kCopy))     0x10004803
#pragma once

#include <cstdint>
#include <utility>

#include "engine/engine_event.h"

namespace taluma::cmd {

// Fields of a tag.
constexpr int32_t kGroupMask = 0xF000;
constexpr int32_t kSubGroupMask = 0x0F00;
constexpr int32_t kItemMask = 0x00FF;
constexpr int32_t kCommandMask = 0xFFFF;  // what the processor reads

// Editor markers: the control's changes go to the processor (bit 28); the control is
// the typed-entry field of another control (bit 29), never sent.
constexpr int32_t kDispatchMark = 0x10000000;
constexpr int32_t kTypedEntryMark = 0x20000000;

constexpr int32_t groupOf(int32_t tag) {
    return tag & kGroupMask;
}
constexpr int32_t subGroupOf(int32_t tag) {
    return tag & kSubGroupMask;
}
constexpr int32_t itemOf(int32_t tag) {
    return tag & kItemMask;
}
constexpr int32_t commandOf(int32_t tag) {
    return tag & kCommandMask;
}
constexpr int32_t editorTag(int32_t command) {
    return kDispatchMark | command;
}
constexpr int32_t typedEntryTag(int32_t command) {
    return kTypedEntryMark | command;
}

// Groups.
constexpr int32_t kGlobal = 0x1000;        // menu bar and its settings-page twins
constexpr int32_t kWaveSwitches = 0x2000;  // switches of the wave editor
constexpr int32_t kTableA = 0x3000;        // wavetable of operator A
constexpr int32_t kTableB = 0x4000;        // wavetable of operator B
constexpr int32_t kOpValues = 0x5000;      // logic page: operator and LFO values
constexpr int32_t kGenerator = 0x6000;     // wave-generator page
constexpr int32_t kSettings = 0x7000;      // settings page

constexpr int32_t tableGroup(int op) {
    return op == 0 ? kTableA : kTableB;
}
// The operator a table group belongs to (0 A, 1 B).
constexpr int tableOperator(int32_t tag) {
    return groupOf(tag) == kTableB ? 1 : 0;
}

// Sub-groups of the two table groups.
constexpr int32_t kEditButtons = 0x000;
constexpr int32_t kDrawing = 0x100;        // item = cell 0..127, value = level 1..256
constexpr int32_t kLinkedDrawing = 0x900;  // reply: the cell drawn on the other table
constexpr int32_t kTableMenu = 0x800;

constexpr int32_t tableCommand(int op, int32_t subGroup, int32_t item) {
    return tableGroup(op) | subGroup | item;
}
// Drawing cell `cell` of table `op`.
constexpr int32_t drawCommand(int op, int cell) {
    return tableCommand(op, kDrawing, cell);
}
// The second reply to a drawing on `op` while the tables are linked.
constexpr int32_t linkedDrawReply(int op, int cell) {
    return tableCommand(op ^ 1, kLinkedDrawing, cell);
}

// Group kGlobal. Volume, reference pitch and bit depth are host parameters too: the
// processor ignores them while audio runs.
namespace global {
constexpr int32_t kVolume = 0x1008;          // norm: 0..127
constexpr int32_t kReferencePitch = 0x1009;  // norm: 42000..46000 in 1/100 Hz
constexpr int32_t kRateDivider = 0x100A;     // norm: 1/1, 1/2, 1/3, 1/4
constexpr int32_t kBitDepth = 0x100B;        // norm: 1..16 bits
constexpr int32_t kVoiceCount = 0x100C;      // norm: 8..1024 voices
constexpr int32_t kPage = 0x1040;            // plain: 1 logic, 2 generator, 3 settings
}  // namespace global

// Group kWaveSwitches.
namespace waveSwitch {
constexpr int32_t kTableLed = 0x2001;  // the info area's LED (a display); never sent
constexpr int32_t kLinkAB = 0x2007;    // value > 0.5: drawing on one table draws on both
}  // namespace waveSwitch

// Group kWaveSwitches also carries the tables' undo histories, one per table. Undo and
// redo take the table as their value (0 A, 1 B) and answer 1.0 when they took a step,
// 0.0 when there was none; the editor then re-reads both tables. Stroke begin and end
// bracket the drawing commands of one painting stroke, which become one step; they are
// not answered.
namespace history {
constexpr int32_t kUndo = 0x2010;
constexpr int32_t kRedo = 0x2011;
constexpr int32_t kStrokeBegin = 0x2012;
constexpr int32_t kStrokeEnd = 0x2013;
}  // namespace history

// Sub-group kEditButtons: items of the wave editor's buttons, each table its own.
namespace button {
constexpr int32_t kMenu = 0x00;  // opens the table's menu in the editor; never sent
constexpr int32_t kRotateLeft4 = 0x01;
constexpr int32_t kRotateLeft1 = 0x02;
constexpr int32_t kReverse = 0x03;
constexpr int32_t kRotateRight1 = 0x04;
constexpr int32_t kRotateRight4 = 0x05;
constexpr int32_t kUp4 = 0x06;
constexpr int32_t kUp1 = 0x07;
constexpr int32_t kInvert = 0x08;
constexpr int32_t kDown1 = 0x09;
constexpr int32_t kDown4 = 0x0A;
constexpr int32_t kAmplify2 = 0x0B;
constexpr int32_t kAmplify1_5 = 0x0C;
constexpr int32_t kScale2_3 = 0x0D;
constexpr int32_t kScaleHalf = 0x0E;
}  // namespace button

// Sub-group kTableMenu: items of the table's menu and its sub-menus.
namespace menu {
constexpr int32_t kClear = 0x02;
constexpr int32_t kCopy = 0x03;      // this table into the other one
constexpr int32_t kExchange = 0x04;  // the two tables
// Entries that open a file dialog in the editor; never sent.
constexpr int32_t kImportText = 0x09;
constexpr int32_t kExportText = 0x0A;
constexpr int32_t kImportWav = 0x0B;
constexpr int32_t kExportWav = 0x0C;
// Entries after the file entries that send history::kUndo and history::kRedo.
constexpr int32_t kUndo = 0x0D;
constexpr int32_t kRedo = 0x0E;
// Sub-menus; the value is the normalised choice.
constexpr int32_t kTableSize = 0x10;     // 4, 8 .. 128 cells
constexpr int32_t kLoadSlot = 0x20;      // slot 1..4
constexpr int32_t kSaveSlot = 0x30;      // slot 1..4
constexpr int32_t kBitReduction = 0x40;  // keep 1..7 bits
constexpr int32_t kSteps = 0x50;         // drawing quantiser: 1..8 bits
}  // namespace menu

// Group kOpValues: plain integers, ignored while audio runs (host parameters).
namespace opValue {
constexpr int32_t kLfoFreq = 0x5003;
constexpr int32_t kAlgorithm = 0x5080;
constexpr int32_t kVelocityCurveA = 0x5090;
constexpr int32_t kVelocityCurveB = 0x50A0;
constexpr int32_t kLfoWave = 0x50B0;
// Operator op's parameter at offset k (feedback 0 .. AMS 14, as the engine numbers
// them, velocity curve excepted): 0x5010 + k for A, 0x5020 + k for B.
constexpr int32_t kOperatorA = 0x5010;
constexpr int32_t kOperatorB = 0x5020;
constexpr int32_t operatorParam(int op, uint32_t k) {
    return (op == 0 ? kOperatorA : kOperatorB) + int32_t(k);
}
}  // namespace opValue

// Group kGenerator: normalised knob values, quantised by the processor.
namespace generator {
constexpr int32_t kApplyA = 0x6001;  // generate into table A
constexpr int32_t kApplyB = 0x6002;
constexpr int32_t kAmplitude = 0x6006;
constexpr int32_t kOffset = 0x6007;
constexpr int32_t kRangeEnd = 0x6008;
constexpr int32_t kRangeStart = 0x6009;
constexpr int32_t kCycles = 0x600A;
constexpr int32_t kPhase = 0x600B;
constexpr int32_t kHarmonicsOn = 0x600C;
constexpr int32_t kHarmonicsCount = 0x600D;
constexpr int32_t kNoiseLoop = 0x600E;
constexpr int32_t kInterpolation = 0x600F;
constexpr int32_t kNoisePoints = 0x6010;
constexpr int32_t kNoiseSeed = 0x6011;
constexpr int32_t kType = 0x6040;  // plain: sine .. noise
}  // namespace generator

// Group kSettings.
namespace setting {
constexpr int32_t kBendRange = 0x7003;  // norm: 0..24 semitones; ignored while audio runs
// Buttons that open file dialogs in the editor; never sent.
constexpr int32_t kImportTableA = 0x7007;
constexpr int32_t kImportTableB = 0x7008;
constexpr int32_t kExportTableA = 0x7009;
constexpr int32_t kExportTableB = 0x700A;
constexpr int32_t kImportPreset = 0x700B;
constexpr int32_t kExportPreset = 0x700C;
// Display settings, plain integers.
constexpr int32_t kWaveOpacity = 0x700D;     // percent
constexpr int32_t kGridOpacity = 0x700E;     // percent
constexpr int32_t kNumberRadix = 0x700F;     // 0 decimal, 1 hexadecimal
constexpr int32_t kSkin = 0x7010;            // 0, 1
constexpr int32_t kFrameRateIndex = 0x7011;  // 0..4
}  // namespace setting

// What the processor answers with "GUIEditor:valueUpdate", always under the received tag.
enum class Reply {
    kNone,   // nothing
    kEcho,   // the received value
    kZero,   // 0.0
    kStep,   // the quantised step q over the knob's step count S
    kLevel,  // drawing: the stored level 1..256, mirrored when the tables are linked
    kDone,   // undo and redo: 1.0 when they took a step, 0.0 when there was none
};

// File requests ("GUIEditor:fileSelect" codes).
namespace file {
constexpr int32_t kOperatorBit = 0x1;  // 0 A, 1 B
constexpr int32_t kFormatMask = 0x3000;
constexpr int32_t kText = 0x1000;
constexpr int32_t kWav = 0x2000;
constexpr int32_t kByName = 0x3000;  // text or WAV, chosen by the file name
// The first of these bits that is set decides the request.
constexpr int32_t kImportTable = 0x4000;
constexpr int32_t kExportTable = 0x8000;
constexpr int32_t kImportPreset = 0x10000;
constexpr int32_t kExportPreset = 0x20000;

constexpr int32_t importTable(int op, int32_t format) {
    return kImportTable | format | (op & kOperatorBit);
}
constexpr int32_t exportTable(int op, int32_t format) {
    return kExportTable | format | (op & kOperatorBit);
}
}  // namespace file

// The host parameter (the engine's event id) a command sets, 0 for none: the menu bar's
// volume, reference pitch and bit depth, the bend range, and the Logic page's values, a
// radio group's buttons (its command + index) all setting their group's parameter.
constexpr uint32_t parameterOf(int32_t command) {
    switch (command) {
    case global::kVolume: return eventid::kVolume;
    case global::kReferencePitch: return eventid::kStdPitch;
    case global::kBitDepth: return eventid::kBitDepth;
    case setting::kBendRange: return eventid::kBendRange;
    case opValue::kLfoFreq: return eventid::kLfoFreq;
    default: break;
    }
    constexpr std::pair<int32_t, uint32_t> kGroups[] = {
        {opValue::kAlgorithm, eventid::kAlgorithm},
        {opValue::kVelocityCurveA, eventid::operatorParam(0, eventid::kVelocityCurve)},
        {opValue::kVelocityCurveB, eventid::operatorParam(1, eventid::kVelocityCurve)},
        {opValue::kLfoWave, eventid::kLfoWave}};
    for (const auto& [first, id] : kGroups)
        if (command >= first && command < first + 4)
            return id;
    for (int op = 0; op < 2; ++op) {
        const uint32_t k = uint32_t(command - opValue::operatorParam(op, 0));
        const bool exists = op == 0 || k != eventid::kFeedback;
        if (k <= eventid::kAms && k != eventid::kVelocityCurve && exists)
            return eventid::operatorParam(op, eventid::OperatorParam(k));
    }
    return 0;
}

}  // namespace taluma::cmd
