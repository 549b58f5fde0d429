// The instrument-wide value controls that the menu bar and the Settings page both
// have (same tags): volume knob and its decibel label, reference-pitch knob and its
// field, and the rate, bit-depth and voice-count menus.
#pragma once

#include "editor/display_tables.h"
#include "vstgui/vstgui.h"

#include <cstdint>
#include <vector>

namespace Steinberg::Vst {

class EditorSource;

struct GlobalControls {
    VSTGUI::CAnimKnob* volumeKnob{nullptr};
    VSTGUI::CTextLabel* volumeLabel{nullptr};
    VSTGUI::CAnimKnob* pitchKnob{nullptr};
    VSTGUI::CTextEdit* pitchField{nullptr};
    VSTGUI::COptionMenu* rateMenu{nullptr};
    VSTGUI::COptionMenu* bitDepthMenu{nullptr};
    VSTGUI::COptionMenu* voiceMenu{nullptr};
    // The engine rate the rate menu's entries were built for.
    float rememberedRate{44100.0f};
    const char* const* rateSuffixes{nullptr};  // one per divider 1/1 .. 1/4

    // step 0..127.
    void showVolume(const DisplayTables& tables, int32_t step);
    // Hundredths of a hertz, clamped to 42000..46000; the field unless it is `focus`.
    void showPitch(int32_t centiHz, const VSTGUI::CView* focus);
    void showBitDepth(int32_t bits);
    void showVoiceCount(int32_t voices);
    // Rebuilds the rate entries when the engine rate changed, then selects the divider.
    void showRates(const EditorSource& source);
    // Volume, pitch and bit depth from the source: what the host may change at any time.
    void showLive(const DisplayTables& tables, const EditorSource& source,
                  const VSTGUI::CView* focus);
    // Everything above from the source (nothing that the source does not know).
    void update(const DisplayTables& tables, const EditorSource& source,
                const VSTGUI::CView* focus);
};

// The entries of the menus both layers show.
extern const std::vector<const char*> kBitDepthEntries;  // "1 bit" .. "16 bit"
extern const std::vector<const char*> kVoiceEntries;     // "8" .. "1024"

// 8 -> 0, 16 -> 1 .. 1024 -> 7 (a count in between rounds up).
int32_t voiceCountIndex(int32_t voices);

}  // namespace Steinberg::Vst
