// Writes the fuzzers' richest seeds, made from the package's own scenario so
// that they always match what the installer carries:
//
//   write_seeds COMPILE_FOLDER DUMP_FOLDER
//
// into COMPILE_FOLDER the two source texts, joined by a NUL byte as the
// compile fuzzer splits its input; into DUMP_FOLDER the compiled train
// scenario, the first 141 cells of the compiled route grid (the smallest
// grid a file can hold) and two short compiled lines, one with a few hundred
// computed points and one never computed.
#include <algorithm>
#include <cstdio>
#include <string>

#include "base/memory_file_system.h"
#include "compiler/compile_step.h"
#include "compiler/compiled_files.h"
#include "content/builtin_content.h"
#include "reader/plan_view.h"

namespace {

using scenario::Status;

Status scrivi(const std::string& cartella, const std::string& nome, const std::string& byte) {
  return scenario::disk_file_system().ReplaceFile(cartella + "/" + nome, byte);
}

// Points 0 to 7000, the first `calcolati` of them computed on a curve.
std::string linea_corta(int32_t calcolati) {
  scenario::Tracciato tracciato;
  tracciato.crea(scenario::kMargineTracciato);
  if (calcolati >= 2) tracciato.imposta_origine();
  while (tracciato.prossimo_punto() < calcolati) scenario::passo_curvo(tracciato, 0.003);
  return scenario::codifica_linea(tracciato);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s COMPILE_FOLDER DUMP_FOLDER\n", argv[0]);
    return 2;
  }
  const std::string testi = argv[1];
  const std::string compilati = argv[2];
  scenario::MemoryFileSystem disco;
  const scenario::ContenutoPacchetto& contenuto = scenario::contenuto_incorporato();
  const scenario::NomiFile nomi = contenuto.nomi_in("cartella");
  Status status = contenuto.scrivi(scenario::Documento::kTestoLinea, disco, nomi);
  if (status.ok()) status = contenuto.scrivi(scenario::Documento::kTestoTreno, disco, nomi);
  if (status.ok()) {
    status =
        scrivi(testi, "belforte-melar-8312",
               disco.files().at(nomi.testo_linea()) + '\0' + disco.files().at(nomi.testo_treno()));
  }

  scenario::Scenario tabelle;
  tabelle.nome_linea = nomi.nome_linea;
  tabelle.numero_treno = nomi.numero_treno;
  scenario::RisultatoCompilazione risultato;
  if (status.ok()) status = scenario::memorizza_percorso(1, tabelle, disco, nomi, &risultato);
  if (status.ok() && risultato.esito != scenario::EsitoCompilazione::kCompletata) {
    status = Status::Error("the package's scenario did not compile");
  }
  if (status.ok()) {
    status = scrivi(compilati, "registro-belforte-melar-8312",
                    disco.files().at(nomi.scenario_compilato()));
  }
  if (status.ok()) {
    const std::string& griglia = disco.files().at(nomi.percorso_compilato());
    status = scrivi(compilati, "griglia-belforte-melar-8312",
                    griglia.substr(0, scenario::kCelleMinime * scenario::kByteCella));
  }
  if (status.ok()) status = scrivi(compilati, "linea-corta", linea_corta(400));
  if (status.ok()) status = scrivi(compilati, "linea-mai-calcolata", linea_corta(0));
  if (!status.ok()) {
    std::fprintf(stderr, "%s\n", status.message().c_str());
    return 1;
  }
  return 0;
}
