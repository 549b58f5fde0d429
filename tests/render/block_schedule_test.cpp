#include "block_schedule.h"

#include <gtest/gtest.h>

#include "input_error.h"
#include "note_list.h"

namespace taluma::render {
namespace {

TEST(BlockSchedule, EventsLandOnExactSamples) {
    EventSequence s = parseNoteList("0.5 60 100 0.25\n1 62 100 0.000010\n", "n");
    std::vector<ScheduledEvent> at44 = scheduleEvents(s, 44100);
    ASSERT_EQ(at44.size(), 4u);
    EXPECT_EQ(at44[0].sample, 22050);
    EXPECT_EQ(at44[1].sample, 33075);
    EXPECT_EQ(at44[2].sample, 44100);
    EXPECT_EQ(at44[3].sample, 44100);  // 10 µs is 0.441 samples: rounds onto the note-on
    EXPECT_EQ(at44[3].event.kind, EventKind::NoteOff);  // and still follows it
    std::vector<ScheduledEvent> at48 = scheduleEvents(s, 48000);
    EXPECT_EQ(at48[1].sample, 36000);
    EXPECT_EQ(at48[3].sample, 48000);
    EXPECT_EQ(secondsToSamples(1.0 / 3.0, 48000), 16000);
    EXPECT_EQ(secondsToSamples(0.00001134, 44100), 1);  // 0.5001 rounds up
}

TEST(BlockSchedule, UnorderedSequencesAreSortedStably) {
    EventSequence s;
    for (auto [seconds, number] : {std::pair{1.0, 1}, {0.5, 2}, {1.0, 3}}) {
        s.events.emplace_back();
        s.events.back().seconds = seconds;
        s.events.back().number = number;
    }
    std::vector<ScheduledEvent> out = scheduleEvents(s, 100);
    EXPECT_EQ(out[0].event.number, 2);
    EXPECT_EQ(out[1].event.number, 1);
    EXPECT_EQ(out[2].event.number, 3);
}

TEST(BlockSchedule, CursorSplitsEventsIntoBlocksWithOffsets) {
    // Samples at 100 Hz: 0, 63, 64, 65, 200.
    EventSequence s = parseNoteList("0 60 1 0.63\n0.64 61 1 0.01\n2 62 1 1\n", "n");
    std::vector<ScheduledEvent> events = scheduleEvents(s, 100);
    BlockCursor cursor(events);
    BlockCursor::Range r = cursor.take(0, 64);
    ASSERT_EQ(r.last - r.first, 2u);  // 0 and 63; 64 belongs to the next block
    EXPECT_EQ(BlockCursor::offsetIn(events[r.first + 1], 0), 63);
    r = cursor.take(64, 64);
    ASSERT_EQ(r.last - r.first, 2u);
    EXPECT_EQ(BlockCursor::offsetIn(events[r.first], 64), 0);
    EXPECT_EQ(BlockCursor::offsetIn(events[r.first + 1], 64), 1);
    r = cursor.take(128, 64);
    EXPECT_EQ(r.last, r.first);
    r = cursor.take(192, 64);
    ASSERT_EQ(r.last - r.first, 1u);
    EXPECT_EQ(BlockCursor::offsetIn(events[r.first], 192), 8);
    r = cursor.take(256, 64);
    ASSERT_EQ(r.last - r.first, 1u);
    EXPECT_EQ(BlockCursor::offsetIn(events[r.first], 256), 44);
}

TEST(BlockSchedule, RenderLengthCountsTailOrFixedLength) {
    EventSequence s = parseNoteList("0 60 100 1.5\n", "n");
    EXPECT_EQ(renderLength(s, 48000, 2.0, 0), 168000);
    EXPECT_EQ(renderLength(s, 48000, 0, 0), 72000);
    EXPECT_EQ(renderLength(s, 48000, 2.0, 0.5), 24000);  // a fixed length wins
    s.endSeconds = 4.0;  // a MIDI file's end of track after its last note
    EXPECT_EQ(renderLength(s, 1000, 1.0, 0), 5000);
}

TEST(BlockSchedule, OverlongRendersAreRefused) {
    EventSequence s = parseNoteList("3599 60 100 0.5\n", "n");
    EXPECT_EQ(renderLength(s, 1000, 0.5, 0), 3600000);
    EXPECT_THROW(renderLength(s, 1000, 0.6, 0), InputError);
    EXPECT_THROW(renderLength(parseNoteList("1e9 60 100 1\n", "n"), 44100, 0, 0), InputError);
}

}  // namespace
}  // namespace taluma::render
