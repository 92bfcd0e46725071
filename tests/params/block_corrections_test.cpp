#include "params/block_corrections.h"

#include <gtest/gtest.h>

#include "params/worked_blocks.h"

namespace vemo {
namespace {

TEST(BlockCorrections, FrequencyAndVideoBitrateOutsideTheirRangeFallBack) {
    const std::pair<std::int32_t, std::int32_t> frequencies[] = {
        {46999, 474000},  {47000, 47000}, {862000, 862000},
        {862001, 474000}, {0, 474000},    {-47000, 474000}};
    for (const auto& [given, written] : frequencies) {
        EXPECT_EQ(CorrectedFrequency(given), written) << given;
    }
    const std::pair<std::int32_t, std::int32_t> bitrates[] = {
        {2999, 3000}, {3000, 3000}, {12000, 12000}, {12001, 3000}, {-1, 3000}};
    for (const auto& [given, written] : bitrates) {
        EXPECT_EQ(CorrectedVideoBitrate(given), written) << given;
    }
}

struct PidCase {
    const char* name;
    Pids given;
    Pids written;
};

class PidRuleTest : public testing::TestWithParam<PidCase> {};

TEST_P(PidRuleTest, ThreeDistinctPidsInRangeStayOtherwiseAllThreeFallBack) {
    EXPECT_EQ(CorrectedPids(GetParam().given), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Pids, PidRuleTest,
                         testing::Values(PidCase{"Valid", {256, 257, 258}, {256, 257, 258}},
                                         PidCase{"RangeEnds", {32, 8190, 33}, {32, 8190, 33}},
                                         PidCase{"PmtEqualsVideo", {32, 32, 33}, {32, 48, 49}},
                                         PidCase{"PmtEqualsAudio", {100, 101, 100}, {32, 48, 49}},
                                         PidCase{"VideoEqualsAudio", {100, 101, 101}, {32, 48, 49}},
                                         PidCase{"VideoBelow32", {256, 20, 258}, {32, 48, 49}},
                                         PidCase{"AudioAbove8190", {256, 257, 8191}, {32, 48, 49}},
                                         PidCase{"PmtBelow32", {31, 257, 258}, {32, 48, 49}}),
                         [](const auto& info) { return std::string(info.param.name); });

class CorrectedBuildTest : public testing::TestWithParam<std::uint8_t> {};

TEST_P(CorrectedBuildTest, EveryBuildCorrectsTheSetItWrites) {
    ParameterSet set = test::WorkedExampleSet(GetParam());
    set.Frequency = 900000;
    set.VideoBitrate = 12001;
    set.PmtPid = 256;
    set.VideoPid = 20;
    set.AudioPid = 258;
    BlockImage image;
    image.AudioCodec = 1;
    image.VideoCodec = 1;
    const test::Bytes block = test::Build(GetParam(), set, image);
    EXPECT_EQ(set.Frequency, 474000);
    EXPECT_EQ(set.VideoBitrate, 3000);
    EXPECT_EQ((Pids{set.PmtPid, set.VideoPid, set.AudioPid}), kFallbackPids);
    const std::uint8_t model = GetParam();
    EXPECT_EQ(block, test::Hex(model == kModel82 ? test::kWorkedBlock82 : test::kWorkedBlock78))
        << "the corrected values are the worked example's";
}

INSTANTIATE_TEST_SUITE_P(Models, CorrectedBuildTest, testing::Values(kModel82, kModel78),
                         [](const auto& info) {
                             return info.param == kModel82 ? "Model82" : "Model78";
                         });

}  // namespace
}  // namespace vemo
