// Reads the two source texts back into the scenario tables, deleting them as
// it goes. Failures in the content are recorded in `codice_errore` (with a
// position in `posizione_errore` where one applies), never shown.
#pragma once

#include "base/file_names.h"
#include "base/file_system.h"
#include "reader/scenario_tables.h"

namespace scenario {

void memorizza_dati(Scenario& tabelle, FileSystem& file_system, const NomiFile& nomi);

}  // namespace scenario
