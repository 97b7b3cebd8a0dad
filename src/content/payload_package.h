// A package program's content: the scenario an author appended to the bare
// program (payload_format.h), installed file by file with exactly the bytes
// the author's files hold. A document the author did not have is not
// written.
#pragma once

#include <cstdint>
#include <string>

#include "base/file_system.h"
#include "content/package_content.h"
#include "content/payload_format.h"

namespace scenario {

class ContenutoCarico : public ContenutoPacchetto {
 public:
  explicit ContenutoCarico(Carico carico) : carico_(std::move(carico)) {}

  std::string_view nome_linea() const override { return carico_.nome_linea; }
  std::string_view numero_treno() const override { return carico_.numero_treno; }
  bool presente(Documento documento) const override { return carico_[documento].has_value(); }
  Status scrivi(Documento documento, FileSystem& file_system, const NomiFile& nomi) const override;

 private:
  Carico carico_;
};

// The largest program file read in search of its payload: the bare program
// (a few megabytes) and five files at their bound, with room to spare.
inline constexpr uint64_t kMassimoProgramma = uint64_t{64} << 20;

// Reads the program file `programma` through `file_system` and the payload
// at its end. A file that cannot be read gives `lettura` its failure; a
// payload that cannot be installed, `formato` its reason.
struct ProgrammaLetto {
  Status lettura;
  LetturaCarico formato;
  Carico carico;
  bool ok() const { return lettura.ok() && formato.ok(); }
};
ProgrammaLetto leggi_programma(FileSystem& file_system, const std::string& programma);

}  // namespace scenario
