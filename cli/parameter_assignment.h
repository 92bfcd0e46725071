#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/exit_code.h"
#include "cli/parameter_catalogue.h"

namespace vemo {

// One NAME=VALUE of `set`, as typed.
struct Assignment {
    const ParameterInfo* info = nullptr;
    std::string text;   // NAME=VALUE, for messages
    std::string value;  // UTF-8
};

// Why an assignment was not taken, and how `vemo` ends for it.
struct AssignmentProblem {
    ExitCode code = ExitCode::Usage;
    std::string message;
};

// Finds each NAME on `model`. Carried bytes cannot be set, nor parameters of the other model;
// logo-name only where it is stored (with the defaults, or in a file).
std::optional<AssignmentProblem> ParseAssignments(const std::vector<std::string>& operands,
                                                  std::uint8_t model, bool logoNameTaken,
                                                  std::vector<Assignment>& assignments);

// Takes the value into `values` with the settings panel's checks and messages: numbers must
// be integers within the field's range, texts no longer than the field, list values one of
// the list's entries. A refused value leaves `values` as it was.
std::optional<AssignmentProblem> ApplyAssignment(const Assignment& assignment,
                                                 ParameterValues& values);

}  // namespace vemo
