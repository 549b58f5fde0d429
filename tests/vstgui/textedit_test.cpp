// Text fields: focus, selection, typing, and the ways editing ends.
#include <gtest/gtest.h>
#include "testsupport.h"

using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace {

struct TextEditTest : ::testing::Test {
    void SetUp() override {
        edit = new CTextEdit(CRect(10, 10, 110, 26), &listener, 0x20001009, "440.00 Hz");
        frame->addView(edit);
    }
    RecordingListener listener;  // outlives the frame: closing commits an open edit
    OffscreenFrame frame{200, 100};
    CTextEdit* edit{nullptr};
};

TEST_F(TextEditTest, TypingReplacesTheSelectionAndEnterCommits) {
    Offscreen::click(frame.get(), CPoint(50, 18));
    EXPECT_EQ(frame->getFocusView(), edit);
    ASSERT_TRUE(edit->isEditingText());
    EXPECT_EQ(edit->getSelectionStart(), 0u);  // everything selected
    EXPECT_EQ(edit->getCaret(), edit->getEditText().size());
    Offscreen::typeText(frame.get(), "999");
    EXPECT_EQ(edit->getEditText(), "999");
    EXPECT_TRUE(listener.changes().empty());
    EXPECT_EQ(Offscreen::keyDown(frame.get(), 0, VKEY_RETURN), 1);
    EXPECT_FALSE(edit->isEditingText());
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_EQ(edit->getText(), "999");
    EXPECT_EQ(listener.log(), "begin 0x20001009 0, change 0x20001009 0, end 0x20001009 0");
}

TEST_F(TextEditTest, CaretKeysEditInsideTheText) {
    Offscreen::click(frame.get(), CPoint(50, 18));
    Offscreen::typeText(frame.get(), "abcd");
    pressKeys(frame.get(), {VKEY_LEFT, VKEY_LEFT, VKEY_BACK});  // removes b
    Offscreen::typeText(frame.get(), "X");
    Offscreen::keyDown(frame.get(), 0, VKEY_DELETE);  // removes c
    EXPECT_EQ(edit->getEditText(), "aXd");
    Offscreen::keyDown(frame.get(), 0, VKEY_HOME);
    Offscreen::keyDown(frame.get(), 0, VKEY_RIGHT, MODIFIER_SHIFT);
    Offscreen::typeText(frame.get(), "\xC3\xA9");  // é replaces the selected a
    EXPECT_EQ(edit->getEditText(), "\xC3\xA9Xd");
    pressKeys(frame.get(), {VKEY_END, VKEY_SPACE, VKEY_HOME, VKEY_DELETE});  // the whole é
    EXPECT_EQ(edit->getEditText(), "Xd ");
    EXPECT_EQ(Offscreen::keyDown(frame.get(), 0, VKEY_TAB), -1);
}

TEST_F(TextEditTest, EscapeRestoresTheTextAndFocusLossCommits) {
    Offscreen::click(frame.get(), CPoint(50, 18));
    Offscreen::typeText(frame.get(), "-5");
    EXPECT_EQ(Offscreen::keyDown(frame.get(), 0, VKEY_ESCAPE), 1);
    EXPECT_FALSE(edit->isEditingText());
    EXPECT_EQ(edit->getText(), "440.00 Hz");
    EXPECT_TRUE(listener.events.empty());
    auto* other = new CTextEdit(CRect(10, 40, 110, 56), &listener, 2, "b");
    frame->addView(other);
    Offscreen::click(frame.get(), CPoint(50, 18));
    Offscreen::typeText(frame.get(), "0.1");
    Offscreen::click(frame.get(), CPoint(50, 48));  // the other field takes the focus
    EXPECT_FALSE(edit->isEditingText());
    EXPECT_TRUE(other->isEditingText());
    EXPECT_EQ(edit->getText(), "0.1");
    EXPECT_EQ(listener.log(), "begin 0x20001009 0, change 0x20001009 0, end 0x20001009 0");
}

TEST_F(TextEditTest, UnchangedTextUnfocusedKeysAndRemovalReportNothing) {
    EXPECT_EQ(Offscreen::keyDown(frame.get(), 'a'), -1);
    Offscreen::click(frame.get(), CPoint(50, 18));
    Offscreen::keyDown(frame.get(), 0, VKEY_RETURN);
    edit->setText("12");  // programmatic changes are silent
    EXPECT_EQ(edit->getText(), "12");
    edit->setText(static_cast<UTF8StringPtr>(nullptr));
    EXPECT_EQ(edit->getText(), "");
    Offscreen::click(frame.get(), CPoint(50, 18));
    Offscreen::typeText(frame.get(), "7");
    frame->removeView(edit);  // the focus goes with it, the typing is dropped
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_EQ(Offscreen::keyDown(frame.get(), 'a'), -1);
    EXPECT_TRUE(listener.changes().empty());
}

}  // namespace

// How far from its left edge a left-aligned field showing "WWW" first has ink, in canvas
// pixels at `zoom`; a negative inset keeps the field's own.
static int firstInkedColumn(double zoom, CCoord inset) {
    OffscreenFrame frame{200, 100};
    frame->setZoom(zoom);
    auto* edit = new CTextEdit(CRect(10, 10, 110, 26), nullptr, 1, "WWW");
    edit->setHoriAlign(kLeftText);
    if (inset >= 0)
        edit->setTextInset(CPoint(inset, 0));
    frame->addView(edit);
    const PixelBuffer& canvas = Offscreen::render(frame.get());
    const int left = int(10 * zoom), right = int(110 * zoom);
    for (int x = left; x < right; ++x)
        for (int y = int(10 * zoom); y < int(26 * zoom); ++y)
            if (canvas.at(x, y) != canvas.at(right - 1, y))
                return x - left;
    return -1;
}

TEST(TextEditInset, LeftAlignedTextKeepsThreePixelsOffTheBorderAtEveryZoom) {
    for (double zoom : {1.0, 2.0}) {
        SCOPED_TRACE(zoom);
        EXPECT_LT(firstInkedColumn(zoom, 0), int(3 * zoom));  // without the inset it touches
        EXPECT_GE(firstInkedColumn(zoom, -1), int(3 * zoom));
    }
}
