#include "plot_command.h"

#include "base/memory_file_system.h"
#include "command_guards.h"
#include "compile_command.h"
#include "exit_codes.h"
#include "plot_svg.h"

namespace scenario {

int comando_plot(FileSystem& file_system, const OpzioniPlot& opzioni, std::ostream& out,
                 std::ostream& err) {
  if (const int nomi_errati =
          controlla_nomi("plot", opzioni.nome_linea, opzioni.numero_treno, err)) {
    return nomi_errati;
  }
  if (const int cartella_errata = controlla_cartella(file_system, "plot", opzioni.cartella, err)) {
    return cartella_errata;
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

  const std::string titolo = opzioni.nome_linea + ", train " + opzioni.numero_treno;
  if (const Status scritto =
          file_system.ReplaceFile(opzioni.svg, disegna_scenario(c.tabelle, titolo));
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
