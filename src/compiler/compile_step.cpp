#include "compiler/compile_step.h"

#include "reader/memorizza_dati.h"

namespace scenario {
namespace {

void azzera_registro(Scenario& tabelle) {
  for (voce_registro& voce : tabelle.registro) voce = voce_registro{};
}

}  // namespace

Status memorizza_percorso(int32_t j, Scenario& tabelle, FileSystem& file_system,
                          const NomiFile& nomi, RisultatoCompilazione* risultato) {
  *risultato = RisultatoCompilazione{};
  tabelle.scrivi_linea = j;
  tabelle.codice_errore = 0;
  azzera_registro(tabelle);
  memorizza_dati(tabelle, file_system, nomi);
  // The finishing pass, the reserved slots, the competition codes and the
  // compiled files arrive with their own change.
  return Status::OK();
}

}  // namespace scenario
