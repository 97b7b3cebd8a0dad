#include "driver/form1.h"

#include "base/file_names.h"
#include "compiler/compile_step.h"
#include "driver/errore.h"
#include "driver/messaggi.h"
#include "reader/error_codes.h"

namespace scenario {
namespace {

// A run killed while it wrote a file can leave that file's temporary copy
// (`temporary_name_for`) beside it. A later write of the same name replaces
// it, but a run that stops early (a numbered error, nothing to compile) never
// writes some of the names: so every run first removes the leftovers of all
// eight, and no partial file outlives the next run.
Status rimuovi_file_parziali(FileSystem& file_system, const NomiFile& nomi) {
  for (const std::string& nome : {nomi.testo_linea(), nomi.testo_treno(), nomi.note(),
                                  nomi.rallentamenti(), nomi.scheda_treno(), nomi.linea_compilata(),
                                  nomi.scenario_compilato(), nomi.percorso_compilato()}) {
    const std::string parziale = temporary_name_for(nome);
    if (!file_system.Exists(parziale)) continue;
    const Status status = file_system.RemoveFile(parziale);
    if (!status.ok()) return status;
  }
  return Status::OK();
}

}  // namespace

int Form1::carica() {
  tabelle_.nome_linea = contenuto_.nome_linea();
  tabelle_.numero_treno = contenuto_.numero_treno();
  piattaforma_.mostra_attesa(tabelle_.nome_linea, kDidascaliaAttesa);

  const std::string cartella = piattaforma_.cartella_applicazione();
  if (cartella.empty()) return fallimento(messaggio_cartella_sconosciuta());
  const NomiFile nomi{cartella, tabelle_.nome_linea, tabelle_.numero_treno};
  if (const Status status = rimuovi_file_parziali(file_system_, nomi); !status.ok()) {
    return fallimento(messaggio_fallimento(status));
  }

  for (const Documento documento : kDocumentiDellaCorsa) {
    if (!contenuto_.presente(documento)) continue;
    const Status status = contenuto_.scrivi(documento, file_system_, nomi);
    if (!status.ok()) return fallimento(messaggio_fallimento(status));
  }

  RisultatoCompilazione risultato;
  const Status status = memorizza_percorso(1, tabelle_, file_system_, nomi, &risultato);
  if (!status.ok()) return fallimento(messaggio_fallimento(status));
  switch (risultato.esito) {
    case EsitoCompilazione::kCompletata:
      return kUscitaRiuscita;
    case EsitoCompilazione::kErrore1250:
      errore(piattaforma_, std::to_string(kErroreSlotTimbri));
    case EsitoCompilazione::kErrore1251:
      errore(piattaforma_, std::to_string(kErroreSlotCodiciGara));
    case EsitoCompilazione::kNessunaGriglia:
      return fallimento(messaggio_senza_percorso(tabelle_.codice_errore));
  }
  return kUscitaRiuscita;
}

int Form1::fallimento(const std::string& messaggio) {
  piattaforma_.mostra_messaggio(messaggio);
  return kUscitaFallimento;
}

}  // namespace scenario
