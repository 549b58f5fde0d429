// The processor's side of the editor's commands ("GUIEditor:valueChange"): wave-editor
// buttons and menus, drawn samples, generator settings, operator values and settings.
//
// Tag layout: group = tag & 0xF000 (0x1000 global, 0x2000 wave-editor switches,
// 0x3000 table A, 0x4000 table B, 0x5000 operator and LFO values, 0x6000 generator,
// 0x7000 settings), sub-group = tag & 0xF00 (tables only: 0x000 buttons, 0x100
// drawing, 0x800 menu), item = tag & 0xFF. Bits above 15 are editor markers and are
// ignored, but replies carry the tag exactly as received.
#pragma once

#include <cstdint>
#include <functional>

namespace taluma {

class Synth;

// Sends one "GUIEditor:valueUpdate" (tag, value) back to the editor.
using ValueReply = std::function<void(int64_t tag, double value)>;

// Applies one editor command to the Synth. Runs on a non-audio thread and takes the
// Synth's editLock; commands that change the engine hold the audio thread off it
// (Synth::StructuralEdit). Replies are sent after the lock is released, so a reply
// handler may send further commands. Unknown tags are ignored without a reply.
void handleEditorValue(Synth& synth, int32_t tag, double value, const ValueReply& reply);

}  // namespace taluma
