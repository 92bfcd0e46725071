#pragma once

#include "link/cxmit.h"
#include "storage/iq_table.h"

namespace vemo {

// How a read of the device's IQ table went.
enum class IqReadOutcome {
    NotAvailable,  // no device access to the table here: the table was not touched
    NotOpened,     // the device refused the object or did not answer: the table is empty
    NoTable,       // no whole table came (no signature, a count beyond 100, rows missing):
                   // the table is empty
    Read,          // the table holds the device's rows
};

// The IQ calibration table on the device, object 600 of model 0x78. Only the maker's staff
// reach it (manufacturer mode), and only hardware from version 3 has it; elsewhere every call
// does nothing. Each request waits for its reply, so a call blocks for up to the sum of its
// requests' time-outs.
class IqTableExchange {
public:
    IqTableExchange(CXmit& link, bool manufacturerMode);

    bool Available() const;

    // Empties `table` and fills it from the device. Whatever the outcome other than
    // NotAvailable, the list should be shown again, so it never shows rows the table lacks.
    IqReadOutcome ReadIqTable(IqTable& table);

    // Open, write the whole block, close, WriteDone, stopping at the first request not accepted
    // so that a table the device did not take whole never replaces the one it holds. True when
    // the device accepted them all; false and nothing sent when not available.
    bool WriteIqTable(const IqTable& table);

private:
    CXmit& link_;
    bool manufacturerMode_;
};

}  // namespace vemo
