// Measures the compile step on the largest scenario the formats allow: from
// the two source texts, held in a memory file system, to the three compiled
// files. Prints the time of the fastest and of the median run and the peak
// resident memory after one compile. Targets: 150 ms and 64 MB.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "base/file_names.h"
#include "base/memory_file_system.h"
#include "compiler/compile_step.h"
#include "largest_route.h"

namespace {

using scenario::EsitoCompilazione;

constexpr int kGiri = 7;
constexpr double kObiettivoMs = 150;
constexpr double kObiettivoMb = 64;

double picco_mb() {
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  return static_cast<double>(uso.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

const char* nome_esito(EsitoCompilazione esito) {
  switch (esito) {
    case EsitoCompilazione::kCompletata:
      return "completed";
    case EsitoCompilazione::kErrore1250:
      return "error 1250";
    case EsitoCompilazione::kErrore1251:
      return "error 1251";
    case EsitoCompilazione::kNessunaGriglia:
      return "no grid";
  }
  return "?";
}

struct Giro {
  double ms = 0;
  bool completo = false;
};

// One compile from fresh tables and a folder holding only the two texts.
Giro compila(const scenario::TestiSorgente& testi, const scenario::NomiFile& nomi, bool riferisci) {
  scenario::MemoryFileSystem memoria;
  memoria.files()[nomi.testo_linea()] = testi.linea;
  memoria.files()[nomi.testo_treno()] = testi.treno;
  scenario::Scenario tabelle;
  tabelle.nome_linea = nomi.nome_linea;
  tabelle.numero_treno = nomi.numero_treno;
  scenario::RisultatoCompilazione risultato;

  const auto inizio = std::chrono::steady_clock::now();
  const scenario::Status status =
      scenario::memorizza_percorso(1, tabelle, memoria, nomi, &risultato);
  const auto fine = std::chrono::steady_clock::now();

  Giro giro;
  giro.ms = std::chrono::duration<double, std::milli>(fine - inizio).count();
  giro.completo = status.ok() && risultato.esito == EsitoCompilazione::kCompletata;
  if (riferisci) {
    std::printf("outcome: %s, %s; reader/pass code %d at %d m; %zu cells, %d plan points\n",
                status.ToString().c_str(), nome_esito(risultato.esito), tabelle.codice_errore,
                tabelle.posizione_errore, tabelle.percorso.size(), tabelle.lunghezza_tracciato + 1);
    // Stations fill entries 1 upward; this line has no lettered boards.
    const auto stazioni = std::count_if(
        tabelle.registro.begin() + 1, tabelle.registro.begin() + scenario::kPrimoCartello + 1,
        [](const scenario::VoceRegistro& voce) { return voce.tipo != 0; });
    std::printf("stations stored: %ld of %d\n", static_cast<long>(stazioni),
                scenario::kStazioniMassime);
    for (const std::string& nome : risultato.file_scritti) {
      std::printf("  %-28s %10zu bytes\n", nome.c_str(), memoria.files().at(nome).size());
    }
    const long attesi = 20L * (tabelle.lunghezza_tracciato) - 36;
    if (giro.completo) {
      const size_t linea = memoria.files().at(nomi.linea_compilata()).size();
      std::printf("compiled line %s the full 20 N - 36 = %ld bytes\n",
                  static_cast<long>(linea) == attesi ? "has" : "falls short of", attesi);
    }
  }
  return giro;
}

// The tables as a reader would leave them for the largest route, laid by
// hand: the plan view fully computed, a signal every kilometre and a slow
// slowdown every 50 km. Measures what follows the reader on its own.
scenario::Scenario tabelle_massime(const scenario::NomiFile& nomi) {
  scenario::Scenario tabelle;
  tabelle.scrivi_linea = 1;
  tabelle.dimensiona(scenario::kLunghezzaMassima);
  tabelle.registro[scenario::kVoceLinea].nome = nomi.nome_linea;
  tabelle.registro[scenario::kVoceTreno].nome = nomi.numero_treno;
  scenario::Tracciato& tracciato = tabelle.tracciato;
  tracciato.imposta_origine();
  for (int32_t m = 2; m <= tabelle.lunghezza_tracciato - 2; ++m) {
    tracciato.aggiungi_punto(tracciato.x(m - 1) + 1e-6 * m, tracciato.y(m - 1) + 1.0);
  }
  for (int32_t cella = 11; cella < tabelle.ultima_cella - 140; cella += 20) {
    tabelle.percorso[static_cast<size_t>(cella)].tipo = scenario::TipoCella::kSegnale;
  }
  for (int32_t inizio = 500; inizio < tabelle.ultima_cella - 140; inizio += 1000) {
    tabelle.percorso[static_cast<size_t>(inizio - 24)].tipo =
        scenario::TipoCella::kAvvisoRallentamento;
    tabelle.percorso[static_cast<size_t>(inizio)].tipo = scenario::TipoCella::kInizioRallentamento;
    tabelle.percorso[static_cast<size_t>(inizio)].valore_1 = 30;
    tabelle.percorso[static_cast<size_t>(inizio + 16)].tipo =
        scenario::TipoCella::kFineRallentamento;
  }
  return tabelle;
}

double dopo_la_lettura(const scenario::NomiFile& nomi) {
  scenario::Scenario tabelle = tabelle_massime(nomi);
  scenario::MemoryFileSystem memoria;
  scenario::RisultatoCompilazione risultato;
  const auto inizio = std::chrono::steady_clock::now();
  const scenario::Status status =
      scenario::completa_compilazione(tabelle, memoria, nomi, &risultato);
  const auto fine = std::chrono::steady_clock::now();
  if (!status.ok() || risultato.esito != EsitoCompilazione::kCompletata) {
    std::printf("finishing and writing failed: %s, %s\n", status.ToString().c_str(),
                nome_esito(risultato.esito));
    return -1;
  }
  return std::chrono::duration<double, std::milli>(fine - inizio).count();
}

void riferisci_tempi(const char* cosa, std::vector<double> tempi) {
  std::sort(tempi.begin(), tempi.end());
  std::printf("%s: fastest %.1f ms, median %.1f ms of %zu runs (target <= %.0f ms)\n", cosa,
              tempi.front(), tempi[tempi.size() / 2], tempi.size(), kObiettivoMs);
}

}  // namespace

int main() {
  const scenario::TestiSorgente testi = scenario::testi_percorso_massimo();
  const scenario::NomiFile nomi{"bench", "LINEA MASSIMA", "9999"};
  std::printf("compile step, largest route: line text %zu bytes, train text %zu bytes\n",
              testi.linea.size(), testi.treno.size());

  int risultato = 0;
  const Giro primo = compila(testi, nomi, true);
  if (primo.completo) {
    const double picco = picco_mb();
    std::vector<double> tempi{primo.ms};
    for (int i = 1; i < kGiri; ++i) tempi.push_back(compila(testi, nomi, false).ms);
    riferisci_tempi("from texts to files", tempi);
    std::printf("peak resident memory after one compile: %.1f MB (target <= %.0f MB)\n", picco,
                kObiettivoMb);
  } else {
    std::printf("nothing compiled from the texts: this measurement needs the source reader\n");
    risultato = 1;
  }

  // What follows the reader: finishing pass, stamps, codes and the three files.
  std::vector<double> tempi;
  for (int i = 0; i < kGiri; ++i) {
    const double ms = dopo_la_lettura(nomi);
    if (ms < 0) return 1;
    tempi.push_back(ms);
  }
  riferisci_tempi("after the reader alone (tables laid by hand)", tempi);
  std::printf("peak resident memory so far: %.1f MB\n", picco_mb());
  return risultato;
}
