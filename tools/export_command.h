// `scenario-tool export DIR`: writes the package's own two source texts and
// three crew documents into DIR, as a starting point for an author. It
// compiles nothing and deletes nothing.
#pragma once

#include <ostream>
#include <string>

#include "base/file_system.h"

namespace scenario {

// Prints the name of every file written on `out`; returns 0, or 2 when a file
// cannot be written (the files before it stay).
int comando_export(FileSystem& file_system, const std::string& cartella, std::ostream& out,
                   std::ostream& err);

}  // namespace scenario
