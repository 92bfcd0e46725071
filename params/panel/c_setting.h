#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "link/device_identity.h"
#include "params/apply_cycle.h"
#include "params/block_fields.h"
#include "params/panel/panel_widgets.h"
#include "params/panel_fields.h"
#include "params/parameter_exchange.h"
#include "platform/window_timers.h"
#include "storage/iq_table.h"
#include "storage/iq_table_exchange.h"
#include "storage/storage_user.h"

namespace Ui {
class Template129;
}

namespace vemo {

class Prompter;
struct SessionFlags;
struct StartupValues;

// What the settings panel works with besides its own controls; all of it outlives the panel.
struct PanelContext {
    const StartupValues& startup;
    CXmit& xmit;
    SessionFlags& flags;
    Beeper& beeper;
    StatusSink& status;
    Prompter& prompter;
};

// The settings panel (template 129): one control per device parameter in its upper area, the
// manufacturer's tools in the lower area. Created hidden; shown while a device is connected.
// Every edit sets ApplyCountdown; the panel timer writes the parameters a few ticks after the
// user stops and reads them back, and polls the device while nothing is pending.
class CSetting final : public QWidget, private ApplyCycleSteps {
    Q_OBJECT

public:
    // Timer 0 drives the apply-and-poll cycle while a device is connected.
    static constexpr int kCycleTimer = 0;
    static constexpr Milliseconds kFirstCyclePeriod{100};
    static constexpr Milliseconds kCyclePeriod{200};

    explicit CSetting(const PanelContext& context, QWidget* parent = nullptr);
    ~CSetting() override;

    // Run once, right after the main window has taken the panel in: slider ranges, field
    // lengths, the labels in the interface language, the manufacturer's controls.
    void FirstSetUp();
    // Run each time a device has been identified: adapts the controls to its model, shows the
    // panel, starts the cycle and reads the device's parameters. Pending changes are dropped.
    void SetUpForDevice(const DeviceIdentity& identity);
    // Stops the cycle, as the link watch does when the connection is dropped.
    void StopTimer();

    // The parameter block of the connected model, read from the device into the controls.
    void ReadParameterBlock();
    // A block from the device or a configuration file into the members and the controls;
    // nothing is pending afterwards. Tells whether the block was taken.
    BlockOutcome ParseBlock(std::span<const std::uint8_t> block);
    // Reads the controls (telling the user of a value it does not take) and builds the block of
    // the connected model into `block`, with out-of-range values corrected. Returns its length.
    std::uint16_t BuildBlock(std::span<std::uint8_t, kBlockCapacity> block);
    // Builds the block, sends it to `slot` and reads the device's parameters back.
    void WriteParameterBlock(ParameterSlot slot);
    // Model 0x82: stores the current parameters and the chosen logo as the device's defaults,
    // and the device restarts.
    void StoreDefaults();
    // SAVE: the block built from the controls into a configuration file. LOAD: a file into
    // the panel, then written on the next tick as the current and the default parameters.
    void LoadSaveConfiguration(FileDirection direction);

    // The IQ calibration table of a model 0x78 from hardware 3, for the maker's staff only;
    // elsewhere the device exchanges do nothing.
    void ReadIqTable();
    void WriteIqTable();
    // The list's rows in line with the table.
    void ShowIqTable();
    // "-> TO FILE" saves the table as held; "<- FROM FILE" loads, shows and writes one.
    void LoadSaveIqCalibration(FileDirection direction);
    // Reads the controls and rewrites the level and picture value labels; the write waits
    // for the slider to settle.
    void RefreshLabels();

    ApplyCycle& Cycle() { return cycle_; }
    const ApplyCycle& Cycle() const { return cycle_; }
    const PanelMembers& Members() const { return members_; }

    // The template's whole size, and the height of the frame (1072) over the upper area,
    // the part ordinary users see.
    QSize FullSize() const { return fullSize_; }
    int UpperAreaHeight() const;

    void OnTimer(int id);
    const WindowTimers& Timers() const { return timers_; }

protected:
    void timerEvent(QTimerEvent* event) override;
    // Enter and Escape do nothing here, so they never reach the main window and close it.
    void keyPressEvent(QKeyEvent* event) override;
    // A slider let go by the mouse.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ValuesMayBeWritten() const override { return valuesKnown_; }
    void WriteCurrentParameters() override;
    void StoreDefaultParameters() override;
    void SignalDefaultsStored() override;
    bool PollReportsChange() override;
    void ReadParameters() override { ReadParameterBlock(); }

    void ConnectNotifications();
    void TranslateLabels();
    void FinishParse();
    // Whether a value the panel does not take is put to the user when the controls are read.
    enum class InputCheck { Report, Quiet };
    // Controls to members; a value the panel does not take is shown in a message box and the
    // focus goes to its control, when reported.
    void ReadPanel(InputCheck check = InputCheck::Report);
    void RefreshLabels(InputCheck check);
    void OnDefaultCountryPicked();
    // A frequency retunes the device to it; a correction opens its cell for editing.
    void OnIqCellDoubleClicked(int row, int column);
    void OnIqCellEdited(int row, int column, std::optional<std::u16string> text);

    std::unique_ptr<Ui::Template129> ui_;
    PanelContext context_;
    ParameterExchange exchange_;
    PanelMembers members_;
    ApplyCycle cycle_;
    StorageUser storageUser_;
    IqTable iqTable_;
    IqTableExchange iqExchange_;
    // True once a block read from the device (or a file the user loaded) filled the members.
    bool valuesKnown_ = false;
    bool cycleRunning_ = false;
    PanelWidgets widgets_{*this};
    QSize fullSize_;
    WindowTimers timers_{*this};
};

}  // namespace vemo
