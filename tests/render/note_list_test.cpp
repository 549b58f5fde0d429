#include "note_list.h"

#include <gtest/gtest.h>

#include <utility>

#include "event_text.h"
#include "input_error.h"

namespace taluma::render {
namespace {

std::string read(const std::string& text) {
    return test::describe(parseNoteList(text, "n.txt"));
}

TEST(NoteList, NotesBecomeOnOffPairs) {
    EXPECT_EQ(read("0.5 60 100 0.25\nnote 1.0 A4 64 2\n"),
              "on 60 100 @0.5, off 60 0 @0.75, on 69 64 @1, off 69 0 @3; end 3");
}

TEST(NoteList, ControllerBendAndParameterLines) {
    EXPECT_EQ(
        read("# header\n\ncc 0.1 7 100   # volume\nbend 0.2 16383\nparam 0.3 0x40093 0.5\n"
             "param 0.4 262145 1\n"),
        "cc 7 100 @0.1, bend 16383 @0.2, param 0x40093 0.5 @0.3, param 0x40001 1 @0.4; end 0.4");
}

TEST(NoteList, SortedWithReleasesBeforeNewNotesAtEqualTimes) {
    // Written out of order; the repeated C4 at 1.0 must be released before it restarts,
    // and a parameter change at that time goes between the two.
    EXPECT_EQ(read("1.0 C4 90 1\nparam 1.0 0x40002 0\n0 C4 80 1\n"),
              "on 60 80 @0, off 60 0 @1, param 0x40002 0 @1, on 60 90 @1, off 60 0 @2; end 2");
}

TEST(NoteList, KeyNames) {
    const std::pair<const char*, int> cases[] = {
        {"C4", 60},   {"a4", 69},  {"F#3", 54}, {"Bb2", 46}, {"C-1", 0},   {"G9", 127}, {"G#9", -1},
        {"Cb-1", -1}, {"128", -1}, {"H4", -1},  {"C", -1},   {"C0x1", -1}, {"", -1}};
    for (const auto& [name, key] : cases)
        EXPECT_EQ(parseKey(name), key) << name;
}

void expectRejected(const std::string& text, const std::string& fragment) {
    try {
        parseNoteList(text, "n.txt");
        FAIL() << "accepted: " << text;
    } catch (const InputError& e) {
        EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
    }
}

TEST(NoteList, BadValuesNameTheLineAndEmptyInputIsRefused) {
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
    expectRejected("", "holds no events");
    expectRejected("# only a comment\n\n", "holds no events");
}

}  // namespace
}  // namespace taluma::render
