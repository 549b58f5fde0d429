#include "smf_reader.h"

#include <gtest/gtest.h>

#include "event_text.h"
#include "input_error.h"
#include "smf_bytes.h"

namespace taluma::render {
namespace {

using namespace test;

Bytes track(std::initializer_list<int> events) {
    Bytes body;
    append(body, events);
    append(body, {0x00, 0xFF, 0x2F, 0x00});  // end of track
    return chunk(body);
}

TEST(SmfReader, WellFormedFiles) {
    const struct {
        const char* what;
        Bytes file;
        const char* events;
    } cases[] = {
        {"480 ticks per quarter at 120 BPM: a quarter note is 0.5 s",
         concat({header(0, 1, 480), track({0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 40})}),
         "on 60 100 @0, off 60 40 @0.5; end 0.5"},
        {"one 0x92 status serves four events; velocity 0 releases the note",
         concat({header(0, 1, 96),
                 track({0x00, 0x92, 60, 90, 0x00, 64, 80, 0x60, 60, 0, 0x00, 64, 0})}),
         "on/2 60 90 @0, on/2 64 80 @0, off/2 60 0 @0.5, off/2 64 0 @0.5; end 0.5"},
        {"running status survives program changes, a text meta event and a sysex",
         concat({header(0, 1, 96), track({0x00, 0xC0, 5,    0x00, 6,  // program changes
                                          0x00, 0xB0, 7,    100,      // CC 7
                                          0x00, 0xFF, 0x01, 2,    'h',  'i', 0x00, 10, 20,  // CC 10
                                          0x00, 0xF0, 2,    0x7E, 0xF7,                     // sysex
                                          0x00, 11,   30})}),                               // CC 11
         "cc 7 100 @0, cc 10 20 @0, cc 11 30 @0; end 0"},
        {"controllers and pitch bend",
         concat({header(0, 1, 96), track({0x00, 0xB3, 1, 127, 0x00, 0xE3, 0x00, 0x40, 0x00, 0xE0,
                                          0x7F, 0x7F, 0x00, 0xE0, 0, 0})}),
         "cc/3 1 127 @0, bend/3 8192 @0, bend 16383 @0, bend 0 @0; end 0"},
        // Format 1: the tempo track halves the quarter note to 0.25 s at tick 960 (1.0 s).
        {"tempo changes across tracks",
         concat({header(1, 2, 480),
                 track({0x00, 0xFF, 0x51, 3, 0x07, 0xA1, 0x20,          // 500000 us
                        0x87, 0x40, 0xFF, 0x51, 3, 0x03, 0xD0, 0x90}),  // +960: 250000 us
                 track({0x00, 0x90, 60, 100,                            // 0.0 s
                        0x87, 0x40, 0x80, 60, 0,                        // tick 960: 1.0 s
                        0x83, 0x60, 0x90, 62, 100,                      // tick 1440: 1.25 s
                        0x8F, 0x00, 0x80, 62, 0})}),  // tick 3360: 1.25 + 4 × 0.25 = 2.25 s
         "on 60 100 @0, off 60 0 @1, on 62 100 @1.25, off 62 0 @2.25; end 2.25"},
        {"tracks merge by tick, then in track order",
         concat({header(1, 2, 96), track({0x00, 0x90, 60, 1, 0x60, 0x80, 60, 0}),
                 track({0x00, 0x91, 61, 2, 0x30, 0x81, 61, 0})}),
         "on 60 1 @0, on/1 61 2 @0, off/1 61 0 @0.25, off 60 0 @0.5; end 0.5"},
        {"SMPTE division, 25 frames/s x 40 ticks: one tick is 1 ms whatever the tempo",
         concat({header(0, 1, 0xE728), track({0x00, 0xFF, 0x51, 3, 0x03, 0xD0, 0x90, 0x00, 0x90, 60,
                                              100, 0x87, 0x68, 0x80, 60, 0})}),
         "on 60 100 @0, off 60 0 @1; end 1"},
        {"held notes are released at the end; unknown chunks are skipped",
         concat({header(0, 1, 480), chunk({1, 2, 3}, "XFIH"),
                 chunk({0x00, 0x90, 60, 100, 0x00, 0x90, 60, 100, 0x83, 0x60, 0xFF, 0x2F, 0x00})}),
         "on 60 100 @0, on 60 100 @0, off 60 0 @0.5, off 60 0 @0.5; end 0.5"},
        {"a track without an end-of-track event",
         concat({header(0, 1, 96), chunk({0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0})}),
         "on 60 100 @0, off 60 0 @0.5; end 0.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(test::describe(parseSmf(c.file, "t.mid")), c.events) << c.what;
}

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

TEST(SmfReader, BrokenFilesAreRefusedWithTheirFault) {
    expectBroken({}, "no MThd header");
    expectBroken({'R', 'I', 'F', 'F', 0, 0, 0, 6}, "no MThd header");
    expectBroken({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0}, "runs past the end");
    expectBroken({'M', 'T', 'h', 'd', 0, 0, 0, 4, 0, 0, 0, 1}, "shorter than 6 bytes");
    expectBroken(concat({header(2, 1, 96), track({})}), "format 2 is not supported");
    expectBroken(concat({header(0, 2, 96), track({}), track({})}), "exactly one track");
    expectBroken(header(1, 0, 96), "declares no tracks");
    expectBroken(concat({header(0, 1, 0), track({})}), "time division of zero");
    expectBroken(concat({header(0, 1, 0xE400), track({})}), "invalid SMPTE");
    expectBroken(concat({header(1, 2, 96), track({})}), "declares 2 tracks but holds 1");
    Bytes truncated = concat({header(0, 1, 96), track({0x00, 0x90, 60, 100})});
    truncated.resize(truncated.size() - 3);
    expectBroken(truncated, "runs past the end of the file");
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
