#include "firmware/module_table.h"

#include <array>

#include "firmware/package_text.h"

namespace vemo {

namespace {

constexpr std::size_t kFieldCount = 10;

// Ten fields, each after skipping spaces and up to the next space.
std::array<std::string_view, kFieldCount> CutFields(std::string_view line) {
    std::array<std::string_view, kFieldCount> fields;
    for (std::string_view& field : fields) {
        const std::size_t start = line.find_first_not_of(' ');
        line.remove_prefix(start == std::string_view::npos ? line.size() : start);
        field = line.substr(0, line.find(' '));
        line.remove_prefix(field.size());
    }
    return fields;
}

ModuleEntry ParseEntry(std::string_view line) {
    const std::array<std::string_view, kFieldCount> field = CutFields(line);
    ModuleEntry entry;
    entry.moduleId = static_cast<std::uint16_t>(LeadingDecimal(field[0]));
    entry.idOffset = LeadingDecimal(field[1]);
    entry.idLength = static_cast<std::uint8_t>(LeadingDecimal(field[2]));
    entry.idValue = static_cast<std::uint32_t>(LeadingDecimal(field[3]));
    entry.versionOffset = LeadingDecimal(field[4]);
    entry.version = static_cast<std::uint8_t>(LeadingDecimal(field[5]));
    entry.lengthPrefixed = field[6].find('L') != std::string_view::npos;
    entry.label = std::string(field[7]);
    entry.fileName = std::string(field[8]);
    entry.digest = UpperCaseAscii(field[9]);
    return entry;
}

}  // namespace

ModuleTable ParseModuleTable(std::string_view text) {
    ModuleTable table;
    while (table.size() < kMaxModules) {
        const std::optional<std::string_view> line = TakeLine(text);
        if (!line || line->empty()) {
            break;
        }
        table.push_back(ParseEntry(*line));
    }
    return table;
}

std::string ParseDigestLine(std::string_view text) {
    return UpperCaseAscii(TakeLine(text).value_or(std::string_view{}));
}

}  // namespace vemo
