#include "plot_command.h"

#include "base/memory_file_system.h"
#include "command_guards.h"
#include "compile_command.h"
#include "exit_codes.h"
#include "plot_svg.h"
#include "scenario_names.h"

namespace scenario {

int comando_plot(FileSystem& file_system, const OpzioniPlot& date, std::ostream& out,
                 std::ostream& err) {
  OpzioniPlot opzioni = date;
  if (const int nomi_errati = nomi_delle_opzioni(file_system, "plot", &opzioni, err)) {
    return nomi_errati;
  }
  if (const int cartella_errata = controlla_cartella(file_system, "plot", opzioni.cartella, err)) {
    return cartella_errata;
  }
  if (const int senza_treno = controlla_testo_treno(
          file_system, "plot", NomiFile{opzioni.cartella, opzioni.nome_linea, opzioni.numero_treno},
          err)) {
    return senza_treno;
  }
  // The compiled files go to memory and are dropped: plotting writes nothing
  // but the picture.
  MemoryFileSystem scartati;
  OpzioniCompila compila;
  compila.cartella = opzioni.cartella;
  compila.nome_linea = opzioni.nome_linea;
  compila.numero_treno = opzioni.numero_treno;
  const CompilazioneAutore c = compila_cartella(file_system, scartati, compila);
  stampa_diagnostiche(c.diagnostiche, err);
  const std::string fatale = messaggio_esito(c.risultato.esito, c.tabelle);
  if (!fatale.empty()) err << "scenario-tool plot: " << riga_stampabile(fatale) << "\n";
  if (!c.tabelle.percorso_dimensionato()) {
    if (fatale.empty()) err << "scenario-tool plot: no route grid to draw\n";
    return kEsitoFallito;
  }

  if (const int cartella_svg =
          prepara_cartella(file_system, "plot", cartella_di(opzioni.svg), err)) {
    return cartella_svg;
  }
  const std::string titolo = opzioni.nome_linea + ", train " + opzioni.numero_treno;
  // What went wrong goes into the picture as well, so that it is not taken
  // for the route the author meant.
  std::vector<std::string> avvisi;
  for (const Diagnostica& d : c.diagnostiche) {
    avvisi.push_back(riga_diagnostica(d));
    if (const std::string rimedio = riga_rimedio(d); !rimedio.empty()) avvisi.push_back(rimedio);
  }
  if (!fatale.empty()) avvisi.push_back(fatale);
  if (const Status scritto =
          file_system.ReplaceFile(opzioni.svg, disegna_scenario(c.tabelle, titolo, avvisi));
      !scritto.ok()) {
    err << "scenario-tool plot: " << riga_stampabile(scritto.message()) << "\n";
    return kEsitoFallito;
  }
  out << "wrote " << riga_stampabile(opzioni.svg) << "\n";
  const bool problema =
      c.tabelle.codice_errore != 0 || c.risultato.esito != EsitoCompilazione::kCompletata;
  return problema ? kEsitoErroreCodice : kEsitoRiuscito;
}

}  // namespace scenario
