#pragma once

#include <gtest/gtest.h>
#include <functional>
#include <utility>
#include <vector>

#include "link/cxmit.h"
#include "sim/in_process_port.h"
#include "sim/sim_device.h"
#include "support/bytes.h"
#include "support/scripted_port.h"

namespace vemo::test {

// A simulated device of a given identity, found and identified on the in-process line, with
// its request log cleared: what it logs next is what the code under test sent.
class SimLine {
public:
    explicit SimLine(SimIdentity identity) : device(identity) {
        bus.AddPort("COM0", &device);
        EXPECT_TRUE(xmit.FindDevice());
        device.ClearRequests();
    }

    // The log as (command, payload) pairs, for comparing whole sequences.
    std::vector<std::pair<std::uint8_t, Bytes>> Sent() const {
        std::vector<std::pair<std::uint8_t, Bytes>> sent;
        for (const LoggedRequest& request : device.Requests()) {
            sent.emplace_back(request.command, request.payload);
        }
        return sent;
    }

    VirtualClock clock;
    SimDevice device;
    SimBus bus;
    InProcessPort port{bus, clock};
    AnyPortCatalogue catalogue;
    CXmit xmit{port, catalogue, clock};
};

struct ExpectedRequest {
    std::uint8_t command;
    Bytes payload;
    Milliseconds timeout;
};

inline std::vector<std::pair<std::uint8_t, Bytes>> Pairs(const std::vector<ExpectedRequest>& all) {
    std::vector<std::pair<std::uint8_t, Bytes>> pairs;
    for (const ExpectedRequest& request : all) {
        pairs.emplace_back(request.command, request.payload);
    }
    return pairs;
}

// For every request of a sequence, on a fresh line: a reply 10 ms inside the request's
// time-out is taken, one 10 ms past it raises LinkLost.
inline void ExpectTimeOuts(SimIdentity identity, const std::function<void(SimLine&)>& run,
                           const std::vector<ExpectedRequest>& requests) {
    for (std::size_t i = 0; i < requests.size(); ++i) {
        for (const bool late : {false, true}) {
            SimLine line(identity);
            std::deque<Fault> faults(i, Fault{});
            const Milliseconds shift = late ? Milliseconds(10) : Milliseconds(-10);
            faults.push_back({FaultKind::DelayedReply, requests[i].timeout + shift});
            line.device.faults.Script(faults);
            run(line);
            EXPECT_EQ(line.xmit.LinkLost(), late)
                << "request " << i << (late ? " late" : " in time");
        }
    }
}

}  // namespace vemo::test
