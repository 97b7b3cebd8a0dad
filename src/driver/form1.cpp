#include "driver/form1.h"

#include "base/file_names.h"
#include "compiler/compile_step.h"
#include "content/source_texts.h"
#include "documents/crew_documents.h"
#include "driver/errore.h"

namespace scenario {

int Form1::carica() {
  tabelle_.nome_linea = kNomeLinea;
  tabelle_.numero_treno = kNumeroTreno;
  piattaforma_.mostra_attesa(tabelle_.nome_linea, kDidascaliaAttesa);

  const std::string cartella = piattaforma_.cartella_applicazione();
  if (cartella.empty()) return fallimento("cannot tell the folder this program was started from");
  const NomiFile nomi{cartella, tabelle_.nome_linea, tabelle_.numero_treno};

  using Passo = Status (*)(FileSystem&, const NomiFile&);
  for (Passo passo : {dati_linea, dati_treno, dati_note, dati_rallentamenti, dati_scheda}) {
    const Status status = passo(file_system_, nomi);
    if (!status.ok()) return fallimento(status.message());
  }

  RisultatoCompilazione risultato;
  const Status status = memorizza_percorso(1, tabelle_, file_system_, nomi, &risultato);
  if (!status.ok()) return fallimento(status.message());
  switch (risultato.esito) {
    case EsitoCompilazione::completata:
      return kUscitaRiuscita;
    case EsitoCompilazione::errore_1250:
      errore(piattaforma_, "1250");
    case EsitoCompilazione::errore_1251:
      errore(piattaforma_, "1251");
    case EsitoCompilazione::nessuna_griglia:
      return fallimento("the line source text gave no route to compile (reader error " +
                        std::to_string(tabelle_.codice_errore) + "); no compiled file written");
  }
  return kUscitaRiuscita;
}

int Form1::fallimento(const std::string& dettaglio) {
  piattaforma_.mostra_messaggio("Installation failed: " + dettaglio);
  return kUscitaFallimento;
}

}  // namespace scenario
