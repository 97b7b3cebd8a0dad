#include "compiler/finishing_pass.h"

#include <algorithm>
#include <array>
#include <vector>

namespace scenario {
namespace {

constexpr int32_t kMetriCella = 50;

// A signal up to 20 cells (1 km) before a warning board gets a code-cut point
// just before it; the look-back never examines a signal below cell 3, so the
// two cells before it always exist.
constexpr int32_t kCelleIndietroDaAvviso = 20;
constexpr int32_t kPrimoSegnaleEsaminato = 3;

// Inside a slow slowdown a code-cut point every 8 cells (400 m).
constexpr int32_t kIntervallo = 8;

// After a slowdown's end the first signal is searched in the end cell and the
// 12 cells after it (600 m).
constexpr int32_t kCelleCercateDopoFine = 12;

// Three places before every slowdown start, each a trio of cells examined
// nearest first: 5 to 7, 11 to 13 and 18 to 20 cells before the start.
struct Terna {
  int32_t vicina;
  int32_t lontana;
};
constexpr std::array<Terna, 3> kTerne{{{5, 7}, {11, 13}, {18, 20}}};

class Griglia {
 public:
  explicit Griglia(std::vector<CellaPercorso>& celle)
      : celle_(celle), ultima_(static_cast<int32_t>(celle.size()) - 1), fine_da_(celle.size() + 1) {
    // The pass places code-cut points only on free cells: the slowdown ends
    // (kind 2) stay where the reader put them for the whole pass.
    int32_t prossima = ultima_ + 1;
    fine_da_[celle.size()] = prossima;
    for (int32_t i = ultima_; i >= 0; --i) {
      if (celle_[static_cast<size_t>(i)].tipo == TipoCella::kFineRallentamento) prossima = i;
      fine_da_[static_cast<size_t>(i)] = prossima;
    }
  }

  int32_t ultima() const { return ultima_; }
  // The first slowdown end at cell `i` or after it; ultima() + 1 when none.
  int32_t fine_da(int32_t i) const { return fine_da_[static_cast<size_t>(i)]; }
  CellaPercorso& operator[](int32_t i) { return celle_[static_cast<size_t>(i)]; }

  // A cell beyond either end of the grid is never free.
  bool libera(int32_t i) const {
    return i >= 0 && i <= ultima_ && cella_libera(celle_[static_cast<size_t>(i)]);
  }

  // A code-cut point keeps the cell's other fields (a mountain marker keeps
  // its mountain byte).
  void metti_abbattimento(int32_t i) {
    CellaPercorso& cella = (*this)[i];
    cella.tipo = TipoCella::kAbbattimentoConValore;
    cella.valore_1 = kValoreAbbattimento;
  }

 private:
  std::vector<CellaPercorso>& celle_;
  int32_t ultima_;
  std::vector<int32_t> fine_da_;
};

// Where the pass records a failure: the tables keep the last one, the
// observer (if any) hears of each.
struct Fallimenti {
  Scenario& tabelle;
  OsservatoreCompilazione* osservatore;

  void registra(int32_t codice, int32_t cella) {
    tabelle.codice_errore = codice;
    tabelle.posizione_errore = cella * kMetriCella;
    if (osservatore != nullptr) {
      osservatore->errore_registrato(ErroreRegistrato{codice, tabelle.posizione_errore, {}});
    }
  }
};

// Signals up to 1 km before the warning board at cell i, nearest first: a
// code-cut point on one of the two cells just before each, or, when those are
// already code-cut points, the nearer one capped at 180.
void segnali_prima_dell_avviso(Fallimenti& fallimenti, Griglia& griglia, int32_t i) {
  for (int32_t k = 1; k <= kCelleIndietroDaAvviso; ++k) {
    const int32_t d = i - k;
    if (d < kPrimoSegnaleEsaminato) return;
    if (griglia[d].tipo != TipoCella::kSegnale) continue;
    const int32_t p = d - 1;
    const int32_t q = d - 2;
    if (griglia.libera(p)) {
      griglia.metti_abbattimento(p);
    } else if (griglia.libera(q)) {
      griglia.metti_abbattimento(q);
    } else if (griglia[p].tipo == TipoCella::kAbbattimentoConValore) {
      griglia[p].valore_1 = static_cast<int16_t>(minimo(kValoreAbbattimento, griglia[p].valore_1));
    } else if (griglia[q].tipo == TipoCella::kAbbattimentoConValore) {
      griglia[q].valore_1 = static_cast<int16_t>(minimo(kValoreAbbattimento, griglia[q].valore_1));
    } else {
      fallimenti.registra(kErroreSegnalePrimaAvviso, d);
    }
  }
}

// The three trios before the slowdown start at cell i. A trio is tried only
// when all its cells lie at index 1 or more, so cell 0 is never touched.
void terne_prima_dell_inizio(Fallimenti& fallimenti, Griglia& griglia, int32_t i) {
  for (const Terna& terna : kTerne) {
    if (i <= terna.lontana) continue;
    bool messo = false;
    for (int32_t distanza = terna.vicina; distanza <= terna.lontana && !messo; ++distanza) {
      if (griglia.libera(i - distanza)) {
        griglia.metti_abbattimento(i - distanza);
        messo = true;
      }
    }
    if (!messo) fallimenti.registra(kErroreTerna, i);
  }
}

// Walks from the slow slowdown's start at cell i to its end cell (kind 2),
// placing a code-cut point every 8 cells on the way, and returns the end
// cell's index. A point shifted by one cell (to w - 1 or w + 1) shifts the
// count with it, so the points stay 8 cells apart. After an error 13 the
// count only grows past 8, so no further point goes into that slowdown.
//
// The walk stops at the grid's last cell. Reaching it without meeting an end
// cell means the slowdown has no end ahead on the grid (a slowdown so short
// that its start covered its end, one of negative length, or an end cell a
// later stop point took over): the walk records error 13 at the last cell's
// position and returns -1, and no signal is searched after it. An interval
// point due on the last cell may still go one cell back, never one beyond.
//
// The walk goes straight to the end cell and visits only the cells where an
// interval point is due: every slowdown start walks at most to the grid's
// end, and a grid full of starts without ends would otherwise cost the square
// of its length.
int32_t percorri_rallentamento(Fallimenti& fallimenti, Griglia& griglia, int32_t i) {
  const int32_t fine = i < griglia.ultima() ? griglia.fine_da(i + 1) : griglia.ultima() + 1;
  const int32_t ultima_visitata = std::min(fine, griglia.ultima());
  // The next cell where the count since the last point reaches 8.
  int32_t dovuta = i + kIntervallo;
  while (dovuta <= ultima_visitata) {
    const int32_t w = dovuta;
    if (griglia.libera(w)) {
      griglia.metti_abbattimento(w);
      dovuta = w + kIntervallo;
    } else if (griglia.libera(w - 1)) {
      griglia.metti_abbattimento(w - 1);
      dovuta = w - 1 + kIntervallo;
    } else if (griglia.libera(w + 1)) {
      griglia.metti_abbattimento(w + 1);
      dovuta = w + 1 + kIntervallo;
    } else {
      fallimenti.registra(kErroreRallentamento, w);
      break;
    }
  }
  if (fine <= griglia.ultima()) return fine;
  fallimenti.registra(kErroreRallentamento, griglia.ultima());
  return -1;
}

// The first signal in the end cell w and the 12 cells after it gets a code-cut
// point on one of the two cells just before it. An existing code-cut point
// there counts as occupied and is not capped. The search stops at the grid's
// last cell; finding no signal up to there is the ordinary "no signal after
// the end" and records nothing.
void segnale_dopo_la_fine(Fallimenti& fallimenti, Griglia& griglia, int32_t w) {
  const int32_t ultima_cercata = std::min(w + kCelleCercateDopoFine, griglia.ultima());
  int32_t s = 0;
  for (int32_t g = w; g <= ultima_cercata; ++g) {
    if (griglia[g].tipo == TipoCella::kSegnale) {
      s = g - 1;
      break;
    }
  }
  if (s <= 0) return;
  if (griglia.libera(s)) {
    griglia.metti_abbattimento(s);
  } else if (griglia.libera(s - 1)) {
    griglia.metti_abbattimento(s - 1);
  } else {
    fallimenti.registra(kErroreRallentamento, w);
  }
}

// A slowdown start at cell i: the trios for every slowdown; then, only for a
// slow one (below 110 km/h), the interval points up to its end and the point
// before the first signal after the end.
//
// A fast slowdown (110 km/h or more) gets the trios alone: its end cell is
// not even looked for, and the signal after it gets no code-cut point. The
// compiled route grids of existing scenarios follow this rule, so a fast
// slowdown followed by a signal must keep compiling to the same cells.
void rallentamento(Fallimenti& fallimenti, Griglia& griglia, int32_t i) {
  terne_prima_dell_inizio(fallimenti, griglia, i);
  if (griglia[i].valore_1 >= kVelocitaRallentamentoLento) return;
  const int32_t fine = percorri_rallentamento(fallimenti, griglia, i);
  if (fine >= 0) segnale_dopo_la_fine(fallimenti, griglia, fine);
}

}  // namespace

void rifinisci_percorso(Scenario& tabelle, OsservatoreCompilazione* osservatore) {
  Fallimenti fallimenti{tabelle, osservatore};
  Griglia griglia(tabelle.percorso);
  for (int32_t i = 1; i <= griglia.ultima() - 2; ++i) {
    switch (griglia[i].tipo) {
      case TipoCella::kAvvisoRallentamento:
        segnali_prima_dell_avviso(fallimenti, griglia, i);
        break;
      case TipoCella::kInizioRallentamento:
        rallentamento(fallimenti, griglia, i);
        break;
      default:
        break;
    }
  }
}

}  // namespace scenario
