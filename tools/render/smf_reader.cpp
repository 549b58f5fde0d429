#include "smf_reader.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

#include "input_error.h"

namespace taluma::render {
namespace {

constexpr uint32_t kDefaultTempo = 500000;  // microseconds per quarter note (120 BPM)

std::string hexByte(int value) {
    const char* digits = "0123456789ABCDEF";
    return {digits[(value >> 4) & 15], digits[value & 15]};
}

struct RawEvent {
    uint64_t tick;
    int status;  // channel status byte 0x80..0xEF
    int data1;
    int data2;
};

struct TempoChange {
    uint64_t tick;
    uint32_t microsPerQuarter;
};

// Bounds-checked big-endian reading over one file image.
class ByteReader {
public:
    ByteReader(const std::vector<uint8_t>& bytes, const std::string& name)
        : bytes_(bytes), name_(name) {}

    size_t pos() const { return pos_; }
    void seek(size_t pos) { pos_ = pos; }

    [[noreturn]] void fail(const std::string& what) const {
        throw InputError(name_ + ": " + what + " (byte offset " + std::to_string(pos_) + ")");
    }

    uint8_t u8(size_t limit) {
        if (pos_ >= limit)
            fail("unexpected end of data");
        return bytes_[pos_++];
    }
    uint32_t u16(size_t limit) {
        uint32_t hi = u8(limit);
        return (hi << 8) | u8(limit);
    }
    uint32_t u32(size_t limit) {
        uint32_t hi = u16(limit);
        return (hi << 16) | u16(limit);
    }
    // A variable-length quantity of at most four bytes, as the file format allows.
    uint32_t vlq(size_t limit) {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b = u8(limit);
            value = (value << 7) | (b & 0x7F);
            if ((b & 0x80) == 0)
                return value;
        }
        fail("variable-length number longer than 4 bytes");
    }
    bool matches(const char* tag) const {
        return pos_ + 4 <= bytes_.size() && std::memcmp(&bytes_[pos_], tag, 4) == 0;
    }
    void skip(size_t count, size_t limit) {
        if (count > limit - pos_)
            fail("length runs past the end of its chunk");
        pos_ += count;
    }

private:
    const std::vector<uint8_t>& bytes_;
    const std::string& name_;
    size_t pos_ = 0;
};

// Reads one MTrk body from the reader's position to `end`; returns the track's end tick.
uint64_t readTrack(ByteReader& in, size_t end, std::vector<RawEvent>& events,
                   std::vector<TempoChange>& tempos) {
    uint64_t tick = 0;
    int runningStatus = 0;
    while (in.pos() < end) {
        tick += in.vlq(end);
        size_t statusPos = in.pos();
        int status = in.u8(end);
        if (status < 0x80) {
            // Running status: the byte just read is the first data byte. Meta and SysEx events
            // leave it in place, since some writers rely on that.
            if (runningStatus == 0) {
                in.seek(statusPos);
                in.fail("data byte without a status byte");
            }
            in.seek(statusPos);
            status = runningStatus;
        } else if (status < 0xF0) {
            runningStatus = status;
        }

        if (status == 0xFF) {
            int type = in.u8(end);
            uint32_t length = in.vlq(end);
            size_t dataPos = in.pos();
            in.skip(length, end);
            if (type == 0x2F) {
                in.seek(end);  // end of track: anything after it is ignored
                return tick;
            }
            if (type == 0x51) {
                if (length != 3)
                    in.fail("tempo event with length " + std::to_string(length));
                in.seek(dataPos);
                uint32_t micros = in.u8(end) << 16;
                micros |= in.u8(end) << 8;
                micros |= in.u8(end);
                if (micros == 0)
                    in.fail("tempo of zero microseconds per quarter note");
                tempos.push_back({tick, micros});
            }
        } else if (status == 0xF0 || status == 0xF7) {
            in.skip(in.vlq(end), end);
        } else if (status >= 0xF0) {
            in.seek(statusPos);
            in.fail("system message 0x" + hexByte(status) + " is not allowed in a track");
        } else {
            int kind = status & 0xF0;
            int dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            int data[2] = {0, 0};
            for (int i = 0; i < dataBytes; ++i) {
                data[i] = in.u8(end);
                if (data[i] >= 0x80) {
                    in.seek(in.pos() - 1);
                    in.fail("status byte where a data byte was expected");
                }
            }
            events.push_back({tick, status, data[0], data[1]});
        }
    }
    return tick;  // tolerated: a track without its end-of-track event
}

// Converts ticks to seconds through a sorted tempo map, for ticks given in rising order.
class TickClock {
public:
    TickClock(std::vector<TempoChange> tempos, double ticksPerQuarter, double fixedSecondsPerTick)
        : tempos_(std::move(tempos)), ticksPerQuarter_(ticksPerQuarter),
          fixedSecondsPerTick_(fixedSecondsPerTick) {
        std::stable_sort(
            tempos_.begin(), tempos_.end(),
            [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    }

    double seconds(uint64_t tick) {
        if (fixedSecondsPerTick_ > 0)
            return static_cast<double>(tick) * fixedSecondsPerTick_;
        if (tick < lastTick_)
            reset();
        while (next_ < tempos_.size() && tempos_[next_].tick <= tick) {
            advanceTo(tempos_[next_].tick);
            micros_ = tempos_[next_].microsPerQuarter;
            ++next_;
        }
        advanceTo(tick);
        return seconds_;
    }

private:
    void reset() {
        next_ = 0;
        lastTick_ = 0;
        seconds_ = 0;
        micros_ = kDefaultTempo;
    }
    void advanceTo(uint64_t tick) {
        seconds_ += static_cast<double>(tick - lastTick_) * micros_ / (1e6 * ticksPerQuarter_);
        lastTick_ = tick;
    }

    std::vector<TempoChange> tempos_;
    double ticksPerQuarter_;
    double fixedSecondsPerTick_;
    size_t next_ = 0;
    uint64_t lastTick_ = 0;
    double seconds_ = 0;
    uint32_t micros_ = kDefaultTempo;
};

TimedEvent toTimedEvent(const RawEvent& raw, double seconds) {
    TimedEvent e;
    e.seconds = seconds;
    e.channel = raw.status & 0x0F;
    switch (raw.status & 0xF0) {
    case 0x80:
        e.kind = EventKind::NoteOff;
        e.number = raw.data1;
        e.value = raw.data2;
        break;
    case 0x90:
        e.kind = raw.data2 == 0 ? EventKind::NoteOff : EventKind::NoteOn;
        e.number = raw.data1;
        e.value = raw.data2;
        break;
    case 0xB0:
        e.kind = EventKind::Controller;
        e.number = raw.data1;
        e.value = raw.data2;
        break;
    default:  // 0xE0
        e.kind = EventKind::PitchBend;
        e.value = raw.data1 | (raw.data2 << 7);
        break;
    }
    return e;
}

bool isDelivered(int status) {
    int kind = status & 0xF0;
    return kind == 0x80 || kind == 0x90 || kind == 0xB0 || kind == 0xE0;
}

}  // namespace

EventSequence parseSmf(const std::vector<uint8_t>& bytes, const std::string& name) {
    ByteReader in(bytes, name);
    if (!in.matches("MThd"))
        in.fail("not a Standard MIDI File (no MThd header)");
    in.skip(4, bytes.size());
    uint32_t headerLength = in.u32(bytes.size());
    if (headerLength < 6)
        in.fail("header chunk shorter than 6 bytes");
    size_t headerEnd = in.pos();
    in.skip(headerLength, bytes.size());
    in.seek(headerEnd);
    headerEnd += headerLength;
    uint32_t format = in.u16(headerEnd);
    uint32_t trackCount = in.u16(headerEnd);
    uint32_t division = in.u16(headerEnd);
    in.seek(headerEnd);

    if (format > 1)
        in.fail("MIDI file format " + std::to_string(format) + " is not supported (only 0 and 1)");
    if (trackCount == 0)
        in.fail("the file declares no tracks");
    if (format == 0 && trackCount != 1)
        in.fail("a format 0 file must hold exactly one track");

    double ticksPerQuarter = 0;
    double fixedSecondsPerTick = 0;
    if (division & 0x8000) {
        // SMPTE time: frames per second (stored negated) times ticks per frame.
        int fps = 256 - static_cast<int>(division >> 8);
        int ticksPerFrame = division & 0xFF;
        if ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || ticksPerFrame == 0)
            in.fail("invalid SMPTE time division");
        double frameRate = fps == 29 ? 30000.0 / 1001.0 : fps;
        fixedSecondsPerTick = 1.0 / (frameRate * ticksPerFrame);
    } else {
        if (division == 0)
            in.fail("time division of zero ticks per quarter note");
        ticksPerQuarter = division;
    }

    std::vector<RawEvent> events;
    std::vector<TempoChange> tempos;
    uint64_t endTick = 0;
    uint32_t tracksFound = 0;
    while (tracksFound < trackCount && in.pos() + 8 <= bytes.size()) {
        bool isTrack = in.matches("MTrk");
        in.skip(4, bytes.size());
        uint32_t length = in.u32(bytes.size());
        size_t begin = in.pos();
        if (length > bytes.size() - begin)
            in.fail("chunk length runs past the end of the file");
        if (!isTrack) {  // unknown chunks are skipped, as the format asks
            in.seek(begin + length);
            continue;
        }
        std::vector<RawEvent> trackEvents;
        endTick = std::max(endTick, readTrack(in, begin + length, trackEvents, tempos));
        events.insert(events.end(), trackEvents.begin(), trackEvents.end());
        in.seek(begin + length);
        ++tracksFound;
    }
    if (tracksFound < trackCount)
        in.fail("the file declares " + std::to_string(trackCount) + " tracks but holds " +
                std::to_string(tracksFound));

    // Tracks were appended one after another; a stable sort by tick merges them so that
    // events on the same tick keep track order, then file order.
    std::stable_sort(events.begin(), events.end(),
                     [](const RawEvent& a, const RawEvent& b) { return a.tick < b.tick; });

    TickClock clock(tempos, ticksPerQuarter, fixedSecondsPerTick);
    EventSequence out;
    std::map<std::pair<int, int>, int> held;  // (channel, key) -> note-ons not yet released
    for (const RawEvent& raw : events) {
        if (!isDelivered(raw.status))
            continue;
        TimedEvent e = toTimedEvent(raw, clock.seconds(raw.tick));
        if (e.kind == EventKind::NoteOn) {
            ++held[{e.channel, e.number}];
        } else if (e.kind == EventKind::NoteOff) {
            auto it = held.find({e.channel, e.number});
            if (it != held.end() && --it->second == 0)
                held.erase(it);
        }
        out.events.push_back(e);
    }
    out.endSeconds = clock.seconds(endTick);

    // Notes still held when the file ends are released there, so that no voice hangs.
    for (const auto& [channelKey, count] : held) {
        for (int i = 0; i < count; ++i) {
            TimedEvent off;
            off.seconds = out.endSeconds;
            off.kind = EventKind::NoteOff;
            off.channel = channelKey.first;
            off.number = channelKey.second;
            out.events.push_back(off);
        }
    }
    return out;
}

}  // namespace taluma::render
