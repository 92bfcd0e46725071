#pragma once

#include <cstdint>
#include <span>

#include "link/cxmit.h"
#include "params/block_fields.h"
#include "params/parameter_set.h"
#include "platform/beeper.h"
#include "platform/status_sink.h"

namespace vemo {

// Where a written block goes: the parameters in use, or those the device starts with.
enum class ParameterSlot { Current, Default };

// The device's parameter block moved over the link for the model the link identified:
// model 0x82 with its own read and write commands, model 0x78 through objects 590 (current)
// and 595 (default). Each request waits for its reply, so every call blocks for up to the
// sum of its requests' time-outs.
class ParameterExchange {
public:
    // The beep and message of a model 0x78 block without its signature go to `beeper` and
    // `status`, the message in `uiLanguage`.
    ParameterExchange(CXmit& link, Beeper& beeper, StatusSink& status, int uiLanguage);

    // Reads the block (model 0x78 always from the current object) and takes it as
    // ParseBlock does. When the device delivers nothing (no reply or a refusal) nothing is
    // parsed: NotReceived, `set` and `image` keep their values, which then do not describe the
    // device and should not be written back to it unchanged.
    BlockOutcome ReadParameterBlock(ParameterSet& set, BlockImage& image);

    // Takes a block that came from the device or from a configuration file. On model 0x78 a
    // block with its signature also closes the device object (the device waits for that
    // after a read), and one without it beeps, shows "Configuration Error" for 10 s and
    // changes nothing.
    BlockOutcome ParseBlock(std::span<const std::uint8_t> block, ParameterSet& set,
                            BlockImage& image);

    // Sends a built block to a slot. True when the device accepted every request. Model 0x78
    // stops at the first request not accepted: a block the device did not take whole is
    // neither closed over the one it holds nor put into effect. Model 0x82 stores its defaults
    // by command lines instead: its default slot sends nothing and returns false.
    bool WriteParameterBlock(ParameterSlot slot, std::span<const std::uint8_t> block);

private:
    CXmit& link_;
    Beeper& beeper_;
    StatusSink& status_;
    int uiLanguage_;
};

}  // namespace vemo
