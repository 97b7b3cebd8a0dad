#include "driver/form1.h"

#include "base/file_names.h"
#include "compiler/compile_step.h"
#include "driver/errore.h"
#include "driver/messaggi.h"
#include "reader/error_codes.h"

namespace scenario {
namespace {

// A run killed while it wrote a file can leave that file's temporary copy
// beside it. A later write of the same name does not meet it (every run names
// its temporary files afresh), and a run that stops early (a numbered error,
// nothing to compile) never writes some of the names: so every run, holding
// the folder, first removes the leftovers of all eight, and no partial file
// outlives the next run.
Status rimuovi_file_parziali(FileSystem& file_system, const NomiFile& nomi) {
  return file_system.RemoveLeftovers({nomi.testo_linea(), nomi.testo_treno(), nomi.note(),
                                      nomi.rallentamenti(), nomi.scheda_treno(),
                                      nomi.linea_compilata(), nomi.scenario_compilato(),
                                      nomi.percorso_compilato()});
}

}  // namespace

int Form1::carica() {
  tabelle_.nome_linea = contenuto_.nome_linea();
  tabelle_.numero_treno = contenuto_.numero_treno();
  piattaforma_.mostra_attesa(tabelle_.nome_linea, kDidascaliaAttesa);

  const std::string cartella = piattaforma_.cartella_applicazione();
  if (cartella.empty()) return fallimento(messaggio_cartella_sconosciuta());
  // One installation at a time in a folder: a second one started meanwhile
  // waits for the first to end, or gives up before touching anything.
  const FolderLockResult blocco = file_system_.LockFolder(cartella, attesa_cartella_);
  if (blocco.outcome == LockOutcome::kBusy) return fallimento(messaggio_cartella_occupata());
  if (blocco.outcome != LockOutcome::kTaken) return fallimento(messaggio_fallimento(blocco.status));

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
