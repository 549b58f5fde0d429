// The processor's side of the editor's file dialogs ("GUIEditor:fileSelect"): wavetable
// import and export as text or WAV, and preset files in and out.
//
// Request code: bit 0 the operator (0 A, 1 B); code & 0x3000 the format (0x1000 text,
// 0x2000 WAV, 0x3000 chosen by the file name); then the first of these bits decides:
// 0x4000 import a wavetable, 0x8000 export a wavetable, 0x10000 import a preset,
// 0x20000 export a preset.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace taluma {

class Synth;

// Sends "Processor:uiUpdate", so that the editor redraws.
using UiUpdate = std::function<void()>;

// Whether a file name picks WAV or text for format 0x3000: ".wav" or ".txt" at the end,
// where the first character may be any character but a line break, and the case
// matters ("x.WAV" is neither, "mywav" is WAV).
bool namesWavFile(const std::string& path);
bool namesTextFile(const std::string& path);

// Runs one file request on a non-audio thread. Failures are silent and leave the
// instrument as it was. Every wavetable import attempt of a known format is followed
// by uiUpdate; every preset import attempt sets the preset bit of the Synth's
// changeNotice.
void handleFileSelect(Synth& synth, int32_t code, const std::string& utf8Path,
                      const UiUpdate& uiUpdate);

}  // namespace taluma
