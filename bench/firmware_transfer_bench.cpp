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

constexpr double kBitsPerByte = 10;
constexpr double kBaud = 115200;

// Nobody watching: no message waits, no window to lock.
class Unattended final : public StatusSink, public Beeper, public Prompter, public WindowInput {
public:
    void ShowMessage(std::u16string_view, Milliseconds, bool) override {}
    void ShowProgress(int, int) override {}
    void Beep(int, Milliseconds) override {}
    void ShowMessageBox(std::u16string_view) override { boxes++; }
    std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest&) override {
        return std::nullopt;
    }
    void SetInputEnabled(bool) override {}
    void DiscardPendingInput() override {}
    int boxes = 0;
};

std::vector<std::uint8_t> Pattern(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 31 + i / 251 + seed);
    }
    return bytes;
}

// A module as the simulated device keeps it: "VEMO" and the version byte, then its code.
std::vector<std::uint8_t> Module(std::uint8_t version, std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> content = Pattern(size, seed);
    for (int i = 0; i < 4; ++i) {
        content[static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(kSimModuleIdentification >> (24 - 8 * i));
    }
    content[4] = version;
    return content;
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
    bench::WriteFile(path,
                     std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

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
    const double wire = static_cast<double>(carried) * kBitsPerByte / kBaud;
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
        std::vector<std::uint8_t> image = Pattern(256 * 1024, 7);
        image[0] = 23;  // the simulated device runs the version in an image's first byte
        const std::string name = "KORALIN_23_bench_" + Md5Text(image) + ".bin";
        bench::WriteFile(folder.Path() / name, image);
        SimDevice device(SimIdentity{kModel82, 22, 0, 0, true});
        Measure("firmware transfer, model 0x82, 256 KiB image", device, folder.Path());
    }
    {
        bench::ScratchFolder folder;
        const std::filesystem::path package = folder.Path() / "H3";
        // The simulated device's two stock modules, grown to a real package's size.
        const std::vector<std::uint8_t> system = Module(24, 48 * 1024, 1);
        const std::vector<std::uint8_t> encoder = Module(24, 16 * 1024, 2);
        bench::WriteFile(package / "system.bin", system);
        bench::WriteFile(package / "encoder.bin", encoder);
        const std::string table = "768 4 4 1447382351 8 24 L System system.bin " + Md5Text(system) +
                                  "\r\n769 0 4 1447382351 4 24 - Encoder " + "encoder.bin " +
                                  Md5Text(encoder) + "\r\n";
        WriteText(package / "firmware.cfg", table);
        WriteText(
            package / "extension.bin",
            Md5Text(std::span(reinterpret_cast<const std::uint8_t*>(table.data()), table.size())) +
                "\r\n");
        SimDevice device(SimIdentity{kModel78, 23, 0, 3, true});
        Measure("firmware transfer, model 0x78, 64 KiB package", device, folder.Path());
    }
    return 0;
}
