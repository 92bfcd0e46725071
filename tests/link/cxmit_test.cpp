#include "link/cxmit.h"

#include <gtest/gtest.h>

#include "link/command_codes.h"
#include "sim/in_process_port.h"
#include "support/bytes.h"
#include "support/scripted_port.h"

namespace vemo {
namespace {

using test::Bytes;
using test::Hex;

constexpr Milliseconds kTimeout{500};

// The link on a simulated device of model 0x82 that hangs on "COM1".
class TransactTest : public testing::Test {
protected:
    TransactTest() {
        bus.AddPort("COM1", &device);
        EXPECT_TRUE(port.Open("COM1"));
    }

    Bytes Reply() const { return Bytes(xmit.ReplyPayload().begin(), xmit.ReplyPayload().end()); }

    VirtualClock clock;
    SimDevice device{SimIdentity{0x82, 22, 0, 0, false}};
    SimBus bus;
    InProcessPort port{bus, clock};
    test::AnyPortCatalogue catalogue;
    CXmit xmit{port, catalogue, clock};
};

TEST_F(TransactTest, SendsOneFrameAndKeepsTheReply) {
    EXPECT_TRUE(xmit.Transact(command::Identify, {}, kTimeout));
    EXPECT_EQ(port.written, Hex("02 10 10"));
    EXPECT_EQ(Reply(), Hex("82 16 00"));
    EXPECT_EQ(xmit.ReplyClass(), kReplyPositive);
    EXPECT_FALSE(xmit.LinkLost());
}

TEST_F(TransactTest, WithoutPortRaisesLinkLostAndSendsNothing) {
    port.Close();
    EXPECT_FALSE(xmit.Transact(command::Identify, {}, kTimeout));
    EXPECT_TRUE(xmit.LinkLost());
    EXPECT_TRUE(port.written.empty());
}

TEST_F(TransactTest, FaultsThatLoseTheReplyRaiseLinkLostAfterTheTimeOut) {
    for (FaultKind kind : {FaultKind::NoReply, FaultKind::BadCheck}) {
        device.faults.Script({{kind}});
        const Milliseconds start = clock.Now();
        EXPECT_FALSE(xmit.Transact(command::Identify, {}, kTimeout));
        EXPECT_TRUE(xmit.TakeLinkLost());
        if (kind == FaultKind::NoReply) {
            EXPECT_GE(clock.Now() - start, kTimeout);
            EXPECT_LT(clock.Now() - start, kTimeout + Milliseconds(10));
        }
    }
}

TEST_F(TransactTest, RefusalReturnsFalseButKeepsTheLink) {
    device.faults.Script({{FaultKind::Refusal}});
    EXPECT_FALSE(xmit.Transact(command::Identify, {}, kTimeout));
    EXPECT_FALSE(xmit.LinkLost());
    EXPECT_EQ(xmit.ReplyClass(), kReplyRefusal);
}

TEST_F(TransactTest, ReplyIsFoundThroughNoiseSplitsAndDelaysWithinTheTimeOut) {
    device.faults.Script({{FaultKind::NoiseBefore},
                          {FaultKind::SplitReply, Milliseconds(100)},
                          {FaultKind::DelayedReply, Milliseconds(450)}});
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(xmit.Transact(command::Identify, {}, kTimeout)) << i;
        EXPECT_EQ(Reply(), Hex("82 16 00")) << i;
    }
    EXPECT_FALSE(xmit.LinkLost());
}

TEST_F(TransactTest, ReplyLaterThanTheTimeOutFails) {
    device.faults.Script({{FaultKind::DelayedReply, Milliseconds(600)}});
    EXPECT_FALSE(xmit.Transact(command::Identify, {}, kTimeout));
    EXPECT_TRUE(xmit.LinkLost());
}

TEST_F(TransactTest, StaleBytesAreDrainedBeforeTheRequestWithoutWaiting) {
    clock.Sleep(Milliseconds(40));
    port.Inject(Hex("02 F3 11 22 33 00"));
    EXPECT_TRUE(xmit.Transact(command::Identify, {}, kTimeout));
    EXPECT_EQ(Reply(), Hex("82 16 00"));
    // A drain that waited for an empty read would cost every request a read time-out.
    EXPECT_EQ(device.Requests().at(0).time, Milliseconds(40));
}

TEST_F(TransactTest, WriteMemorySendsTheLow24AddressBits) {
    ASSERT_TRUE(xmit.Transact(command::ObjectAccess, Hex("00"), kTimeout));  // start an image
    const Bytes data = test::Repeat(0x5A, 300);
    EXPECT_TRUE(xmit.WriteMemory(0xAB123456, data));
    const LoggedRequest& request = device.Requests().back();
    EXPECT_EQ(request.command, command::ObjectAccess);
    EXPECT_EQ(Bytes(request.payload.begin(), request.payload.begin() + 4), Hex("01 12 34 56"));
    EXPECT_EQ(request.payload.size(), data.size() + 4);
    EXPECT_EQ(device.image.size(), 0x123456u + data.size());
}

class ScriptedTransactTest : public testing::Test {
protected:
    ScriptedTransactTest() { port.Open("COM1"); }
    VirtualClock clock;
    test::ScriptedPort port{clock};
    test::AnyPortCatalogue catalogue;
    CXmit xmit{port, catalogue, clock};
};

TEST_F(ScriptedTransactTest, RefusalPayloadStaysReadable) {
    port.replies.push_back(Hex("02 E2 AB CD 84"));
    EXPECT_FALSE(xmit.Transact(command::ObjectAccess, Hex("02"), kTimeout));
    EXPECT_EQ(Bytes(xmit.ReplyPayload().begin(), xmit.ReplyPayload().end()), Hex("AB CD"));
    EXPECT_FALSE(xmit.LinkLost());
}

TEST_F(ScriptedTransactTest, OversizedReplyFailsAndRaisesLinkLost) {
    port.replies.push_back(Hex("02 F8 10 01 00"));
    EXPECT_FALSE(xmit.Transact(command::Identify, {}, kTimeout));
    EXPECT_TRUE(xmit.LinkLost());
    EXPECT_LE(xmit.ReplyPayload().size(), CXmit::kReplyCapacity);
}

TEST_F(ScriptedTransactTest, LongFramesAreWrittenInPiecesOf256) {
    port.replies.push_back(Hex("02 F0 F0"));
    const Bytes payload = test::Repeat(0x11, 600);
    EXPECT_TRUE(xmit.Transact(command::ObjectAccess, payload, kTimeout));
    const std::size_t frameSize = BuildFrame(command::ObjectAccess, payload).size();
    EXPECT_EQ(port.writeSizes, (std::vector<std::size_t>{256, 256, frameSize - 512}));
}

}  // namespace
}  // namespace vemo
