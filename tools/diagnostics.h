// What the error codes of a compile mean, and the diagnostics the tool prints
// for them: the code in words, the position in metres, and the source text
// (file, line, column) of the record that caused it where that is known.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_names.h"
#include "compiler/compile_step.h"
#include "reader/scenario_tables.h"

namespace scenario {

// Where a code comes from, and so which file a diagnostic names.
enum class OrigineCodice {
  kTestoLinea,     // the line source text
  kTestoTreno,     // the train source text
  kTestiSorgente,  // either source text: the one being read when it happened
  kPassataFinale,  // the finishing pass over the route grid
  kNessuna,        // a code the tool does not know
};

// How the position recorded with a code reads in a message.
enum class FormaPosizione {
  kNessuna,  // the code records no position
  kMetri,    // "at 20050 m"
  kCella,    // "at cell 468 (23400 m)": the finishing pass records a cell's start
};

struct SignificatoCodice {
  int32_t codice = 0;
  std::string_view significato;  // a short English meaning, lower case, no full stop
  OrigineCodice origine = OrigineCodice::kNessuna;
  FormaPosizione posizione = FormaPosizione::kNessuna;
};

// Every code the reader, the storers and the finishing pass record
// (1 to 25, 101 to 103), in ascending order. Codes 14 and 23 are never recorded.
const std::vector<SignificatoCodice>& tabella_codici();

// The row of `codice`; a code not in the table gets a row saying so.
SignificatoCodice significato_codice(int32_t codice);

// One diagnostic. `file` is empty when the code belongs to no source text;
// `riga` and `colonna` are 1-based and absent when the reader did not say.
struct Diagnostica {
  std::string file;
  std::optional<int32_t> riga;
  std::optional<int32_t> colonna;
  int32_t codice = 0;
  std::string messaggio;  // the meaning and the position, without the file prefix
};

// "FILE:LINE:COLUMN: error CODE: MESSAGE", dropping the parts that are unknown;
// a finishing-pass diagnostic reads "finishing pass: error CODE: MESSAGE".
std::string riga_diagnostica(const Diagnostica& diagnostica);

// The names of the two source texts.
struct TestiSorgente {
  std::string linea;
  std::string treno;
};

// The diagnostics of a finished compile: one for the code the tables hold
// (none when `codice_errore` is 0), pointing at the record the reader was
// reading when it recorded it. `compilati` are the names the compile step
// used for the texts, `autore` the names the author knows them by.
std::vector<Diagnostica> diagnostiche(const Scenario& tabelle, const TestiSorgente& autore,
                                      const TestiSorgente& compilati);

// The message for a compile the reserved-slot checks stopped (1250, 1251), or
// that had no route grid to finish, naming what occupies the slot.
std::string messaggio_esito(EsitoCompilazione esito, const Scenario& tabelle);

}  // namespace scenario
