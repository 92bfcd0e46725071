// save, load, set --defaults on model 0x82, and the IQ table, against simulated devices.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "cli_rig.h"
#include "sim/sim_parameters.h"
#include "storage/iq_codec.h"

namespace vemo::test {
namespace {

Bytes ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    if (std::filesystem::exists(folder)) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            files.push_back(entry.path());
        }
    }
    return files;
}

class StorageCommands : public CliTest {};

TEST_F(StorageCommands, SaveThenLoadIsByteExactAndStoresTheDefaults) {
    for (const std::uint8_t model : {kModel82, kModel78}) {
        SCOPED_TRACE(static_cast<int>(model));
        machine.devices.clear();
        machine.machinePorts.clear();
        SimDevice& device =
            machine.AddDevice("ttyUSB" + std::to_string(model), SimulatedIdentity(model));
        const Bytes factory = DeviceBlock(device);

        // The window's SAVE writes the block it builds from what it read.
        const VemoResult saved = Vemo({"save", "site"});
        EXPECT_EQ(saved.exit, 0) << saved.err;
        const std::filesystem::path file =
            folder.Path() / (model == kModel82 ? "site.koralin" : "site.tmc");
        EXPECT_EQ(saved.out, "saved " + file.string() + "\n");
        EXPECT_EQ(ReadBytes(file), factory);

        // Changed on the device, then loaded back: the file's block goes to the device as
        // current and default parameters, after a backup of what it held.
        ASSERT_EQ(Vemo({"set", "frequency=522000"}).exit, 0);
        const Bytes changed = DeviceBlock(device);
        device.ClearRequests();
        const VemoResult loaded = Vemo({"load", file.string()});
        EXPECT_EQ(loaded.exit, 0) << loaded.err;
        EXPECT_EQ(loaded.out, "loaded " + file.string() + ", also as the defaults\n");
        EXPECT_EQ(DeviceBlock(device), factory);
        if (model == kModel82) {
            // The default store: the current file copied over the defaults, then the restart.
            EXPECT_EQ(device.fileSystem.commandLines.front(),
                      "cp /KORAVEX/current11.cfg /KORAVEX/default11.cfg");
            EXPECT_EQ(device.restarts, 1);
        } else {
            EXPECT_EQ(device.objects.at(object_id::DefaultParameters), factory);
        }
        const std::vector<std::filesystem::path> backups =
            FilesIn(folder.Path() / "config" / "backup");
        ASSERT_EQ(backups.size(), 1u);
        EXPECT_EQ(ReadBytes(backups[0]), changed);
        EXPECT_NE(loaded.err.find(backups[0].string()), std::string::npos) << loaded.err;
        std::filesystem::remove_all(folder.Path() / "config");
    }
}

TEST_F(StorageCommands, LoadWithoutBackupOrDefaultsAndLoadOfABadFile) {
    SimDevice& device = machine.AddDevice("ttyUSB0", SimulatedIdentity(kModel78));
    ParameterSet set = FactoryParameters(kModel78);
    set.ServiceName = u"Loaded";
    WriteFile(folder.Path() / "a.tmc", BuiltBlock(kModel78, set));
    const Bytes defaults = device.objects.at(object_id::DefaultParameters);

    const VemoResult current = Vemo({"load", "--no-backup", "--no-defaults", "a"});
    EXPECT_EQ(current.exit, 0) << current.err;
    EXPECT_EQ(Held(device).ServiceName, u"Loaded");
    EXPECT_EQ(device.objects.at(object_id::DefaultParameters), defaults);
    EXPECT_TRUE(FilesIn(folder.Path() / "config" / "backup").empty());

    // A file without the signature: the parse's own message, and nothing written.
    WriteFile(folder.Path() / "b.tmc", Bytes(60, 0x11));
    device.ClearRequests();
    const VemoResult bad = Vemo({"load", "--no-backup", "b.tmc"});
    EXPECT_EQ(bad.exit, 5);
    EXPECT_NE(bad.err.find("Configuration Error"), std::string::npos) << bad.err;
    EXPECT_EQ(device.writesDone, 1) << "only the first load wrote";
}

TEST_F(StorageCommands, DefaultsOnModel82SendTheLogoAndRestart) {
    SimDevice& device = machine.AddDevice("ttyUSB0", SimulatedIdentity(kModel82));
    const Bytes logo = Pattern(1000);
    WriteFile(folder.Path() / "logos" / "mast.dg1", logo);
    const VemoResult result = Vemo({"set", "--defaults", "logo-name=mast.dg1"});
    EXPECT_EQ(result.exit, 0) << result.err;
    EXPECT_EQ(result.out, "logo-name = \"mast.dg1\"\n");
    EXPECT_EQ(device.fileSystem.files.at("/mnt/logo.dg1"), logo);
    EXPECT_EQ(device.fileSystem.files.at("/KORAVEX/default11.cfg"), DeviceBlock(device));
    EXPECT_EQ(device.restarts, 1);

    // A logo that is not there: the store goes on, and the user hears of it.
    const VemoResult missing = Vemo({"set", "--defaults", "logo-name=gone.dg1"});
    EXPECT_EQ(missing.exit, 0) << missing.err;
    EXPECT_NE(missing.err.find("no logo was sent"), std::string::npos) << missing.err;
}

TEST_F(StorageCommands, IqTableRoundTripThroughAFile) {
    SimDevice& device = machine.AddDevice("ttyUSB0", SimulatedIdentity(kModel78));
    const Bytes factory = device.objects.at(object_id::IqTable);

    const VemoResult shown = Vemo({"iq", "show"});
    EXPECT_EQ(shown.exit, 0) << shown.err;
    EXPECT_EQ(shown.out.substr(0, shown.out.find('\n', shown.out.find('\n') + 1) + 1),
              "freq. MHz   dAmp   dPhi\n      177    -12      8\n");

    const VemoResult saved = Vemo({"iq", "save", "points"});
    EXPECT_EQ(saved.exit, 0) << saved.err;
    const std::filesystem::path file = folder.Path() / "points.iqc";
    EXPECT_EQ(saved.out, "saved 11 rows to " + file.string() + "\n");
    EXPECT_EQ(ReadBytes(file).size(), 1u + 6 * 11);

    device.objects[object_id::IqTable] = EncodeIqBlock(IqTable{});
    // The name keeps its own case: points.IQC is another file here, and is not there.
    EXPECT_EQ(Vemo({"iq", "load", "points.IQC"}).exit, 5);
    const VemoResult again = Vemo({"iq", "load", "points"});
    EXPECT_EQ(again.exit, 0) << again.err;
    EXPECT_EQ(device.objects.at(object_id::IqTable), factory);

    machine.AddDevice("ttyUSB1", SimulatedIdentity(kModel82));
    const VemoResult model82 = Vemo({"--port", "ttyUSB1", "iq", "show"});
    EXPECT_EQ(model82.exit, 2);
    EXPECT_NE(model82.err.find("no IQ calibration table"), std::string::npos);
}

}  // namespace
}  // namespace vemo::test
