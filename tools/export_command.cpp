#include "export_command.h"

#include "base/file_names.h"
#include "command_guards.h"
#include "content/source_texts.h"
#include "documents/crew_documents.h"
#include "driver/form1.h"
#include "exit_codes.h"

namespace scenario {

int comando_export(FileSystem& file_system, const std::string& cartella, std::ostream& out,
                   std::ostream& err) {
  if (const int cartella_errata = controlla_cartella(file_system, "export", cartella, err)) {
    return cartella_errata;
  }
  const NomiFile nomi{cartella, kNomeLinea, kNumeroTreno};
  struct Passo {
    Status (*scrivi)(FileSystem&, const NomiFile&);
    std::string nome;
  };
  const Passo passi[] = {
      {dati_linea, nomi.testo_linea()},   {dati_treno, nomi.testo_treno()},
      {dati_note, nomi.note()},           {dati_rallentamenti, nomi.rallentamenti()},
      {dati_scheda, nomi.scheda_treno()},
  };
  std::vector<std::string> scritti;
  for (const Passo& passo : passi) scritti.push_back(passo.nome);
  const CartellaRiservata riservata =
      riserva_cartella(file_system, "export", cartella, scritti, err);
  if (riservata.esito != kEsitoRiuscito) return riservata.esito;

  for (const Passo& passo : passi) {
    if (const Status scritto = passo.scrivi(file_system, nomi); !scritto.ok()) {
      err << "scenario-tool export: " << riga_stampabile(scritto.message()) << "\n";
      return kEsitoFallito;
    }
    out << "wrote " << riga_stampabile(passo.nome) << "\n";
  }
  return kEsitoRiuscito;
}

}  // namespace scenario
