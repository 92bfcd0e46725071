#include "storage/complete_file_name.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

struct CompletionCase {
    const char* chosen;
    const char16_t* extension;
    const char* expected;
};

class CompleteFileNameTest : public testing::TestWithParam<CompletionCase> {};

TEST_P(CompleteFileNameTest, AddsTheExtensionOnlyWhenTheNameLacksIt) {
    EXPECT_EQ(CompleteFileName(GetParam().chosen, GetParam().extension),
              std::filesystem::path(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Names, CompleteFileNameTest,
    testing::Values(CompletionCase{"/cfg/setup", u".tmc", "/cfg/setup.tmc"},
                    CompletionCase{"/cfg/setup", u".koralin", "/cfg/setup.koralin"},
                    CompletionCase{"/cfg/setup.TMC", u".tmc", "/cfg/setup.TMC"},
                    CompletionCase{"/cfg/setup.Koralin", u".koralin", "/cfg/setup.Koralin"},
                    CompletionCase{"/cfg/notes.txt", u".tmc", "/cfg/notes.txt.tmc"},
                    CompletionCase{"/cfg/setup.tm", u".tmc", "/cfg/setup.tm.tmc"},
                    CompletionCase{"/site.v2/setup.tmc", u".tmc", "/site.v2/setup.tmc"},
                    CompletionCase{"/site.tmc/setup", u".tmc", "/site.tmc/setup.tmc"},
                    CompletionCase{"/cfg/points", u".iqc", "/cfg/points.iqc"},
                    CompletionCase{"/cfg/points.IQC", u".iqc", "/cfg/points.IQC"},
                    CompletionCase{"/cfg/block.tmc", u".koralin", "/cfg/block.tmc.koralin"}));

}  // namespace
}  // namespace vemo
