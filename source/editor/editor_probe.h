// Driving the editor window without a screen, for tests and benchmarks through the
// built module. A host never sees any of this: the window opens offscreen only when
// IPlugView::attached is given the platform type kPlatformTypeOffscreen (any non-null
// parent), which no host passes. The view then answers queryInterface for
// IEditorProbe, which feeds it mouse, wheel and keys, advances its timer clock and
// reads what it shows.
//
//   view->attached(&anything, taluma::kPlatformTypeOffscreen);
//   FUnknownPtr<taluma::IEditorProbe> probe(view);
//   probe->mouse(taluma::IEditorProbe::kDown, 64, 12, 2);   // left button
//   probe->advanceTime(100);                                // timers fire, window repaints
#pragma once

#include "pluginterfaces/base/funknown.h"

namespace taluma {

constexpr Steinberg::FIDString kPlatformTypeOffscreen = "TALUMA_W.Offscreen";

// One view of the window, in drawing order (depth first).
struct ProbeView {
    Steinberg::int32 depth;                     // 0 for the frame's own children
    Steinberg::int32 tag;                       // -1 for views that are no controls
    Steinberg::int32 left, top, right, bottom;  // in frame coordinates
    Steinberg::int32 visible;                   // the view and all its parents are visible
    Steinberg::int32 mouseEnabled;
    float alpha;
    float value;                               // normalised, controls only
    Steinberg::int32 entries;                  // option menus: number of entries
    Steinberg::uint32 backColour, fontColour;  // 0xRRGGBBAA, text views only
    Steinberg::uint64 identity;                // the same while the view exists
    char kind[32];    // "knob", "kick", "switch", "hswitch", "vswitch", "menu", "label",
                      // "edit", "movie", "onoff", "slider", "container", "view"
    char text[128];   // labels, fields, menus: what is shown
    char bitmap[64];  // the background bitmap's resource name
    float fontSize;
};

// A file dialog as the editor set it up last.
struct ProbeFileDialog {
    Steinberg::int32 running;  // still waiting for the user
    Steinberg::int32 save;     // 1 save, 0 open
    Steinberg::int32 code;     // the editor's file-dialog code
    char title[64];
    char defaultName[64];
    char initialDirectory[512];
    char extensions[256];  // "default|description,extension;description,extension..."
};

class IEditorProbe : public Steinberg::FUnknown {
public:
    enum MouseEvent { kDown = 0, kMove, kUp, kExit };

    // Positions in window pixels, as a platform reports them (frame coordinates times
    // the content scale factor); buttons as VSTGUI's bits (2 left, 8 right, 0x100
    // shift, 0x200 control). Returns the frame's mouse result.
    virtual Steinberg::int32 PLUGIN_API mouse(Steinberg::int32 event, double x, double y,
                                              Steinberg::int32 buttons) = 0;
    virtual Steinberg::tresult PLUGIN_API wheel(double x, double y, float distance) = 0;
    // VSTGUI's key codes (character, VKEY_* virtual key, MODIFIER_* bits).
    virtual Steinberg::int32 PLUGIN_API key(Steinberg::int32 character, Steinberg::int32 virt,
                                            Steinberg::int32 modifiers) = 0;
    // Moves the timers' clock on; due timers fire.
    virtual void PLUGIN_API advanceTime(Steinberg::uint32 milliseconds) = 0;
    // Repaints what changed and returns the window's pixels (its size times the content
    // scale factor), 0xAARRGGBB row after row.
    virtual const Steinberg::uint32* PLUGIN_API render(Steinberg::int32& width,
                                                       Steinberg::int32& height) = 0;

    // Marks the whole window for repainting by the next render.
    virtual void PLUGIN_API invalidate() = 0;

    virtual Steinberg::int32 PLUGIN_API viewCount() = 0;
    virtual Steinberg::tresult PLUGIN_API viewInfo(Steinberg::int32 index, ProbeView& info) = 0;
    // The index of the view a press at window pixel (x, y) reaches first (the deepest
    // visible, mouse-enabled view there), -1 for none.
    virtual Steinberg::int32 PLUGIN_API viewUnder(double x, double y) = 0;
    // The title of an option menu's entry (views of kind "menu").
    virtual Steinberg::tresult PLUGIN_API menuEntry(Steinberg::int32 index, Steinberg::int32 entry,
                                                    char title[128]) = 0;
    virtual Steinberg::int32 PLUGIN_API idleRate() = 0;
    // The tag of the view that has the keyboard focus, 0 when none.
    virtual Steinberg::int32 PLUGIN_API focusTag() = 0;
    virtual Steinberg::tresult PLUGIN_API fileDialog(ProbeFileDialog& info) = 0;

    static const Steinberg::FUID iid;
};

DECLARE_CLASS_IID(IEditorProbe, 0x3A0F63C1, 0x6B2E4D8A, 0x9E5C17D4, 0x28B7A0F3)

}  // namespace taluma
