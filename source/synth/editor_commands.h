// The processor's side of the editor's commands ("GUIEditor:valueChange"): wave-editor
// buttons and menus, drawn samples, generator settings, operator values and settings.
// The tags are named in command_tags.h; bits above the 16-bit command are editor
// markers and are ignored, but replies carry the tag exactly as received.
#pragma once

#include <cstdint>
#include <functional>

namespace taluma {

class Synth;

// Sends one "GUIEditor:valueUpdate" (tag, value) back to the editor.
using ValueReply = std::function<void(int64_t tag, double value)>;

// Applies one editor command to the Synth. Runs on a non-audio thread and takes the
// Synth's edit lock (Synth::Edit); commands that change the engine hold the audio thread off it
// (Synth::StructuralEdit). Replies are sent after the lock is released, so a reply
// handler may send further commands. Unknown tags are ignored without a reply.
void handleEditorValue(Synth& synth, int32_t tag, double value, const ValueReply& reply);

}  // namespace taluma
