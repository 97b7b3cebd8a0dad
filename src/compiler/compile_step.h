// The compile step: reads the source texts into the tables, finishes the route
// grid, stamps the reserved slots, stores the competition codes and writes the
// three files the simulator loads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/status.h"
#include "reader/compile_observer.h"
#include "reader/scenario_tables.h"

namespace scenario {

enum class EsitoCompilazione {
  kCompletata,      // the compiled files are written (content errors, if any, are only recorded)
  kErrore1250,      // a reserved slot for the stamps was occupied: nothing written
  kErrore1251,      // a reserved slot for the competition codes was occupied: nothing written
  kNessunaGriglia,  // the reader stopped before the route length: no grid, nothing written
};

struct RisultatoCompilazione {
  EsitoCompilazione esito = EsitoCompilazione::kCompletata;
  std::vector<std::string> file_scritti;  // in the order written
};

// The stamps the compile step puts into the reserved slots: `campo_7` of the
// line entry and `valore_1` of cell 1. The competition codes go into `orario`
// of the line entry and `valore_2` of cell 1.
inline constexpr int16_t kTimbroRegistro = 610;
inline constexpr int16_t kTimbroPercorso = 5121;
inline constexpr int32_t kCellaTimbro = 1;

// `j` is the compile switch: non-zero builds the plan view and writes the
// compiled line. A file that cannot be written is returned as a failure.
// `osservatore`, when given, watches the reader and the finishing pass; it
// changes nothing of what is compiled.
Status memorizza_percorso(int32_t j, Scenario& tabelle, FileSystem& file_system,
                          const NomiFile& nomi, RisultatoCompilazione* risultato,
                          OsservatoreCompilazione* osservatore = nullptr);

// Everything after the reader: the finishing pass, the reserved-slot checks
// and stamps, the competition codes and the compiled files (the line only when
// `scrivi_linea` is non-zero, then the train scenario, then the grid). With no
// grid, or with an occupied reserved slot, nothing is written and files of an
// earlier run stay as they are. A file that cannot be written ends the step
// with its failure; the files written before it stay.
Status completa_compilazione(Scenario& tabelle, FileSystem& file_system, const NomiFile& nomi,
                             RisultatoCompilazione* risultato,
                             OsservatoreCompilazione* osservatore = nullptr);

}  // namespace scenario
