// The module as a host sees it: the factory, its record and the class records byte for
// byte. The exported symbols are checked on the binary (check_module_binary.sh).
#include "bundle_fixture.h"

#include <cstring>

namespace taluma::test {
namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

// The 16 bytes a host receives for a class id given as four words: COM layout on
// Windows, the words in order elsewhere.
std::vector<uint8_t> expectedBytes(const uint32_t words[4]) {
    std::vector<uint8_t> bytes;
    for (int w = 0; w < 4; ++w)
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(uint8_t(words[w] >> shift));
#if defined(_WIN32)
    std::swap(bytes[0], bytes[3]);
    std::swap(bytes[1], bytes[2]);
    std::swap(bytes[4], bytes[5]);
    std::swap(bytes[6], bytes[7]);
#endif
    return bytes;
}

class Factory : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(module); }
    std::unique_ptr<testhost::Module> module = loadBundle();
};

TEST_F(Factory, SecondFactoryCallReturnsTheSameFactoryWithOneMoreReference) {
    using GetFactory = IPluginFactory*(PLUGIN_API*)();
    auto get = reinterpret_cast<GetFactory>(module->symbol("GetPluginFactory"));
    IPluginFactory* again = get();
    EXPECT_EQ(again, module->factory());
    // The loader holds one reference, this call added one: addRef now gives 3.
    EXPECT_EQ(again->addRef(), 3u);
    EXPECT_EQ(again->release(), 2u);
    EXPECT_EQ(again->release(), 1u);
}

TEST_F(Factory, FactoryRecord) {
    PFactoryInfo info;
    ASSERT_EQ(module->factory()->getFactoryInfo(&info), kResultOk);
    EXPECT_STREQ(info.vendor, "TALUMA W developers");
    EXPECT_STREQ(info.url, "https://taluma-w.example.org");
    EXPECT_STREQ(info.email, "");
    EXPECT_EQ(info.flags, 0x10);
}

TEST_F(Factory, ClassRecordsInRegistrationOrder) {
    auto classes = module->classes();
    ASSERT_EQ(classes.size(), 2u);
    const struct {
        uint32_t words[4];
        const char* category;
        const char* name;
        uint32_t flags;
        const char* subCategories;
    } expected[] = {
        {{0x62DC74C0, 0xA0604200, 0xBBFF215F, 0xDE21F747},
         "Audio Module Class",
         "TALUMA W",
         1,
         "Instrument|Synth"},
        {{0xD96B785F, 0x9B6C4DEA, 0x86AACA94, 0x40746358},
         "Component Controller Class",
         "TALUMA W Controller",
         0,
         ""},
    };
    for (int i = 0; i < 2; ++i) {
        const PClassInfo2& c = classes[size_t(i)];
        EXPECT_EQ(std::vector<uint8_t>(std::begin(c.cid), std::end(c.cid)),
                  expectedBytes(expected[i].words))
            << i;
        EXPECT_STREQ(c.category, expected[i].category);
        EXPECT_STREQ(c.name, expected[i].name);
        EXPECT_EQ(c.classFlags, expected[i].flags);
        EXPECT_STREQ(c.subCategories, expected[i].subCategories);
        EXPECT_EQ(c.cardinality, 0x7FFFFFFF);
        EXPECT_STREQ(c.vendor, "");
        EXPECT_STREQ(c.version, "24.9.0");
        EXPECT_STREQ(c.sdkVersion, "VST 3.7.3");
        // The fixed-size fields are NUL-padded.
        for (size_t k = std::strlen(c.name); k < sizeof(c.name); ++k)
            ASSERT_EQ(c.name[k], 0) << k;
        for (size_t k = std::strlen(c.subCategories); k < sizeof(c.subCategories); ++k)
            ASSERT_EQ(c.subCategories[k], 0) << k;
    }
}

}  // namespace
}  // namespace taluma::test
