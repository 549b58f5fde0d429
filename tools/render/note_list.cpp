#include "note_list.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "input_error.h"

namespace taluma::render {
namespace {

// Parses the whole word as a finite number, or fails.
bool toNumber(const std::string& word, double& out) {
    if (word.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtod(word.c_str(), &end);
    return errno == 0 && *end == '\0' && std::isfinite(out);
}

bool toInteger(const std::string& word, long min, long max, long& out) {
    if (word.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtol(word.c_str(), &end, 0);  // base 0: decimal or 0x hexadecimal
    return errno == 0 && *end == '\0' && out >= min && out <= max;
}

int eventOrder(EventKind kind) {
    if (kind == EventKind::NoteOff)
        return 0;
    if (kind == EventKind::NoteOn)
        return 2;
    return 1;
}

class LineParser {
public:
    LineParser(const std::string& name, int lineNumber, std::vector<std::string> words)
        : name_(name), lineNumber_(lineNumber), words_(std::move(words)) {}

    [[noreturn]] void fail(const std::string& what) const {
        throw InputError(name_ + ":" + std::to_string(lineNumber_) + ": " + what);
    }

    void expectCount(size_t count, const char* usage) const {
        if (words_.size() != count)
            fail(std::string("expected \"") + usage + "\"");
    }

    double time(size_t i) const {
        double t;
        if (!toNumber(words_[i], t) || t < 0)
            fail("time must be a number of seconds >= 0: '" + words_[i] + "'");
        return t;
    }
    long integer(size_t i, long min, long max, const char* what) const {
        long v;
        if (!toInteger(words_[i], min, max, v))
            fail(std::string(what) + " must be " + std::to_string(min) + ".." +
                 std::to_string(max) + ": '" + words_[i] + "'");
        return v;
    }
    int key(size_t i) const {
        int k = parseKey(words_[i]);
        if (k < 0)
            fail("key must be 0..127 or a note name such as C4: '" + words_[i] + "'");
        return k;
    }
    double duration(size_t i) const {
        double d;
        if (!toNumber(words_[i], d) || d <= 0)
            fail("duration must be a number of seconds > 0: '" + words_[i] + "'");
        return d;
    }
    double normalized(size_t i) const {
        double v;
        if (!toNumber(words_[i], v) || v < 0 || v > 1)
            fail("value must be 0..1: '" + words_[i] + "'");
        return v;
    }

private:
    const std::string& name_;
    int lineNumber_;
    std::vector<std::string> words_;
};

void parseLine(const std::vector<std::string>& words, const LineParser& p,
               std::vector<TimedEvent>& out) {
    const std::string& head = words[0];
    TimedEvent e;
    if (head == "cc") {
        p.expectCount(4, "cc <time> <controller> <value>");
        e.seconds = p.time(1);
        e.kind = EventKind::Controller;
        e.number = static_cast<int>(p.integer(2, 0, 127, "controller"));
        e.value = static_cast<int>(p.integer(3, 0, 127, "controller value"));
        out.push_back(e);
    } else if (head == "bend") {
        p.expectCount(3, "bend <time> <value>");
        e.seconds = p.time(1);
        e.kind = EventKind::PitchBend;
        e.value = static_cast<int>(p.integer(2, 0, 16383, "pitch bend"));
        out.push_back(e);
    } else if (head == "param") {
        p.expectCount(4, "param <time> <id> <value>");
        e.seconds = p.time(1);
        e.kind = EventKind::Parameter;
        e.paramId = static_cast<uint32_t>(p.integer(2, 0, 0x7FFFFFFF, "parameter id"));
        e.normalized = p.normalized(3);
        out.push_back(e);
    } else {
        size_t first = head == "note" ? 1 : 0;
        const bool numeric =
            std::isdigit(static_cast<unsigned char>(head[0])) || std::strchr(".+-", head[0]);
        if (words.size() != first + 4 || (first == 0 && !numeric))
            p.fail("expected \"<time> <key> <velocity> <duration>\" or a line starting with note, "
                   "cc, bend or param");
        e.seconds = p.time(first);
        e.kind = EventKind::NoteOn;
        e.number = p.key(first + 1);
        e.value = static_cast<int>(p.integer(first + 2, 1, 127, "velocity"));
        TimedEvent off = e;
        off.seconds = e.seconds + p.duration(first + 3);
        off.kind = EventKind::NoteOff;
        off.value = 0;
        out.push_back(e);
        out.push_back(off);
    }
}

}  // namespace

int parseKey(const std::string& word) {
    long number;
    if (toInteger(word, 0, 127, number))
        return static_cast<int>(number);
    if (word.empty())
        return -1;
    static const int kSemitones[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
    if (letter < 'A' || letter > 'G')
        return -1;
    int semitone = kSemitones[letter - 'A'];
    size_t pos = 1;
    if (pos < word.size() && (word[pos] == '#' || word[pos] == 'b')) {
        semitone += word[pos] == '#' ? 1 : -1;
        ++pos;
    }
    long octave;
    if (!toInteger(word.substr(pos), -1, 9, octave) ||
        word.substr(pos).find('x') != std::string::npos)
        return -1;
    int key = static_cast<int>((octave + 1) * 12) + semitone;
    return key >= 0 && key <= 127 ? key : -1;
}

EventSequence parseNoteList(const std::string& text, const std::string& name) {
    std::vector<TimedEvent> events;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        line = line.substr(0, line.find('#'));
        std::istringstream wordStream(line);
        std::vector<std::string> words;
        for (std::string w; wordStream >> w;)
            words.push_back(w);
        if (words.empty())
            continue;
        parseLine(words, LineParser(name, lineNumber, words), events);
    }
    if (events.empty())
        throw InputError(name + ": the note list holds no events");

    std::stable_sort(events.begin(), events.end(), [](const TimedEvent& a, const TimedEvent& b) {
        if (a.seconds != b.seconds)
            return a.seconds < b.seconds;
        return eventOrder(a.kind) < eventOrder(b.kind);
    });
    EventSequence out;
    out.events = std::move(events);
    out.endSeconds = out.events.back().seconds;
    return out;
}

}  // namespace taluma::render
