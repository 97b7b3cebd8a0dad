// What a compile can tell someone watching it: every record the readers read
// (its kind, where it stands and every field with its value), every token
// they pass over, and every error code recorded along the way. The tables
// keep only the last code, as the compiled files do; an observer sees them
// all, so that an author's tool can report each problem of a text in one
// run.
//
// Watching changes nothing: the tables and every byte written are the same
// with and without an observer, and without one nothing is collected.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reader/field_input.h"
#include "reader/scenario_tables.h"
#include "reader/source_records.h"

namespace scenario {

// One field as read: its index in the record's list (from 1), where it
// begins and its text as it stands; `numero` is the value of a number field.
struct CampoLetto {
  int32_t indice = 0;
  PosizioneTesto posizione;
  std::string testo;
  int64_t numero = 0;
};

// One record as read. `campi` holds the fields read before its reading
// ended: all of them (`completo`), or fewer when a field could not be read
// or an error stopped the record. A field that came from a line after the
// keyword's shows it in its position.
struct RecordLetto {
  std::string file;  // the source text, by the name the compile step reads it under
  TipoRecord tipo = TipoRecord::kLunghezzaPercorso;
  PosizioneTesto posizione;  // where its first field (the keyword) begins
  std::string parola;        // the keyword as written
  std::vector<CampoLetto> campi;
  bool completo = false;

  // The field `indice` (from 1), or nullptr when it was not read.
  const CampoLetto* campo(int32_t indice) const {
    const auto i = static_cast<size_t>(indice);
    return indice >= 1 && i <= campi.size() ? &campi[i - 1] : nullptr;
  }
};

// A token the reader read and passed over: a section header, a line of
// dashes, a keyword it does not know, a field of a record it does not know,
// anything before "[generale]", and the last token of a text.
struct TokenPassato {
  std::string file;
  PosizioneTesto posizione;
  std::string testo;
  bool inizio_riga = false;  // nothing of its line was read before it
};

// An error code at the moment it is recorded, with the position recorded
// with it (0 when the code takes none) and where it arose: the record and
// field for a reader's code, nothing (an empty file) for the finishing pass.
struct ErroreRegistrato {
  int32_t codice = 0;
  int32_t posizione = 0;
  DiagnosticaLettura luogo;
};

class OsservatoreCompilazione {
 public:
  virtual ~OsservatoreCompilazione() = default;
  // Called once a record's reading has ended, before any code it gave is
  // recorded.
  virtual void record_letto(const RecordLetto& record) { (void)record; }
  virtual void token_passato(const TokenPassato& token) { (void)token; }
  virtual void errore_registrato(const ErroreRegistrato& errore) { (void)errore; }
};

}  // namespace scenario
