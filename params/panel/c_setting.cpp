#include "params/panel/c_setting.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStringList>
#include <QTableWidget>
#include <QTimerEvent>
#include <array>
#include <utility>

#include "app/dialog_control.h"
#include "app/session_flags.h"
#include "app/startup_values.h"
#include "app/translations.h"
#include "firmware/upgrade_rules.h"
#include "params/panel_control_ids.h"
#include "params/parameter_block.h"
#include "platform/prompter.h"
#include "storage/configuration_file.h"
#include "storage/default_store.h"
#include "storage/iq_calibration_file.h"
#include "storage/iq_cell_edit.h"
#include "storage/logo_files.h"
#include "storage/ui/c_in_place_edit.h"
#include "storage/ui/iq_table_view.h"
#include "ui_template_129_settings_panel.h"

namespace vemo {

namespace {

using namespace panel_id;

// Labels that speak the interface language: control id and the translation row, in the
// order they are set. Rows 24 and 25 serve both the network and the service fields.
constexpr std::array<std::pair<int, int>, 24> kTranslatedLabels = {{
    {1016, 9},  {1017, 10}, {1023, 11}, {1027, 12}, {1031, 13}, {1033, 14}, {1037, 15}, {1038, 16},
    {1039, 17}, {1040, 18}, {1041, 19}, {1042, 20}, {1043, 21}, {1045, 22}, {1062, 23}, {1046, 24},
    {1047, 25}, {1048, 26}, {1049, 24}, {1050, 25}, {1051, 27}, {1052, 28}, {1053, 29}, {1054, 30},
}};

// In view of the maker's staff only.
constexpr std::array kManufacturerControls = {ReferenceLabel,       ReferenceField,
                                              DefaultCountryLabel,  DefaultCountryList,
                                              FirmwareReloadButton, IqTableView};

constexpr int kPictureTickEvery = 16;
constexpr int kLevelTickEvery = 5;
// From hardware version 3 on, model 0x78 has an IQ calibration table.
constexpr int kFirstIqHardware = 3;
constexpr int kDefaultsStoredHz = 880;
constexpr Milliseconds kDefaultsStoredBeep{200};
// The status poll's reply is copied into a buffer of this size.
constexpr std::size_t kPollReplySize = 8;

// A label is a static text, or the title of a group box (Network, Service).
void SetCaption(QWidget& control, const QString& text) {
    if (auto* group = qobject_cast<QGroupBox*>(&control)) {
        group->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(&control)) {
        label->setText(text);
    }
}

void FillList(QComboBox& list, const QStringList& entries) {
    list.clear();
    list.addItems(entries);
}

// The template has every control the panel names; tests make sure of it.
template <class Control = QWidget>
Control& Find(const QWidget& panel, int id) {
    return *FindControl<Control>(panel, id);
}

QString ToQString(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

}  // namespace

CSetting::CSetting(const PanelContext& context, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::Template129>()),
      context_(context),
      exchange_(context.xmit, context.beeper, context.status, context.startup.UiLanguage),
      storageUser_{context.prompter, context.status, context.beeper, context.startup.BaseDirectory},
      iqExchange_(context.xmit, context.startup.ManufacturerMode) {
    ui_->setupUi(this);
    fullSize_ = size();
    ConnectNotifications();
    hide();
}

CSetting::~CSetting() = default;

void CSetting::ConnectNotifications() {
    const auto edited = [this] { cycle_.Schedule(ApplyCycle::kAfterEdit); };
    for (const ControlBinding& binding : PanelBindings()) {
        switch (binding.kind) {
            case ControlKind::List:
                // Only the user's choices count: the panel's own selections raise nothing.
                if (binding.id == DefaultCountryList) {
                    connect(&Find<QComboBox>(*this, binding.id), &QComboBox::activated, this,
                            &CSetting::OnDefaultCountryPicked);
                } else {
                    connect(&Find<QComboBox>(*this, binding.id), &QComboBox::activated, this,
                            edited);
                }
                break;
            case ControlKind::Slider: {
                auto& slider = Find<QSlider>(*this, binding.id);
                connect(&slider, &QSlider::actionTriggered, this, [this] { RefreshLabels(); });
                slider.installEventFilter(this);
                break;
            }
            case ControlKind::Number:
            case ControlKind::Text:
                // Text the panel shows raises this as typing does; each parse ends by clearing
                // the countdown again.
                connect(&Find<QLineEdit>(*this, binding.id), &QLineEdit::textChanged, this, edited);
                break;
        }
    }
    connect(&Find<QPushButton>(*this, SetDefaultsButton), &QPushButton::clicked, this,
            [this] { cycle_.RequestDefaults(); });
    connect(&Find<QPushButton>(*this, FirmwareReloadButton), &QPushButton::clicked, this,
            [this] { RequestFirmwareReload(context_.flags); });
    const auto fileButton = [this](int id, auto action, FileDirection direction) {
        connect(&Find<QPushButton>(*this, id), &QPushButton::clicked, this,
                [this, action, direction] { (this->*action)(direction); });
    };
    fileButton(SaveButton, &CSetting::LoadSaveConfiguration, FileDirection::Save);
    fileButton(LoadButton, &CSetting::LoadSaveConfiguration, FileDirection::Load);
    fileButton(IqToFileButton, &CSetting::LoadSaveIqCalibration, FileDirection::Save);
    fileButton(IqFromFileButton, &CSetting::LoadSaveIqCalibration, FileDirection::Load);
    connect(&Find<QTableWidget>(*this, IqTableView), &QTableWidget::cellDoubleClicked, this,
            &CSetting::OnIqCellDoubleClicked);
}

void CSetting::FirstSetUp() {
    for (const ControlBinding& binding : PanelBindings()) {
        if (binding.kind == ControlKind::Slider) {
            auto& slider = Find<QSlider>(*this, binding.id);
            slider.setRange(binding.low, binding.high);
            slider.setTickInterval(binding.id == LevelSlider ? kLevelTickEvery : kPictureTickEvery);
        } else if (binding.kind == ControlKind::Text) {
            Find<QLineEdit>(*this, binding.id).setMaxLength(binding.high);
        }
    }
    TranslateLabels();
    for (int id : kManufacturerControls) {
        Find(*this, id).setVisible(context_.startup.ManufacturerMode);
    }
    SetUpIqTableView(Find<QTableWidget>(*this, IqTableView));
    // The logo files as they are now; ones added later appear at the next start.
    QComboBox& logos = Find<QComboBox>(*this, LogosList);
    for (const std::u16string& name : LogoFileNames(context_.startup.BaseDirectory)) {
        logos.addItem(ToQString(name));
    }
    logos.setCurrentIndex(-1);
}

void CSetting::TranslateLabels() {
    for (const auto& [controlId, messageId] : kTranslatedLabels) {
        if (QWidget* control = FindControl(*this, controlId)) {
            SetCaption(*control, ToQString(Translate(messageId, context_.startup.UiLanguage)));
        }
    }
}

void CSetting::SetUpForDevice(const DeviceIdentity& identity) {
    const bool model82 = identity.IsModel82();
    Find(*this, IqTableView).setEnabled(identity.HardwareVersion >= kFirstIqHardware);
    FillList(Find<QComboBox>(*this, DefaultCountryList),
             model82 ? QStringList{"FRENCH", "ENGLISH", "ITALIAN", "DEUTSCH", "ESPANOL", "POLSKI"}
                     : QStringList{"FRENCH", "ENGLISH", "ITALIAN", "DEUTSCH", "POLSKI", "ESPANOL"});
    FillList(Find<QComboBox>(*this, LcnTypeList),
             model82 ? QStringList{"EACEM", "ITC", "NORDIG"} : QStringList{"EACEM", "ITC"});
    FillList(Find<QComboBox>(*this, PictureFormatList),
             model82 ? QStringList{"16/9", "4/3"} : QStringList{"4/3", "16/9"});
    for (int id : {VideoCodecList, AudioCodecList, EitNameField, EitTextField}) {
        Find(*this, id).setEnabled(model82);
    }
    // IQ files serve model 0x78 only, whatever its hardware version.
    for (int id : {IqFromFileButton, IqToFileButton}) {
        Find(*this, id).setEnabled(!model82);
    }
    if (model82) {
        members_.image.VideoCodec = 1;  // MPEG2-SD
        members_.image.AudioCodec = 1;  // MPEG1-L2
        members_.image.EitName.clear();
        members_.image.EitText.clear();
    }
    show();
    cycle_.Reset();
    cycleRunning_ = true;
    timers_.Arm(kCycleTimer, kFirstCyclePeriod);
    ReadIqTable();
    ReadParameterBlock();
}

void CSetting::StopTimer() {
    cycleRunning_ = false;
    timers_.Stop(kCycleTimer);
}

int CSetting::UpperAreaHeight() const {
    return Find(*this, UpperAreaFrame).height();
}

void CSetting::ReadParameterBlock() {
    valuesKnown_ =
        exchange_.ReadParameterBlock(members_.set, members_.image) == BlockOutcome::Complete;
    FinishParse();
}

BlockOutcome CSetting::ParseBlock(std::span<const std::uint8_t> block) {
    const BlockOutcome outcome = exchange_.ParseBlock(block, members_.set, members_.image);
    if (outcome == BlockOutcome::Complete) {
        valuesKnown_ = true;
    }
    FinishParse();
    return outcome;
}

void CSetting::FinishParse() {
    if (context_.xmit.Identity().IsModel82()) {
        Find<QComboBox>(*this, LogosList).setEditText(ToQString(members_.image.LogoName));
    }
    ShowMembers(members_, widgets_);
    // After a read that brought no block, the values shown are not the device's, nor anything
    // the user typed: a range message about them (a frequency of 0 before the first block)
    // would only confuse.
    RefreshLabels(valuesKnown_ ? InputCheck::Report : InputCheck::Quiet);
    // Showing the values raised the same notifications as editing them: nothing is pending.
    cycle_.Clear();
}

std::uint16_t CSetting::BuildBlock(std::span<std::uint8_t, kBlockCapacity> block) {
    ReadPanel();
    // The logo goes with the defaults only; an ordinary write sends the one last read.
    if (cycle_.DefaultsRequested()) {
        members_.image.LogoName = Find<QComboBox>(*this, LogosList).currentText().toStdU16String();
    }
    std::size_t length = 0;
    if (!BuildParameterBlock(context_.xmit.Identity().ModelCode, members_.set, members_.image,
                             block, length)) {
        return 0;
    }
    return static_cast<std::uint16_t>(length);
}

void CSetting::WriteParameterBlock(ParameterSlot slot) {
    std::array<std::uint8_t, kBlockCapacity> block{};
    const std::uint16_t length = BuildBlock(block);
    if (length != 0) {
        exchange_.WriteParameterBlock(slot, std::span(block).first(length));
    }
    cycle_.Clear();
    ReadParameterBlock();
}

void CSetting::StoreDefaults() {
    // The logo name was taken from the Logos combo by the build just before.
    vemo::StoreDefaults(context_.xmit, context_.startup.BaseDirectory, members_.image.LogoName);
}

void CSetting::LoadSaveConfiguration(FileDirection direction) {
    const ConfigurationPanel panel{
        [this] {
            std::array<std::uint8_t, kBlockCapacity> block{};
            const std::uint16_t length = BuildBlock(block);
            return std::vector<std::uint8_t>(block.begin(), block.begin() + length);
        },
        [this](std::span<const std::uint8_t> block) { return ParseBlock(block); }};
    if (vemo::LoadSaveConfiguration(direction, context_.xmit.Identity().ModelCode, storageUser_,
                                    panel) == FileOutcome::Loaded) {
        cycle_.RequestDefaults();
    }
}

void CSetting::ReadIqTable() {
    // Any read empties the table first, so the list follows even when nothing came.
    if (iqExchange_.ReadIqTable(iqTable_) != IqReadOutcome::NotAvailable) {
        ShowIqTable();
    }
}

void CSetting::WriteIqTable() {
    iqExchange_.WriteIqTable(iqTable_);
}

void CSetting::ShowIqTable() {
    vemo::ShowIqTable(Find<QTableWidget>(*this, IqTableView), iqTable_);
}

void CSetting::LoadSaveIqCalibration(FileDirection direction) {
    vemo::LoadSaveIqCalibration(direction, storageUser_, iqTable_, [this] {
        ShowIqTable();
        WriteIqTable();
    });
}

void CSetting::OnIqCellDoubleClicked(int row, int column) {
    const std::span<const IqPoint> rows = iqTable_.Used();
    if (row < 0 || row >= static_cast<int>(rows.size())) {
        return;
    }
    const IqPoint& point = rows[static_cast<std::size_t>(row)];
    auto& list = Find<QTableWidget>(*this, IqTableView);
    switch (column) {
        case kIqColumnFrequency: {
            // The table is in MHz, the panel in kHz.
            constexpr int kKilohertzPerMegahertz = 1000;
            members_.set.Frequency = point.frequency * kKilohertzPerMegahertz;
            widgets_.SetText(FrequencyField,
                             QString::number(members_.set.Frequency).toStdU16String());
            cycle_.Schedule(ApplyCycle::kAfterEdit);
            break;
        }
        case kIqColumnDAmp:
        case kIqColumnDPhi:
            new CInPlaceEdit(list, row, column,
                             QString::number(column == kIqColumnDAmp ? point.dAmp : point.dPhi),
                             list.visualRect(list.model()->index(row, column)),
                             [this](int item, int subItem, std::optional<std::u16string> text) {
                                 OnIqCellEdited(item, subItem, std::move(text));
                             });
            break;
        default:
            break;
    }
}

void CSetting::OnIqCellEdited(int row, int column, std::optional<std::u16string> text) {
    ApplyCellEdit(iqTable_, row, column, text);
    ShowIqTable();
    // An edit that ends because the link was lost (the panel is hidden then) has no device to
    // go to: the next connection reads the table again.
    if (cycleRunning_) {
        WriteIqTable();
    }
}

void CSetting::ReadPanel(InputCheck check) {
    const std::optional<InputProblem> problem = ReadControls(widgets_, members_);
    if (!problem || check == InputCheck::Quiet) {
        return;
    }
    context_.prompter.ShowMessageBox(problem->message);
    if (QWidget* control = FindControl(*this, problem->controlId)) {
        control->setFocus();
    }
}

void CSetting::RefreshLabels() {
    RefreshLabels(InputCheck::Report);
}

void CSetting::RefreshLabels(InputCheck check) {
    ReadPanel(check);
    const ParameterSet& set = members_.set;
    Find<QLabel>(*this, LevelValue).setText(ToQString(LevelText(set.LevelPosition)));
    Find<QLabel>(*this, LightValue).setText(QString::number(set.Light));
    Find<QLabel>(*this, ContrastValue).setText(QString::number(set.Contrast));
    Find<QLabel>(*this, SaturationValue).setText(QString::number(set.Saturation));
    cycle_.Schedule(ApplyCycle::kAfterSliderMove);
}

void CSetting::OnDefaultCountryPicked() {
    ReadPanel();
    members_.set.Country = members_.set.DefaultCountry;
    cycle_.Schedule(ApplyCycle::kAfterEdit);
}

void CSetting::WriteCurrentParameters() {
    WriteParameterBlock(ParameterSlot::Current);
}

void CSetting::StoreDefaultParameters() {
    if (context_.xmit.Identity().IsModel82()) {
        StoreDefaults();
    } else {
        WriteParameterBlock(ParameterSlot::Default);
    }
}

void CSetting::SignalDefaultsStored() {
    context_.beeper.Beep(kDefaultsStoredHz, kDefaultsStoredBeep);
}

bool CSetting::PollReportsChange() {
    std::array<std::uint8_t, kPollReplySize> reply{};
    if (context_.xmit.PollStatus(reply) == 0) {
        return false;
    }
    // Model 0x82 announces nothing this way.
    return context_.xmit.Identity().ModelCode == kModel78 &&
           reply[kDeviceStatusByte] == kStatusParametersChanged;
}

void CSetting::OnTimer(int id) {
    timers_.Stop(id);
    cycle_.Tick(*this);
    // A message box of this tick lets the link watch run; if it dropped the connection
    // meanwhile, the cycle stays stopped.
    if (cycleRunning_) {
        timers_.Arm(kCycleTimer, kCyclePeriod);
    }
}

void CSetting::timerEvent(QTimerEvent* event) {
    if (!timers_.Deliver(event->timerId(), [this](int id) { OnTimer(id); })) {
        QWidget::timerEvent(event);
    }
}

void CSetting::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

bool CSetting::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        cycle_.Schedule(ApplyCycle::kAfterEdit);
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vemo
