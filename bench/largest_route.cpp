#include "largest_route.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <set>
#include <utility>
#include <vector>

namespace scenario {
namespace {

constexpr int32_t kLunghezza = 1000000;
constexpr int32_t kLunghezzaStazione = 400;
constexpr int32_t kRallentamenti = 20;
constexpr int32_t kLunghezzaRallentamento = 800;

class Testo {
 public:
  [[gnu::format(printf, 2, 3)]] void riga(const char* formato, ...) {
    char buffer[256];
    va_list argomenti;
    va_start(argomenti, formato);
    const int n = std::vsnprintf(buffer, sizeof buffer, formato, argomenti);
    va_end(argomenti);
    testo_.append(buffer, static_cast<size_t>(n));
    testo_.append("\r\n");
  }
  std::string prendi() { return std::move(testo_); }

 private:
  std::string testo_;
};

// The cell a point object at `posizione` (a multiple of 50) lands in.
int32_t cella_di(int32_t posizione) { return posizione / 50 + 1; }

int32_t a_multiplo_di_50(double metri) { return static_cast<int32_t>(metri / 50 + 0.5) * 50; }

std::string testo_linea() {
  Testo t;
  t.riga("[generale]");
  t.riga("lunghezza percorso,    %d", kLunghezza);
  t.riga("progressiva chilometrica uno,    0,    %d,    1", kLunghezza);
  t.riga("progressiva chilometrica due,    0,    0,    0");
  t.riga("progressiva chilometrica tre,    0,    0,    0");
  t.riga("sfondo uno,    80000");
  t.riga("sfondo due,    65000");
  t.riga("sfondo tre,    1");
  t.riga("ripetizione segnali 4 codici,    0    ,0");
  t.riga("[curve]");
  // Curves 300 m long from 200 m into every kilometre, bending right and left
  // in turn through classes 3 to 6; the last one ends well before the plan
  // view's millionth point.
  for (int32_t k = 0; k < kLunghezza / 1000 - 1; ++k) {
    t.riga("curva%c%d,  %d,  300", k % 2 == 0 ? 'd' : 's', 3 + k % 4, k * 1000 + 200);
  }
  t.riga("[pendenze]");
  for (int32_t k = 0; k < kLunghezza / 1000; ++k) {
    t.riga("pendenza,  %d,   %d", k * 1000, (k % 9 - 4) * 5);
  }
  t.riga("[montagne]");
  t.riga("[cartelli]");
  t.riga("[indicazioni]");
  t.riga("[fine]");
  return t.prendi();
}

std::string testo_treno() {
  std::set<int32_t> occupate;  // cells taken by stop points and slowdowns
  Testo t;
  t.riga("[generale]");
  t.riga("numero vetture,    5");
  t.riga("percentuale massa frenata,    110");
  t.riga("sabbia,    100");
  t.riga("orologio,    6              0            0 ");
  t.riga("[aderenze]");
  t.riga("aderenza,%8d,%6d", 0, 80);
  t.riga("[vel_limite]");
  t.riga("velocita,%8d,%6d", 0, 140);
  t.riga("velocita,%8d,%6d", 500000, 120);

  // Stations evenly spread from the origin to the terminal, five minutes apart.
  t.riga("[stazioni]");
  for (int32_t k = 0; k < kStazioniMassime; ++k) {
    const int32_t posizione =
        a_multiplo_di_50(static_cast<double>(k) * kLunghezza / (kStazioniMassime - 1));
    const bool origine = k == 0;
    const int32_t fine = origine ? posizione + 300 : posizione + kLunghezzaStazione / 2;
    occupate.insert(fine / 50 - 1);
    const int32_t minuti = 6 * 60 + 5 * k;
    t.riga("stazione,%8d,%3d,%5d,%3d,%2d,%2d,%3d,%1d,%1d,%3d,%1d,%1d,%5d,%4d,%2d,%2d, VALLE %02d",
           posizione, origine ? 8 : 12, origine ? 300 : kLunghezzaStazione, 1, 0, 0, 1, 1, 0, 2, 1,
           1, origine ? 1 : 30, minuti / 60, minuti % 60, 0, k + 1);
  }

  // Slow slowdowns, one every 50 km, moved on by 100 m while one of their
  // cells would fall on a stop point.
  t.riga("[rallentamenti]");
  for (int32_t k = 0; k < kRallentamenti; ++k) {
    int32_t x = k * 50000 + 25000;
    auto celle = [&](int32_t inizio) {
      return std::vector<int32_t>{cella_di(inizio - 1200), cella_di(inizio),
                                  cella_di(inizio + kLunghezzaRallentamento)};
    };
    auto libere = [&](int32_t inizio) {
      for (int32_t c : celle(inizio)) {
        if (occupate.count(c) != 0) return false;
      }
      return true;
    };
    while (!libere(x)) x += 100;
    for (int32_t c : celle(x)) occupate.insert(c);
    t.riga("rallentamento,%8d,%6d,%5d,%2d,%3d,%3d", x, 30, kLunghezzaRallentamento, 1, 0, 0);
  }

  // A signal in the middle of every kilometre, moved on by 100 m while its
  // cell is taken; a main signal and its distant signal in turn.
  t.riga("[segnali]");
  for (int32_t k = 0; k < kLunghezza / 1000; ++k) {
    int32_t posizione = k * 1000 + 500;
    while (occupate.count(cella_di(posizione)) != 0) posizione += 100;
    occupate.insert(cella_di(posizione));
    const int32_t sx = 1 + k % 2;
    t.riga("segnale,%8d,%4d,%2d,%2d,%3d,%2d,%5d,%3d,%1d,%1d, %d", posizione, sx, 3, 4, 0, 0, 0, 0,
           0, 0, 0);
  }
  t.riga("[codici]");
  t.riga("[fine]");
  return t.prendi();
}

}  // namespace

TestiSorgente testi_percorso_massimo() { return {testo_linea(), testo_treno()}; }

}  // namespace scenario
