// The processor's side of the editor's file dialogs ("GUIEditor:fileSelect"): wavetable
// import and export as text or WAV, and preset files in and out.
// The request codes are named in command_tags.h (cmd::file).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace taluma {

class Synth;

// Sends "Processor:uiUpdate", so that the editor redraws.
using UiUpdate = std::function<void()>;

// Whether a file name picks WAV or text for cmd::file::kByName: ".wav" or ".txt" at the end,
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
