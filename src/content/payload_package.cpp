#include "content/payload_package.h"

namespace scenario {

Status ContenutoCarico::scrivi(Documento documento, FileSystem& file_system,
                               const NomiFile& nomi) const {
  const std::optional<std::string>& byte = carico_[documento];
  if (!byte) return Status::OK();
  return file_system.ReplaceFile(nome_documento(documento, nomi), *byte);
}

ProgrammaLetto leggi_programma(FileSystem& file_system, const std::string& programma) {
  ProgrammaLetto letto;
  std::string byte;
  letto.lettura = file_system.ReadFileUpTo(programma, kMassimoProgramma, &byte);
  if (letto.lettura.ok()) letto.formato = leggi_carico(byte, &letto.carico);
  return letto;
}

}  // namespace scenario
