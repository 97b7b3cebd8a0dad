#include "reader/memorizza_dati.h"

#include <string>

#include "base/windows_1252.h"
#include "reader/line_reader.h"
#include "reader/source_reading.h"
#include "reader/train_reader.h"

namespace scenario {
namespace {

// The error handler: a field that cannot be read as its number, reading past
// the end of a text, a text that cannot be opened or deleted, a record that
// needs the grid before the route length. Every source text still present is
// deleted and code 25 recorded.
void gestisci_guasto(LetturaSorgente& lettura, const NomiFile& nomi) {
  std::string non_cancellati;
  for (const std::string& nome : {nomi.testo_linea(), nomi.testo_treno()}) {
    if (!lettura.file_system().Exists(nome)) continue;
    Status esito = lettura.file_system().RemoveFile(nome);
    if (!esito.ok()) non_cancellati += "; " + esito.message();
  }
  lettura.registra_guasto(non_cancellati);
}

}  // namespace

void memorizza_dati(Scenario& tabelle, FileSystem& file_system, const NomiFile& nomi,
                    OsservatoreCompilazione* osservatore) {
  tabelle.ultima_diagnostica = DiagnosticaLettura{};
  tabelle.campi_fuori_riga.clear();
  tabelle.percorso.clear();
  tabelle.tracciato = Tracciato();
  tabelle.ultima_cella = 0;
  tabelle.lunghezza_tracciato = 0;

  // The names go into the record table as the code page's bytes, like every
  // text read from a source.
  tabelle.registro[kVoceLinea].nome = utf8_a_windows_1252(tabelle.nome_linea);
  tabelle.registro[kVoceTreno].nome = utf8_a_windows_1252(tabelle.numero_treno);

  LetturaSorgente lettura(tabelle, file_system, osservatore);
  int32_t cartello_libero = kPrimoCartello;
  Esito esito = leggi_testo_linea(lettura, nomi.testo_linea(), &cartello_libero);
  if (esito == Esito::kProsegui) {
    esito = leggi_testo_treno(lettura, nomi.testo_treno(), cartello_libero, nomi.testo_linea());
  }
  if (esito == Esito::kGuasto) gestisci_guasto(lettura, nomi);
  lettura.chiudi_osservazione();
}

}  // namespace scenario
