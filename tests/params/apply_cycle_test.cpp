#include "params/apply_cycle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vemo {
namespace {

// Writes down what each tick asked for.
class RecordingSteps final : public ApplyCycleSteps {
public:
    bool ValuesMayBeWritten() const override { return valuesKnown; }
    void WriteCurrentParameters() override { log.push_back("write"); }
    void StoreDefaultParameters() override { log.push_back("defaults"); }
    void SignalDefaultsStored() override { log.push_back("beep"); }
    bool PollReportsChange() override {
        log.push_back("poll");
        return deviceChanged;
    }
    void ReadParameters() override { log.push_back("read"); }

    // What each of `count` ticks did, "-" for a tick that did nothing.
    std::vector<std::string> Ticks(ApplyCycle& cycle, int count) {
        std::vector<std::string> ticks;
        for (int i = 0; i < count; ++i) {
            log.clear();
            cycle.Tick(*this);
            std::string done;
            for (const std::string& step : log) {
                done += (done.empty() ? "" : " ") + step;
            }
            ticks.push_back(done.empty() ? "-" : done);
        }
        return ticks;
    }

    bool valuesKnown = true;
    bool deviceChanged = false;
    std::vector<std::string> log;
};

using Ticks = std::vector<std::string>;

TEST(ApplyCycle, AnEditIsWrittenOnItsLastTickWithoutPollsBefore) {
    RecordingSteps steps;
    ApplyCycle cycle;
    EXPECT_EQ(steps.Ticks(cycle, 1), Ticks{"poll"});
    cycle.Schedule(ApplyCycle::kAfterEdit);
    EXPECT_EQ(steps.Ticks(cycle, 4), (Ticks{"-", "-", "write", "poll"}));
    cycle.Schedule(ApplyCycle::kAfterSliderMove);
    EXPECT_EQ(steps.Ticks(cycle, 11),
              (Ticks{"-", "-", "-", "-", "-", "-", "-", "-", "-", "write", "poll"}));
}

TEST(ApplyCycle, DefaultsAreStoredOnceAfterTheNextWrite) {
    RecordingSteps steps;
    ApplyCycle cycle;
    cycle.RequestDefaults();
    EXPECT_EQ(cycle.ApplyCountdown(), 1);
    EXPECT_EQ(steps.Ticks(cycle, 2), (Ticks{"write defaults beep", "poll"}));
    EXPECT_FALSE(cycle.DefaultsRequested());
    cycle.Schedule(ApplyCycle::kAfterEdit);
    EXPECT_EQ(steps.Ticks(cycle, 3), (Ticks{"-", "-", "write"}));
}

TEST(ApplyCycle, AnEditAfterTheRequestDelaysTheDefaultsWithTheWrite) {
    RecordingSteps steps;
    ApplyCycle cycle;
    cycle.RequestDefaults();
    cycle.Schedule(ApplyCycle::kAfterEdit);
    EXPECT_EQ(steps.Ticks(cycle, 3), (Ticks{"-", "-", "write defaults beep"}));
}

TEST(ApplyCycle, ValuesThatMayNotBeTheDevicesAreReadAgainInsteadOfWritten) {
    RecordingSteps steps;
    steps.valuesKnown = false;
    ApplyCycle cycle;
    cycle.RequestDefaults();
    EXPECT_EQ(steps.Ticks(cycle, 2), (Ticks{"read", "poll"}));
    EXPECT_FALSE(cycle.DefaultsRequested());
}

TEST(ApplyCycle, AChangeOnTheDeviceIsReadOnTheTickThatPollsIt) {
    RecordingSteps steps;
    steps.deviceChanged = true;
    ApplyCycle cycle;
    EXPECT_EQ(steps.Ticks(cycle, 2), (Ticks{"poll read", "poll read"}));
}

TEST(ApplyCycle, ANewConnectionDropsWhatWasPending) {
    RecordingSteps steps;
    ApplyCycle cycle;
    cycle.RequestDefaults();
    cycle.Reset();
    EXPECT_EQ(cycle.ApplyCountdown(), 0);
    EXPECT_FALSE(cycle.DefaultsRequested());
    EXPECT_EQ(steps.Ticks(cycle, 1), Ticks{"poll"});
}

}  // namespace
}  // namespace vemo
