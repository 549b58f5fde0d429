#include "processor_fixture.h"

#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstattributes.h"
#include "public.sdk/source/common/memorystream.h"

namespace taluma::test {
namespace {

using StateRecord = ProcessorFixture;

uint16_t u16(const std::vector<uint8_t>& b, size_t at) {
    return uint16_t(b[at] | b[at + 1] << 8);
}

TEST_F(StateRecord, FreshInstanceWritesTheDefaults) {
    const std::vector<uint8_t> r = save();
    // The record, then the bypass (off) in the extension: "TWX1", one field byte.
    ASSERT_EQ(r.size(), 865u);
    EXPECT_EQ(std::vector<uint8_t>(r.begin() + 858, r.end()),
              (std::vector<uint8_t>{'T', 'W', 'X', '1', 1, 0, 0}));
    // Settings, then the generator: sine, 4 quarters, range 0..128, amplitude 127,
    // 8 harmonics, 4 noise points; full rate; both tables of 32 cells.
    EXPECT_EQ(std::vector<uint8_t>(r.begin(), r.begin() + 40),
              (std::vector<uint8_t>{2, 0, 0, 2, 0, 0, 0x55, 0x1E, 1, 8,   8, 0, 0, 0,
                                    0, 0, 0, 4, 0, 0, 0,    128,  0, 127, 0, 0, 0, 0,
                                    0, 8, 4, 0, 0, 0, 0,    0,    0, 0,   5, 5}));
    for (size_t i = 296; i < 808; ++i)
        ASSERT_EQ(r[i], 0x80) << i;
    // Tables A and B at 40 and 168, holding the store's default sine (its peak at cell 8).
    EXPECT_EQ(r[40 + 8], 255);
    EXPECT_EQ(r[168 + 8], 255);
    // Engine and tone values.
    EXPECT_EQ(r[808], 16);
    EXPECT_EQ(u16(r, 809), 44000);
    EXPECT_EQ(u16(r, 811), 128);
    const std::vector<uint8_t> tail(r.begin() + 817, r.begin() + 858);
    EXPECT_EQ(tail,
              (std::vector<uint8_t>{2,    0, 0, 127, 64,  127, 0,  0x00, 0x08, 0,  3, 0, 0, 2, 0x00,
                                    0x20, 0, 0, 16,  100, 100, 24, 42,   120,  64, 0, 2, 7, 1, 0x00,
                                    0x20, 0, 0, 0,   124, 60,  24, 64,   120,  64, 0}));
}

TEST(StateRecordFields, CoverEveryByteExactlyOnce) {
    std::vector<int> owners(kStateRecordSize, 0);
    for (const auto& [offset, size] : stateRecordFields()) {
        ASSERT_LE(offset + size, kStateRecordSize) << offset;
        for (size_t i = offset; i < offset + size; ++i)
            ++owners[i];
    }
    for (size_t i = 0; i < kStateRecordSize; ++i)
        EXPECT_EQ(owners[i], 1) << "byte " << i;
}

TEST_F(StateRecord, SavedLoadedAndSavedAgainGivesTheSameBytes) {
    // Values as host automation would leave them.
    for (const auto& [id, value] : {std::pair<uint32_t, float>{0x40093, 0.5f},
                                    {0x400A2, 0.25f},
                                    {0x20003, 0.0f},
                                    {0x80001, 0.4f}}) {
        int32_t v = 0;
        ASSERT_TRUE(SynthEngine::scaleEventValue(id, value, v));
        Synth::StructuralEdit edit(*synth);
        synth->engine().setParameterValue(id, v);
    }
    {
        Synth::Edit edit(*synth);
        edit.settings().skin = 1;
        edit.generator().amplitude = -200;
        edit.waves().setCell(1, 3, 0x42);
        edit.waves().setSlotCell(2, 100, 0x11);
    }
    std::vector<uint8_t> first = save();
    EXPECT_EQ(first[835], 64);
    EXPECT_EQ(first[808], 7);
    EXPECT_EQ(first[821], 0);
    EXPECT_EQ(u16(first, 23), uint16_t(-200));
    // The record keeps key centre before key scale, the engine the other way round.
    first[841] = 70;  // A KC
    first[842] = 2;   // A KS

    Instance other;
    ASSERT_EQ(other.load(first), kResultOk);
    EXPECT_EQ(other.save(), first);
    EXPECT_EQ(other.synth->settings().skin, 1);
    EXPECT_EQ(other.synth->generator().amplitude, -200);
    EXPECT_EQ(other.synth->waves().cell(1, 3), 0x42);
    EXPECT_EQ(other.synth->engine().tone().opValue(0, kTl), 64);
    EXPECT_EQ(other.synth->engine().tone().opValue(0, kKc), 70);
    EXPECT_EQ(other.synth->engine().tone().opValue(0, kKs), 2);
}

struct Clamp {
    size_t offset;
    std::vector<uint8_t> stored;
    std::vector<uint8_t> loaded;
};

TEST_F(StateRecord, EveryFieldIsBroughtIntoRange) {
    const Clamp clamps[] = {
        {2, {9}, {1}},      // skin: two skins
        {3, {5}, {4}},      // frame rate: five rates
        {4, {3}, {1}},      // radix
        {5, {7}, {1}},      // link A-B
        {6, {200}, {100}},  // opacities
        {7, {101}, {100}},
        {8, {7}, {3}},  // page
        {9, {0}, {1}},  // step bits
        {10, {9}, {8}},
        {16, {9}, {5}},                    // generator type
        {17, {0, 0}, {1, 0}},              // cycles
        {17, {0xE8, 0x03}, {0x00, 0x02}},  // 1000 -> 512
        {19, {0xFF}, {0xFF}},              // phase -1
        {21, {0}, {1}},                    // range end
        {21, {200}, {128}},
        {22, {200}, {72}},                 // range start AND 127
        {23, {0xFF, 0x7F}, {0xFF, 0x00}},  // 32767 -> 255
        {25, {0x00, 0x80}, {0x00, 0xFF}},  // offset -32768 -> -256
        {28, {5}, {1}},
        {30, {0}, {1}},  // noise points
        {30, {255}, {128}},
        {33, {9}, {1}},
        {34, {7}, {3}},  // interpolation
        {38, {9}, {7}},  // table sizes
        {39, {0}, {2}},
        {808, {0}, {1}},  // bit depth
        {808, {200}, {16}},
        {809, {0x50, 0xC3}, {0xB0, 0xB3}},  // 50000 -> 46000
        {809, {0x00, 0x00}, {0x10, 0xA4}},  // 0 -> 42000
        {811, {100, 0}, {128, 0}},          // voice counts, as the engine rounds them
        {811, {0x88, 0x13}, {0x00, 0x04}},  // 5000 -> 1024
        {811, {3, 0}, {8, 0}},
        {817, {30}, {24}},                  // bend range
        {819, {200}, {72}},                 // mod wheel AND 127
        {823, {7}, {3}},                    // LFO wave
        {824, {0x20, 0x4E}, {0x00, 0x40}},  // LFO freq 20000 -> 16384
        {826, {200}, {128}},                // FL
        {827, {7}, {3}},                    // algorithm
        {828, {7}, {3}},                    // A VC
        {829, {15}, {7}},                   // A VS
        {830, {31}, {15}},                  // A MUL
        {831, {0x20, 0x4E}, {0x00, 0x40}},  // A Tune -> 16384
        {835, {255}, {127}},                // A TL
        {841, {200}, {72}},                 // A KC
        {842, {7}, {3}},                    // A KS
        {857, {6}, {2}},                    // B KS
    };
    const std::vector<uint8_t> defaults = save();
    for (const Clamp& c : clamps) {
        std::vector<uint8_t> record = defaults;
        std::copy(c.stored.begin(), c.stored.end(), record.begin() + long(c.offset));
        ASSERT_EQ(load(record), kResultOk);
        const std::vector<uint8_t> back = save();
        EXPECT_EQ(std::vector<uint8_t>(back.begin() + long(c.offset),
                                       back.begin() + long(c.offset + c.loaded.size())),
                  c.loaded)
            << "offset " << c.offset;
    }
}

// A host's stream that says what it restores ("StateType"), as hosts may tell a preset
// from a project.
class MarkedStream : public MemoryStream, public IStreamAttributes {
public:
    MarkedStream(const std::vector<uint8_t>& bytes, const char* stateType) {
        int32 written = 0;
        write(const_cast<uint8_t*>(bytes.data()), int32(bytes.size()), &written);
        seek(0, kIBSeekSet, nullptr);
        String128 type{};
        UString(type, 128).fromAscii(stateType);
        attributes_->setString("StateType", type);
    }
    ~MarkedStream() override { attributes_->release(); }
    tresult PLUGIN_API getFileName(String128) override { return kNotImplemented; }
    IAttributeList* PLUGIN_API getAttributes() override { return attributes_; }
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override {
        if (FUnknownPrivate::iidEqual(iid, IStreamAttributes::iid)) {
            addRef();
            *obj = static_cast<IStreamAttributes*>(this);
            return kResultOk;
        }
        return MemoryStream::queryInterface(iid, obj);
    }
    uint32 PLUGIN_API addRef() override { return MemoryStream::addRef(); }
    uint32 PLUGIN_API release() override { return MemoryStream::release(); }

private:
    HostAttributeList* attributes_ = new HostAttributeList();
};

// A host that marks a state as a preset gets the sound only and the window stays as the
// user has it, as with the instrument's own preset loads; a project, or a stream that says
// nothing, gets everything.
TEST_F(StateRecord, AHostsPresetLoadTakesTheSoundAndLeavesTheWindow) {
    // Skin, frame rate, radix, wave and grid opacity, page: valid, and not the defaults.
    const size_t window[] = {2, 3, 4, 6, 7, 8};
    const uint8_t shown[] = {1, 1, 1, 50, 50, 3};
    std::vector<uint8_t> record = save();
    for (size_t i = 0; i < std::size(window); ++i)
        record[window[i]] = shown[i];
    record[5] = 1;     // link A-B: part of the sound's editing
    record[835] = 99;  // A TL
    for (const auto& [type, whole] : {std::pair<const char*, bool>{"Project", true},
                                      {"TrackPreset", false},
                                      {"Default", false}}) {
        Instance fresh;
        const std::vector<uint8_t> before = fresh.save();
        MarkedStream stream(record, type);
        ASSERT_EQ(fresh.processor->setState(&stream), kResultOk) << type;
        const std::vector<uint8_t> after = fresh.save();
        for (size_t at = 0; at < kStateRecordSize; ++at) {
            const bool kept =
                !whole && std::find(std::begin(window), std::end(window), at) != std::end(window);
            EXPECT_EQ(after[at], kept ? before[at] : record[at]) << type << " byte " << at;
        }
    }
}

}  // namespace
}  // namespace taluma::test
