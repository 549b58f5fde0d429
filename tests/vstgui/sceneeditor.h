// The editor the platform window tests attach to a real parent window: a coloured
// background, a kick button (film strip `buttonBitmap`: off red, on green) at
// (100, 100), a text field at (200, 100) and a knob at (400, 100).
#pragma once
#include <gtest/gtest.h>
#include "public.sdk/source/vst/vstguieditor.h"
#include "testsupport.h"

namespace VSTGUI::Test {

class SceneEditor : public Steinberg::Vst::VSTGUIEditor {
public:
    explicit SceneEditor(const char* buttonBitmap) : VSTGUIEditor(nullptr), bitmap(buttonBitmap) {}
    bool PLUGIN_API open(void* parent, const PlatformType& type) override {
        frame = new CFrame(CRect(0, 0, 800, 600), this);
        auto* back = new CViewContainer(CRect(0, 0, 800, 600));
        back->setBackgroundColor(CColor(0x33, 0x66, 0x99));
        frame->addView(back);
        button = new CKickButton(CRect(100, 100, 140, 120), &listener, 0x10001001,
                                 owned(new CBitmap(CResourceDescription(bitmap))));
        frame->addView(button);
        edit = new CTextEdit(CRect(200, 100, 300, 120), &listener, 0x20001009, "0");
        frame->addView(edit);
        knob = new CAnimKnob(CRect(400, 100, 420, 120), &listener, 0x10001008, nullptr);
        knob->setWheelInc(0.125f);
        frame->addView(knob);
        frame->addIdleCallback(this, [this] { ++idles; });
        if (!frame->open(parent, type)) {
            frame->forget();
            frame = nullptr;
            return false;
        }
        setIdleRate(20);
        return true;
    }
    void PLUGIN_API close() override {
        frame->close();
        frame = nullptr;
    }
    // The kick button's click: press (maximum), then release (minimum).
    void expectOneClickReported() const {
        EXPECT_EQ(listener.log(), "begin 0x10001001 0, change 0x10001001 1, "
                                  "change 0x10001001 0, end 0x10001001 0");
    }

    const char* bitmap;
    RecordingListener listener;
    CKickButton* button{nullptr};
    CTextEdit* edit{nullptr};
    CAnimKnob* knob{nullptr};
    int idles{0};
};

}  // namespace VSTGUI::Test
