// The diagnostics the tool prints for the error code of a compile: the code in
// words (from the library's table of codes), the position in metres, the
// source text (file, line, column) of the record that caused it where that is
// known, and a hint at the fix.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_names.h"
#include "compiler/compile_step.h"
#include "reader/error_codes.h"
#include "reader/scenario_tables.h"

namespace scenario {

// One diagnostic. `file` is empty when the code belongs to no source text;
// `riga` and `colonna` are 1-based and absent when the reader did not say.
struct Diagnostica {
  std::string file;
  std::optional<int32_t> riga;
  std::optional<int32_t> colonna;
  int32_t codice = 0;
  std::string messaggio;     // the meaning and the position, without the file prefix
  std::string rimedio = {};  // how to mend the text; empty for a code the table lacks
};

// "FILE:LINE:COLUMN: error CODE: MESSAGE", dropping the parts that are unknown;
// a finishing-pass diagnostic reads "finishing pass: error CODE: MESSAGE".
std::string riga_diagnostica(const Diagnostica& diagnostica);

// The hint that follows the diagnostic, with the same prefix:
// "FILE:LINE:COLUMN: note: HINT"; empty when there is no hint.
std::string riga_rimedio(const Diagnostica& diagnostica);

// Each diagnostic's line, then its hint's line, on `err`.
void stampa_diagnostiche(const std::vector<Diagnostica>& diagnostiche, std::ostream& err);

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
