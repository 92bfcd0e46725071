// Offline editing of configuration files, diff, firmware check and update, and --json.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <fstream>
#include <iterator>

#include "cli_rig.h"
#include "sim/sim_parameters.h"

namespace vemo::test {
namespace {

Bytes ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}

// Every line of `out` as a JSON object.
std::vector<QJsonObject> JsonLines(const std::string& out) {
    std::vector<QJsonObject> lines;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        QJsonParseError error;
        const QJsonDocument document =
            QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
        EXPECT_TRUE(document.isObject()) << line;
        lines.push_back(document.object());
    }
    return lines;
}

class Files : public CliTest {};

TEST_F(Files, SetOnAFileRewritesItInTheWindowsFormatWithoutADevice) {
    const ParameterSet factory = FactoryParameters(kModel78);
    WriteFile(folder.Path() / "mast.tmc", BuiltBlock(kModel78, factory));

    // The name is completed with the model's extension, as the window's dialogs do.
    const VemoResult result = Vemo(
        {"--file", "mast", "--model", "0x78", "set", "frequency=474125", "service-name=Mast 7"});
    EXPECT_EQ(result.exit, 0) << result.err;
    ParameterSet expected = factory;
    expected.Frequency = 474125;
    expected.ServiceName = u"Mast 7";
    EXPECT_EQ(ReadBytes(folder.Path() / "mast.tmc"), BuiltBlock(kModel78, expected));
    EXPECT_TRUE(machine.bus.openAttempts.empty()) << "no port is touched";

    const VemoResult shown = Vemo({"--file", "mast.tmc", "get", "frequency", "service-name"});
    EXPECT_EQ(shown.out, "frequency = 474125 kHz\nservice-name = \"Mast 7\"\n");

    // A refused value leaves the file as it was.
    const Bytes before = ReadBytes(folder.Path() / "mast.tmc");
    EXPECT_EQ(Vemo({"--file", "mast.tmc", "set", "lcn=70000"}).exit, 6);
    EXPECT_EQ(ReadBytes(folder.Path() / "mast.tmc"), before);
}

TEST_F(Files, FileProblemsAndModelsAreReported) {
    WriteFile(folder.Path() / "bad.tmc", Bytes{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08});
    const VemoResult bad = Vemo({"--file", "bad.tmc", "get"});
    EXPECT_EQ(bad.exit, 5);
    EXPECT_NE(bad.err.find("signature"), std::string::npos) << bad.err;

    EXPECT_EQ(Vemo({"--file", "missing.koralin", "get"}).exit, 5);
    const VemoResult unknown = Vemo({"--file", "setup.cfg", "get"});
    EXPECT_EQ(unknown.exit, 2);
    EXPECT_NE(unknown.err.find("--model"), std::string::npos);
}

TEST_F(Files, DiffOfTwoFilesAndOfAFileAgainstTheDevice) {
    ParameterSet a = FactoryParameters(kModel82);
    ParameterSet b = a;
    b.Frequency = 506000;
    b.Bandwidth = 1;
    b.NetworkName = u"Other";
    WriteFile(folder.Path() / "a.koralin", BuiltBlock(kModel82, a));
    WriteFile(folder.Path() / "b.koralin", BuiltBlock(kModel82, b));

    const VemoResult files = Vemo({"diff", "a.koralin", "b"});
    EXPECT_EQ(files.exit, 0) << files.err;
    const std::string a_path = (folder.Path() / "a.koralin").string();
    const std::string b_path = (folder.Path() / "b.koralin").string();
    EXPECT_EQ(files.out, "--- " + a_path + "\n+++ " + b_path +
                             "\n"
                             "frequency: 498000 kHz -> 506000 kHz\n"
                             "bandwidth: 8 MHz (2) -> 7 MHz (1)\n"
                             "network-name: \"VEMO NET\" -> \"Other\"\n");

    const VemoResult same = Vemo({"--model", "0x82", "diff", "a", "a"});
    EXPECT_NE(same.out.find("no differences"), std::string::npos);

    // Against the device: the simulated 0x82 holds its factory block with its own EIT texts,
    // codecs and logo, which the file built here lacks.
    const VemoResult device = Vemo({"--simulate", "0x82", "--json", "diff", "b.koralin"});
    EXPECT_EQ(device.exit, 0) << device.err;
    const QJsonObject diff = JsonLines(device.out).front();
    EXPECT_EQ(diff["to"].toString(), "device");
    QStringList names;
    for (const QJsonValue& difference : diff["differences"].toArray()) {
        names << difference["name"].toString();
    }
    EXPECT_EQ(names, QStringList({"frequency", "bandwidth", "network-name", "eit-name", "eit-text",
                                  "audio-codec", "logo-name"}));

    WriteFile(folder.Path() / "c.tmc", BuiltBlock(kModel78, FactoryParameters(kModel78)));
    EXPECT_EQ(Vemo({"diff", "a.koralin", "c.tmc"}).exit, 2) << "files of different models";
}

TEST_F(Files, JsonLinesCarryEveryResultAndTheExit) {
    const VemoResult result =
        Vemo({"--json", "--simulate", "0x78", "set", "bandwidth=6MHz", "light=40"});
    EXPECT_EQ(result.exit, 0) << result.err;
    const std::vector<QJsonObject> lines = JsonLines(result.out);
    ASSERT_EQ(lines.size(), 2u) << result.out;
    const QJsonObject parameters = lines[0]["parameters"].toObject();
    EXPECT_EQ(lines[0]["type"].toString(), "parameters");
    EXPECT_EQ(lines[0]["model"].toString(), "0x78");
    EXPECT_EQ(parameters["bandwidth"].toObject()["value"].toInt(), 0);
    EXPECT_EQ(parameters["bandwidth"].toObject()["text"].toString(), "6 MHz");
    EXPECT_EQ(parameters["light"].toObject()["value"].toInt(), 40);
    EXPECT_EQ(lines[1]["type"].toString(), "done");
    EXPECT_EQ(lines[1]["exit"].toInt(), 0);

    const VemoResult failed = Vemo({"--json", "get"});
    const std::vector<QJsonObject> error = JsonLines(failed.out);
    ASSERT_EQ(error.size(), 2u);
    EXPECT_EQ(error[0]["type"].toString(), "error");
    EXPECT_EQ(error[0]["exit"].toInt(), 3);
    EXPECT_EQ(error[1]["exit"].toInt(), 3);
}

class Firmware : public CliTest {
protected:
    // A model 0x82 image of release 2.3 in the base directory's firmware folder; the simulated
    // device runs the version in an image's first byte.
    void WriteImage(int version) {
        Bytes image = Pattern(5000);
        image[0] = static_cast<std::uint8_t>(version);
        WriteFile(folder.Path() / "firmware" /
                      ("KORALIN_" + std::to_string(version) + "_cli_" + DigestOf(image) + ".bin"),
                  image);
    }
};

TEST_F(Firmware, UpdatesModel82AndFindsItAgainAtTheNewVersion) {
    WriteImage(23);
    SimDevice& device = machine.AddDevice("ttyUSB0", SimulatedIdentity(kModel82));
    const VemoResult check = Vemo({"firmware", "check"});
    EXPECT_EQ(check.exit, 0) << check.err;
    EXPECT_NE(check.out.find("release 2.3: update due"), std::string::npos) << check.out;
    EXPECT_EQ(device.imagesInstalled, 0);

    const VemoResult update = Vemo({"firmware", "update"}, /*terminal=*/true);
    EXPECT_EQ(update.exit, 0) << update.err;
    EXPECT_EQ(update.out, "updated: model 0x82, software 2.3\n");
    EXPECT_EQ(device.imagesInstalled, 1);
    EXPECT_EQ(device.identity.SoftwareVersion, 23);
    // One bar, redrawn in place, then the status lines below it.
    EXPECT_NE(
        update.err.find("\r[" + std::string(16, '#') + std::string(24, '.') + "] 40%  2048/5000"),
        std::string::npos)
        << update.err;
    EXPECT_NE(update.err.find("] 100%  100/100\x1b[K\nWriting, wait...\n"), std::string::npos);

    // A forced reload writes the same image again; --json reports each step of the bar.
    const VemoResult forced = Vemo({"--json", "firmware", "update", "--force"});
    EXPECT_EQ(forced.exit, 0) << forced.err;
    EXPECT_EQ(device.imagesInstalled, 2);
    const std::vector<QJsonObject> lines = JsonLines(forced.out);
    std::vector<std::pair<int, int>> progress;
    for (const QJsonObject& line : lines) {
        if (line["type"] == "progress") {
            progress.emplace_back(line["range"].toInt(), line["position"].toInt());
        }
    }
    const std::vector<std::pair<int, int>> expected = {{5000, 0},    {5000, 2048}, {5000, 4096},
                                                       {5000, 5000}, {100, 100},   {1, 0}};
    EXPECT_EQ(progress, expected);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2]["type"].toString(), "updated");
    EXPECT_EQ(lines[lines.size() - 2]["software"].toString(), "2.3");

    const VemoResult again = Vemo({"firmware", "update"});
    EXPECT_EQ(again.exit, 0);
    EXPECT_EQ(again.out, "up to date: model 0x82, software 2.3\n");
    EXPECT_EQ(device.imagesInstalled, 2);
}

TEST_F(Firmware, UpdatesModel78ModuleByModuleWithPlainProgressLines) {
    WritePackage(folder.Path() / "firmware" / "H3", {SystemModule(24), EncoderModule(24)});
    SimDevice& device = machine.AddDevice("ttyUSB0", SimulatedIdentity(kModel78));
    const VemoResult update = Vemo({"firmware", "update"});
    EXPECT_EQ(update.exit, 0) << update.err;
    EXPECT_EQ(update.out, "updated: model 0x78, software 2.4\n");
    EXPECT_EQ(device.restarts, 1);
    EXPECT_NE(update.err.find("Encoder : verifying..."), std::string::npos) << update.err;
    EXPECT_NE(update.err.find("progress 44% (200/450)\n"), std::string::npos);
    EXPECT_EQ(update.err.find('\r'), std::string::npos) << "no bar off a terminal";

    const VemoResult check = Vemo({"firmware", "check"});
    EXPECT_NE(check.out.find("System (system.bin, release 2.4): up to date"), std::string::npos)
        << check.out;
}

TEST_F(Firmware, FailuresHaveTheFirmwareExitCode) {
    WriteImage(23);
    SimDevice& device = machine.AddDevice("ttyUSB0", SimulatedIdentity(kModel82));
    // The device restarts at its old version whatever was written.
    device.versionAfterRestart = 22;
    const VemoResult stale = Vemo({"firmware", "update"});
    EXPECT_EQ(stale.exit, 7);
    EXPECT_NE(stale.err.find("runs software 2.2 after the update, not 2.3"), std::string::npos)
        << stale.err;

    // A package whose table does not match its digest.
    machine.devices.clear();
    SimDevice& model78 = machine.AddDevice("ttyUSB1", SimulatedIdentity(kModel78));
    WritePackage(folder.Path() / "firmware" / "H3", {SystemModule(24)});
    WriteText(folder.Path() / "firmware" / "H3" / "extension.bin",
              "00000000000000000000000000000000");
    const VemoResult broken = Vemo({"--port", "ttyUSB1", "firmware", "update"});
    EXPECT_EQ(broken.exit, 7);
    EXPECT_NE(broken.err.find("Configuration Error"), std::string::npos) << broken.err;
    EXPECT_EQ(model78.restarts, 0);
    // The core's status texts come in the language asked for.
    const VemoResult french = Vemo({"--lang", "fr", "--port", "ttyUSB1", "firmware", "check"});
    EXPECT_EQ(french.exit, 7);
    EXPECT_NE(french.err.find("Erreur Configuration"), std::string::npos) << french.err;
}

}  // namespace
}  // namespace vemo::test
