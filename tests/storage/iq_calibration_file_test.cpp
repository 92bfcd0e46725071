#include "storage/iq_calibration_file.h"

#include <gtest/gtest.h>

#include "sim/sim_storage.h"
#include "storage/iq_codec.h"
#include "storage/storage_rig.h"

namespace vemo {
namespace {

using test::Bytes;
using test::Hex;
using Message = test::RecordingStatusSink::Message;

Message Shown(const char16_t* text) {
    return {text, Milliseconds(2000), false};
}

class IqFileTest : public testing::Test {
protected:
    FileOutcome Run(FileDirection direction, std::optional<std::filesystem::path> chosen) {
        rig.prompter.answer = std::move(chosen);
        return LoadSaveIqCalibration(direction, rig.user, table, [this] {
            // The panel shows and writes the table before the result line appears.
            loadedTables.push_back(table);
            messagesWhenLoaded = rig.status.messages.size();
        });
    }

    test::StorageRig rig;
    IqTable table = FactoryIqTable();
    std::vector<IqTable> loadedTables;
    std::size_t messagesWhenLoaded = 0;
};

TEST_F(IqFileTest, DialogsAskForIqcFilesInTheConfigFolder) {
    EXPECT_EQ(Run(FileDirection::Save, std::nullopt), FileOutcome::Cancelled);
    EXPECT_EQ(Run(FileDirection::Load, std::nullopt), FileOutcome::Cancelled);
    ASSERT_EQ(rig.prompter.requests.size(), 2u);
    EXPECT_EQ(rig.prompter.requests[0].title, u"Save IQ Calibration");
    EXPECT_TRUE(rig.prompter.requests[0].save);
    EXPECT_EQ(rig.prompter.requests[1].title, u"Load IQ Calibration");
    EXPECT_FALSE(rig.prompter.requests[1].save);
    for (const FileDialogRequest& request : rig.prompter.requests) {
        EXPECT_EQ(request.filterDescription, u"IQ-Table.");
        EXPECT_EQ(request.filterPattern, u"*.iqc");
        EXPECT_EQ(request.folder, rig.base / "config");
    }
    EXPECT_EQ(table, FactoryIqTable());
    EXPECT_TRUE(loadedTables.empty());
    EXPECT_TRUE(rig.status.messages.empty());
    EXPECT_TRUE(test::StorageRig::Listing(rig.base).empty());
}

TEST_F(IqFileTest, ASavedTableLoadsBackEqual) {
    EXPECT_EQ(Run(FileDirection::Save, rig.base / "points"), FileOutcome::Saved);
    const Bytes file = test::StorageRig::ReadFile(rig.base / "points.iqc");
    EXPECT_EQ(file, EncodeIqFile(FactoryIqTable()));
    EXPECT_EQ(file.size(), 1 + 6u * 11);

    table = IqTable{};
    EXPECT_EQ(Run(FileDirection::Load, rig.base / "points.iqc"), FileOutcome::Loaded);
    EXPECT_EQ(table, FactoryIqTable());
    EXPECT_EQ(loadedTables, std::vector{FactoryIqTable()});
    EXPECT_EQ(messagesWhenLoaded, 1u) << "\"Loaded to module\" comes after the write";
    EXPECT_EQ(rig.status.messages,
              (std::vector{Shown(u"Saved from module"), Shown(u"Loaded to module")}));
    EXPECT_TRUE(rig.beeper.sounds.empty());
}

TEST_F(IqFileTest, AnEmptyTableIsAOneByteFile) {
    table = IqTable{};
    EXPECT_EQ(Run(FileDirection::Save, rig.base / "empty.IQC"), FileOutcome::Saved);
    EXPECT_EQ(test::StorageRig::ReadFile(rig.base / "empty.IQC"), Hex("00"));
    table = FactoryIqTable();
    EXPECT_EQ(Run(FileDirection::Load, rig.base / "empty.IQC"), FileOutcome::Loaded);
    EXPECT_EQ(table.count, 0);
}

TEST_F(IqFileTest, FilesWithoutTheRowsTheySayAreRefusedAndTheTableKept) {
    const Bytes full = EncodeIqFile(FactoryIqTable());
    Bytes tooMany(1 + 6 * 101, 0x10);
    tooMany[0] = 101;
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"empty", {}},
        {"one byte short", Bytes(full.begin(), full.end() - 1)},
        {"count beyond 100", tooMany},
        {"beyond the buffer", test::Concat(full, Bytes(kIqFileBufferSize, 0))},
    };
    for (const auto& [name, content] : cases) {
        SCOPED_TRACE(name);
        table = FactoryIqTable();
        table.rows[0].dAmp = 77;
        const IqTable before = table;
        const std::filesystem::path file = rig.base / (std::string(name) + ".iqc");
        test::StorageRig::WriteFile(file, content);
        rig.status.messages.clear();
        rig.beeper.sounds.clear();
        EXPECT_EQ(Run(FileDirection::Load, file), FileOutcome::Refused);
        EXPECT_EQ(table, before);
        EXPECT_TRUE(loadedTables.empty()) << "nothing goes to the device";
        EXPECT_EQ(rig.beeper.sounds,
                  (std::vector<test::RecordingBeeper::Sound>{{440, Milliseconds(250)}}));
        EXPECT_EQ(rig.status.messages, std::vector{Shown(u"IQ Calibration read error")});
    }
    EXPECT_EQ(Run(FileDirection::Load, rig.base / "missing"), FileOutcome::Refused);
    EXPECT_EQ(rig.status.messages.back(), Shown(u"IQ Calibration read error"));
}

TEST_F(IqFileTest, AFileThatCannotBeWrittenIsAWriteError) {
    std::filesystem::create_directories(rig.base / "points.iqc");
    EXPECT_EQ(Run(FileDirection::Save, rig.base / "points"), FileOutcome::Refused);
    EXPECT_EQ(rig.beeper.sounds,
              (std::vector<test::RecordingBeeper::Sound>{{440, Milliseconds(250)}}));
    EXPECT_EQ(rig.status.messages, std::vector{Shown(u"IQ Calibration write Error")});
}

}  // namespace
}  // namespace vemo
