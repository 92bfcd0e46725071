// Any NAME=VALUE operands of `vemo set`, one a line, on either model's factory parameters: a
// refused value changes nothing, a taken one passes the settings panel's check of its control,
// and values that all had such a check still build into a block (the logo name has none).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/parameter_assignment.h"
#include "cli/parameter_file.h"
#include "link/device_identity.h"
#include "params/parameter_block.h"
#include "sim/sim_parameters.h"

namespace {

bool SameValues(const vemo::ParameterValues& a, const vemo::ParameterValues& b) {
    return a.set == b.set && a.image == b.image && a.model == b.model;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> operands;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        operands.emplace_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    for (const std::uint8_t model : {vemo::kModel82, vemo::kModel78}) {
        vemo::ParameterValues values;
        values.model = model;
        const std::vector<std::uint8_t> factory = vemo::FactoryBlock(model);
        vemo::ParseParameterBlock(model, factory, values.set, values.image);
        std::vector<vemo::Assignment> assignments;
        vemo::ParseAssignments(operands, model, true, assignments);
        bool allChecked = true;
        for (const vemo::Assignment& assignment : assignments) {
            const vemo::ParameterValues before = values;
            if (vemo::ApplyAssignment(assignment, values)) {
                if (!SameValues(values, before)) {
                    std::abort();  // a refused value changed something
                }
                continue;
            }
            const vemo::ControlBinding* binding = vemo::FindBinding(assignment.info->controlId);
            if (binding != nullptr && vemo::CheckMember(*binding, values)) {
                std::abort();  // taken although the panel would not take it
            }
            allChecked = allChecked && binding != nullptr;
        }
        vemo::ParameterValues built = values;
        if (allChecked && vemo::BuildBlockOf(built).empty()) {
            std::abort();
        }
    }
    return 0;
}
