// What the connected tool costs while the user does nothing: the CPU time of its one thread
// over 10 s of the panel's polling (a status request every 200 ms, the link watch every
// 100 ms) against the simulated device on a paced pseudo-terminal, as a fraction of one core.
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <ctime>

#include "bench/bench_support.h"
#include "bench/window_on_line.h"
#include "link/command_codes.h"
#include "sim/pty_device.h"

namespace vemo {
namespace {

constexpr Milliseconds kIdle{10000};

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Runs the event loop for `time`, or until `done` holds when it is given.
void RunFor(Milliseconds time, const std::function<bool()>& done = {}) {
    QEventLoop loop;
    QTimer check;
    if (done) {
        QObject::connect(&check, &QTimer::timeout, [&] {
            if (done()) {
                loop.quit();
            }
        });
        check.start(10);
    }
    QTimer::singleShot(time, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace
}  // namespace vemo

int main(int argc, char** argv) {
    using namespace vemo;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    for (const std::uint8_t model : {kModel82, kModel78}) {
        bench::ScratchFolder base;
        SimDevice device(model == kModel82 ? SimIdentity{kModel82, 22, 0, 0, true}
                                           : SimIdentity{kModel78, 23, 0, 3, true});
        if (model == kModel78) {
            bench::WritePackage(base.Path() / "firmware", 23, 600, 450);
        }
        PtyDevice line(device, {.paced = true});
        if (!line.Start()) {
            std::fprintf(stderr, "idle: %s\n", line.Error().c_str());
            return 1;
        }
        bench::WindowOnLine window(line.Path(), base.Path());
        RunFor(Milliseconds(5000), [&] { return window.Connected(); });
        RunFor(Milliseconds(1500));  // past the first watch and the first cycle ticks
        if (!window.Connected()) {
            std::fprintf(stderr, "idle: model 0x%02X did not connect\n", model);
            return 1;
        }
        SteadyClock clock;
        const Milliseconds start = clock.Now();
        const double cpuStart = ThreadCpuSeconds();
        RunFor(kIdle);
        const double cpu = ThreadCpuSeconds() - cpuStart;
        const Milliseconds end = clock.Now();
        const bool stayed = window.Connected();
        line.Stop();
        int polls = 0;
        for (const LoggedRequest& request : device.Requests()) {
            polls +=
                request.command == command::Identify && request.time >= start && request.time < end;
        }
        if (!stayed || polls == 0) {
            std::fprintf(stderr, "idle: model 0x%02X lost its connection\n", model);
            return 1;
        }
        const double wall = std::chrono::duration<double>(end - start).count();
        char figure[80];
        std::snprintf(figure, sizeof figure, "idle CPU while connected, model 0x%02X", model);
        char detail[160];
        std::snprintf(detail, sizeof detail, "%.1f ms of CPU in %.1f s, %d polls", 1000 * cpu, wall,
                      polls);
        bench::PrintFigure(figure, cpu / wall, detail, "< 0.01 of a core");
    }
    return 0;
}
