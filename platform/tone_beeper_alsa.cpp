// ToneBeeper on Linux: ALSA, loaded when the first beep sounds, so a machine without it still
// runs the tool, silently.
#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "platform/tone_beeper.h"

namespace vemo {

namespace {

constexpr unsigned kSampleRate = 44100;
constexpr double kAmplitude = 0.3 * 32767;
// Short ramps at both ends keep the tone free of clicks.
constexpr Milliseconds kRamp{5};

// The few entry points used, with the library's stable ABI values.
constexpr int kStreamPlayback = 0;
constexpr int kOpenNonBlocking = 1;
constexpr int kFormatS16LittleEndian = 2;
constexpr int kAccessInterleaved = 3;

struct AlsaLibrary {
    using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    int (*open)(void** pcm, const char* name, int stream, int mode) = nullptr;
    int (*setParams)(void* pcm, int format, int access, unsigned channels, unsigned rate,
                     int softResample, unsigned latencyMicroseconds) = nullptr;
    long (*writeFrames)(void* pcm, const void* frames, unsigned long count) = nullptr;
    int (*start)(void* pcm) = nullptr;
    int (*drop)(void* pcm) = nullptr;
    int (*close)(void* pcm) = nullptr;
    int (*setErrorHandler)(ErrorHandler handler) = nullptr;

    bool Complete() const {
        return open && setParams && writeFrames && start && drop && close && setErrorHandler;
    }
};

// ALSA reports a missing card on standard error; a machine without sound is no error here.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

template <class Function>
void Resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
}

// Loaded once and kept for the process; null when the machine has no ALSA.
const AlsaLibrary* Alsa() {
    static const AlsaLibrary* const loaded = []() -> const AlsaLibrary* {
        void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            return nullptr;
        }
        static AlsaLibrary alsa;
        Resolve(library, "snd_pcm_open", alsa.open);
        Resolve(library, "snd_pcm_set_params", alsa.setParams);
        Resolve(library, "snd_pcm_writei", alsa.writeFrames);
        Resolve(library, "snd_pcm_start", alsa.start);
        Resolve(library, "snd_pcm_drop", alsa.drop);
        Resolve(library, "snd_pcm_close", alsa.close);
        Resolve(library, "snd_lib_error_set_handler", alsa.setErrorHandler);
        if (!alsa.Complete()) {
            return nullptr;
        }
        alsa.setErrorHandler(IgnoreAlsaError);
        return &alsa;
    }();
    return loaded;
}

std::vector<std::int16_t> SineTone(int frequencyHz, Milliseconds duration) {
    const auto count = static_cast<std::size_t>(duration.count()) * kSampleRate / 1000;
    const double rampSamples = static_cast<double>(kRamp.count()) * kSampleRate / 1000;
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double fromEdge = static_cast<double>(std::min(i, count - 1 - i));
        const double envelope = std::min(1.0, fromEdge / rampSamples);
        const double phase = 2 * std::numbers::pi * frequencyHz * static_cast<double>(i) /
                             static_cast<double>(kSampleRate);
        samples[i] = static_cast<std::int16_t>(kAmplitude * envelope * std::sin(phase));
    }
    return samples;
}

// Hands the whole tone to the sound device without waiting on it; false when it cannot play.
// The device's buffer is sized to hold the tone, so one write takes it all.
bool StartTone(const AlsaLibrary& alsa, void* pcm, const std::vector<std::int16_t>& tone,
               Milliseconds duration) {
    const auto bufferTime = static_cast<unsigned>((duration + Milliseconds(100)).count() * 1000);
    if (alsa.setParams(pcm, kFormatS16LittleEndian, kAccessInterleaved, 1, kSampleRate, 1,
                       bufferTime) < 0) {
        return false;
    }
    return alsa.writeFrames(pcm, tone.data(), tone.size()) > 0 && alsa.start(pcm) >= 0;
}

}  // namespace

ToneBeeper::ToneBeeper(Clock& clock, std::string output)
    : clock_(clock), output_(std::move(output)) {}

void ToneBeeper::Beep(int frequencyHz, Milliseconds duration) {
    duration = std::max(duration, Milliseconds(0));
    const AlsaLibrary* alsa = Alsa();
    void* pcm = nullptr;
    // Non-blocking: a device that is busy or stuck must not hold the window up.
    if (alsa == nullptr || frequencyHz <= 0 || duration == Milliseconds(0) ||
        alsa->open(&pcm, output_.c_str(), kStreamPlayback, kOpenNonBlocking) < 0) {
        clock_.Sleep(duration);
        return;
    }
    StartTone(*alsa, pcm, SineTone(frequencyHz, duration), duration);
    clock_.Sleep(duration);
    alsa->drop(pcm);
    alsa->close(pcm);
}

}  // namespace vemo
