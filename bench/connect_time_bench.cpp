// Time from the simulated device appearing on the machine to "Hardware connected", set against
// the delays that path is made of: the wait for the supervisor's next attempt (it tries again
// one second after a scan that found nothing) and the line time of the connection's requests
// (identification, firmware check, parameter read) at 115200 baud. Whatever is left is the
// tool's own waiting. The device appears at seeded random moments, on a paced pseudo-terminal.
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <random>

#include "bench/bench_support.h"
#include "bench/window_on_line.h"
#include "sim/pty_device.h"

namespace vemo {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::duration;

constexpr int kTrials = 5;
constexpr Milliseconds kRetryPeriod{1000};

struct Trial {
    double fixed = 0;  // seconds: the wait for the next attempt and the line time
    double measured = 0;
};

std::optional<Trial> Connect(std::uint8_t model, Milliseconds appearAfter) {
    bench::ScratchFolder base;
    if (model == kModel78) {
        // Up to date, so the firmware check reads the modules back and writes nothing.
        bench::WritePackage(base.Path() / "firmware", 23, 600, 450);
    }
    SimDevice device(model == kModel82 ? SimIdentity{kModel82, 22, 0, 0, true}
                                       : SimIdentity{kModel78, 23, 0, 3, true});
    PtyDevice line(device, {.paced = true});
    if (!line.Start()) {
        std::fprintf(stderr, "connect: %s\n", line.Error().c_str());
        return std::nullopt;
    }
    // The port's name exists only once the device has appeared.
    const std::filesystem::path port = base.Path() / "ttyVEMO";
    bench::WindowOnLine window(port.string(), base.Path());

    Clock::time_point appeared{};
    Clock::time_point lastScanEnd{};
    std::uint64_t carriedBefore = 0;
    Clock::time_point connected{};
    QEventLoop loop;
    QTimer::singleShot(appearAfter, Qt::PreciseTimer, [&] {
        lastScanEnd = window.catalogue.LastLookup();
        carriedBefore = line.BytesCarried();
        std::filesystem::create_symlink(line.Path(), port);
        appeared = Clock::now();
    });
    // Looks in between the supervisor's steps: it holds the thread while it connects.
    QTimer watch;
    watch.setTimerType(Qt::PreciseTimer);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (appeared != Clock::time_point{} && window.Connected()) {
            connected = Clock::now();
            loop.quit();
        }
    });
    watch.start(1);
    QTimer::singleShot(appearAfter + 10 * kRetryPeriod, &loop, &QEventLoop::quit);
    loop.exec();
    if (connected == Clock::time_point{}) {
        std::fprintf(stderr, "connect: model 0x%02X never connected\n", model);
        return std::nullopt;
    }
    const double attemptWait = duration<double>(lastScanEnd + kRetryPeriod - appeared).count();
    return Trial{attemptWait + bench::LineSeconds(line.BytesCarried() - carriedBefore),
                 duration<double>(connected - appeared).count()};
}

}  // namespace
}  // namespace vemo

int main(int argc, char** argv) {
    using namespace vemo;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::mt19937 random(9);
    for (const std::uint8_t model : {kModel82, kModel78}) {
        double fixed = 0;
        double measured = 0;
        for (int trial = 0; trial < kTrials; ++trial) {
            const Milliseconds appearAfter(std::uniform_int_distribution<int>(1200, 2200)(random));
            const std::optional<Trial> result = Connect(model, appearAfter);
            if (!result) {
                return 1;
            }
            fixed += result->fixed;
            measured += result->measured;
        }
        char figure[80];
        std::snprintf(figure, sizeof figure, "device appearing to connected, model 0x%02X", model);
        char detail[160];
        std::snprintf(detail, sizeof detail,
                      "fixed delays %.0f ms / measured %.0f ms, mean of %d random moments",
                      1000 * fixed / kTrials, 1000 * measured / kTrials, kTrials);
        bench::PrintFigure(figure, fixed / measured, detail, "close to 1");
    }
    return 0;
}
