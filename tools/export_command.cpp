#include "export_command.h"

#include "content/builtin_content.h"
#include "exit_codes.h"

namespace scenario {

int comando_export(FileSystem& file_system, const std::string& cartella, std::ostream& out,
                   std::ostream& err) {
  const ContenutoPacchetto& contenuto = contenuto_incorporato();
  const NomiFile nomi = contenuto.nomi_in(cartella);
  for (const Documento documento : kDocumentiDellaCorsa) {
    if (!contenuto.presente(documento)) continue;
    if (const Status scritto = contenuto.scrivi(documento, file_system, nomi); !scritto.ok()) {
      err << "scenario-tool export: " << scritto.message() << "\n";
      return kEsitoFallito;
    }
    out << "wrote " << nome_documento(documento, nomi) << "\n";
  }
  return kEsitoRiuscito;
}

}  // namespace scenario
