#include "export_command.h"

#include "command_guards.h"
#include "content/builtin_content.h"
#include "exit_codes.h"

namespace scenario {

int comando_export(FileSystem& file_system, const OpzioniExport& opzioni, std::ostream& out,
                   std::ostream& err) {
  const std::string& cartella = opzioni.cartella;
  if (const int cartella_errata = prepara_cartella(file_system, "export", cartella, err)) {
    return cartella_errata;
  }
  const ContenutoPacchetto& contenuto = contenuto_incorporato();
  const NomiFile nomi = contenuto.nomi_in(cartella);
  std::vector<std::string> scritti;
  for (const Documento documento : kDocumentiDellaCorsa) {
    if (contenuto.presente(documento)) scritti.push_back(nome_documento(documento, nomi));
  }
  const CartellaRiservata riservata =
      riserva_cartella(file_system, "export", cartella, scritti, err);
  if (riservata.esito != kEsitoRiuscito) return riservata.esito;

  // An author's edits are not overwritten by accident: all five are looked
  // at before any is written.
  if (!opzioni.sovrascrivi) {
    bool presenti = false;
    for (const std::string& nome : scritti) {
      if (!file_system.Exists(nome)) continue;
      err << "scenario-tool export: \"" << riga_stampabile(nome) << "\" already exists\n";
      presenti = true;
    }
    if (presenti) {
      err << "scenario-tool export: nothing written; give --force to replace the files above\n";
      return kEsitoFallito;
    }
  }

  for (const Documento documento : kDocumentiDellaCorsa) {
    if (!contenuto.presente(documento)) continue;
    if (const Status scritto = contenuto.scrivi(documento, file_system, nomi); !scritto.ok()) {
      err << "scenario-tool export: " << riga_stampabile(scritto.message()) << "\n";
      return kEsitoFallito;
    }
    out << "wrote " << riga_stampabile(nome_documento(documento, nomi)) << "\n";
  }
  return kEsitoRiuscito;
}

}  // namespace scenario
