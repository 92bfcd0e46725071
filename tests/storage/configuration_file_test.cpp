#include "storage/configuration_file.h"

#include <gtest/gtest.h>

#include <csignal>
#if defined(__unix__)
#include <sys/resource.h>
#endif

#include "app/startup_values.h"
#include "params/parameter_block.h"
#include "params/parameter_exchange.h"
#include "sim/sim_parameters.h"
#include "storage/complete_file_name.h"
#include "storage/storage_rig.h"
#include "support/sim_line.h"

namespace vemo {
namespace {

using test::Bytes;

// The panel's side as the buttons see it: the block built from its values, and a parse that
// records what it was handed.
class RecordingPanel {
public:
    explicit RecordingPanel(std::uint8_t model) : model_(model), set(FactoryParameters(model)) {}

    ConfigurationPanel Lend() {
        return {[this] {
                    ++builds;
                    Bytes block(kBlockCapacity);
                    std::size_t length = 0;
                    BuildParameterBlock(model_, set, image, block, length);
                    block.resize(length);
                    built = block;
                    return block;
                },
                [this](std::span<const std::uint8_t> block) {
                    parsed.emplace_back(block.begin(), block.end());
                    return ParseParameterBlock(model_, block, set, image);
                }};
    }

    std::uint8_t model_;
    ParameterSet set;
    BlockImage image;
    int builds = 0;
    Bytes built;
    std::vector<Bytes> parsed;
};

using Message = test::RecordingStatusSink::Message;
const test::RecordingBeeper::Sound kFileErrorBeep{440, Milliseconds(250)};

Message Shown(const char16_t* text) {
    return {text, Milliseconds(2000), false};
}

class ConfigurationModelTest : public testing::TestWithParam<std::uint8_t> {
protected:
    std::uint8_t Model() const { return GetParam(); }
    std::filesystem::path Folder() const { return rig.base / "site.v2"; }

    FileOutcome Run(FileDirection direction, const std::filesystem::path& chosen) {
        rig.prompter.answer = chosen;
        return LoadSaveConfiguration(direction, Model(), rig.user, panel.Lend());
    }

    test::StorageRig rig;
    RecordingPanel panel{GetParam()};
};

TEST_P(ConfigurationModelTest, DialogsAskForTheModelsFilesInTheConfigFolder) {
    Run(FileDirection::Save, {});
    Run(FileDirection::Load, {});
    const std::u16string pattern = Model() == kModel82 ? u"*.koralin" : u"*.tmc";
    ASSERT_EQ(rig.prompter.requests.size(), 2u);
    for (const FileDialogRequest& request : rig.prompter.requests) {
        EXPECT_EQ(request.filterDescription, u"Config.");
        EXPECT_EQ(request.filterPattern, pattern);
        EXPECT_EQ(request.folder, rig.base / "config");
    }
    EXPECT_TRUE(rig.prompter.requests[0].save);
    EXPECT_EQ(rig.prompter.requests[0].title, u"Save Configuration");
    EXPECT_FALSE(rig.prompter.requests[1].save);
    EXPECT_EQ(rig.prompter.requests[1].title, u"Load Configuration");
}

TEST_P(ConfigurationModelTest, CancelledDialogsTouchNothing) {
    EXPECT_EQ(Run(FileDirection::Save, {}), FileOutcome::Cancelled);
    EXPECT_EQ(Run(FileDirection::Load, {}), FileOutcome::Cancelled);
    EXPECT_EQ(panel.builds, 0);
    EXPECT_TRUE(panel.parsed.empty());
    EXPECT_TRUE(rig.status.messages.empty());
    EXPECT_TRUE(rig.beeper.sounds.empty());
    EXPECT_TRUE(test::StorageRig::Listing(rig.base).empty());
}

TEST_P(ConfigurationModelTest, SaveThenLoadHandsTheParseExactlyTheBuiltBytes) {
    const std::filesystem::path file =
        Folder() / (Model() == kModel82 ? "setup.koralin" : "setup.tmc");
    std::filesystem::create_directories(Folder());
    EXPECT_EQ(Run(FileDirection::Save, Folder() / "setup"), FileOutcome::Saved);
    ASSERT_EQ(panel.builds, 1);
    EXPECT_EQ(test::StorageRig::ReadFile(file), panel.built) << "the block and nothing else";
    EXPECT_EQ(test::StorageRig::Listing(Folder()), std::vector{file.filename()});

    panel.set = ParameterSet{};
    EXPECT_EQ(Run(FileDirection::Load, file), FileOutcome::Loaded);
    ASSERT_EQ(panel.parsed.size(), 1u);
    EXPECT_EQ(panel.parsed[0], panel.built);
    EXPECT_EQ(panel.set, FactoryParameters(Model()));
    EXPECT_EQ(rig.status.messages, (std::vector{Shown(u"Saved"), Shown(u"Loaded")}));
    EXPECT_TRUE(rig.beeper.sounds.empty());
}

TEST_P(ConfigurationModelTest, SavingOverAFileReplacesIt) {
    const std::filesystem::path file =
        CompleteFileName(Folder() / "setup", ConfigurationExtension(Model()));
    test::StorageRig::WriteFile(file, Bytes(5000, 0xEE));
    EXPECT_EQ(Run(FileDirection::Save, file), FileOutcome::Saved);
    EXPECT_EQ(test::StorageRig::ReadFile(file), panel.built);
    EXPECT_EQ(test::StorageRig::Listing(Folder()), std::vector{file.filename()});
}

// The Save dialog only asked about the name as typed; the file the extension leads to is not
// replaced unless the user agrees.
TEST_P(ConfigurationModelTest, AFileFoundOnlyByTheAddedExtensionIsReplacedOnlyWhenTheUserAgrees) {
    const std::filesystem::path file =
        CompleteFileName(Folder() / "setup", ConfigurationExtension(Model()));
    const Bytes old(5000, 0xEE);
    test::StorageRig::WriteFile(file, old);

    rig.prompter.yes = false;
    EXPECT_EQ(Run(FileDirection::Save, Folder() / "setup"), FileOutcome::Cancelled);
    EXPECT_EQ(rig.prompter.questions,
              std::vector<std::u16string>{file.filename().u16string() +
                                          u" already exists.\nDo you want to replace it?"});
    EXPECT_EQ(test::StorageRig::ReadFile(file), old);
    EXPECT_EQ(panel.builds, 0);
    EXPECT_TRUE(rig.status.messages.empty());

    rig.prompter.yes = true;
    EXPECT_EQ(Run(FileDirection::Save, Folder() / "setup"), FileOutcome::Saved);
    EXPECT_EQ(test::StorageRig::ReadFile(file), panel.built);
    EXPECT_EQ(rig.prompter.questions.size(), 2u);

    // Chosen as it is named, or loaded: the dialog's own question was the only one.
    EXPECT_EQ(Run(FileDirection::Save, file), FileOutcome::Saved);
    EXPECT_EQ(Run(FileDirection::Load, Folder() / "setup"), FileOutcome::Loaded);
    EXPECT_EQ(rig.prompter.questions.size(), 2u);
}

// A file the parse cannot take whole is refused before the panel sees it.
struct RefusedLoad {
    const char* name;
    std::function<Bytes(const Bytes& block)> content;  // nothing written when it gives {}
};

TEST_P(ConfigurationModelTest, FilesThatHoldNoWholeBlockAreRefused) {
    std::filesystem::create_directories(Folder());
    panel.Lend().buildBlock();
    const Bytes block = panel.built;
    const std::vector<RefusedLoad> cases = {
        {"missing", [](const Bytes&) { return Bytes{}; }},
        {"one byte short", [](const Bytes& b) { return Bytes(b.begin(), b.end() - 1); }},
        {"beyond the buffer",
         [](const Bytes& b) { return test::Concat(b, Bytes(kConfigurationBufferSize, 0)); }},
    };
    for (const RefusedLoad& refused : cases) {
        SCOPED_TRACE(refused.name);
        const std::filesystem::path file =
            CompleteFileName(Folder() / refused.name, ConfigurationExtension(Model()));
        const Bytes content = refused.content(block);
        if (!content.empty()) {
            test::StorageRig::WriteFile(file, content);
        }
        rig.status.messages.clear();
        rig.beeper.sounds.clear();
        const ParameterSet before = panel.set;
        EXPECT_EQ(Run(FileDirection::Load, file), FileOutcome::Refused);
        EXPECT_TRUE(panel.parsed.empty());
        EXPECT_EQ(panel.set, before);
        EXPECT_EQ(rig.beeper.sounds, std::vector{kFileErrorBeep});
        EXPECT_EQ(rig.status.messages, std::vector{Shown(u"Config. read error")});
    }
}

TEST_P(ConfigurationModelTest, AWholeBlockFillingTheBufferLoads) {
    panel.Lend().buildBlock();
    const Bytes padded =
        test::Concat(panel.built, Bytes(kConfigurationBufferSize - panel.built.size(), 0x5A));
    const std::filesystem::path file =
        CompleteFileName(Folder() / "full", ConfigurationExtension(Model()));
    test::StorageRig::WriteFile(file, padded);
    EXPECT_EQ(Run(FileDirection::Load, file), FileOutcome::Loaded);
    ASSERT_EQ(panel.parsed.size(), 1u);
    EXPECT_EQ(panel.parsed[0], padded);
}

TEST_P(ConfigurationModelTest, AFileThatCannotBeCreatedIsAWriteError) {
    std::filesystem::create_directories(Folder() / "setup.tmc");
    std::filesystem::create_directories(Folder() / "setup.koralin");
    EXPECT_EQ(Run(FileDirection::Save, Folder() / "setup"), FileOutcome::Refused);
    EXPECT_EQ(Run(FileDirection::Save, rig.base / "no such folder" / "setup"),
              FileOutcome::Refused);
    EXPECT_EQ(panel.builds, 0) << "nothing is built for a file that cannot be written";
    EXPECT_EQ(rig.beeper.sounds, std::vector(2, kFileErrorBeep));
    EXPECT_EQ(rig.status.messages, std::vector(2, Shown(u"Config. write Error")));
}

INSTANTIATE_TEST_SUITE_P(Models, ConfigurationModelTest, testing::Values(kModel82, kModel78),
                         [](const auto& info) {
                             return info.param == kModel82 ? "Model82" : "Model78";
                         });

TEST(ConfigurationSave, AFailedWriteLeavesTheOldFileAsItWas) {
    test::StorageRig rig;
    RecordingPanel panel(kModel78);
    const std::filesystem::path file = rig.base / "setup.tmc";
    const Bytes old(20, 0x11);
    test::StorageRig::WriteFile(file, old);
    rig.prompter.answer = file;

    // A block the panel could not build is not written at all.
    ConfigurationPanel broken = panel.Lend();
    broken.buildBlock = [] { return Bytes{}; };
    EXPECT_EQ(LoadSaveConfiguration(FileDirection::Save, kModel78, rig.user, broken),
              FileOutcome::Refused);
    EXPECT_EQ(test::StorageRig::ReadFile(file), old);

#if defined(__unix__)
    // The disk fills up half-way: the system refuses bytes beyond a few.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit full{8, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
    const FileOutcome outcome =
        LoadSaveConfiguration(FileDirection::Save, kModel78, rig.user, panel.Lend());
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(outcome, FileOutcome::Refused);
    EXPECT_GT(panel.built.size(), 8u);
    EXPECT_EQ(test::StorageRig::ReadFile(file), old);
#endif
    EXPECT_EQ(test::StorageRig::Listing(rig.base), std::vector<std::filesystem::path>{"setup.tmc"})
        << "no temporary file is left behind";
    EXPECT_EQ(rig.status.messages.back(), Shown(u"Config. write Error"));
    EXPECT_EQ(rig.beeper.sounds.back(), kFileErrorBeep);
}

TEST(ConfigurationLoad78, AFileWithoutTheSignatureIsRejectedByTheParseAlone) {
    test::StorageRig rig;
    test::SimLine line(SimIdentity{kModel78, 23, 0, 3});
    ParameterExchange exchange(line.xmit, rig.beeper, rig.status, kEnglish);
    ParameterSet set = FactoryParameters(kModel78);
    BlockImage image;
    Bytes block = FactoryBlock(kModel78);
    block[3] = 'K';
    const std::filesystem::path file = rig.base / "other.tmc";
    test::StorageRig::WriteFile(file, block);
    rig.prompter.answer = file;

    ConfigurationPanel panel{[] { return Bytes{}; },
                             [&](std::span<const std::uint8_t> bytes) {
                                 return exchange.ParseBlock(bytes, set, image);
                             }};
    EXPECT_EQ(LoadSaveConfiguration(FileDirection::Load, kModel78, rig.user, panel),
              FileOutcome::Refused);
    EXPECT_EQ(set, FactoryParameters(kModel78));
    EXPECT_EQ(rig.beeper.sounds,
              (std::vector<test::RecordingBeeper::Sound>{{880, Milliseconds(1000)}}));
    EXPECT_EQ(rig.status.messages,
              (std::vector<Message>{{u"Configuration Error", Milliseconds(10000), false}}))
        << "no \"Loaded\" follows";
    EXPECT_TRUE(line.Sent().empty());
}

}  // namespace
}  // namespace vemo
