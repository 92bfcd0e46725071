#include "params/parameter_exchange.h"

#include <algorithm>
#include <array>

#include "app/translations.h"
#include "link/command_codes.h"
#include "params/parameter_block.h"

namespace vemo {

namespace {

// Model 0x78 hands its block over in one read of this many bytes.
constexpr std::uint16_t kObjectReadCount = 256;

constexpr int kSignatureBeepHz = 880;
constexpr Milliseconds kSignatureBeep{1000};
constexpr Milliseconds kSignatureMessage{10000};

}  // namespace

ParameterExchange::ParameterExchange(CXmit& link, Beeper& beeper, StatusSink& status,
                                     int uiLanguage)
    : link_(link), beeper_(beeper), status_(status), uiLanguage_(uiLanguage) {}

BlockOutcome ParameterExchange::ReadParameterBlock(ParameterSet& set, BlockImage& image) {
    std::array<std::uint8_t, kBlockCapacity> buffer{};
    if (link_.Identity().IsModel82()) {
        if (!link_.Transact(command::ReadParameters, {}, timeouts::Short)) {
            return BlockOutcome::NotReceived;
        }
        std::copy_n(link_.ReplyPayload().begin(),
                    std::min(link_.ReplyPayload().size(), buffer.size()), buffer.begin());
    } else {
        // A failed open shows in the read that follows.
        link_.OpenObjectForReading(object_id::CurrentParameters);
        if (!link_.ReadData(kObjectReadCount, buffer)) {
            return BlockOutcome::NotReceived;
        }
    }
    const std::size_t received = std::min(link_.ReplyPayload().size(), buffer.size());
    return ParseBlock(std::span(buffer).first(received), set, image);
}

BlockOutcome ParameterExchange::ParseBlock(std::span<const std::uint8_t> block, ParameterSet& set,
                                           BlockImage& image) {
    const DeviceIdentity& identity = link_.Identity();
    const BlockOutcome outcome = ParseParameterBlock(identity.ModelCode, block, set, image);
    if (identity.IsModel82()) {
        return outcome;
    }
    if (outcome == BlockOutcome::BadSignature) {
        beeper_.Beep(kSignatureBeepHz, kSignatureBeep);
        status_.ShowMessage(Translate(kMsgConfigurationError, uiLanguage_), kSignatureMessage,
                            false);
    } else {
        link_.CloseObject(timeouts::Data);
    }
    return outcome;
}

bool ParameterExchange::WriteParameterBlock(ParameterSlot slot,
                                            std::span<const std::uint8_t> block) {
    if (link_.Identity().IsModel82()) {
        return slot == ParameterSlot::Current &&
               link_.Transact(command::WriteParameters, block, timeouts::Short);
    }
    const std::uint16_t object = slot == ParameterSlot::Current ? object_id::CurrentParameters
                                                                : object_id::DefaultParameters;
    return link_.WriteObject(object, block) && link_.WriteDone();
}

}  // namespace vemo
