// Any bytes a device sends back, over the requests of a connection: the scan's identification,
// a status poll, the parameter block read, the IQ table read and the firmware modules'
// read-backs. Input: the line's bytes after each request, each reply as a two-byte big-endian
// count and that many bytes. Nothing may be read or written outside a buffer; the identity only
// ever takes a known model; the IQ table never holds more than its 100 rows, and holds none
// unless a whole table came.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/session_flags.h"
#include "firmware/module_check.h"
#include "fuzz/fuzz_user.h"
#include "params/parameter_exchange.h"
#include "sim/in_process_port.h"
#include "storage/iq_table_exchange.h"
#include "support/scripted_port.h"

namespace {

// A package of two modules whose read-backs reach into the first bytes and up to the end of
// the read-back buffer. Digests are not checked (as after "Firm. Reload"), so neither the
// digest line nor the module files need to match.
const vemo::fuzz::FuzzFolder& Package() {
    static const vemo::fuzz::FuzzFolder folder;
    static const bool written = [] {
        const std::string table =
            "768 4 4 1447382351 8 24 L System system.bin 0\n"
            "769 500 11 7 511 200 - Encoder encoder.bin 0\n";
        folder.Write("firmware.cfg", reinterpret_cast<const std::uint8_t*>(table.data()),
                     table.size());
        folder.Write("extension.bin", reinterpret_cast<const std::uint8_t*>("-\n"), 2);
        return true;
    }();
    (void)written;
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static vemo::fuzz::FileUser user;
    vemo::VirtualClock clock;
    vemo::test::ScriptedPort port(clock);
    for (std::size_t at = 0; at < size;) {
        const std::size_t count = at + 1 < size ? std::size_t{data[at]} << 8 | data[at + 1] : 0;
        const std::size_t begin = std::min(at + 2, size);
        const std::size_t end = std::min(begin + count, size);
        port.replies.emplace_back(data + begin, data + end);
        at = end;
    }
    vemo::FixedPortCatalogue catalogue({{0, "device"}});
    vemo::CXmit xmit(port, catalogue, clock);
    if (!xmit.FindDevice()) {
        return 0;
    }
    if (!vemo::IsKnownModel(xmit.Identity().ModelCode) || xmit.Identity().SoftwareVersion == 0) {
        std::abort();
    }

    std::array<std::uint8_t, 8> status{};
    const std::uint8_t version = xmit.PollStatus(status);
    // A poll may take a version of 0 from a known model: it then reports failure.
    if (!vemo::IsKnownModel(xmit.Identity().ModelCode) ||
        (version != 0 && version != xmit.Identity().SoftwareVersion)) {
        std::abort();
    }

    vemo::ParameterExchange parameters(xmit, user, user, 0);
    vemo::ParameterSet set;
    vemo::BlockImage image;
    parameters.ReadParameterBlock(set, image);

    vemo::IqTableExchange iq(xmit, true);
    vemo::IqTable table;
    table.count = 1;
    const vemo::IqReadOutcome outcome = iq.ReadIqTable(table);
    if (table.count < 0 || table.count > vemo::IqTable::kCapacity ||
        (outcome == vemo::IqReadOutcome::NotAvailable
             ? table.count != 1
             : outcome != vemo::IqReadOutcome::Read && table.count != 0)) {
        std::abort();
    }

    vemo::SessionFlags flags{.DigestCheckOverride = true};
    vemo::FirmwareContext context{xmit, user, user, user, flags, Package().path, 0};
    const vemo::ModuleTable modules = vemo::LoadModuleTable(
        Package().path / "firmware.cfg", Package().path / "extension.bin", context);
    if (modules.size() > 2) {
        std::abort();
    }
    return 0;
}
