#include "storage/iq_table_exchange.h"

#include <gtest/gtest.h>

#include "link/command_codes.h"
#include "sim/sim_storage.h"
#include "storage/iq_codec.h"
#include "support/sim_line.h"

namespace vemo {
namespace {

using test::Bytes;
using test::ExpectedRequest;
using test::Hex;

const SimIdentity kWithIqTable{kModel78, 23, 0, 3};
const Milliseconds kShort{500};
const Milliseconds kData{5000};

IqTable EditedTable() {
    IqTable table;
    table.count = 2;
    table.rows[0] = {474, -12, 7};
    table.rows[1] = {858, 10000, -10000};
    return table;
}

struct AvailabilityCase {
    const char* name;
    bool manufacturerMode;
    SimIdentity identity;
    bool available;
};

void PrintTo(const AvailabilityCase& c, std::ostream* out) {
    *out << c.name;
}

class IqAvailabilityTest : public testing::TestWithParam<AvailabilityCase> {};

TEST_P(IqAvailabilityTest, OnlyTheMakerReachesTheTableOfModel78FromHardware3) {
    test::SimLine line(GetParam().identity);
    line.device.objects[object_id::IqTable] = EncodeIqBlock(FactoryIqTable());
    IqTableExchange exchange(line.xmit, GetParam().manufacturerMode);
    IqTable table = EditedTable();
    const IqReadOutcome read = exchange.ReadIqTable(table);
    const bool written = exchange.WriteIqTable(EditedTable());
    EXPECT_EQ(exchange.Available(), GetParam().available);
    if (GetParam().available) {
        EXPECT_EQ(read, IqReadOutcome::Read);
        EXPECT_EQ(table, FactoryIqTable());
        EXPECT_TRUE(written);
        EXPECT_EQ(line.device.objects[object_id::IqTable], EncodeIqBlock(EditedTable()));
    } else {
        EXPECT_EQ(read, IqReadOutcome::NotAvailable);
        EXPECT_EQ(table, EditedTable()) << "not touched";
        EXPECT_FALSE(written);
        EXPECT_TRUE(line.Sent().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Devices, IqAvailabilityTest,
    testing::Values(AvailabilityCase{"Model78Hardware3", true, kWithIqTable, true},
                    AvailabilityCase{"Model78Hardware9", true, {kModel78, 23, 0, 9}, true},
                    AvailabilityCase{"Model78Hardware2", true, {kModel78, 23, 0, 2}, false},
                    AvailabilityCase{"Model82Hardware3", true, {kModel82, 22, 0, 3}, false},
                    AvailabilityCase{"NotManufacturer", false, kWithIqTable, false}),
    [](const auto& info) { return std::string(info.param.name); });

const std::vector<ExpectedRequest> kFactoryRead = {
    {0xC0, Hex("01 58 02"), kShort},
    {0xC0, Hex("03 05 00"), kData},
    {0xC0, Hex("03 42 00"), kData},  // 11 rows of 6 bytes
    {0xC0, Hex("02"), kData},
};

TEST(IqTableRead, OpensReadsTheHeadThenTheRowsAndCloses) {
    test::SimLine line(kWithIqTable);
    IqTableExchange exchange(line.xmit, true);
    IqTable table;
    EXPECT_EQ(exchange.ReadIqTable(table), IqReadOutcome::Read);
    EXPECT_EQ(table, FactoryIqTable());
    EXPECT_EQ(line.Sent(), test::Pairs(kFactoryRead));
    test::ExpectTimeOuts(
        kWithIqTable,
        [](test::SimLine& l) {
            IqTable t;
            IqTableExchange(l.xmit, true).ReadIqTable(t);
        },
        kFactoryRead);
}

TEST(IqTableRead, AnEmptyDeviceTableReadsZeroRows) {
    test::SimLine line(kWithIqTable);
    line.device.objects[object_id::IqTable] = Hex("50 46 5A 4A 00");
    IqTable table = EditedTable();
    EXPECT_EQ(IqTableExchange(line.xmit, true).ReadIqTable(table), IqReadOutcome::Read);
    EXPECT_EQ(table.count, 0);
    EXPECT_EQ(
        line.Sent(),
        test::Pairs(
            {kFactoryRead[0], kFactoryRead[1], {0xC0, Hex("03 00 00"), kData}, kFactoryRead[3]}));
}

struct FailedRead {
    const char* name;
    std::function<void(SimDevice&)> spoil;
    IqReadOutcome outcome;
    std::size_t requests;  // how far the sequence goes
};

void PrintTo(const FailedRead& c, std::ostream* out) {
    *out << c.name;
}

class IqTableFailedReadTest : public testing::TestWithParam<FailedRead> {};

TEST_P(IqTableFailedReadTest, LeavesTheTableEmpty) {
    test::SimLine line(kWithIqTable);
    GetParam().spoil(line.device);
    IqTable table = EditedTable();
    EXPECT_EQ(IqTableExchange(line.xmit, true).ReadIqTable(table), GetParam().outcome);
    EXPECT_EQ(table.count, 0);
    const auto sent = line.Sent();
    ASSERT_EQ(sent.size(), GetParam().requests);
    EXPECT_EQ(sent[0], test::Pairs(kFactoryRead)[0]);
    if (GetParam().requests > 1) {
        EXPECT_EQ(sent.back(), test::Pairs(kFactoryRead).back()) << "the object is closed";
    }
}

Bytes FactoryBlockCut(std::size_t missing) {
    Bytes block = EncodeIqBlock(FactoryIqTable());
    block.resize(block.size() - missing);
    return block;
}

INSTANTIATE_TEST_SUITE_P(
    Failures, IqTableFailedReadTest,
    testing::Values(
        FailedRead{"OpenRefused", [](SimDevice& d) { d.objects.erase(object_id::IqTable); },
                   IqReadOutcome::NotOpened, 1},
        FailedRead{"NoSignature",
                   [](SimDevice& d) {
                       d.objects[object_id::IqTable] = Hex("50 46 5A 00 01 DA 01 10 27 10 27");
                   },
                   IqReadOutcome::NoTable, 3},
        FailedRead{"HeadCut",
                   [](SimDevice& d) { d.objects[object_id::IqTable] = Hex("50 46 5A 4A"); },
                   IqReadOutcome::NoTable, 3},
        FailedRead{"HeadRefused",
                   [](SimDevice& d) {
                       d.faults.Script({{}, {FaultKind::Refusal}});
                   },
                   IqReadOutcome::NoTable, 3},
        FailedRead{"CountBeyond100",
                   [](SimDevice& d) {
                       Bytes block = Hex("50 46 5A 4A 65");
                       block.resize(5 + 6 * 101, 0x10);
                       d.objects[object_id::IqTable] = block;
                   },
                   IqReadOutcome::NoTable, 3},
        FailedRead{"RowsCut",
                   [](SimDevice& d) { d.objects[object_id::IqTable] = FactoryBlockCut(1); },
                   IqReadOutcome::NoTable, 4},
        FailedRead{"RowsRefused",
                   [](SimDevice& d) {
                       d.faults.Script({{}, {}, {FaultKind::Refusal}});
                   },
                   IqReadOutcome::NoTable, 4}),
    [](const auto& info) { return std::string(info.param.name); });

const std::vector<ExpectedRequest> kEmptyWrite = {
    {0xC0, Hex("00 58 02"), kShort},
    {0xC0, Hex("04 50 46 5A 4A 00"), kData},
    {0xC0, Hex("02"), kData},
    {0xB0, {}, kShort},
};

TEST(IqTableWrite, AnEmptyTableIsWrittenAsSignatureAndZero) {
    test::SimLine line(kWithIqTable);
    EXPECT_TRUE(IqTableExchange(line.xmit, true).WriteIqTable(IqTable{}));
    EXPECT_EQ(line.Sent(), test::Pairs(kEmptyWrite));
    EXPECT_EQ(line.device.writesDone, 1);
    test::ExpectTimeOuts(
        kWithIqTable,
        [](test::SimLine& l) { IqTableExchange(l.xmit, true).WriteIqTable(IqTable{}); },
        kEmptyWrite);
}

TEST(IqTableWrite, ATableTheDeviceDidNotTakeWholeNeverReplacesItsOwn) {
    // A close after a refused data write would have the device store an empty table.
    test::SimLine line(kWithIqTable);
    const test::Bytes table = line.device.objects.at(object_id::IqTable);
    line.device.faults.Script({{}, {FaultKind::Refusal}});
    EXPECT_FALSE(IqTableExchange(line.xmit, true).WriteIqTable(EditedTable()));
    EXPECT_EQ(line.Sent(),
              test::Pairs({kEmptyWrite[0],
                           {0xC0, test::Concat(Hex("04"), EncodeIqBlock(EditedTable())), {}}}));
    EXPECT_EQ(line.device.objects.at(object_id::IqTable), table);
    EXPECT_EQ(line.device.writesDone, 0);

    line.device.ClearRequests();
    line.device.faults.Script({{FaultKind::Refusal}});
    EXPECT_FALSE(IqTableExchange(line.xmit, true).WriteIqTable(EditedTable()));
    EXPECT_EQ(line.Sent().size(), 1u) << "a refused open ends the write";
}

TEST(IqTableWrite, AWrittenTableReadsBackEqual) {
    test::SimLine line(kWithIqTable);
    IqTableExchange exchange(line.xmit, true);
    EXPECT_TRUE(exchange.WriteIqTable(EditedTable()));
    IqTable table;
    EXPECT_EQ(exchange.ReadIqTable(table), IqReadOutcome::Read);
    EXPECT_EQ(table, EditedTable());
}

}  // namespace
}  // namespace vemo
