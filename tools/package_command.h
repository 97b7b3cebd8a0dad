// `scenario-tool package DIR --out FILE`: makes one program of an author's
// scenario that a player starts in the simulator's folder, as players start
// the package's own installer: the bare package program for the chosen
// system with the scenario's texts and documents appended (payload_format.h).
#pragma once

#include <ostream>
#include <string>

#include "base/file_system.h"
#include "package_programs.h"

namespace scenario {

struct OpzioniPacchetto {
  std::string cartella;  // the author's texts and documents
  std::string nome_linea;
  std::string numero_treno;
  bool nome_linea_dato = true;  // false: taken from the folder, as compile takes it
  bool numero_treno_dato = true;
  std::string uscita;  // the program to write
  Bersaglio bersaglio = bersaglio_di_sistema();
  bool forza = false;  // replace an existing `uscita`
};

// Compiles the texts first (in memory, writing nothing) and builds no
// package from texts with an error; a missing crew document is left out with
// a warning on `err`. Returns 0 when the program is written; 2 when nothing
// is written (texts with errors, a text that cannot be read, `uscita`
// already there without `forza`, a system this tool carries no program for,
// a write that failed); 64 for names that cannot be used.
int comando_package(FileSystem& file_system, const OpzioniPacchetto& opzioni, std::ostream& out,
                    std::ostream& err);

}  // namespace scenario
