// `scenario-tool compile DIR --line-name NAME --train-number NUM`: compiles an
// author's two source texts exactly as the installer compiles its own (the
// same reader, finishing pass and writers), but leaves the texts in place and
// says in words what went wrong and where.
#pragma once

#include <nlohmann/json_fwd.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/status.h"
#include "compile_observations.h"
#include "compiler/compile_step.h"
#include "diagnostics.h"
#include "reader/scenario_tables.h"

namespace scenario {

struct OpzioniCompila {
  std::string cartella;  // where the two source texts are
  std::string nome_linea;
  std::string numero_treno;
  // False for a name left out of the command line: the command takes it from
  // the source texts' names in `cartella` (scenario_names.h).
  bool nome_linea_dato = true;
  bool numero_treno_dato = true;
  bool senza_tracciato = false;  // compile with `scrivi_linea` 0: no plan view, no compiled line
  std::string uscita;            // where the compiled files go; empty: `cartella`
  bool json = false;
  bool senza_avvisi = false;  // --no-warnings: print the errors only
  bool utf8 = false;          // --input-encoding utf-8: the texts are UTF-8
};

// A compile of an author's folder and everything the tool reports about it.
struct CompilazioneAutore {
  Scenario tabelle;
  RisultatoCompilazione risultato;
  Status scrittura;         // a compiled file that could not be written
  std::string testo_linea;  // the author's two source texts
  std::string testo_treno;
  Osservazioni osservazioni;              // what the compile showed its observer
  std::vector<Diagnostica> diagnostiche;  // the recorded code, if any
  std::vector<Diagnostica> avvisi;        // the warnings, unless asked not to
  // A text whose encoding cannot be compiled (UTF-16, or UTF-8 characters
  // the code page lacks): nothing is compiled.
  std::vector<Diagnostica> errori_testo;
  int esito = 0;  // the exit status (exit_codes.h)
};

// Compiles the texts of `opzioni.cartella`, read from `autore`; the compiled
// files go to `uscita` under `opzioni.uscita`. The texts are never changed or
// deleted. The warnings cost nothing in what is written: the compile is the
// same with or without them.
CompilazioneAutore compila_cartella(FileSystem& autore, FileSystem& uscita,
                                    const OpzioniCompila& opzioni);

// The command: compiles onto `file_system`, prints the files written on `out`
// and the diagnostics on `err` (with --json, one line of JSON on `out`), and
// returns the exit status: 0 no error code recorded; 1 a code recorded (the
// compiled files are still written, as the installer writes them); 2 nothing
// written (a reserved-slot check stopped the compile, no route grid, or a
// file could not be written).
int comando_compile(FileSystem& file_system, const OpzioniCompila& opzioni, std::ostream& out,
                    std::ostream& err);

// One diagnostic as --json gives it: file, line, column (null when unknown),
// severity ("error" or "warning"), id, code (null for what no compile
// records), message and hint (null when none).
nlohmann::json json_diagnostica(const Diagnostica& diagnostica);

}  // namespace scenario
