// The manufacturer's tools of the settings panel: configuration and IQ files, the IQ list with
// its in-place editor, and the model 0x82 default store, on a simulated device.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "app/c_info.h"
#include "app/dialog_control.h"
#include "app/kora_panel_dlg.h"
#include "link/command_codes.h"
#include "params/panel_control_ids.h"
#include "sim/sim_storage.h"
#include "storage/iq_codec.h"
#include "storage/storage_rig.h"
#include "storage/ui/c_in_place_edit.h"
#include "storage/ui/iq_table_view.h"
#include "support/panel_rig.h"

namespace vemo {
namespace {

using namespace std::chrono_literals;
using namespace panel_id;
using test::Bytes;
using test::StorageRig;

// A manufacturer's panel with a BaseDirectory of its own, on a simulated device.
class StoragePanelTest : public testing::Test {
protected:
    StoragePanelTest() {
        rig.startup.ManufacturerMode = true;
        rig.startup.BaseDirectory = files.base;
        panel = std::make_unique<CSetting>(rig.Context());
        panel->FirstSetUp();
    }

    void Connect(std::uint8_t model, std::uint8_t hardware = 3) {
        rig.device.identity.ModelCode = model;
        rig.device.identity.HardwareVersion = hardware;
        ASSERT_TRUE(rig.xmit.FindDevice());
        panel->SetUpForDevice(rig.xmit.Identity());
        panel->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
        rig.device.ClearRequests();
    }

    // Lets the panel timer run out and handles the tick, as the window would.
    void Tick() {
        rig.clock.Sleep(panel->Timers().Period(CSetting::kCycleTimer).value_or(0ms));
        panel->OnTimer(CSetting::kCycleTimer);
    }

    // Ticks until the device's current parameters are written; how many it took, 0 if none of
    // `limit` did.
    int TicksUntilWrite(int limit = 5) {
        for (int tick = 1; tick <= limit; ++tick) {
            rig.device.ClearRequests();
            Tick();
            for (const LoggedRequest& request : rig.device.Requests()) {
                if (request.command == command::WriteParameters ||
                    (request.command == command::ObjectAccess &&
                     request.payload.at(0) == object_access::OpenForWriting &&
                     request.payload.at(1) == (object_id::CurrentParameters & 0xFF))) {
                    return tick;
                }
            }
        }
        return 0;
    }

    template <class Control = QWidget>
    Control& Find(int id) {
        return *FindControl<Control>(*panel, id);
    }

    void Type(int id, const QString& text) {
        Find<QLineEdit>(id).selectAll();
        QTest::keyClicks(&Find<QLineEdit>(id), text);
    }

    QTableWidget& List() { return Find<QTableWidget>(IqTableView); }
    QStringList Row(int row) {
        QStringList texts;
        for (int column = 1; column < 4; ++column) {
            texts << List().item(row, column)->text();
        }
        return texts;
    }
    void DoubleClick(int row, int column) {
        DoubleClickAt(List().visualRect(List().model()->index(row, column)).center());
    }
    // As the window system delivers it: a click, then a press that counts as a double-click.
    void DoubleClickAt(QPoint at) {
        QTest::mouseClick(List().viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(List().viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
    CInPlaceEdit* Editor() { return List().viewport()->findChild<CInPlaceEdit*>(); }

    // The table as the device holds it.
    IqTable DeviceIqTable() const {
        const Bytes& block = rig.device.objects.at(object_id::IqTable);
        IqTable table;
        EXPECT_TRUE(DecodeIqRows(std::span(block).subspan(kIqBlockHeadSize), block.at(4), table));
        return table;
    }
    const Bytes& DeviceCurrentBlock() const {
        return rig.device.identity.ModelCode == kModel82
                   ? rig.device.parameterBlock
                   : rig.device.objects.at(object_id::CurrentParameters);
    }
    int IqTableWrites() const {
        int writes = 0;
        for (const LoggedRequest& request : rig.device.Requests()) {
            writes += request.command == command::ObjectAccess &&
                      request.payload.at(0) == object_access::OpenForWriting &&
                      request.payload.at(1) == (object_id::IqTable & 0xFF);
        }
        return writes;
    }

    StorageRig files;
    test::PanelRig rig;
    std::unique_ptr<CSetting> panel;
};

class PerModel : public StoragePanelTest, public testing::WithParamInterface<std::uint8_t> {};

INSTANTIATE_TEST_SUITE_P(Models, PerModel, testing::Values(kModel82, kModel78),
                         [](const auto& info) {
                             return info.param == kModel82 ? "Model82" : "Model78";
                         });

TEST_P(PerModel, SaveThenLoadWritesExactlyTheSavedBlockAsCurrentAndDefaultParameters) {
    Connect(GetParam());
    Type(ServiceNameField, "SAVED");
    const std::filesystem::path chosen = files.base / "config" / "setup";
    std::filesystem::create_directories(chosen.parent_path());
    rig.prompter.answer = chosen;
    Find<QPushButton>(SaveButton).click();
    const std::filesystem::path file =
        chosen.string() + (GetParam() == kModel82 ? ".koralin" : ".tmc");
    const Bytes saved = StorageRig::ReadFile(file);
    std::array<std::uint8_t, kBlockCapacity> built{};
    ASSERT_EQ(saved, Bytes(built.begin(), built.begin() + panel->BuildBlock(built)));

    Type(ServiceNameField, "OTHER");
    ASSERT_EQ(TicksUntilWrite(), 3);
    ASSERT_NE(DeviceCurrentBlock(), saved);

    Find<QPushButton>(LoadButton).click();
    EXPECT_EQ(Find<QLineEdit>(ServiceNameField).text(), "SAVED");
    EXPECT_EQ(panel->Cycle().ApplyCountdown(), 1);
    EXPECT_TRUE(panel->Cycle().DefaultsRequested());
    EXPECT_EQ(TicksUntilWrite(1), 1);
    EXPECT_EQ(DeviceCurrentBlock(), saved) << "the file's bytes reach the device unchanged";
    if (GetParam() == kModel82) {
        EXPECT_EQ(rig.device.fileSystem.files.at("/KORAVEX/default11.cfg"), saved);
        EXPECT_EQ(rig.device.restarts, 1);
    } else {
        EXPECT_EQ(rig.device.objects.at(object_id::DefaultParameters), saved);
    }
    std::vector<std::u16string> shown;
    for (const auto& message : rig.status.messages) {
        shown.push_back(message.text);
    }
    EXPECT_EQ(shown, (std::vector<std::u16string>{u"Saved", u"Loaded"}));
    EXPECT_EQ(rig.beeper.sounds, (std::vector<test::RecordingBeeper::Sound>{{880, 200ms}}));
}

TEST_F(StoragePanelTest, CancelledFileDialogsSendAndWriteNothing) {
    Connect(kModel78);
    for (int id : {SaveButton, LoadButton, IqToFileButton, IqFromFileButton}) {
        Find<QPushButton>(id).click();
    }
    EXPECT_EQ(rig.prompter.requests.size(), 4u);
    EXPECT_TRUE(rig.device.Requests().empty());
    EXPECT_TRUE(rig.status.messages.empty());
    EXPECT_TRUE(StorageRig::Listing(files.base).empty());
    EXPECT_EQ(panel->Cycle().ApplyCountdown(), 0);
    EXPECT_EQ(List().rowCount(), FactoryIqTable().count);
}

TEST_F(StoragePanelTest, TheConnectionReadsTheIqTableFirstAndTheListShowsIt) {
    const QHeaderView& header = *List().horizontalHeader();
    const int widths[] = {0, 66, 66, 68};
    const char* headings[] = {"", "Freq.", "dAmp", "dPhi"};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(header.sectionSize(column), widths[column]);
        EXPECT_EQ(List().horizontalHeaderItem(column)->text(), headings[column]);
    }
    rig.device.identity.ModelCode = kModel78;
    ASSERT_TRUE(rig.xmit.FindDevice());
    rig.device.ClearRequests();
    panel->SetUpForDevice(rig.xmit.Identity());
    const LoggedRequest& first = rig.device.Requests().at(0);
    EXPECT_EQ(first.command, command::ObjectAccess);
    EXPECT_EQ(first.payload, (Bytes{object_access::OpenForReading, 0x58, 0x02}));

    const IqTable factory = FactoryIqTable();
    ASSERT_EQ(List().rowCount(), factory.count);
    EXPECT_EQ(Row(0), (QStringList{"177", "-12", "8"}));
    EXPECT_EQ(Row(10), (QStringList{"858", "19", "-12"}));
    EXPECT_EQ(List().item(0, 1)->foreground().color(), QColor(255, 255, 255));
    EXPECT_EQ(List().item(0, 1)->background().color(), QColor(160, 160, 160));
    for (int column : {0, 2, 3}) {
        EXPECT_EQ(List().item(0, column)->foreground().color(), QColor(92, 92, 92));
        EXPECT_EQ(List().item(0, column)->background().color(), QColor(255, 255, 255));
    }

    // A later connection whose open is refused leaves no old rows to be written back.
    rig.device.faults.Script({Fault{}, Fault{FaultKind::Refusal}});
    ASSERT_TRUE(rig.xmit.FindDevice());
    panel->SetUpForDevice(rig.xmit.Identity());
    EXPECT_EQ(List().rowCount(), 0);
}

TEST_F(StoragePanelTest, DoubleClickingAFrequencyRetunesTheDeviceOnTheThirdTick) {
    IqTable table;
    table.count = 2;
    table.rows[0] = {474, 1, 1};
    table.rows[1] = {858, 2, 2};
    rig.device.objects[object_id::IqTable] = EncodeIqBlock(table);
    Connect(kModel78);
    DoubleClick(1, 1);
    EXPECT_EQ(Find<QLineEdit>(FrequencyField).text(), "858000");
    EXPECT_EQ(TicksUntilWrite(), 3);
    EXPECT_EQ(rig.device.StoredParameters().set.Frequency, 858000);

    // Below the last row there is nothing to click.
    const QRect last = List().visualRect(List().model()->index(1, 1));
    DoubleClickAt(last.center() + QPoint(0, 2 * last.height()));
    EXPECT_EQ(panel->Cycle().ApplyCountdown(), 0);
    EXPECT_EQ(Editor(), nullptr);
}

struct CellEdit {
    const char* name;
    int column;
    const char* typed;
    Qt::Key end;
    int expected;  // the cell's value afterwards; it was -12 (dAmp) or 8 (dPhi)
};

class CellEditTest : public StoragePanelTest, public testing::WithParamInterface<CellEdit> {};

TEST_P(CellEditTest, EndsInTheTableAndTheDeviceEvenWhenCancelled) {
    const CellEdit& edit = GetParam();
    Connect(kModel78);
    DoubleClick(0, edit.column);
    CInPlaceEdit* editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(editor->selectedText(), editor->text()) << "the whole value is selected";
    EXPECT_EQ(editor->text(), edit.column == 2 ? "-12" : "8");
    EXPECT_EQ(editor->font(), List().font());
    EXPECT_EQ(editor->geometry(), List().visualRect(List().model()->index(0, edit.column)));

    QTest::keyClicks(editor, edit.typed);
    QTest::keyClick(editor, edit.end);
    EXPECT_EQ(List().item(0, edit.column)->text(), QString::number(edit.expected));
    EXPECT_EQ(IqTableWrites(), 1) << "written whatever the key";
    IqTable expected = FactoryIqTable();
    (edit.column == 2 ? expected.rows[0].dAmp : expected.rows[0].dPhi) = edit.expected;
    EXPECT_EQ(DeviceIqTable(), expected);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Editor(), nullptr) << "the editor has gone";
    EXPECT_EQ(panel->Cycle().ApplyCountdown(), 0) << "the parameters are not touched";
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CellEditTest,
    testing::Values(CellEdit{"EnterTakesTheLeadingNumber", 2, "12abc", Qt::Key_Return, 12},
                    CellEdit{"EnterOnDPhi", 3, "-250", Qt::Key_Enter, -250},
                    CellEdit{"EnterWithoutDigitsGivesZero", 2, "abc", Qt::Key_Return, 0},
                    CellEdit{"EscapeKeepsTheValue", 2, "99", Qt::Key_Escape, -12}),
    [](const auto& info) { return info.param.name; });

TEST_F(StoragePanelTest, TheEditorWidensWithItsTextUpToTheListsRightEdge) {
    Connect(kModel78);
    DoubleClick(0, 2);
    CInPlaceEdit* editor = Editor();
    ASSERT_NE(editor, nullptr);
    const QRect cell = editor->geometry();
    QTest::keyClicks(editor, "1234567890");
    EXPECT_GT(editor->width(), cell.width());
    EXPECT_EQ(editor->geometry().topLeft(), cell.topLeft());
    EXPECT_EQ(editor->height(), cell.height());
    QTest::keyClicks(editor, QString(60, '9'));
    EXPECT_EQ(editor->x() + editor->width(), List().viewport()->width());
    QTest::keyClick(editor, Qt::Key_Escape);
}

// Hiding the panel at a lost link ends an open edit; a write then would only wait out its
// time-outs on a silent line.
TEST_F(StoragePanelTest, AnEditEndedByTheLostLinkIsNotWritten) {
    Connect(kModel78);
    DoubleClick(0, 2);
    ASSERT_NE(Editor(), nullptr);
    QTest::keyClicks(Editor(), "7");
    panel->StopTimer();
    panel->hide();
    EXPECT_EQ(List().item(0, 2)->text(), "7");
    EXPECT_TRUE(rig.device.Requests().empty());
}

TEST_F(StoragePanelTest, AnIqFileIsSavedAsHeldAndALoadedOneIsShownAndWritten) {
    Connect(kModel78);
    rig.prompter.answer = files.base / "points";
    Find<QPushButton>(IqToFileButton).click();
    EXPECT_EQ(StorageRig::ReadFile(files.base / "points.iqc"), EncodeIqFile(FactoryIqTable()));
    EXPECT_TRUE(rig.device.Requests().empty()) << "the device is not asked again";

    IqTable other;
    other.count = 2;
    other.rows[0] = {474, -1, 2};
    other.rows[1] = {482, 3, -4};
    StorageRig::WriteFile(files.base / "points.iqc", EncodeIqFile(other));
    Find<QPushButton>(IqFromFileButton).click();
    EXPECT_EQ(List().rowCount(), 2);
    EXPECT_EQ(Row(1), (QStringList{"482", "3", "-4"}));
    EXPECT_EQ(DeviceIqTable(), other);
    EXPECT_EQ(rig.device.writesDone, 1);
}

// "Set as Def. Param" on model 0x82 in the main window: the chosen logo goes to the device,
// which restarts; the supervisor loses it and finds it again.
TEST_F(StoragePanelTest, Model82DefaultsUploadTheChosenLogoAndTheDeviceIsFoundAgain) {
    const Bytes logo = Bytes(1000, 0x5A);
    StorageRig::WriteFile(files.base / "logos" / "Chan.dg1", logo);
    StorageRig::WriteFile(files.base / "logos" / "another.dg1", Bytes(10, 1));
    panel = std::make_unique<CSetting>(rig.Context());  // the dialog runs the first set-up
    CInfo info(rig.clock);
    CKoraPanelDlg dialog(rig.startup, rig.xmit, rig.flags, *panel, info, [this] {
        rig.flags.FirmwareReloadRequest = false;
        return false;
    });
    QComboBox& logos = Find<QComboBox>(LogosList);
    ASSERT_EQ(logos.count(), 2);
    EXPECT_EQ(logos.itemText(0), "another.dg1");
    EXPECT_EQ(logos.itemText(1), "Chan.dg1");
    rig.device.identity.ModelCode = kModel82;
    dialog.OnTimer(CKoraPanelDlg::kConnectTimer);
    ASSERT_TRUE(panel->isVisibleTo(&dialog));

    logos.setCurrentIndex(1);
    Find<QPushButton>(SetDefaultsButton).click();
    Tick();
    const SimFileSystem& device = rig.device.fileSystem;
    EXPECT_EQ(device.files.at("/mnt/logo.dg1"), logo);
    EXPECT_EQ(device.commandLines,
              (std::vector<std::string>{"cp /KORAVEX/current11.cfg /KORAVEX/default11.cfg",
                                        "mount /dev/mmcblk0p1 /mnt", "umount /mnt", "sync"}));
    EXPECT_EQ(rig.device.restarts, 1);

    // The restarting device does not answer the next poll; the watch drops the connection.
    Tick();
    dialog.OnTimer(CKoraPanelDlg::kWatchTimer);
    EXPECT_FALSE(panel->isVisibleTo(&dialog));
    bool found = false;
    for (int attempt = 0; attempt < 10 && !found; ++attempt) {
        rig.clock.Sleep(1000ms);
        dialog.OnTimer(CKoraPanelDlg::kConnectTimer);
        found = panel->isVisibleTo(&dialog);
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(rig.device.StoredParameters().image.LogoName, u"Chan.dg1");
    EXPECT_EQ(logos.currentText(), "Chan.dg1") << "read back after the restart";
}

}  // namespace
}  // namespace vemo
