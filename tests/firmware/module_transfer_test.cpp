#include "firmware/module_transfer.h"

#include <gtest/gtest.h>

#include "firmware_rig.h"

namespace vemo {
namespace {

using test::Bytes;
using test::Concat;
using test::Hex;
using test::UserEvent;
using Requests = std::vector<std::pair<std::uint8_t, Bytes>>;

constexpr std::uint16_t kModule = 0x0301;

using test::Access;
using test::Slice;

class ModuleTransferTest : public test::FirmwareRig {
protected:
    ModuleTransferTest() : FirmwareRig(SimIdentity{0x78, 23, 0, 3, true}) {}

    std::filesystem::path File(const Bytes& content) {
        const std::filesystem::path path = folder.Path() / "module.bin";
        test::WriteFile(path, content);
        return path;
    }
    bool Write(const std::filesystem::path& path, bool prefixed) {
        return WriteModule(path, kModule, prefixed, xmit, user);
    }
    bool Verify(const std::filesystem::path& path, bool prefixed) {
        return VerifyModule(kModule, path, prefixed, xmit, user);
    }
};

TEST_F(ModuleTransferTest, FourHundredFiftyBytesGoOutAndComeBackInPiecesOfTwoHundred) {
    const Bytes content = test::Pattern(450);
    const std::filesystem::path path = File(content);
    for (bool prefixed : {false, true}) {
        SCOPED_TRACE(prefixed ? "length prefixed" : "plain");
        device.ClearRequests();
        user.events.clear();
        ASSERT_TRUE(Write(path, prefixed));
        Requests written = {Access("00 01 03")};
        if (prefixed) {
            written.push_back(Access("04 C2 01 00 00"));
        }
        written.push_back(Access("04", Slice(content, 0, 200)));
        written.push_back(Access("04", Slice(content, 200, 200)));
        written.push_back(Access("04", Slice(content, 400, 50)));
        written.push_back(Access("02"));
        EXPECT_EQ(Sent(), written);
        EXPECT_EQ(device.objects[kModule],
                  prefixed ? Concat(Hex("C2 01 00 00"), content) : content);
        const std::vector<std::pair<int, int>> steps = {{450, 0}, {450, 200}, {450, 400}};
        EXPECT_EQ(user.ProgressSteps(), steps);

        device.ClearRequests();
        user.events.clear();
        ASSERT_TRUE(Verify(path, prefixed));
        Requests read = {Access("01 01 03")};
        if (prefixed) {
            read.push_back(Access("03 04 00"));
        }
        read.push_back(Access("03 C8 00"));
        read.push_back(Access("03 C8 00"));
        read.push_back(Access("03 32 00"));
        read.push_back(Access("02"));
        EXPECT_EQ(Sent(), read);
        EXPECT_EQ(user.ProgressSteps(), steps);
        const std::vector<UserEvent> messages = user.Of(UserEvent::Message);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, u"");
        EXPECT_EQ(messages[0].duration, Milliseconds(1));
        EXPECT_EQ(messages[0].requestsBefore, read.size() - 1) << "cleared before the close";
    }
}

TEST_F(ModuleTransferTest, EmptyFileSendsOnlyOpenLengthAndClose) {
    const std::filesystem::path path = File({});
    ASSERT_TRUE(Write(path, true));
    ASSERT_TRUE(Verify(path, true));
    EXPECT_EQ(Sent(), (Requests{Access("00 01 03"), Access("04 00 00 00 00"), Access("02"),
                                Access("01 01 03"), Access("03 04 00"), Access("02")}));
    device.ClearRequests();
    ASSERT_TRUE(Write(path, false));
    ASSERT_TRUE(Verify(path, false));
    EXPECT_EQ(Sent(),
              (Requests{Access("00 01 03"), Access("02"), Access("01 01 03"), Access("02")}));
}

TEST_F(ModuleTransferTest, TimeOuts) {
    const std::filesystem::path path = File(test::Pattern(450));
    struct Case {
        const char* request;
        bool verify;
        std::size_t index;
        Milliseconds timeOut;
    };
    const Case kCases[] = {
        {"open for writing", false, 0, Milliseconds(500)},
        {"length prefix", false, 1, Milliseconds(5000)},
        {"data chunk", false, 2, Milliseconds(5000)},
        {"close after writing", false, 5, Milliseconds(5000)},
        {"open for reading", true, 0, Milliseconds(500)},
        {"stored length", true, 1, Milliseconds(5000)},
        {"chunk read", true, 2, Milliseconds(5000)},
        {"close after reading", true, 5, Milliseconds(5000)},
    };
    for (const Case& c : kCases) {
        Write(path, true);
        device.ClearRequests();
        DropReplyTo(c.index);
        c.verify ? Verify(path, true) : Write(path, true);
        EXPECT_GE(WaitAfter(c.index), c.timeOut) << c.request;
        EXPECT_LE(WaitAfter(c.index), c.timeOut + Milliseconds(4)) << c.request;
        xmit.TakeLinkLost();
    }
}

TEST_F(ModuleTransferTest, WriteFailures) {
    const Bytes content = test::Pattern(450);
    const std::filesystem::path path = File(content);

    EXPECT_FALSE(Write(folder.Path() / "missing.bin", false));
    EXPECT_FALSE(Write(folder.Path(), false)) << "a folder";
    EXPECT_TRUE(device.Requests().empty()) << "nothing is sent without a file";

    RefuseRequest(0);
    EXPECT_FALSE(Write(path, false));
    EXPECT_EQ(Sent(), (Requests{Access("00 01 03")})) << "a refused open ends the write";

    // A close would have the device take the module cut short in place of the one it runs.
    const Bytes running = device.objects[kModule];
    device.ClearRequests();
    RefuseRequest(2);
    EXPECT_FALSE(Write(path, false));
    EXPECT_EQ(Sent(), (Requests{Access("00 01 03"), Access("04", Slice(content, 0, 200)),
                                Access("04", Slice(content, 200, 200))}))
        << "a failed chunk ends the write, without the close";
    EXPECT_EQ(device.objects[kModule], running);

    device.ClearRequests();
    RefuseRequest(1);
    EXPECT_FALSE(Write(path, true));
    EXPECT_EQ(Sent(), (Requests{Access("00 01 03"), Access("04 C2 01 00 00")}))
        << "a refused length ends the write too";
    EXPECT_EQ(device.objects[kModule], running);
}

TEST_F(ModuleTransferTest, VerificationFailures) {
    const Bytes content = test::Pattern(450);
    const std::filesystem::path path = File(content);
    ASSERT_TRUE(Write(path, true));
    const Bytes stored = device.objects[kModule];
    const auto verifyAgainst = [&](Bytes object) {
        device.objects[kModule] = std::move(object);
        device.ClearRequests();
        user.events.clear();
        return Verify(path, true);
    };

    Bytes changed = stored;
    changed[4 + 300] ^= 1;
    EXPECT_FALSE(verifyAgainst(changed));
    EXPECT_EQ(device.Requests().size(), 5u) << "open, length, two reads, close";
    EXPECT_EQ(user.Of(UserEvent::Message).size(), 1u);

    EXPECT_FALSE(verifyAgainst(Bytes(stored.begin(), stored.end() - 30))) << "short read";

    Bytes otherLength = stored;
    otherLength[0] = 0xC3;
    EXPECT_FALSE(verifyAgainst(otherLength));
    EXPECT_EQ(Sent(), (Requests{Access("01 01 03"), Access("03 04 00")}))
        << "no close after a wrong stored length";
    EXPECT_TRUE(user.events.empty()) << "the status line keeps its text";

    EXPECT_FALSE(verifyAgainst(Bytes(stored.begin(), stored.begin() + 3))) << "short length";

    EXPECT_TRUE(verifyAgainst(stored));
    device.objects.erase(kModule);
    EXPECT_FALSE(Verify(path, true)) << "no object to open";
    EXPECT_FALSE(Verify(folder.Path() / "missing.bin", true));
}

TEST_F(ModuleTransferTest, AFailedReadNeverComparesWhatAnEarlierReadLeft) {
    // Two equal chunks: the first chunk's bytes would match the second's if they were reused.
    const Bytes half = test::Pattern(200);
    const std::filesystem::path path = File(Concat(half, half));
    ASSERT_TRUE(Write(path, false));
    device.ClearRequests();
    RefuseRequest(2);
    EXPECT_FALSE(Verify(path, false));
    EXPECT_EQ(device.Requests().size(), 4u) << "open, two reads, close";
}

}  // namespace
}  // namespace vemo
