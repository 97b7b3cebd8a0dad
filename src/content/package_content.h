// The content a package installs: the line it names, the train it names, and
// the five files a run writes before it compiles (the two source texts and
// the three crew documents), each written into the run's folder under its
// name. One implementation carries the package's own scenario as constant
// text (`contenuto_incorporato`); another may carry an author's files as
// exact bytes, and may lack some documents.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/status.h"

namespace scenario {

// The five files of a run, in the order a run writes them.
enum class Documento : uint8_t {
  kTestoLinea,     // the line source text, NAME_linea.txt
  kTestoTreno,     // the train source text, NAME_NUM-.txt
  kNote,           // the line notes, NAME_NUM_note.txt
  kRallentamenti,  // the slowdown order, NAME_NUM_rallentamenti.txt
  kSchedaTreno,    // the train card, NAME_NUM_scheda_treno.txt
};

inline constexpr std::array<Documento, 5> kDocumentiDellaCorsa = {
    Documento::kTestoLinea, Documento::kTestoTreno, Documento::kNote, Documento::kRallentamenti,
    Documento::kSchedaTreno};

// The file `documento` is written to among the names of a run.
std::string nome_documento(Documento documento, const NomiFile& nomi);

class ContenutoPacchetto {
 public:
  virtual ~ContenutoPacchetto() = default;

  // The line name and the train number, UTF-8: they name every file of the
  // run and go into the compiled files.
  virtual std::string_view nome_linea() const = 0;
  virtual std::string_view numero_treno() const = 0;

  // False when the package carries no such file; a run then writes nothing
  // in its place.
  virtual bool presente(Documento documento) const = 0;

  // Writes `documento` under its name among `nomi`, replacing an earlier file
  // of that name whole, or leaving it as it was on failure. A document the
  // package does not carry is not written; that is no failure.
  virtual Status scrivi(Documento documento, FileSystem& file_system,
                        const NomiFile& nomi) const = 0;

  // The names of a run in `cartella`.
  NomiFile nomi_in(std::string cartella) const;
};

}  // namespace scenario
