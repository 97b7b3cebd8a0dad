// `scenario-tool export DIR [--force]`: writes the package's own two source
// texts and three crew documents into DIR, as a starting point for an
// author. It compiles nothing and deletes nothing, and it never writes over
// an author's edited texts unless told to.
#pragma once

#include <ostream>
#include <string>

#include "base/file_system.h"

namespace scenario {

struct OpzioniExport {
  std::string cartella;      // made, with the levels above it, when missing
  bool sovrascrivi = false;  // --force: replace files that already stand in the folder
};

// Prints the name of every file written on `out`; returns 0, or 2 when a file
// cannot be written (the files before it stay), or when one of the five
// already exists and `sovrascrivi` is off: then every such file is named and
// nothing is written.
int comando_export(FileSystem& file_system, const OpzioniExport& opzioni, std::ostream& out,
                   std::ostream& err);

}  // namespace scenario
