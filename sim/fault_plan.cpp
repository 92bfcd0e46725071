#include "sim/fault_plan.h"

namespace vemo {

void FaultPlan::Randomize(std::uint32_t seed, double rate, Milliseconds maxDelay) {
    random_.seed(seed);
    rate_ = rate;
    maxDelay_ = maxDelay;
}

void FaultPlan::Stop() {
    scripted_.clear();
    rate_ = 0.0;
}

Fault FaultPlan::Next() {
    Fault fault;
    if (!scripted_.empty()) {
        fault = scripted_.front();
        scripted_.pop_front();
    } else if (rate_ > 0.0 && std::uniform_real_distribution<double>(0.0, 1.0)(random_) < rate_) {
        static constexpr FaultKind kKinds[] = {FaultKind::NoReply,    FaultKind::BadCheck,
                                               FaultKind::Refusal,    FaultKind::NoiseBefore,
                                               FaultKind::SplitReply, FaultKind::DelayedReply};
        fault.kind = kKinds[std::uniform_int_distribution<std::size_t>(0, 5)(random_)];
        fault.delay = Milliseconds(
            std::uniform_int_distribution<std::int64_t>(1, maxDelay_.count() + 1)(random_));
    }
    if (fault.kind != FaultKind::None) {
        ++injected_[fault.kind];
    }
    return fault;
}

}  // namespace vemo
