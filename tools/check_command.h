// `scenario-tool check DIR --line-name NAME --train-number NUM`: every problem
// of an author's two source texts in one run, writing nothing.
//
// It runs the real compile (reader, storers, finishing pass) in memory on
// copies of the texts and reports what the compile records and what it
// shows its observer. The compile stops at its first error; check goes on:
// it empties the line of each record that gave an error (keeping the line
// numbers) and compiles again, until a round finds no new error. Errors
// that leave no route grid (no line text, no [generale], a route length out
// of range or unreadable) end the search, since nothing after them can be
// judged. The finishing pass's failures come from the last round, which
// reads everything but the emptied lines; the warnings from every round.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "diagnostics.h"

namespace scenario {

struct OpzioniControllo {
  std::string cartella;
  std::string nome_linea;
  std::string numero_treno;
  bool nome_linea_dato = true;  // false: taken from the folder, as compile takes it
  bool numero_treno_dato = true;
  bool utf8 = false;    // the texts are UTF-8, to be turned into Windows-1252
  bool json = false;    // one JSON object on standard output
  bool werror = false;  // warnings fail the check as errors do
};

// At most this many compiles: a text whose every record is wrong (a route
// length that leaves most records beyond the grid) would otherwise take one
// round per record.
inline constexpr int kGiriMassimi = 50;

struct EsitoControllo {
  std::vector<Diagnostica> diagnostiche;  // in the order of the texts, line by line
  int errori = 0;
  int avvisi = 0;
  int giri = 0;                    // compiles made
  bool giri_esauriti = false;      // the last round still found new errors
  bool testo_illeggibile = false;  // a text is missing, unreadable or UTF-16
  int esito = 0;                   // the exit status
};

// Checks the texts of `opzioni.cartella`, read from `autore`, which is
// never written.
EsitoControllo controlla_cartella(FileSystem& autore, const OpzioniControllo& opzioni);

// The command: the report on `out` (each diagnostic with its hint, then the
// count; with --json one object), and the exit status: 0 no error (warnings
// allowed), 1 errors (or warnings under --werror), 2 a text cannot be read.
int comando_check(FileSystem& file_system, const OpzioniControllo& opzioni, std::ostream& out,
                  std::ostream& err);

// `testo` with the content of line `riga` (from 1) removed; its line end
// stays, so that the lines after it keep their numbers.
void svuota_riga(std::string& testo, int32_t riga);

}  // namespace scenario
