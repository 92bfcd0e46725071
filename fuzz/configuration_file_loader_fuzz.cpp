// Any file as a configuration file of either model (chosen by the first byte): the loader
// hands the panel the file's bytes exactly, only when they are a whole block within the
// buffer, and says "Loaded" only for a block the parse took; everything else is refused
// with the read error, or by the parse itself for a model 0x78 block without its signature.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "fuzz/fuzz_user.h"
#include "link/device_identity.h"
#include "params/parameter_block.h"
#include "storage/configuration_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static vemo::fuzz::FileUser user;
    if (size == 0) {
        return 0;
    }
    const std::uint8_t model = data[0] & 1 ? vemo::kModel82 : vemo::kModel78;
    const std::vector<std::uint8_t> file(data + 1, data + size);
    user.Fill(file.data(), file.size(), vemo::ConfigurationExtension(model));

    std::optional<vemo::BlockOutcome> parsed;
    vemo::ParameterSet set;
    vemo::BlockImage image;
    const vemo::ConfigurationPanel panel{
        [] { return std::vector<std::uint8_t>{}; },
        [&](std::span<const std::uint8_t> block) {
            if (parsed || !std::equal(block.begin(), block.end(), file.begin(), file.end())) {
                std::abort();  // handed once, and exactly the file
            }
            parsed = vemo::ParseParameterBlock(model, block, set, image);
            return *parsed;
        }};
    const vemo::FileOutcome outcome =
        vemo::LoadSaveConfiguration(vemo::FileDirection::Load, model, user.user, panel);

    const bool fits = file.size() <= vemo::kConfigurationBufferSize;
    switch (outcome) {
        case vemo::FileOutcome::Loaded:
            if (!fits || parsed != vemo::BlockOutcome::Complete ||
                user.messages != std::vector<std::u16string>{u"Loaded"} || user.beeps != 0) {
                std::abort();
            }
            break;
        case vemo::FileOutcome::Refused:
            if (parsed ? parsed != vemo::BlockOutcome::BadSignature || model != vemo::kModel78
                       : user.messages != std::vector<std::u16string>{u"Config. read error"} ||
                             user.beeps != 1) {
                std::abort();
            }
            if (!parsed && fits &&
                vemo::ParseParameterBlock(model, file, set, image) !=
                    vemo::BlockOutcome::Truncated) {
                std::abort();  // a whole block that fits was refused
            }
            break;
        default:
            std::abort();
    }
    return 0;
}
