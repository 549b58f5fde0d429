// The frame: dirty regions and repaint, hover tracking and what closing does.
#include <gtest/gtest.h>
#include "testsupport.h"

using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace {

class CountingView : public CView {
public:
    CountingView(const CRect& r, int* destroyed) : CView(r), destroyed(destroyed) {}
    ~CountingView() override { ++*destroyed; }
    void draw(CDrawContext*) override { ++draws; }
    CMouseEventResult onMouseEntered(CPoint&, const CButtonState&) override {
        log += "enter ";
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState&) override {
        log += "exit ";
        lastExit = where;
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState&) override {
        lastMove = where;
        return kMouseEventHandled;
    }
    int* destroyed;
    int draws{0};
    std::string log;
    CPoint lastMove, lastExit;
};

TEST(Frame, OnlyDirtyRegionsAndChangedControlsAreRepainted) {
    OffscreenFrame frame(200, 100);
    int destroyed = 0;
    auto* a = new CountingView(CRect(0, 0, 50, 50), &destroyed);
    auto* b = new CountingView(CRect(100, 0, 150, 50), &destroyed);
    auto* knob = new CAnimKnob(CRect(60, 10, 70, 20), nullptr, 1, nullptr);
    for (CView* v : {static_cast<CView*>(a), static_cast<CView*>(b), static_cast<CView*>(knob)})
        frame->addView(v);
    Offscreen::render(frame.get());
    a->invalid();
    EXPECT_EQ(frame->updateCanvas(), CRect(0, 0, 50, 50));
    EXPECT_EQ(a->draws, 2);
    EXPECT_EQ(b->draws, 1);
    EXPECT_EQ(frame->updateCanvas(), CRect());  // nothing left
    knob->setValue(0.7f);  // no setDirty: the idle pass notices the changed value
    EXPECT_FALSE(frame->hasDirtyRegion());
    frame->idle();
    EXPECT_EQ(frame->updateCanvas(), CRect(60, 10, 70, 20));
}

// A hidden view left undrawn is pinned by the editor's pictures (tests/editor).
TEST(Frame, AHiddenFrameIsNotDrawnAndAViewsAlphaBlendsItIn) {
    OffscreenFrame frame(100, 100);
    auto* box = new CViewContainer(CRect(0, 0, 10, 10));
    box->setBackgroundColor(kRedCColor);
    frame->addView(box);
    EXPECT_EQ(rgbOf(Offscreen::render(frame.get()).at(5, 5)), 0xFF0000u);
    box->setAlphaValue(0.5f);
    EXPECT_EQ(rgbOf(Offscreen::render(frame.get()).at(5, 5)), 0x800000u);
    frame->setVisible(false);
    EXPECT_EQ(rgbOf(Offscreen::render(frame.get()).at(5, 5)), 0u);
}

TEST(Frame, HoverEntersAndExitsNestedViews) {
    OffscreenFrame frame(200, 200);
    int destroyed = 0;
    auto* outer = new CViewContainer(CRect(50, 50, 150, 150));
    auto* inner = new CountingView(CRect(10, 10, 30, 30), &destroyed);
    outer->addView(inner);
    frame->addView(outer);
    Offscreen::mouseMove(frame.get(), CPoint(65, 65));
    EXPECT_EQ(inner->log, "enter ");
    EXPECT_EQ(inner->lastMove, CPoint(15, 15));  // in the container's coordinates
    Offscreen::mouseMove(frame.get(), CPoint(100, 100));
    EXPECT_EQ(inner->log, "enter exit ");
    EXPECT_EQ(inner->lastExit, CPoint(50, 50));
    Offscreen::mouseMove(frame.get(), CPoint(65, 65));
    Offscreen::mouseExit(frame.get());
    EXPECT_EQ(inner->log, "enter exit enter exit ");
    Offscreen::mouseMove(frame.get(), CPoint(65, 65));
    outer->removeView(inner);  // removal while hovered releases it
    EXPECT_EQ(destroyed, 1);
}

TEST(Frame, CloseCommitsAnOpenEditReleasesEveryViewAndAFrameOpensOnce) {
    RecordingListener listener;
    int destroyed = 0;
    auto* frame = new CFrame(CRect(0, 0, 100, 100), nullptr);
    EXPECT_TRUE(frame->open(nullptr, PlatformType::kOffscreen));
    EXPECT_FALSE(frame->open(nullptr, PlatformType::kOffscreen));
    auto* container = new CViewContainer(CRect(0, 0, 50, 50));
    container->addView(new CountingView(CRect(0, 0, 5, 5), &destroyed));
    container->addView(new CountingView(CRect(5, 5, 9, 9), &destroyed));
    frame->addView(container);
    auto* kept = new CountingView(CRect(0, 0, 5, 5), &destroyed);
    kept->remember();  // someone else still holds it
    frame->addView(kept);
    frame->addView(new CTextEdit(CRect(0, 60, 100, 80), &listener, 5, "1"));
    Offscreen::click(frame, CPoint(10, 70));
    Offscreen::typeText(frame, "2");
    frame->close();
    EXPECT_EQ(listener.log(), "begin 0x5 0, change 0x5 0, end 0x5 0");
    EXPECT_EQ(destroyed, 2);
    EXPECT_FALSE(kept->isAttached());
    kept->forget();
    EXPECT_EQ(destroyed, 3);
}

}  // namespace
