#include "link/frame_codec.h"

#include <gtest/gtest.h>

#include "support/bytes.h"

namespace vemo {
namespace {

using test::Bytes;
using test::Concat;
using test::Hex;
using test::Repeat;

struct WorkedFrame {
    const char* name;
    std::uint8_t kind;
    Bytes payload;
    Bytes wire;
};

const std::vector<WorkedFrame>& WorkedFrames() {
    static const std::vector<WorkedFrame> frames = {
        {"IdentifyEmpty", 0x10, {}, Hex("02 10 10")},
        {"ThreePayloadBytesInHeader", 0xC0, Hex("03 00 01"), Hex("02 C3 03 00 01 C1")},
        {"PayloadAndCheckDoubled", 0xC0, Hex("02"), Hex("02 C1 02 02 C3")},
        {"ObjectIdDoubled", 0xC0, Hex("01 4E 02"), Hex("02 C3 01 4E 02 02 8E")},
        {"WriteDone", 0xB0, {}, Hex("02 B0 B0")},
        {"OneLengthByte", 0x80, Hex("73 79 6E 63 00"), Hex("02 84 05 73 79 6E 63 00 86")},
        {"TwoLengthBytes", 0xC0, Concat(Hex("01 00 02 00"), Repeat(0xAA, 252)),
         Concat(Concat(Hex("02 C8 01 00 01 00 02 02 00"), Repeat(0xAA, 252)), Hex("CA"))},
        {"PositiveReplyEmpty", 0xF0, {}, Hex("02 F0 F0")},
        {"RefusalEmpty", 0xE0, {}, Hex("02 E0 E0")},
        {"IdentifyReplyShort", 0xF0, Hex("82 16 00"), Hex("02 F3 82 16 00 67")},
        {"IdentifyReplyWithHardware", 0xF0, Hex("78 17 00 03"), Hex("02 F4 04 78 17 00 03 9C")},
    };
    return frames;
}

class WorkedFrameTest : public testing::TestWithParam<WorkedFrame> {};

TEST_P(WorkedFrameTest, BuildsTheExactWireBytes) {
    EXPECT_EQ(BuildFrame(GetParam().kind, GetParam().payload), GetParam().wire);
}

TEST_P(WorkedFrameTest, ParsesBackToHeaderAndPayload) {
    FrameParser parser(FrameParser::Accept::AnyHeader, kMaxFramePayload);
    FrameParser::Status status = FrameParser::Status::Incomplete;
    for (std::uint8_t byte : GetParam().wire) {
        ASSERT_EQ(status, FrameParser::Status::Incomplete) << "frame ended early";
        status = parser.Feed(byte);
    }
    EXPECT_EQ(status, FrameParser::Status::Good);
    EXPECT_EQ(parser.Header() & 0xF0, GetParam().kind);
    EXPECT_EQ(Bytes(parser.Payload().begin(), parser.Payload().end()), GetParam().payload);
}

INSTANTIATE_TEST_SUITE_P(Frames, WorkedFrameTest, testing::ValuesIn(WorkedFrames()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BuildFrame, LengthFormFollowsPayloadSize) {
    struct Case {
        std::size_t size;
        Bytes head;
    };
    for (const Case& c : {Case{3, Hex("02 C3")}, Case{4, Hex("02 C4 04")},
                          Case{255, Hex("02 C4 FF")}, Case{256, Hex("02 C8 01 00")},
                          Case{512, Hex("02 C8 02 02 00")}, Case{767, Hex("02 C8 02 02 FF")}}) {
        const Bytes frame = BuildFrame(0xC0, Repeat(0x11, c.size));
        EXPECT_EQ(Bytes(frame.begin(), frame.begin() + static_cast<long>(c.head.size())), c.head)
            << c.size << " bytes";
    }
}

// Feeds bytes to a reply parser and reports the status after the last one.
FrameParser::Status FeedAll(FrameParser& parser, const Bytes& bytes) {
    FrameParser::Status status = FrameParser::Status::Incomplete;
    for (std::uint8_t byte : bytes) {
        status = parser.Feed(byte);
    }
    return status;
}

TEST(ReplyParser, FindsReplyAfterUnrelatedBytes) {
    FrameParser parser(FrameParser::Accept::Replies, 4096);
    EXPECT_EQ(FeedAll(parser, Hex("00 55 F3 82 FF 02 F3 82 16 00 67")), FrameParser::Status::Good);
    EXPECT_EQ(Bytes(parser.Payload().begin(), parser.Payload().end()), Hex("82 16 00"));
}

TEST(ReplyParser, SkipsFrameWhoseHeaderIsNotAReply) {
    FrameParser parser(FrameParser::Accept::Replies, 4096);
    // A request-looking frame (header 0x13 with a length in its low bits) is passed over.
    EXPECT_EQ(FeedAll(parser, Hex("02 13 82 16 00 85")), FrameParser::Status::Incomplete);
    EXPECT_EQ(FeedAll(parser, Hex("02 F0 F0")), FrameParser::Status::Good);
}

TEST(ReplyParser, NewFrameStartAbandonsThePartialFrame) {
    FrameParser parser(FrameParser::Accept::Replies, 4096);
    EXPECT_EQ(FeedAll(parser, Hex("02 F4 04 78 17 02 F3 82 16 00 67")), FrameParser::Status::Good);
    EXPECT_EQ(Bytes(parser.Payload().begin(), parser.Payload().end()), Hex("82 16 00"));
}

TEST(ReplyParser, DoubledStartBytesAreDataInEveryField) {
    // Length 0x0202 (two-byte form), payload of 0x02s, check doubled too.
    const Bytes payload = Repeat(0x02, 0x0202);
    const Bytes wire = BuildFrame(0xF0, payload);
    FrameParser parser(FrameParser::Accept::Replies, 4096);
    EXPECT_EQ(FeedAll(parser, wire), FrameParser::Status::Good);
    EXPECT_EQ(parser.Payload().size(), payload.size());
}

TEST(ReplyParser, WrongCheckByteIsBad) {
    FrameParser parser(FrameParser::Accept::Replies, 4096);
    EXPECT_EQ(FeedAll(parser, Hex("02 F3 82 16 00 68")), FrameParser::Status::Bad);
}

TEST(ReplyParser, DeclaredLengthBeyondCapacityIsBadWithoutStoring) {
    FrameParser parser(FrameParser::Accept::Replies, 4096);
    // 4097 bytes declared: refused as soon as the length is known.
    EXPECT_EQ(FeedAll(parser, Hex("02 F8 10 01")), FrameParser::Status::Bad);
    EXPECT_TRUE(parser.Payload().empty());
    // Exactly the capacity is fine.
    FrameParser full(FrameParser::Accept::Replies, 4096);
    EXPECT_EQ(FeedAll(full, BuildFrame(0xF0, Repeat(0x5A, 4096))), FrameParser::Status::Good);
}

TEST(ReplyParser, ParsesTheNextFrameAfterACompleteOne) {
    FrameParser parser(FrameParser::Accept::Replies, 4096);
    EXPECT_EQ(FeedAll(parser, Hex("02 F3 82 16 00 68")), FrameParser::Status::Bad);
    EXPECT_EQ(FeedAll(parser, Hex("02 E0 E0")), FrameParser::Status::Good);
    EXPECT_EQ(parser.Header(), 0xE0);
}

}  // namespace
}  // namespace vemo
