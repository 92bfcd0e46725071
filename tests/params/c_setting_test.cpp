#include "params/panel/c_setting.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <map>

#include "app/c_info.h"
#include "app/dialog_control.h"
#include "app/kora_panel_dlg.h"
#include "link/command_codes.h"
#include "params/panel_control_ids.h"
#include "support/panel_rig.h"

namespace vemo {
namespace {

using namespace std::chrono_literals;
using namespace panel_id;
using Traffic = std::vector<std::string>;
using Sound = test::RecordingBeeper::Sound;

// The device's requests as steps of the cycle: "poll", "read", "write" (current parameters),
// "write defaults", and model 0x82's default store as "command line" and "restart"; the
// requests that complete a read or a write are left out.
Traffic Summary(const std::vector<LoggedRequest>& requests) {
    Traffic steps;
    for (const LoggedRequest& request : requests) {
        const std::vector<std::uint8_t>& payload = request.payload;
        switch (request.command) {
            case command::Identify:
                steps.emplace_back("poll");
                break;
            case command::ReadParameters:
                steps.emplace_back("read");
                break;
            case command::WriteParameters:
                steps.emplace_back("write");
                break;
            case command::WriteDone:
            case command::RemoteFile:
                break;
            case command::CommandLine:
                steps.emplace_back("command line");
                break;
            case command::Restart82:
                steps.emplace_back("restart");
                break;
            case command::ObjectAccess:
                if (payload.size() == 3 && payload[0] == object_access::OpenForReading) {
                    steps.emplace_back("read");
                } else if (payload.size() == 3 && payload[0] == object_access::OpenForWriting) {
                    steps.emplace_back(payload[1] == (object_id::DefaultParameters & 0xFF)
                                           ? "write defaults"
                                           : "write");
                }
                break;
            default:
                steps.emplace_back("other");
        }
    }
    return steps;
}

QStringList Entries(const QComboBox& list) {
    QStringList entries;
    for (int i = 0; i < list.count(); ++i) {
        entries << list.itemText(i);
    }
    return entries;
}

QPoint HandleCentre(const QSlider& slider) {
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = slider.sliderPosition();
    option.sliderValue = slider.value();
    option.singleStep = slider.singleStep();
    option.pageStep = slider.pageStep();
    option.tickPosition = slider.tickPosition();
    option.tickInterval = slider.tickInterval();
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    return slider.style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider)
        .center();
}

// The left mouse button on a slider: pressed, moved with the button held, released.
void Mouse(QSlider& slider, QEvent::Type type, QPoint at) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, QPointF(at), slider.mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&slider, &event);
}

// A panel on a simulated device, driven through its timer handler as the window would.
class SettingsPanelTest : public testing::Test {
protected:
    SettingsPanelTest() { panel.FirstSetUp(); }

    void Connect(std::uint8_t model, std::uint8_t hardware = 3) {
        rig.device.identity.ModelCode = model;
        rig.device.identity.HardwareVersion = hardware;
        ASSERT_TRUE(rig.xmit.FindDevice());
        panel.SetUpForDevice(rig.xmit.Identity());
        rig.device.ClearRequests();
    }

    // Lets the panel timer run out, handles the tick and tells what the device was asked.
    Traffic Tick() {
        rig.device.ClearRequests();
        const std::optional<Milliseconds> period = panel.Timers().Period(CSetting::kCycleTimer);
        EXPECT_TRUE(period) << "the cycle runs";
        rig.clock.Sleep(period.value_or(0ms));
        panel.OnTimer(CSetting::kCycleTimer);
        EXPECT_EQ(panel.Timers().Period(CSetting::kCycleTimer), 200ms);
        return Summary(rig.device.Requests());
    }

    // Ticks until one of them writes; how many it took, 0 when none of `limit` did.
    int TicksUntilWrite(int limit = 12) {
        for (int tick = 1; tick <= limit; ++tick) {
            const Traffic traffic = Tick();
            if (std::find(traffic.begin(), traffic.end(), "write") != traffic.end()) {
                return tick;
            }
        }
        return 0;
    }

    template <class Control = QWidget>
    Control& Find(int id) {
        return *FindControl<Control>(panel, id);
    }

    // Replaces a field's text by typing.
    void Type(int id, const QString& text) {
        Find<QLineEdit>(id).selectAll();
        QTest::keyClicks(&Find<QLineEdit>(id), text);
    }

    ParameterSet Stored() const { return rig.device.StoredParameters().set; }

    test::PanelRig rig;
    CSetting panel{rig.Context()};
};

class PerModel : public SettingsPanelTest, public testing::WithParamInterface<std::uint8_t> {
protected:
    bool Model78() const { return GetParam() == kModel78; }
};

INSTANTIATE_TEST_SUITE_P(Models, PerModel, testing::Values(kModel82, kModel78),
                         [](const auto& info) {
                             return info.param == kModel82 ? "Model82" : "Model78";
                         });

TEST(SettingsPanelSetUp, ListsAndEnabledControlsFollowTheModelOnEveryConnection) {
    const QStringList countries78 = {"FRENCH",  "ENGLISH", "ITALIAN",
                                     "DEUTSCH", "POLSKI",  "ESPANOL"};
    const QStringList countries82 = {"FRENCH",  "ENGLISH", "ITALIAN",
                                     "DEUTSCH", "ESPANOL", "POLSKI"};
    struct Case {
        std::uint8_t model;
        std::uint8_t hardware;
        QStringList countries, lcnTypes, pictureFormats;
        bool codecsAndEit, iqTable, iqFiles;
    };
    const Case cases[] = {
        {kModel78, 3, countries78, {"EACEM", "ITC"}, {"4/3", "16/9"}, false, true, true},
        {kModel78, 2, countries78, {"EACEM", "ITC"}, {"4/3", "16/9"}, false, false, true},
        {kModel82, 0, countries82, {"EACEM", "ITC", "NORDIG"}, {"16/9", "4/3"}, true, false, false},
        {kModel82, 3, countries82, {"EACEM", "ITC", "NORDIG"}, {"16/9", "4/3"}, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "model " << int{c.model} << ", hardware " << int{c.hardware});
        test::PanelRig rig(SimIdentity{c.model, 23, 0, c.hardware, true});
        CSetting panel(rig.Context());
        panel.FirstSetUp();
        for (int connection = 0; connection < 2; ++connection) {
            ASSERT_TRUE(rig.xmit.FindDevice());
            panel.SetUpForDevice(rig.xmit.Identity());
            EXPECT_TRUE(panel.isVisible());
            EXPECT_EQ(panel.Timers().Period(CSetting::kCycleTimer), 100ms);
            EXPECT_EQ(Entries(*FindControl<QComboBox>(panel, DefaultCountryList)), c.countries);
            EXPECT_EQ(Entries(*FindControl<QComboBox>(panel, LcnTypeList)), c.lcnTypes);
            EXPECT_EQ(Entries(*FindControl<QComboBox>(panel, PictureFormatList)), c.pictureFormats);
            for (int id : {VideoCodecList, AudioCodecList, EitNameField, EitTextField}) {
                EXPECT_EQ(FindControl(panel, id)->isEnabled(), c.codecsAndEit) << id;
            }
            EXPECT_EQ(FindControl(panel, IqTableView)->isEnabled(), c.iqTable);
            EXPECT_EQ(FindControl(panel, IqFromFileButton)->isEnabled(), c.iqFiles);
            EXPECT_EQ(FindControl(panel, IqToFileButton)->isEnabled(), c.iqFiles);
            // The device's values, in each model's list order.
            EXPECT_EQ(FindControl<QComboBox>(panel, PictureFormatList)->currentText(), "16/9");
            EXPECT_EQ(FindControl<QLineEdit>(panel, FrequencyField)->text(), "498000");
            EXPECT_EQ(FindControl<QLabel>(panel, LevelValue)->text(), "-5dB");
            EXPECT_EQ(panel.Cycle().ApplyCountdown(), 0) << "showing the values wrote nothing";
        }
    }
}

TEST(SettingsPanelSetUp, ManufacturerControlsAreShownInManufacturerModeOnly) {
    for (bool manufacturer : {false, true}) {
        test::PanelRig rig;
        rig.startup.ManufacturerMode = manufacturer;
        CSetting panel(rig.Context());
        panel.FirstSetUp();
        panel.show();
        for (int id : {ReferenceLabel, ReferenceField, DefaultCountryLabel, DefaultCountryList,
                       FirmwareReloadButton, IqTableView}) {
            EXPECT_EQ(FindControl(panel, id)->isVisible(), manufacturer) << id;
        }
        for (int id : {SetDefaultsButton, LogosList, IqFromFileButton}) {
            EXPECT_TRUE(FindControl(panel, id)->isVisible()) << id;
        }
    }
}

TEST_F(SettingsPanelTest, SlidersHaveTheirRangesAndTextFieldsTheirLengths) {
    EXPECT_EQ(Find<QSlider>(LightSlider).maximum(), 255);
    EXPECT_EQ(Find<QSlider>(LightSlider).tickInterval(), 16);
    EXPECT_EQ(Find<QSlider>(LevelSlider).maximum(), 29);
    EXPECT_EQ(Find<QSlider>(LevelSlider).tickInterval(), 5);
    Connect(kModel82);
    Type(ServiceNameField, QString(33, 'S'));
    EXPECT_EQ(Find<QLineEdit>(ServiceNameField).text(), QString(32, 'S'));
    Type(EitTextField, QString(101, 'E'));
    EXPECT_EQ(Find<QLineEdit>(EitTextField).text().size(), 100);
}

TEST_P(PerModel, TypingAFrequencyWritesOnceOnTheThirdTickAfterTheLastDigit) {
    Connect(GetParam());
    EXPECT_EQ(Tick(), Traffic{"poll"});
    QLineEdit& field = Find<QLineEdit>(FrequencyField);
    QSignalSpy changes(&field, &QLineEdit::textChanged);
    field.selectAll();
    for (char digit : std::string("602000")) {
        QTest::keyClick(&field, digit);
        EXPECT_EQ(Tick(), Traffic{}) << "no poll while the write is pending";
    }
    EXPECT_EQ(changes.count(), 6);
    EXPECT_EQ(Tick(), Traffic{});
    EXPECT_EQ(Tick(), (Traffic{"write", "read"}));
    EXPECT_EQ(Tick(), Traffic{"poll"});
    EXPECT_EQ(Stored().Frequency, 602000);
    EXPECT_EQ(field.text(), "602000");
}

TEST_F(SettingsPanelTest, ADraggedSliderWritesOnlyAfterItIsReleased) {
    Connect(kModel78);
    QSlider& slider = Find<QSlider>(LightSlider);
    const QPoint handle = HandleCentre(slider);
    Mouse(slider, QEvent::MouseButtonPress, handle);
    for (int step = 1; step <= 3; ++step) {
        Mouse(slider, QEvent::MouseMove, handle + QPoint(10 * step, 0));
        EXPECT_EQ(Find<QLabel>(LightValue).text(), QString::number(slider.sliderPosition()))
            << "the value label follows at once";
        for (int tick = 0; tick < 6; ++tick) {
            EXPECT_EQ(Tick(), Traffic{});
        }
    }
    Mouse(slider, QEvent::MouseButtonRelease, handle + QPoint(30, 0));
    EXPECT_EQ(TicksUntilWrite(), 3);
    EXPECT_GT(slider.value(), 128);
    EXPECT_EQ(Stored().Light, slider.value());
}

TEST_F(SettingsPanelTest, ASliderMovedByKeyboardWritesOnTheTenthTick) {
    Connect(kModel78);
    QSlider& level = Find<QSlider>(LevelSlider);
    QTest::keyClick(&level, Qt::Key_End);
    EXPECT_EQ(Find<QLabel>(LevelValue).text(), "0dB");
    EXPECT_EQ(TicksUntilWrite(), 10);
    EXPECT_EQ(Stored().LevelPosition, 29);
    QTest::keyClick(&level, Qt::Key_Home);
    EXPECT_EQ(Find<QLabel>(LevelValue).text(), "-29dB");
    EXPECT_EQ(TicksUntilWrite(), 10);
    EXPECT_EQ(Stored().LevelPosition, 0);
}

TEST_P(PerModel, SetAsDefaultsWritesThenStoresTheDefaultsAndBeepsOnce) {
    Connect(GetParam());
    QComboBox& logos = Find<QComboBox>(LogosList);
    logos.setEditText("chosen.dg1");
    Find<QPushButton>(SetDefaultsButton).click();
    const Traffic commandLine(4, "command line");
    Traffic store82 = {"write", "read"};
    store82.insert(store82.end(), commandLine.begin(), commandLine.end());
    store82.push_back("restart");
    EXPECT_EQ(Tick(), (Model78() ? Traffic{"write", "read", "write defaults", "read"} : store82));
    EXPECT_EQ(rig.beeper.sounds, std::vector<Sound>{(Sound{880, 200ms})});
    if (Model78()) {
        std::vector<std::vector<std::uint8_t>> written;
        for (const LoggedRequest& request : rig.device.Requests()) {
            if (request.command == command::ObjectAccess &&
                request.payload.at(0) == object_access::Write) {
                written.push_back(request.payload);
            }
        }
        ASSERT_EQ(written.size(), 2u);
        EXPECT_EQ(written[0], written[1]) << "the same block to both objects";
        EXPECT_EQ(rig.device.objects.at(object_id::DefaultParameters),
                  rig.device.objects.at(object_id::CurrentParameters));
    } else {
        EXPECT_EQ(rig.device.StoredParameters().image.LogoName, u"chosen.dg1")
            << "the logo goes with the defaults";
    }

    if (!Model78()) {
        rig.clock.Sleep(rig.device.restartDuration);  // the store ends with a restart
    }
    logos.setEditText("ignored.dg1");
    Type(ServiceIdField, "5");
    EXPECT_EQ(TicksUntilWrite(), 3);
    EXPECT_EQ(Summary(rig.device.Requests()), (Traffic{"write", "read"}));
    EXPECT_EQ(rig.beeper.sounds.size(), 1u) << "defaults are not stored again";
    if (!Model78()) {
        EXPECT_EQ(rig.device.StoredParameters().image.LogoName, u"chosen.dg1");
        EXPECT_EQ(logos.currentText(), "chosen.dg1") << "the read-back shows the device's logo";
    }
}

TEST_F(SettingsPanelTest, AFieldWithoutAnIntegerStopsTheReadingButTheWriteGoesOn) {
    Connect(kModel78);
    Type(FrequencyField, "602000");  // read before the version
    Type(VersionField, "12a");
    Type(OriginalNetworkIdField, "777");  // read after it
    EXPECT_EQ(TicksUntilWrite(), 3);
    EXPECT_EQ(rig.prompter.boxes, std::vector<std::u16string>{u"Enter an integer."});
    EXPECT_EQ(panel.focusWidget(), &Find(VersionField));
    EXPECT_EQ(Stored().Frequency, 602000);
    EXPECT_EQ(Stored().Version, 1);
    EXPECT_EQ(Stored().OriginalNetworkId, 1);
    EXPECT_EQ(Find<QLineEdit>(VersionField).text(), "1") << "the device's values come back";
    EXPECT_EQ(Find<QLineEdit>(OriginalNetworkIdField).text(), "1");
}

TEST_F(SettingsPanelTest, AValueOutOfRangeIsReportedAndWrittenWithTheCorrections) {
    Connect(kModel78);
    Type(TsIdField, "65536");
    Type(VideoPidField, "20");
    EXPECT_EQ(TicksUntilWrite(), 3);
    EXPECT_EQ(rig.prompter.boxes,
              std::vector<std::u16string>{u"Enter an integer between 0 and 65535."});
    EXPECT_EQ(panel.focusWidget(), &Find(TsIdField));
    EXPECT_EQ(Stored().TsId, 0) << "the low 16 bits";
    EXPECT_EQ(Stored().PmtPid, 32);
    EXPECT_EQ(Stored().VideoPid, 48);
    EXPECT_EQ(Stored().AudioPid, 49);
    EXPECT_EQ(Find<QLineEdit>(TsIdField).text(), "0");
    EXPECT_EQ(Find<QLineEdit>(VideoPidField).text(), "48");
}

TEST_P(PerModel, OnlyModel78IsReadWhenItReportsAChangeOnTheDevice) {
    Connect(GetParam());
    rig.device.ChangeParametersOnDevice([](ParameterSet& set) { set.Frequency = 650000; });
    if (Model78()) {
        EXPECT_EQ(Tick(), (Traffic{"poll", "read"}));
        EXPECT_EQ(Find<QLineEdit>(FrequencyField).text(), "650000");
        EXPECT_EQ(Tick(), Traffic{"poll"}) << "read once per change";
    } else {
        EXPECT_EQ(Tick(), Traffic{"poll"});
        EXPECT_EQ(Find<QLineEdit>(FrequencyField).text(), "498000");
    }
    // A device that keeps reporting the status is read on every tick that sees it.
    rig.device.identity.DeviceStatus = kStatusParametersChanged;
    const Traffic expected = Model78() ? Traffic{"poll", "read"} : Traffic{"poll"};
    EXPECT_EQ(Tick(), expected);
    EXPECT_EQ(Tick(), expected);
    EXPECT_EQ(panel.Cycle().ApplyCountdown(), 0);
}

TEST_F(SettingsPanelTest, PickingADefaultCountrySetsTheCountry) {
    rig.device.ChangeParametersOnDevice([](ParameterSet& set) { set.Country = 4; });
    Connect(kModel78);
    Type(ServiceIdField, "5");
    EXPECT_EQ(TicksUntilWrite(), 3);
    EXPECT_EQ(Stored().Country, 4) << "showing the default country changes nothing";
    QTest::keyClick(&Find<QComboBox>(DefaultCountryList), Qt::Key_Down);
    EXPECT_EQ(panel.Members().set.Country, 2);
    EXPECT_EQ(TicksUntilWrite(), 3);
    EXPECT_EQ(Stored().DefaultCountry, 2);
    EXPECT_EQ(Stored().Country, 2);
}

TEST_F(SettingsPanelTest, AValueItsListDoesNotOfferGoesBackUnchanged) {
    rig.device.ChangeParametersOnDevice([](ParameterSet& set) { set.LcnType = 2; });
    Connect(kModel78);
    EXPECT_EQ(Find<QComboBox>(LcnTypeList).currentIndex(), -1);
    Type(ServiceIdField, "5");
    EXPECT_EQ(TicksUntilWrite(), 3);
    EXPECT_EQ(Stored().LcnType, 2);
}

TEST_F(SettingsPanelTest, AfterAFailedReadTheEditFetchesTheDevicesValuesInsteadOfWriting) {
    // Identification, open, then the read refused.
    rig.device.faults.Script({Fault{}, Fault{}, Fault{FaultKind::Refusal}});
    Connect(kModel78);
    EXPECT_EQ(Find<QLineEdit>(FrequencyField).text(), "0") << "nothing was read";
    EXPECT_TRUE(rig.prompter.boxes.empty()) << "no range message about values nobody read";
    Type(ServiceNameField, "MINE");
    EXPECT_EQ(Tick(), Traffic{});
    EXPECT_EQ(Tick(), Traffic{});
    EXPECT_EQ(Tick(), Traffic{"read"});
    EXPECT_EQ(Find<QLineEdit>(FrequencyField).text(), "498000");
    EXPECT_EQ(Find<QLineEdit>(ServiceNameField).text(), "VEMO 1");
    Type(ServiceNameField, "MINE");
    EXPECT_EQ(TicksUntilWrite(), 3);
    EXPECT_EQ(Stored().ServiceName, u"MINE");
    EXPECT_EQ(Stored().Frequency, 498000);
}

TEST_P(PerModel, EveryEnabledControlReachesTheDeviceAndComesBack) {
    Connect(GetParam());
    const std::map<int, QString> numbers = {
        {FrequencyField, "602000"}, {TsIdField, "7"},
        {VersionField, "3"},        {OriginalNetworkIdField, "9"},
        {NetworkIdField, "10"},     {ServiceIdField, "11"},
        {LcnField, "12"},           {PmtPidField, "300"},
        {VideoPidField, "301"},     {VideoBitrateField, "9000"},
        {AudioPidField, "302"}};
    int tried = 0;
    for (const ControlBinding& binding : PanelBindings()) {
        if (!Find(binding.id).isEnabled()) {
            continue;
        }
        SCOPED_TRACE(testing::Message() << "control " << binding.id);
        ++tried;
        QString shown;
        switch (binding.kind) {
            case ControlKind::List: {
                QComboBox& list = Find<QComboBox>(binding.id);
                const bool last = list.currentIndex() + 1 == list.count();
                QTest::keyClick(&list, last ? Qt::Key_Up : Qt::Key_Down);
                shown = QString::number(list.currentIndex());
                break;
            }
            case ControlKind::Slider: {
                QSlider& slider = Find<QSlider>(binding.id);
                const bool last = slider.value() == slider.maximum();
                QTest::keyClick(&slider, last ? Qt::Key_Left : Qt::Key_Right);
                shown = QString::number(slider.value());
                break;
            }
            case ControlKind::Number:
                shown = numbers.at(binding.id);
                Type(binding.id, shown);
                break;
            case ControlKind::Text:
                shown = QStringLiteral("Edited %1").arg(binding.id);
                Type(binding.id, shown);
                break;
        }
        ASSERT_GT(TicksUntilWrite(), 0);
        DecodedBlock stored = rig.device.StoredParameters();
        PanelMembers onDevice{stored.image, stored.set};
        const QString kept = binding.kind == ControlKind::Text
                                 ? QString::fromStdU16String(binding.text(onDevice))
                                 : QString::number(binding.number(onDevice));
        EXPECT_EQ(kept, shown);
        const QString back = binding.kind == ControlKind::List
                                 ? QString::number(Find<QComboBox>(binding.id).currentIndex())
                             : binding.kind == ControlKind::Slider
                                 ? QString::number(Find<QSlider>(binding.id).value())
                                 : Find<QLineEdit>(binding.id).text();
        EXPECT_EQ(back, shown) << "the device's value comes back";
    }
    EXPECT_EQ(tried, Model78() ? 28 : 32);
    EXPECT_TRUE(rig.prompter.boxes.empty());
}

// The link watch runs while a message box is open; when it drops the connection then, the tick
// that showed the box does not start the cycle again.
TEST(SettingsPanelCycle, StaysStoppedWhenTheConnectionIsDroppedDuringItsMessageBox) {
    class DroppingPrompter final : public Prompter {
    public:
        void ShowMessageBox(std::u16string_view) override { panel->StopTimer(); }
        bool AskYesNo(std::u16string_view) override { return false; }
        std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest&) override {
            return std::nullopt;
        }
        CSetting* panel = nullptr;
    };
    test::PanelRig rig;
    DroppingPrompter prompter;
    CSetting panel(
        PanelContext{rig.startup, rig.xmit, rig.flags, rig.beeper, rig.status, prompter});
    prompter.panel = &panel;
    panel.FirstSetUp();
    ASSERT_TRUE(rig.xmit.FindDevice());
    panel.SetUpForDevice(rig.xmit.Identity());
    FindControl<QLineEdit>(panel, TsIdField)->setText("65536");
    panel.Cycle().Schedule(1);
    panel.OnTimer(CSetting::kCycleTimer);
    EXPECT_FALSE(panel.Timers().IsArmed(CSetting::kCycleTimer));
}

// The panel inside the main window, with the supervisor that connects and drops it.
class PanelInWindowTest : public testing::Test {
protected:
    PanelInWindowTest() {
        rig.startup.ManufacturerMode = true;
        dialog =
            std::make_unique<CKoraPanelDlg>(rig.startup, rig.xmit, rig.flags, panel, info, [this] {
                rig.flags.FirmwareReloadRequest = false;
                return false;
            });
        dialog->OnTimer(CKoraPanelDlg::kConnectTimer);
    }

    test::PanelRig rig;
    CSetting panel{rig.Context()};
    CInfo info{rig.clock};
    std::unique_ptr<CKoraPanelDlg> dialog;
};

TEST_F(PanelInWindowTest, APendingChangeIsDroppedWithALostLink) {
    ASSERT_TRUE(panel.isVisibleTo(dialog.get()));
    QLineEdit& field = *FindControl<QLineEdit>(panel, FrequencyField);
    field.selectAll();
    QTest::keyClicks(&field, "602000");
    EXPECT_EQ(panel.Cycle().ApplyCountdown(), 3);

    rig.device.faults.Script({Fault{FaultKind::NoReply}});
    rig.xmit.PollStatus();  // the line goes quiet
    dialog->OnTimer(CKoraPanelDlg::kWatchTimer);
    EXPECT_FALSE(panel.isVisibleTo(dialog.get()));
    EXPECT_FALSE(panel.Timers().IsArmed(CSetting::kCycleTimer));
    EXPECT_EQ(panel.Cycle().ApplyCountdown(), 3) << "kept while disconnected";

    dialog->OnTimer(CKoraPanelDlg::kConnectTimer);
    ASSERT_TRUE(panel.isVisibleTo(dialog.get()));
    EXPECT_EQ(field.text(), "498000");
    rig.device.ClearRequests();
    for (int tick = 0; tick < 5; ++tick) {
        rig.clock.Sleep(*panel.Timers().Period(CSetting::kCycleTimer));
        panel.OnTimer(CSetting::kCycleTimer);
    }
    EXPECT_EQ(Summary(rig.device.Requests()), Traffic(5, "poll"));
    EXPECT_EQ(rig.device.StoredParameters().set.Frequency, 498000);
}

TEST_F(PanelInWindowTest, EnterAndEscapeDoNothingAndFirmwareReloadDropsTheConnection) {
    dialog->show();
    QSignalSpy closed(dialog.get(), &QDialog::finished);
    for (int id : {FrequencyField, ServiceNameField, StandardList}) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(FindControl(panel, id), key);
        }
    }
    EXPECT_EQ(closed.count(), 0);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(panel.Cycle().ApplyCountdown(), 0);

    FindControl<QPushButton>(panel, FirmwareReloadButton)->click();
    EXPECT_TRUE(rig.flags.FirmwareReloadRequest);
    EXPECT_TRUE(rig.flags.DigestCheckOverride);
    dialog->OnTimer(CKoraPanelDlg::kWatchTimer);
    EXPECT_FALSE(panel.isVisible());
}

}  // namespace
}  // namespace vemo
