// vemo-devsim: a simulated modulator on a pseudo-terminal, for trying the tool without the
// device. Prints the pseudo-terminal's path and serves it until interrupted.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "sim/pty_device.h"
#include "sim/sim_options.h"

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
    // Block the stop signals before the serving thread starts, so only sigwait sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    vemo::SimDevice device(options.identity);
    vemo::PtyDevice pty(device, {.paced = options.paced});
    if (!pty.Start()) {
        std::fprintf(stderr, "vemo-devsim: %s\n", pty.Error().c_str());
        return 1;
    }
    std::printf("%s\n", pty.Path().c_str());
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stopSignals, &signal);
    pty.Stop();
    return 0;
}
