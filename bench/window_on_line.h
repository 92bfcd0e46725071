#pragma once

#include <QWidget>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "app/c_info.h"
#include "app/kora_panel_dlg.h"
#include "app/session_flags.h"
#include "app/startup_values.h"
#include "firmware/firmware_upgrade.h"
#include "firmware/ui/widget_input.h"
#include "link/cxmit.h"
#include "params/panel/c_setting.h"
#include "platform/qt_prompter.h"
#include "platform/qt_serial_port.h"

namespace vemo::bench {

// A machine with one serial port, whose path may not exist yet. Notes when the scan last
// looked a port number up, which is when a scan that found nothing ended.
class OnePortCatalogue final : public PortCatalogue {
public:
    explicit OnePortCatalogue(std::string path) : path_(std::move(path)) {}
    void Refresh() override {}
    std::optional<std::string> PortName(std::uint8_t number) const override {
        lastLookup_ = std::chrono::steady_clock::now();
        return number == 0 ? std::optional(path_) : std::nullopt;
    }
    std::chrono::steady_clock::time_point LastLookup() const { return lastLookup_; }

private:
    std::string path_;
    mutable std::chrono::steady_clock::time_point lastLookup_{};
};

// Nothing to hear: a benchmark measures the line, not the speaker.
class SilentBeeper final : public Beeper {
public:
    void Beep(int, Milliseconds) override {}
};

// The tool's main window built as the application builds it, on a machine whose only serial
// port is `portPath`, with its folders under `baseDirectory`.
class WindowOnLine {
public:
    WindowOnLine(const std::string& portPath, const std::filesystem::path& baseDirectory)
        : startup(LoadStartupValues(baseDirectory)), catalogue(portPath) {
        dialog = std::make_unique<CKoraPanelDlg>(startup, xmit, flags, setting, info, [this] {
            FirmwareContext context{xmit, info, beeper, prompter, flags, startup.FirmwareDirectory,
                                    0};
            WidgetInput input(*dialog);
            return RunFirmwareUpgrade(context, input);
        });
        dialog->show();
    }
    ~WindowOnLine() { xmit.ClosePort(); }

    // The supervisor's title carries the device's versions once it is connected.
    bool Connected() const { return dialog->windowTitle().contains(" (S"); }

    StartupValues startup;
    SteadyClock clock;
    QtSerialPort port;
    OnePortCatalogue catalogue;
    CXmit xmit{port, catalogue, clock};
    SessionFlags flags;
    SilentBeeper beeper;
    QtPrompter prompter;
    CInfo info{clock};
    CSetting setting{PanelContext{startup, xmit, flags, beeper, info, prompter}};
    std::unique_ptr<CKoraPanelDlg> dialog;
};

}  // namespace vemo::bench
