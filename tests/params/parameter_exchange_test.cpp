#include "params/parameter_exchange.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/startup_values.h"
#include "link/command_codes.h"
#include "params/worked_blocks.h"
#include "sim/in_process_port.h"
#include "sim/sim_parameters.h"
#include "support/recording_user.h"
#include "support/sim_line.h"

namespace vemo {
namespace {

using test::Bytes;
using test::Concat;
using test::Hex;

// A connected device of one model on the in-process line, and the exchange over it.
class ExchangeFixture : public test::SimLine {
public:
    explicit ExchangeFixture(std::uint8_t model) : SimLine(SimIdentity{.ModelCode = model}) {}

    test::RecordingBeeper beeper;
    test::RecordingStatusSink status;
    ParameterExchange exchange{xmit, beeper, status, kEnglish};
};

Bytes WorkedBlock(std::uint8_t model) {
    return Hex(model == kModel82 ? test::kWorkedBlock82 : test::kWorkedBlock78);
}

struct Expected {
    std::uint8_t command;
    Bytes payload;
    Milliseconds timeout;
};

struct ExchangeCase {
    const char* name;
    std::uint8_t model;
    // Runs the exchange; true when it reports full success.
    std::function<bool(ParameterExchange&)> run;
    std::vector<Expected> requests;
    std::size_t sentWhenSilent;  // how far the sequence goes when no reply ever comes
};

void PrintTo(const ExchangeCase& c, std::ostream* out) {
    *out << c.name;
}

bool Read(ParameterExchange& exchange) {
    ParameterSet set;
    BlockImage image;
    return exchange.ReadParameterBlock(set, image) == BlockOutcome::Complete;
}

std::function<bool(ParameterExchange&)> Write(ParameterSlot slot, std::uint8_t model) {
    return [slot, model](ParameterExchange& exchange) {
        return exchange.WriteParameterBlock(slot, WorkedBlock(model));
    };
}

const Milliseconds kShort{500};
const Milliseconds kData{5000};

class ExchangeSequenceTest : public testing::TestWithParam<ExchangeCase> {
protected:
    ExchangeFixture line{GetParam().model};

    std::vector<std::pair<std::uint8_t, Bytes>> ExpectedSent(std::size_t count) const {
        std::vector<std::pair<std::uint8_t, Bytes>> sent;
        for (std::size_t i = 0; i < count; ++i) {
            sent.emplace_back(GetParam().requests[i].command, GetParam().requests[i].payload);
        }
        return sent;
    }
};

TEST_P(ExchangeSequenceTest, SendsItsRequestsInOrder) {
    EXPECT_TRUE(GetParam().run(line.exchange));
    EXPECT_EQ(line.Sent(), ExpectedSent(GetParam().requests.size()));
    EXPECT_FALSE(line.xmit.LinkLost());
}

TEST_P(ExchangeSequenceTest, WaitsEachRequestsTimeOut) {
    std::deque<Fault> late;
    for (const Expected& request : GetParam().requests) {
        late.push_back({FaultKind::DelayedReply, request.timeout - Milliseconds(10)});
    }
    line.device.faults.Script(late);
    EXPECT_TRUE(GetParam().run(line.exchange)) << "every reply came just in time";
    EXPECT_EQ(line.Sent(), ExpectedSent(GetParam().requests.size()));
}

TEST_P(ExchangeSequenceTest, GivesUpOnEachRequestAtItsTimeOut) {
    line.device.faults.Script(std::deque<Fault>(GetParam().requests.size(), {FaultKind::NoReply}));
    EXPECT_FALSE(GetParam().run(line.exchange));
    const std::size_t sent = GetParam().sentWhenSilent;
    ASSERT_EQ(line.Sent(), ExpectedSent(sent));
    const std::vector<LoggedRequest>& log = line.device.Requests();
    for (std::size_t i = 0; i < sent; ++i) {
        const Milliseconds next = i + 1 < sent ? log[i + 1].time : line.clock.Now();
        EXPECT_GE(next - log[i].time, GetParam().requests[i].timeout) << i;
        EXPECT_LT(next - log[i].time, GetParam().requests[i].timeout + Milliseconds(10)) << i;
    }
    EXPECT_TRUE(line.xmit.LinkLost());
}

INSTANTIATE_TEST_SUITE_P(
    Exchanges, ExchangeSequenceTest,
    testing::Values(ExchangeCase{"Read82", kModel82, Read, {{0x70, {}, kShort}}, 1},
                    ExchangeCase{"Write82",
                                 kModel82,
                                 Write(ParameterSlot::Current, kModel82),
                                 {{0x50, Hex(test::kWorkedBlock82), kShort}},
                                 1},
                    ExchangeCase{"Read78",
                                 kModel78,
                                 Read,
                                 {{0xC0, Hex("01 4E 02"), kShort},
                                  {0xC0, Hex("03 00 01"), kData},
                                  {0xC0, Hex("02"), kData}},
                                 2},
                    ExchangeCase{"Write78Current",
                                 kModel78,
                                 Write(ParameterSlot::Current, kModel78),
                                 {{0xC0, Hex("00 4E 02"), kShort},
                                  {0xC0, Concat(Hex("04"), Hex(test::kWorkedBlock78)), kData},
                                  {0xC0, Hex("02"), kData},
                                  {0xB0, {}, kShort}},
                                 1},
                    ExchangeCase{"Write78Default",
                                 kModel78,
                                 Write(ParameterSlot::Default, kModel78),
                                 {{0xC0, Hex("00 53 02"), kShort},
                                  {0xC0, Concat(Hex("04"), Hex(test::kWorkedBlock78)), kData},
                                  {0xC0, Hex("02"), kData},
                                  {0xB0, {}, kShort}},
                                 1}),
    [](const auto& info) { return std::string(info.param.name); });

class ExchangeModelTest : public testing::TestWithParam<std::uint8_t> {
protected:
    std::uint8_t Model() const { return GetParam(); }
    const std::vector<std::uint8_t>& DeviceBlock(ParameterSlot slot = ParameterSlot::Current) {
        if (Model() == kModel82) {
            return line.device.parameterBlock;
        }
        return line.device.objects[slot == ParameterSlot::Current ? object_id::CurrentParameters
                                                                  : object_id::DefaultParameters];
    }
    ExchangeFixture line{GetParam()};
    ParameterSet set;
    BlockImage image;
};

TEST_P(ExchangeModelTest, ANewDeviceReadsAsItsFactoryValues) {
    EXPECT_EQ(line.exchange.ReadParameterBlock(set, image), BlockOutcome::Complete);
    EXPECT_EQ(set, FactoryParameters(Model()));
    if (Model() == kModel82) {
        EXPECT_EQ(image.LogoName, u"logo.dg1");
        EXPECT_EQ(image.EitName, u"Live");
    }
    EXPECT_TRUE(line.beeper.sounds.empty());
}

TEST_P(ExchangeModelTest, AnEditedBlockTravelsToTheDeviceAndBackByteForByte) {
    ASSERT_EQ(line.exchange.ReadParameterBlock(set, image), BlockOutcome::Complete);
    set.Frequency = 522000;
    set.ServiceName = u"Zw\u00F6lf";
    set.Lcn = 12;
    set.LevelPosition = 20;
    const ParameterSet edited = set;
    const Bytes block = test::Build(Model(), set, image);
    EXPECT_TRUE(line.exchange.WriteParameterBlock(ParameterSlot::Current, block));
    EXPECT_EQ(DeviceBlock(), block);

    ParameterSet readBack;
    BlockImage readBackImage;
    EXPECT_EQ(line.exchange.ReadParameterBlock(readBack, readBackImage), BlockOutcome::Complete);
    EXPECT_EQ(readBack, edited);
    EXPECT_EQ(test::Build(Model(), readBack, readBackImage), block);
}

TEST_P(ExchangeModelTest, AReadThatGetsNoBlockParsesNothingAndClosesNothing) {
    set.Frequency = 610000;
    const ParameterSet before = set;
    const std::size_t readRequest = Model() == kModel82 ? 0 : 1;
    for (FaultKind fault : {FaultKind::Refusal, FaultKind::NoReply}) {
        std::deque<Fault> faults(readRequest, Fault{});
        faults.push_back({fault});
        line.device.faults.Script(faults);
        line.device.ClearRequests();
        EXPECT_EQ(line.exchange.ReadParameterBlock(set, image), BlockOutcome::NotReceived);
        EXPECT_EQ(set, before);
        EXPECT_EQ(image, BlockImage{});
        EXPECT_EQ(line.device.Requests().size(), readRequest + 1) << "no close follows";
        EXPECT_EQ(line.xmit.TakeLinkLost(), fault == FaultKind::NoReply);
    }
}

TEST_P(ExchangeModelTest, ParsingABlockFromAFileClosesTheObjectOnlyOnModel78) {
    Bytes block = WorkedBlock(Model());
    block.pop_back();  // also when the block is cut short
    line.exchange.ParseBlock(block, set, image);
    if (Model() == kModel82) {
        EXPECT_TRUE(line.Sent().empty());
    } else {
        ASSERT_EQ(line.Sent().size(), 1u);
        EXPECT_EQ(line.Sent()[0], std::make_pair(std::uint8_t{0xC0}, Hex("02")));
    }
}

INSTANTIATE_TEST_SUITE_P(Models, ExchangeModelTest, testing::Values(kModel82, kModel78),
                         [](const auto& info) {
                             return info.param == kModel82 ? "Model82" : "Model78";
                         });

TEST(ParameterExchange78, DefaultsGoToTheirOwnObject) {
    ExchangeFixture line(kModel78);
    const Bytes current = line.device.objects[object_id::CurrentParameters];
    const Bytes block = WorkedBlock(kModel78);
    EXPECT_TRUE(line.exchange.WriteParameterBlock(ParameterSlot::Default, block));
    EXPECT_EQ(line.device.objects[object_id::DefaultParameters], block);
    EXPECT_EQ(line.device.objects[object_id::CurrentParameters], current);
    EXPECT_EQ(line.device.writesDone, 1);
}

TEST(ParameterExchange78, ABlockTheDeviceDidNotTakeWholeIsNeitherClosedNorPutIntoEffect) {
    // Closing after a refused or unanswered data write would have the device store what it
    // got of the block, nothing, in place of its parameters.
    for (FaultKind fault : {FaultKind::Refusal, FaultKind::NoReply}) {
        for (std::size_t failing : {0u, 1u}) {
            ExchangeFixture line(kModel78);
            const Bytes current = line.device.objects[object_id::CurrentParameters];
            std::deque<Fault> faults(failing, Fault{});
            faults.push_back({fault});
            line.device.faults.Script(faults);
            EXPECT_FALSE(
                line.exchange.WriteParameterBlock(ParameterSlot::Current, WorkedBlock(kModel78)));
            EXPECT_EQ(line.Sent().size(), failing + 1) << "nothing after the failed request";
            EXPECT_EQ(line.device.writesDone, 0);
            if (fault == FaultKind::Refusal) {
                EXPECT_EQ(line.device.objects[object_id::CurrentParameters], current);
            }
        }
    }
}

TEST(ParameterExchange82, HasNoDefaultSlotToWrite) {
    ExchangeFixture line(kModel82);
    EXPECT_FALSE(line.exchange.WriteParameterBlock(ParameterSlot::Default, WorkedBlock(kModel82)));
    EXPECT_TRUE(line.Sent().empty());
}

TEST(ParameterExchange78, ABlockWithoutItsSignatureBeepsShowsTheErrorAndChangesNothing) {
    ExchangeFixture line(kModel78);
    line.device.objects[object_id::CurrentParameters] = Hex("50 46 5A 00 00 31 00 00");
    ParameterSet set = test::WorkedExampleSet(kModel78);
    const ParameterSet before = set;
    BlockImage image;
    EXPECT_EQ(line.exchange.ReadParameterBlock(set, image), BlockOutcome::BadSignature);
    EXPECT_EQ(set, before);
    EXPECT_EQ(line.Sent().size(), 2u) << "open and read, no close";
    ASSERT_EQ(line.beeper.sounds.size(), 1u);
    EXPECT_EQ(line.beeper.sounds[0], (test::RecordingBeeper::Sound{880, Milliseconds(1000)}));
    ASSERT_EQ(line.status.messages.size(), 1u);
    EXPECT_EQ(line.status.messages[0], (test::RecordingStatusSink::Message{
                                           u"Configuration Error", Milliseconds(10000), false}));

    // The message speaks the interface language.
    ParameterExchange french(line.xmit, line.beeper, line.status, kFrench);
    EXPECT_EQ(french.ParseBlock(Hex("00"), set, image), BlockOutcome::BadSignature);
    EXPECT_EQ(line.status.messages.back().text, u"Erreur Configuration");
}

}  // namespace
}  // namespace vemo
