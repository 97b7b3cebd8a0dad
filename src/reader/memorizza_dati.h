// Reads the two source texts back into the scenario tables, deleting them as
// it goes. Failures in the content are recorded in `codice_errore` (with a
// position in `posizione_errore` where one applies, and where the record
// stood in `ultima_diagnostica`), never shown.
#pragma once

#include "base/file_names.h"
#include "base/file_system.h"
#include "reader/compile_observer.h"
#include "reader/scenario_tables.h"

namespace scenario {

// The line text first, then the train text. The procedure starts with no
// route grid and no plan view; it leaves them empty when it stops before the
// line text gives the route length. Which text is deleted on which path:
//   - no line text (101): nothing is read or deleted;
//   - an error that ends the procedure while the line text is read: the line
//     text is deleted, the train text stays;
//   - a record beyond the grid (15) ends only the text it is in: the line
//     text is deleted and the train text is read;
//   - an error while the train text is read: both are deleted;
//   - a reading failure (25) anywhere: every source text still present is
//     deleted.
// `osservatore`, when given, watches the reading (compile_observer.h).
void memorizza_dati(Scenario& tabelle, FileSystem& file_system, const NomiFile& nomi,
                    OsservatoreCompilazione* osservatore = nullptr);

}  // namespace scenario
