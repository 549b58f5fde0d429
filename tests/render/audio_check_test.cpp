// The measuring helpers must be right before they judge the plug-in's output.
#include "audio_check.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "wav_writer.h"

namespace taluma::render {
namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<float> tone(double freq, uint32_t rate, double seconds, bool oddHarmonics) {
  std::vector<float> x(static_cast<size_t>(rate * seconds));
  for (size_t i = 0; i < x.size(); ++i) {
    double ph = 2 * kPi * freq * i / rate;
    x[i] = static_cast<float>(0.3 * std::sin(ph) + (oddHarmonics ? 0.4 * std::sin(3 * ph) + 0.2 * std::sin(5 * ph) : 0));
  }
  return x;
}

TEST(AudioCheck, PitchOfPureAndRichTones) {
  EXPECT_NEAR(test::estimatePitch(tone(440, 48000, 0.2, false), 48000), 440, 1.0);
  EXPECT_NEAR(test::estimatePitch(tone(440, 44100, 0.2, true), 44100), 440, 1.0);  // 3rd louder than 1st
  EXPECT_NEAR(test::estimatePitch(tone(880, 48000, 0.2, false), 48000), 880, 2.0);
  EXPECT_NEAR(test::estimatePitch(tone(110, 48000, 0.3, true), 48000), 110, 0.5);
  EXPECT_EQ(test::estimatePitch(std::vector<float>(9600, 0.0f), 48000), 0);
}

TEST(AudioCheck, WrittenFilesReadBack) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "taluma-render-tests" / "readback.wav").string();
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::vector<float> x = tone(440, 44100, 0.1, false);
  const float* channels[2] = {x.data(), x.data()};
  for (SampleFormat format : {SampleFormat::Float32, SampleFormat::Int16}) {
    WavWriter w(path, format, 44100, 2);
    w.write(channels, static_cast<uint32_t>(x.size()));
    w.close();
    test::Audio a = test::readWav(path);
    EXPECT_EQ(a.rate, 44100u);
    EXPECT_EQ(a.channels, 2);
    ASSERT_EQ(a.frames(), x.size());
    EXPECT_NEAR(a.samples[200], x[100], 1e-4);
    EXPECT_NEAR(test::rms(a.left(0, 1)), 0.3 / std::sqrt(2.0), 1e-3);
  }
}

}  // namespace
}  // namespace taluma::render
