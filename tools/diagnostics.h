// The diagnostics the tool prints about an author's texts: the error codes a
// compile records, in words (from the library's table of codes), with the
// position in metres, the source text (file, line, column) of the record and
// field that caused it, and a hint at the fix; and the warnings about
// suspicious but legal content, each with its own id.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_names.h"
#include "compile_observations.h"
#include "compiler/compile_step.h"
#include "reader/error_codes.h"
#include "reader/scenario_tables.h"

namespace scenario {

enum class Gravita : uint8_t {
  kErrore,  // what a compile records, or a text the tool cannot read as it is
  kAvviso,  // legal, but most likely not what the author meant
};

// One diagnostic. `file` is empty when it belongs to no source text; `riga`
// and `colonna` are 1-based and absent when unknown.
struct Diagnostica {
  std::string file;
  std::optional<int32_t> riga;
  std::optional<int32_t> colonna;
  int32_t codice = 0;        // the error code; 0 for what no compile records
  std::string messaggio;     // the meaning and the position, without the file prefix
  std::string rimedio = {};  // how to mend the text; empty when there is no hint
  Gravita gravita = Gravita::kErrore;
  std::string id = {};  // the stable name: the code's from the table of codes, or the warning's
};

// As `compile` prints them: "FILE:LINE:COLUMN: error CODE: MESSAGE" for a
// code, "FILE:LINE:COLUMN: warning: [ID] MESSAGE" (or "error: [ID]") for the
// rest, dropping the parts that are unknown; a finishing-pass code that
// points at no record reads "finishing pass: error CODE: MESSAGE".
std::string riga_diagnostica(const Diagnostica& diagnostica);

// The hint that follows the diagnostic, with the same prefix:
// "FILE:LINE:COLUMN: note: HINT"; empty when there is no hint.
std::string riga_rimedio(const Diagnostica& diagnostica);

// Each diagnostic's line, then its hint's line, on `err`.
void stampa_diagnostiche(const std::vector<Diagnostica>& diagnostiche, std::ostream& err);

// As `check` prints them: "FILE:LINE:COLUMN: error|warning: [ID] MESSAGE",
// the code's number at the end of an error's message ("(error 16)").
std::string riga_controllo(const Diagnostica& diagnostica);

// Text that came from a source text (Windows-1252) or from the command
// line, made safe to print: control characters written out, cut short.
std::string stampabile(std::string_view testo_windows_1252);

// How to mend a record short of fields, which takes the missing ones from
// the lines after it.
inline constexpr std::string_view kRimedioCampiMancanti =
    "give the record all its fields on its own line; an empty field between two commas reads "
    "as 0";

// How to mend a header that holds a record's keyword.
inline constexpr std::string_view kRimedioIntestazione =
    "use the text's own section headers, which hold no keyword: [pendenze], not [pendenza]";

// "the header "[pendenza]" holds the keyword "pendenza", so the reader takes
// it for a record; " for a header that holds a keyword; empty otherwise.
std::string intestazione_come_record(std::string_view parola, std::optional<TipoRecord> tipo);

// Where line `riga` (from 1) of `testo` begins; absent when the text has
// fewer lines. A line ends at CR LF, a lone CR or a lone LF.
std::optional<size_t> inizio_riga(std::string_view testo, int32_t riga);

// The column just after the last character of line `riga` of `testo` that
// is no blank: where a field missing at the line's end would go.
int32_t colonna_fine_riga(std::string_view testo, int32_t riga);

// The names of the two source texts.
struct TestiSorgente {
  std::string linea;
  std::string treno;
};

// What the diagnostics of one compile draw on besides the tables: the names
// of the two texts (as the author knows them, and as the compile step read
// them), the texts as the compile step read them (for the length of a line),
// and what the compile showed its observer (the records read), when it was
// watched.
struct FontiCompilazione {
  TestiSorgente autore;
  TestiSorgente compilati;
  std::optional<std::string> testo_linea = {};  // absent when it could not be read
  std::optional<std::string> testo_treno = {};
  const Osservazioni* osservazioni = nullptr;

  // The author's name of the text the compile step read as `compilato`.
  const std::string& nome_autore(const std::string& compilato) const;
  // The text as read, by either name; empty for another name.
  const std::string& testo(const std::string& file) const;
};

// The diagnostic of one recorded code: the record and field it is about
// (for the finishing pass's codes, the slowdown or signal whose cell it
// was; for error 2, the kilometre reference's field), and the cause in the
// author's words (a position before the route's start said so, a record
// short of fields said so with what the reader took in its place).
Diagnostica diagnostica_errore(const ErroreRegistrato& errore, const Scenario& tabelle,
                               const FontiCompilazione& fonti);

// The diagnostics of a finished compile: one for the code the tables hold
// (none when `codice_errore` is 0).
std::vector<Diagnostica> diagnostiche(const Scenario& tabelle, const FontiCompilazione& fonti);
std::vector<Diagnostica> diagnostiche(const Scenario& tabelle, const TestiSorgente& autore,
                                      const TestiSorgente& compilati);

// The message for a compile the reserved-slot checks stopped (1250, 1251), or
// that had no route grid to finish, naming what occupies the slot.
std::string messaggio_esito(EsitoCompilazione esito, const Scenario& tabelle);

// The cell a point object at `posizione` takes (a signal, a slowdown's start
// or end, a speed or lettered board): the one after the cell that starts
// there.
int64_t cella_oggetto(int64_t posizione);

// The record among those observed that the code-cut point at route cell 1,
// or the object there, comes from; nullptr when none does.
const RecordLetto* record_in_cella_riservata(const Osservazioni& osservazioni);

}  // namespace scenario
