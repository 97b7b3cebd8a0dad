#include "compiler/compile_step.h"

#include "compiler/competition_codes.h"
#include "compiler/compiled_files.h"
#include "compiler/finishing_pass.h"
#include "reader/memorizza_dati.h"

namespace scenario {
namespace {

void azzera_registro(Scenario& tabelle) {
  for (VoceRegistro& voce : tabelle.registro) voce = VoceRegistro{};
}

// Only the reader sizes the grid and the plan view: one left from an earlier
// compile must not pass for this one's.
void azzera_griglia(Scenario& tabelle) {
  tabelle.percorso.clear();
  tabelle.percorso.shrink_to_fit();
  tabelle.ultima_cella = 0;
  tabelle.lunghezza_tracciato = 0;
  tabelle.tracciato = Tracciato();
}

// Puts one file in place, replacing any file of the same name: `scrivi_file`
// hands its bytes to the file system in pieces as it makes them, so that no
// file is ever held whole in memory; the file system still puts it in place
// only once it is complete.
template <typename ScriviFile>
Status scrivi(FileSystem& file_system, const std::string& nome, ScriviFile scrivi_file,
              RisultatoCompilazione* risultato) {
  Status status = file_system.ReplaceFileWith(nome, scrivi_file);
  if (status.ok()) risultato->file_scritti.push_back(nome);
  return status;
}

}  // namespace

Status memorizza_percorso(int32_t j, Scenario& tabelle, FileSystem& file_system,
                          const NomiFile& nomi, RisultatoCompilazione* risultato,
                          OsservatoreCompilazione* osservatore) {
  tabelle.scrivi_linea = j;
  tabelle.codice_errore = 0;
  azzera_registro(tabelle);
  azzera_griglia(tabelle);
  memorizza_dati(tabelle, file_system, nomi, osservatore);
  return completa_compilazione(tabelle, file_system, nomi, risultato, osservatore);
}

Status completa_compilazione(Scenario& tabelle, FileSystem& file_system, const NomiFile& nomi,
                             RisultatoCompilazione* risultato,
                             OsservatoreCompilazione* osservatore) {
  *risultato = RisultatoCompilazione{};
  // The reader stopped before the route length: there is no grid to finish,
  // and no cell 1 to stamp.
  if (tabelle.percorso.size() <= static_cast<size_t>(kCellaTimbro)) {
    risultato->esito = EsitoCompilazione::kNessunaGriglia;
    return Status::OK();
  }

  rifinisci_percorso(tabelle, osservatore);

  VoceRegistro& linea = tabelle.registro[kVoceLinea];
  CellaPercorso& cella = tabelle.percorso[kCellaTimbro];
  if (linea.campo_7 != 0 || cella.valore_1 != 0) {
    risultato->esito = EsitoCompilazione::kErrore1250;
    return Status::OK();
  }
  linea.campo_7 = kTimbroRegistro;
  cella.valore_1 = kTimbroPercorso;
  if (linea.orario != 0 || cella.valore_2 != 0) {
    risultato->esito = EsitoCompilazione::kErrore1251;
    return Status::OK();
  }
  linea.orario = codice_gara_st(tabelle);
  cella.valore_2 = codice_gara_og(tabelle);

  if (tabelle.scrivi_linea != 0) {
    const Status status = scrivi(
        file_system, nomi.linea_compilata(),
        [&](ByteSink& sink) { return scrivi_linea(tabelle.tracciato, sink); }, risultato);
    if (!status.ok()) return status;
  }
  Status status = scrivi(
      file_system, nomi.scenario_compilato(),
      [&](ByteSink& sink) { return scrivi_registro(tabelle.registro, sink); }, risultato);
  if (!status.ok()) return status;
  return scrivi(
      file_system, nomi.percorso_compilato(),
      [&](ByteSink& sink) { return scrivi_percorso(tabelle.percorso, sink); }, risultato);
}

}  // namespace scenario
