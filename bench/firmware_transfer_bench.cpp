// Firmware transfer against the line itself: the simulated device on a pseudo-terminal carries
// bytes at 115200 baud both ways, and the time the line needs for exactly the bytes that crossed
// it is set against the measured time of the whole upgrade run (checks, transfer, read-backs,
// restart). What is left over is the tool's own cost per request.
#include <QCoreApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "firmware/firmware_upgrade.h"
#include "firmware/md5.h"
#include "platform/qt_serial_port.h"
#include "sim/pty_device.h"

namespace vemo {
namespace {

// Nobody watching: no message waits, no window to lock.
class Unattended final : public StatusSink, public Beeper, public Prompter, public WindowInput {
public:
    void ShowMessage(std::u16string_view, Milliseconds, bool) override {}
    void ShowProgress(int, int) override {}
    void Beep(int, Milliseconds) override {}
    void ShowMessageBox(std::u16string_view) override { boxes++; }
    bool AskYesNo(std::u16string_view) override { return false; }
    std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest&) override {
        return std::nullopt;
    }
    void SetInputEnabled(bool) override {}
    void DiscardPendingInput() override {}
    int boxes = 0;
};

// Runs the upgrade of a device found on a paced pseudo-terminal and prints the figure.
void Measure(const char* figure, SimDevice& device, const std::filesystem::path& firmware) {
    // Only the line counts: the device stores and restarts at once.
    device.firmware.imageStoreTime = Milliseconds(0);
    PtyDevice line(device, {.paced = true});
    if (!line.Start()) {
        std::fprintf(stderr, "%s: %s\n", figure, line.Error().c_str());
        return;
    }
    SteadyClock clock;
    QtSerialPort port;
    SystemPortCatalogue catalogue({line.Path()});
    CXmit xmit(port, catalogue, clock);
    Unattended user;
    SessionFlags flags;
    FirmwareContext context{xmit, user, user, user, flags, firmware, 0};
    if (!xmit.FindDevice()) {
        std::fprintf(stderr, "%s: no device on %s\n", figure, line.Path().c_str());
        return;
    }
    const std::uint8_t before = xmit.Identity().SoftwareVersion;
    const std::uint64_t carriedBefore = line.BytesCarried();
    bool attempted = false;
    const double measured = bench::Seconds([&] { attempted = RunFirmwareUpgrade(context, user); });
    const std::uint64_t carried = line.BytesCarried() - carriedBefore;
    line.Stop();
    if (!attempted || device.restarts != 1 || user.boxes != 0 ||
        device.identity.SoftwareVersion == before) {
        std::fprintf(stderr, "%s: the upgrade did not run through\n", figure);
        return;
    }
    const double wire = bench::LineSeconds(carried);
    char detail[160];
    std::snprintf(detail, sizeof detail, "line %.2f s for %llu bytes / measured %.2f s", wire,
                  static_cast<unsigned long long>(carried), measured);
    bench::PrintFigure(figure, wire / measured, detail, ">= 0.97");
}

}  // namespace
}  // namespace vemo

int main(int argc, char** argv) {
    using namespace vemo;
    QCoreApplication application(argc, argv);  // Qt Serial Port's notifiers need one
    {
        bench::ScratchFolder folder;
        std::vector<std::uint8_t> image = bench::Pattern(256 * 1024, 7);
        image[0] = 23;  // the simulated device runs the version in an image's first byte
        const std::string name = "KORALIN_23_bench_" + Md5Text(image) + ".bin";
        bench::WriteFile(folder.Path() / name, image);
        SimDevice device(SimIdentity{kModel82, 22, 0, 0, true});
        Measure("firmware transfer, model 0x82, 256 KiB image", device, folder.Path());
    }
    {
        bench::ScratchFolder folder;
        // The simulated device's two stock modules, grown to a real package's size.
        bench::WritePackage(folder.Path(), 24, 48 * 1024, 16 * 1024);
        SimDevice device(SimIdentity{kModel78, 23, 0, 3, true});
        Measure("firmware transfer, model 0x78, 64 KiB package", device, folder.Path());
    }
    return 0;
}
