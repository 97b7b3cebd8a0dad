// The two source texts of the scenario, written into the application folder
// at the start of a run and read back by the compile step.
#pragma once

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/status.h"

namespace scenario {

// Writes the line source text (NAME_linea.txt).
Status dati_linea(FileSystem& file_system, const NomiFile& nomi);

// Writes the train source text (NAME_NUM-.txt).
Status dati_treno(FileSystem& file_system, const NomiFile& nomi);

}  // namespace scenario
