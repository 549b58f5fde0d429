#include "note_list.h"

#include <gtest/gtest.h>

#include "demo_song.h"
#include "input_error.h"

namespace taluma::render {
namespace {

TEST(NoteList, NotesBecomeOnOffPairs) {
    EventSequence s = parseNoteList("0.5 60 100 0.25\nnote 1.0 A4 64 2\n", "n.txt");
    ASSERT_EQ(s.events.size(), 4u);
    EXPECT_EQ(s.events[0].kind, EventKind::NoteOn);
    EXPECT_EQ(s.events[0].number, 60);
    EXPECT_EQ(s.events[0].value, 100);
    EXPECT_DOUBLE_EQ(s.events[0].seconds, 0.5);
    EXPECT_EQ(s.events[1].kind, EventKind::NoteOff);
    EXPECT_DOUBLE_EQ(s.events[1].seconds, 0.75);
    EXPECT_EQ(s.events[2].number, 69);
    EXPECT_DOUBLE_EQ(s.events[3].seconds, 3.0);
    EXPECT_DOUBLE_EQ(s.endSeconds, 3.0);
}

TEST(NoteList, ControllerBendAndParameterLines) {
    EventSequence s =
        parseNoteList("# header\n\ncc 0.1 7 100   # volume\nbend 0.2 16383\nparam 0.3 0x40093 0.5\n"
                      "param 0.4 262145 1\n",
                      "n.txt");
    ASSERT_EQ(s.events.size(), 4u);
    EXPECT_EQ(s.events[0].kind, EventKind::Controller);
    EXPECT_EQ(s.events[0].number, 7);
    EXPECT_EQ(s.events[0].value, 100);
    EXPECT_EQ(s.events[1].kind, EventKind::PitchBend);
    EXPECT_EQ(s.events[1].value, 16383);
    EXPECT_EQ(s.events[2].kind, EventKind::Parameter);
    EXPECT_EQ(s.events[2].paramId, 0x40093u);
    EXPECT_DOUBLE_EQ(s.events[2].normalized, 0.5);
    EXPECT_EQ(s.events[3].paramId, 0x40001u);
    EXPECT_DOUBLE_EQ(s.endSeconds, 0.4);
}

TEST(NoteList, SortedWithReleasesBeforeNewNotesAtEqualTimes) {
    // Written out of order; the repeated C4 at 1.0 must be released before it restarts,
    // and a parameter change at that time goes between the two.
    EventSequence s = parseNoteList("1.0 C4 90 1\nparam 1.0 0x40002 0\n0 C4 80 1\n", "n.txt");
    ASSERT_EQ(s.events.size(), 5u);
    EXPECT_EQ(s.events[0].kind, EventKind::NoteOn);
    EXPECT_EQ(s.events[0].value, 80);
    EXPECT_EQ(s.events[1].kind, EventKind::NoteOff);
    EXPECT_EQ(s.events[2].kind, EventKind::Parameter);
    EXPECT_EQ(s.events[3].kind, EventKind::NoteOn);
    EXPECT_EQ(s.events[3].value, 90);
    EXPECT_EQ(s.events[4].kind, EventKind::NoteOff);
}

TEST(NoteList, KeyNames) {
    EXPECT_EQ(parseKey("C4"), 60);
    EXPECT_EQ(parseKey("a4"), 69);
    EXPECT_EQ(parseKey("F#3"), 54);
    EXPECT_EQ(parseKey("Bb2"), 46);
    EXPECT_EQ(parseKey("C-1"), 0);
    EXPECT_EQ(parseKey("G9"), 127);
    for (const char* bad : {"G#9", "Cb-1", "128", "H4", "C", "C0x1", ""})
        EXPECT_EQ(parseKey(bad), -1) << bad;
}

void expectRejected(const std::string& text, const std::string& fragment) {
    try {
        parseNoteList(text, "n.txt");
        FAIL() << "accepted: " << text;
    } catch (const InputError& e) {
        EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
    }
}

TEST(NoteListRejects, BadValuesNameTheLine) {
    expectRejected("0 60 100 1\n0 60 0 1\n", "n.txt:2: velocity must be 1..127");
    expectRejected("0 60 128 1\n", "n.txt:1: velocity");
    expectRejected("-1 60 100 1\n", "time must be a number of seconds >= 0");
    expectRejected("0 60 100 0\n", "duration must be a number of seconds > 0");
    expectRejected("0 X9 100 1\n", "key must be 0..127");
    expectRejected("0 60 100 nan\n", "duration");
    expectRejected("cc 0 128 1\n", "controller must be 0..127");
    expectRejected("bend 0 16384\n", "pitch bend must be 0..16383");
    expectRejected("param 0 0x40093 1.5\n", "value must be 0..1");
    expectRejected("param 0 0x40093\n", "expected \"param <time> <id> <value>\"");
    expectRejected("0 60 100\n", "expected \"<time> <key> <velocity> <duration>\"");
    expectRejected("play 0 60 100\n", "expected \"<time> <key>");
}

TEST(NoteListRejects, EmptyInput) {
    expectRejected("", "holds no events");
    expectRejected("# only a comment\n\n", "holds no events");
}

TEST(DemoSong, ParsesIntoAFewBarsOfNotes) {
    EventSequence s = parseNoteList(demoNoteList(), "demo");
    int notes = 0;
    for (const TimedEvent& e : s.events) {
        if (e.kind != EventKind::NoteOn)
            continue;
        ++notes;
        EXPECT_GE(e.number, 36);  // C2..C7: audible on any speaker
        EXPECT_LE(e.number, 96);
    }
    EXPECT_GE(notes, 30);
    EXPECT_GT(s.endSeconds, 8.0);
    EXPECT_LT(s.endSeconds, 20.0);
}

}  // namespace
}  // namespace taluma::render
