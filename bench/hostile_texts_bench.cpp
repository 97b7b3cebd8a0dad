// Measures the compile step on the most expensive texts of at most 1 MB that
// we know how to write: each repeats, as often as a megabyte holds, a record
// that once cost far more than its size (route lengths that re-size the
// largest grid, mountain stretches over the whole route, slowdown starts
// without an end that each walk to the grid's end, a line of empty fields).
// Prints the median time of each; target: no text above 1 s.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/file_names.h"
#include "base/memory_file_system.h"
#include "compiler/compile_step.h"

namespace {

constexpr size_t kMegabyte = 1'000'000;
constexpr int kGiri = 3;
constexpr double kObiettivoMs = 1000;

struct Testo {
  const char* nome;
  std::string linea;
  std::string treno;
};

const char* const kTrenoMinimo = "[generale]\r\n[fine]\r\n";

// A line text of the largest route with `generale` after its length and
// `percorso` as its route section.
std::string linea(const std::string& generale, const std::string& percorso) {
  return "[generale]\r\nlunghezza percorso,1000000\r\n" + generale + "[curve]\r\n" + percorso +
         "[fine]\r\n";
}

// `record` repeated to fill what a megabyte leaves beside `resto` bytes.
std::string ripeti(const std::string& record, size_t resto = 100) {
  std::string testo;
  while (testo.size() + record.size() + resto <= kMegabyte) testo += record;
  return testo;
}

std::vector<Testo> testi() {
  std::vector<Testo> t;
  t.push_back({"route lengths, 1 000 000 m and 0 m alternately",
               linea(ripeti("lunghezza percorso,1000000\r\nlunghezza percorso,0\r\n"), ""),
               kTrenoMinimo});
  t.push_back({"mountain stretches over the whole route, kinds alternating",
               linea("", ripeti("montagna,,1000000,11\nmontagna,,1000000,2\n")), kTrenoMinimo});
  // Slowdown starts whose end falls on their own cell, half the cells of
  // the grid: every start walks to the grid's end.
  std::string rallentamenti = "[generale]\r\n[rallentamenti]\r\n";
  for (int cella = 30; cella < 20100; ++cella) {
    if (((cella - 1) / 24) % 2 == 0) continue;
    const std::string record =
        "rallentamento," + std::to_string((cella - 1) * 50) + ",30,0,1,0,0\r\n";
    if (rallentamenti.size() + record.size() + 20 > kMegabyte) break;
    rallentamenti += record;
  }
  t.push_back({"slowdown starts without an end on half the cells", linea("", ""),
               rallentamenti + "[fine]\r\n"});
  t.push_back({"one line of a million empty fields", linea("", std::string(kMegabyte - 80, ',')),
               kTrenoMinimo});
  t.push_back({"separator lines of dashes", linea(ripeti("-\r\n", 200), ""), kTrenoMinimo});
  return t;
}

double compila(const Testo& testo, const scenario::NomiFile& nomi) {
  scenario::MemoryFileSystem memoria;
  memoria.files()[nomi.testo_linea()] = testo.linea;
  memoria.files()[nomi.testo_treno()] = testo.treno;
  scenario::Scenario tabelle;
  tabelle.nome_linea = nomi.nome_linea;
  tabelle.numero_treno = nomi.numero_treno;
  scenario::RisultatoCompilazione risultato;
  const auto inizio = std::chrono::steady_clock::now();
  (void)scenario::memorizza_percorso(1, tabelle, memoria, nomi, &risultato);
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inizio)
      .count();
}

}  // namespace

int main() {
  const scenario::NomiFile nomi{"bench", "LINEA OSTILE", "9999"};
  double peggiore = 0;
  for (const Testo& testo : testi()) {
    std::vector<double> tempi;
    for (int i = 0; i < kGiri; ++i) tempi.push_back(compila(testo, nomi));
    std::sort(tempi.begin(), tempi.end());
    const double mediana = tempi[tempi.size() / 2];
    peggiore = std::max(peggiore, mediana);
    std::printf("hostile text, %s (%zu + %zu bytes): median %.0f ms of %d runs\n", testo.nome,
                testo.linea.size(), testo.treno.size(), mediana, kGiri);
  }
  std::printf("slowest hostile text: %.0f ms (target <= %.0f ms)\n", peggiore, kObiettivoMs);
  return peggiore <= kObiettivoMs ? 0 : 1;
}
