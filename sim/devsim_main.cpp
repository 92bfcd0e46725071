// vemo-devsim: a simulated modulator on a pseudo-terminal, for trying the tool without the
// device. Prints the pseudo-terminal's path and serves it until interrupted. SIGUSR1 changes
// the frequency as someone at the device's own controls would.
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "sim/pty_device.h"
#include "sim/sim_options.h"

namespace {

// One UHF channel up, from the top back to the bottom of the band.
constexpr std::int32_t kChannelStepKhz = 8000;
constexpr std::int32_t kLowestUhfKhz = 474000;
constexpr std::int32_t kHighestUhfKhz = 858000;

std::int32_t NextChannel(std::int32_t frequency) {
    const std::int32_t next = frequency + kChannelStepKhz;
    return next < kLowestUhfKhz || next > kHighestUhfKhz ? kLowestUhfKhz : next;
}

}  // namespace

int main(int argc, char** argv) {
    vemo::SimOptions options;
    std::string error;
    if (!vemo::ParseSimOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "vemo-devsim: %s\n%s", error.c_str(), vemo::kSimOptionsUsage);
        return 2;
    }
    if (options.help) {
        std::printf("%s", vemo::kSimOptionsUsage);
        return 0;
    }
    // Block the signals before the serving thread starts, so only sigwait sees them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    vemo::SimDevice device(options.identity);
    vemo::PtyDevice pty(device, {.paced = options.paced});
    if (!pty.Start()) {
        std::fprintf(stderr, "vemo-devsim: %s\n", pty.Error().c_str());
        return 1;
    }
    std::printf("%s\n", pty.Path().c_str());
    std::fflush(stdout);
    int signal = 0;
    while (sigwait(&signals, &signal) == 0 && signal == SIGUSR1) {
        std::int32_t frequency = 0;
        pty.Change([&frequency](vemo::SimDevice& device) {
            device.ChangeParametersOnDevice([&frequency](vemo::ParameterSet& set) {
                set.Frequency = frequency = NextChannel(set.Frequency);
            });
        });
        std::fprintf(stderr, "vemo-devsim: frequency changed on the device to %d kHz\n",
                     static_cast<int>(frequency));
    }
    pty.Stop();
    return 0;
}
