#include "storage/iq_table_exchange.h"

#include <array>
#include <optional>

#include "link/command_codes.h"
#include "storage/iq_codec.h"

namespace vemo {

namespace {

constexpr std::uint8_t kFirstHardwareWithIqTable = 3;

}  // namespace

IqTableExchange::IqTableExchange(CXmit& link, bool manufacturerMode)
    : link_(link), manufacturerMode_(manufacturerMode) {}

bool IqTableExchange::Available() const {
    const DeviceIdentity& identity = link_.Identity();
    return manufacturerMode_ && identity.ModelCode == kModel78 &&
           identity.HardwareVersion >= kFirstHardwareWithIqTable;
}

IqReadOutcome IqTableExchange::ReadIqTable(IqTable& table) {
    if (!Available()) {
        return IqReadOutcome::NotAvailable;
    }
    table.count = 0;
    if (!link_.OpenObjectForReading(object_id::IqTable)) {
        return IqReadOutcome::NotOpened;  // nothing is open, so nothing to close
    }
    std::array<std::uint8_t, kIqBlockHeadSize> head{};
    std::optional<int> count;
    if (link_.ReadData(kIqBlockHeadSize, head) && link_.ReplyPayload().size() >= head.size()) {
        count = IqBlockCount(head);
    }
    bool read = false;
    if (count) {
        const auto length = static_cast<std::uint16_t>(*count * kIqRowSize);
        // The rows count only when all of them came; a short reply leaves the table empty
        // rather than holding rows nobody read.
        read = link_.ReadData(length, {}) && DecodeIqRows(link_.ReplyPayload(), *count, table);
    }
    link_.CloseObject(timeouts::Data);
    return read ? IqReadOutcome::Read : IqReadOutcome::NoTable;
}

bool IqTableExchange::WriteIqTable(const IqTable& table) {
    if (!Available()) {
        return false;
    }
    return link_.WriteObject(object_id::IqTable, EncodeIqBlock(table)) && link_.WriteDone();
}

}  // namespace vemo
