#include "smf_reader.h"

#include <gtest/gtest.h>

#include "event_text.h"
#include "input_error.h"
#include "smf_bytes.h"

namespace taluma::render {
namespace {

using test::append;
using test::Bytes;
using test::chunk;
using test::concat;
using test::header;
using test::kEndOfTrack;

Bytes track(std::initializer_list<int> events) {
    Bytes body;
    append(body, events);
    body.insert(body.end(), kEndOfTrack.begin(), kEndOfTrack.end());
    return chunk(body);
}

// ---- well-formed files --------------------------------------------------------------

std::string read(const Bytes& bytes) {
    return test::describe(parseSmf(bytes, "t.mid"));
}

TEST(SmfReader, Format0NotesAtDefaultTempo) {
    // 480 ticks per quarter at 120 BPM: a quarter note is 0.5 s.
    EXPECT_EQ(
        read(concat({header(0, 1, 480), track({0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 40})})),
        "on 60 100 @0, off 60 40 @0.5; end 0.5");
}

TEST(SmfReader, RunningStatusAndVelocityZeroNoteOff) {
    // One 0x92 status serves four events; velocity 0 releases the note.
    EXPECT_EQ(read(concat({header(0, 1, 96),
                           track({0x00, 0x92, 60, 90, 0x00, 64, 80, 0x60, 60, 0, 0x00, 64, 0})})),
              "on/2 60 90 @0, on/2 64 80 @0, off/2 60 0 @0.5, off/2 64 0 @0.5; end 0.5");
}

TEST(SmfReader, RunningStatusSurvivesMetaAndOneByteMessages) {
    // Program changes (one data byte, not delivered) with running status, a text meta event
    // and a sysex between controller messages relying on the 0xB0 status from before.
    EXPECT_EQ(read(concat({header(0, 1, 96),
                           track({0x00, 0xC0, 5,    0x00, 6,  // two program changes
                                  0x00, 0xB0, 7,    100,      // CC 7
                                  0x00, 0xFF, 0x01, 2,    'h',  'i', 0x00, 10, 20,  // CC 10
                                  0x00, 0xF0, 2,    0x7E, 0xF7,                     // sysex
                                  0x00, 11,   30})})),                              // CC 11
              "cc 7 100 @0, cc 10 20 @0, cc 11 30 @0; end 0");
}

TEST(SmfReader, ControllersAndPitchBend) {
    EXPECT_EQ(read(concat({header(0, 1, 96), track({0x00, 0xB3, 1, 127, 0x00, 0xE3, 0x00, 0x40,
                                                    0x00, 0xE0, 0x7F, 0x7F, 0x00, 0xE0, 0, 0})})),
              "cc/3 1 127 @0, bend/3 8192 @0, bend 16383 @0, bend 0 @0; end 0");
}

TEST(SmfReader, TempoChangesAcrossTracks) {
    // Format 1: the tempo track halves the quarter note to 0.25 s at tick 960 (1.0 s).
    Bytes tempoTrack = track({0x00, 0xFF, 0x51, 3, 0x07, 0xA1, 0x20,          // 500000 us
                              0x87, 0x40, 0xFF, 0x51, 3, 0x03, 0xD0, 0x90});  // +960: 250000 us
    Bytes notes = track({0x00, 0x90, 60, 100,                                 // 0.0 s
                         0x87, 0x40, 0x80, 60, 0,                             // tick 960: 1.0 s
                         0x83, 0x60, 0x90, 62, 100,                           // tick 1440: 1.25 s
                         0x8F, 0x00, 0x80, 62, 0});  // tick 3360: 1.25 + 4 × 0.25 = 2.25 s
    EXPECT_EQ(read(concat({header(1, 2, 480), tempoTrack, notes})),
              "on 60 100 @0, off 60 0 @1, on 62 100 @1.25, off 62 0 @2.25; end 2.25");
}

TEST(SmfReader, TracksMergeByTickThenTrackOrder) {
    Bytes a = track({0x00, 0x90, 60, 1, 0x60, 0x80, 60, 0});
    Bytes b = track({0x00, 0x91, 61, 2, 0x30, 0x81, 61, 0});
    EXPECT_EQ(read(concat({header(1, 2, 96), a, b})),
              "on 60 1 @0, on/1 61 2 @0, off/1 61 0 @0.25, off 60 0 @0.5; end 0.5");
}

TEST(SmfReader, SmpteDivisionIgnoresTempo) {
    // 25 frames/s × 40 ticks per frame: one tick is 1 ms.
    EXPECT_EQ(read(concat({header(0, 1, 0xE728), track({0x00, 0xFF, 0x51, 3, 0x03, 0xD0, 0x90, 0x00,
                                                        0x90, 60, 100, 0x87, 0x68, 0x80, 60, 0})})),
              "on 60 100 @0, off 60 0 @1; end 1");
}

TEST(SmfReader, HeldNotesAreReleasedAtTheEndAndUnknownChunksSkipped) {
    Bytes body = {0x00, 0x90, 60, 100, 0x00, 0x90, 60, 100, 0x83, 0x60, 0xFF, 0x2F, 0x00};
    EXPECT_EQ(read(concat({header(0, 1, 480), chunk({1, 2, 3}, "XFIH"), chunk(body)})),
              "on 60 100 @0, on 60 100 @0, off 60 0 @0.5, off 60 0 @0.5; end 0.5");
}

TEST(SmfReader, TrackWithoutEndOfTrackIsAccepted) {
    EXPECT_EQ(read(concat({header(0, 1, 96), chunk({0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0})})),
              "on 60 100 @0, off 60 0 @0.5; end 0.5");
}

// ---- broken files -------------------------------------------------------------------

void expectBroken(const Bytes& bytes, const std::string& fragment) {
    try {
        parseSmf(bytes, "bad.mid");
        FAIL() << "accepted a broken file; expected: " << fragment;
    } catch (const InputError& e) {
        std::string what = e.what();
        EXPECT_NE(what.find("bad.mid: "), std::string::npos) << what;
        EXPECT_NE(what.find(fragment), std::string::npos) << what;
    }
}

TEST(SmfReaderBroken, HeaderFaults) {
    expectBroken({}, "no MThd header");
    expectBroken({'R', 'I', 'F', 'F', 0, 0, 0, 6}, "no MThd header");
    expectBroken({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0}, "runs past the end");
    expectBroken({'M', 'T', 'h', 'd', 0, 0, 0, 4, 0, 0, 0, 1}, "shorter than 6 bytes");
    expectBroken(concat({header(2, 1, 96), track({})}), "format 2 is not supported");
    expectBroken(concat({header(0, 2, 96), track({}), track({})}), "exactly one track");
    expectBroken(header(1, 0, 96), "declares no tracks");
    expectBroken(concat({header(0, 1, 0), track({})}), "time division of zero");
    expectBroken(concat({header(0, 1, 0xE400), track({})}), "invalid SMPTE");
}

TEST(SmfReaderBroken, ChunkFaults) {
    expectBroken(concat({header(1, 2, 96), track({})}), "declares 2 tracks but holds 1");
    Bytes truncated = concat({header(0, 1, 96), track({0x00, 0x90, 60, 100})});
    truncated.resize(truncated.size() - 3);
    expectBroken(truncated, "runs past the end of the file");
}

TEST(SmfReaderBroken, EventFaults) {
    expectBroken(concat({header(0, 1, 96), track({0x00, 60, 100})}),
                 "data byte without a status byte");
    expectBroken(concat({header(0, 1, 96), chunk({0x00, 0x90, 60})}), "unexpected end of data");
    expectBroken(concat({header(0, 1, 96), chunk({0x81, 0x82, 0x83, 0x84, 0x05, 0x90, 60, 1})}),
                 "longer than 4 bytes");
    expectBroken(concat({header(0, 1, 96), track({0x00, 0x90, 60, 0x90})}),
                 "status byte where a data byte");
    expectBroken(concat({header(0, 1, 96), track({0x00, 0xF1, 0x00})}), "system message 0xF1");
    expectBroken(concat({header(0, 1, 96), track({0x00, 0xFF, 0x51, 3, 0, 0, 0})}),
                 "tempo of zero");
    expectBroken(concat({header(0, 1, 96), track({0x00, 0xFF, 0x51, 2, 1, 1})}),
                 "tempo event with length 2");
    expectBroken(concat({header(0, 1, 96), chunk({0x00, 0xFF, 0x01, 9, 'x'})}),
                 "runs past the end of its chunk");
}

}  // namespace
}  // namespace taluma::render
