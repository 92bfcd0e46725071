// Any file as an ".iqc" file: a loaded table holds at most 100 rows, all of them read from
// the file, and saves back to the file's first 1 + 6 x count bytes; a refused file leaves
// the table as it was and nothing goes on to the device.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/fuzz_user.h"
#include "storage/iq_calibration_file.h"
#include "storage/iq_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static vemo::fuzz::FileUser user;
    user.Fill(data, size, u".iqc");

    vemo::IqTable table;
    table.count = 1;
    table.rows[0] = {474, -12, 7};
    const vemo::IqTable before = table;
    int loads = 0;
    const vemo::FileOutcome outcome =
        vemo::LoadSaveIqCalibration(vemo::FileDirection::Load, user.user, table, [&] { ++loads; });

    if (outcome == vemo::FileOutcome::Loaded) {
        const std::vector<std::uint8_t> saved = vemo::EncodeIqFile(table);
        if (loads != 1 || table.count < 0 || table.count > vemo::IqTable::kCapacity ||
            size > vemo::kIqFileBufferSize || saved.size() > size ||
            !std::equal(saved.begin(), saved.end(), data)) {
            std::abort();
        }
    } else if (outcome != vemo::FileOutcome::Refused || loads != 0 || !(table == before) ||
               user.messages != std::vector<std::u16string>{u"IQ Calibration read error"}) {
        std::abort();
    }
    return 0;
}
