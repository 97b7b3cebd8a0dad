// `scenario-tool plot DIR --line-name NAME --train-number NUM --svg FILE`:
// compiles the author's texts in memory (nothing but the picture is written)
// and draws the result.
#pragma once

#include <ostream>
#include <string>

#include "base/file_system.h"

namespace scenario {

struct OpzioniPlot {
  std::string cartella;
  std::string nome_linea;
  std::string numero_treno;
  bool nome_linea_dato = true;  // false: taken from the folder, as compile takes it
  bool numero_treno_dato = true;
  std::string svg;  // its folder is made when missing
};

// Writes the picture and returns 0; 1 when the compile recorded an error code
// or a reserved-slot check failed (the picture is still drawn, from the
// tables as the reader left them, and the diagnostics go to `err`); 2 when
// there is no route grid to draw or the picture cannot be written.
int comando_plot(FileSystem& file_system, const OpzioniPlot& opzioni, std::ostream& out,
                 std::ostream& err);

}  // namespace scenario
