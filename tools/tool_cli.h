// The command line of scenario-tool: four commands, each with its own --help.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "base/file_system.h"

namespace scenario {

// Runs the tool with `argomenti` (the program name first, as in argv) on
// `file_system`, and returns the exit status (exit_codes.h): a usage error
// gives 64 with its message on `err`; --help prints on `out` and gives 0.
int esegui_strumento(const std::vector<std::string>& argomenti, FileSystem& file_system,
                     std::ostream& out, std::ostream& err);

}  // namespace scenario
