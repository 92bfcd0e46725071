#include "platform/tone_beeper.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "sim/virtual_clock.h"

namespace vemo {
namespace {

using namespace std::chrono_literals;

TEST(ToneBeeper, WithoutSoundOutputIsSilentAndStillTakesItsTime) {
    VirtualClock clock;
    ToneBeeper beeper(clock, "vemo_no_such_sound_output");
    beeper.Beep(880, 200ms);
    EXPECT_EQ(clock.Now(), 200ms);
    beeper.Beep(440, -5ms);
    beeper.Beep(0, 0ms);
    EXPECT_EQ(clock.Now(), 200ms);
}

// ALSA's file output (silent, with a copy of the samples in a file) hears what a speaker would.
TEST(ToneBeeper, PlaysTheAskedFrequencyForTheAskedTime) {
    if (void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL); library == nullptr) {
        GTEST_SKIP() << "no ALSA library on this machine";
    }
    const std::filesystem::path capture =
        std::filesystem::path(testing::TempDir()) / "vemo-beep.raw";
    std::filesystem::remove(capture);
    VirtualClock clock;
    ToneBeeper beeper(clock, "file:'" + capture.string() + "',raw");
    beeper.Beep(880, 200ms);
    EXPECT_EQ(clock.Now(), 200ms);

    std::ifstream in(capture, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                               static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8);
    }
    const double seconds = static_cast<double>(samples.size()) / 44100;
    EXPECT_NEAR(seconds, 0.2, 0.005);
    int rising = 0;
    int loudest = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        rising += samples[i - 1] < 0 && samples[i] >= 0 ? 1 : 0;
        loudest = std::max(loudest, std::abs(static_cast<int>(samples[i])));
    }
    EXPECT_NEAR(rising / seconds, 880, 10);
    EXPECT_GT(loudest, 5000) << "audible, not silence";
}

}  // namespace
}  // namespace vemo
