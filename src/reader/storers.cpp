#include "reader/storers.h"

#include <algorithm>
#include <cstddef>

#include "base/rounding.h"
#include "reader/error_codes.h"

// Limits of the route grid and of the mountain table. The readers check only
// that a record's position plus 100 m lies within the grid; a record's other
// cells may still fall before cell 0 or after the last cell. No cell outside
// the grid is ever written:
// - A record whose own cell lies outside the grid is refused exactly as if
//   that cell were taken, with the same code and the same cells left
//   written: a signal's cell (16), a slowdown's warning-board cell (17),
//   start cell (18), end cell (19) and the four cells before its warning
//   board (20), a speed board's cell (21).
// - A signal's approach marks (100 to 400 m before it) that fall before
//   cell 0 are left out; the signal itself is stored.
// - A mountain stretch is never refused: the cells it covers within the grid
//   are laid, those outside are left out. Its markers stay on every fourth
//   cell counted from the stretch's own first cell, even when that cell lies
//   before the grid.
// - The mountain table has room for 80 stretches (1 to 80). A further stretch
//   is still laid on the grid; `numero_montagne` stays at 80 and the newest
//   stretch takes entry 80, so that the next stretch is still compared with
//   the end of the one just before it.
// - Before the grid is sized (no route length read) the storers do nothing.

namespace scenario {
namespace {

constexpr int32_t kMontagneMassime = 80;

// The cell of a point object at `posizione`: the one after the cell that
// starts there.
int64_t cella_di(int64_t posizione) { return arrotonda(static_cast<double>(posizione) / 50 + 1); }

bool nella_griglia(const Scenario& tabelle, int64_t indice) {
  return indice >= 0 && indice < static_cast<int64_t>(tabelle.percorso.size());
}

// An object may be placed only on a free cell of the grid.
bool disponibile(const Scenario& tabelle, int64_t indice) {
  return nella_griglia(tabelle, indice) &&
         cella_libera(tabelle.percorso[static_cast<size_t>(indice)]);
}

// The caller has checked the index with `nella_griglia`.
CellaPercorso& cella(Scenario& tabelle, int64_t indice) {
  return tabelle.percorso[static_cast<size_t>(indice)];
}

}  // namespace

void memo_montagna(Scenario& tabelle, const DatiMontagna& dati) {
  MontagneDelTesto montagne(tabelle);
  montagne.memorizza(dati);
  montagne.stendi();
}

MontagneDelTesto::MontagneDelTesto(Scenario& tabelle) : tabelle_(tabelle) {
  // One entry per cell and four beyond the last, so that a step of four
  // from any cell lands on an entry.
  marche_.resize(tabelle.percorso.size() + 4);
  for (size_t i = 0; i < marche_.size(); ++i) marche_[i] = static_cast<int32_t>(i);
}

int64_t MontagneDelTesto::prossima(std::vector<int32_t>& salti, int64_t indice, int64_t passo) {
  const auto fine = static_cast<int64_t>(salti.size()) - passo;
  int64_t i = indice;
  while (i < fine && salti[static_cast<size_t>(i)] != i) {
    // Halve the path on the way: every visited cell then points further on.
    const int64_t dopo = salti[static_cast<size_t>(i)];
    if (dopo < fine) salti[static_cast<size_t>(i)] = salti[static_cast<size_t>(dopo)];
    i = dopo;
  }
  return i;
}

void MontagneDelTesto::memorizza(const DatiMontagna& dati) {
  Scenario& tabelle = tabelle_;
  if (!tabelle.percorso_dimensionato()) return;

  // Types above 10 ask for a marker on every fourth cell of the stretch.
  int64_t tipo = dati.tipo;
  bool con_marca = false;
  if (tipo > 10) {
    tipo -= 10;
    con_marca = true;
  }

  const int32_t precedente = std::clamp(tabelle.numero_montagne, 0, kMontagneMassime);
  const int32_t n = std::min(precedente + 1, kMontagneMassime);
  const int64_t fine_precedente = tabelle.montagna_fine[static_cast<size_t>(precedente)];
  tabelle.numero_montagne = n;
  tabelle.montagna_inizio[static_cast<size_t>(n)] = dati.inizio;
  tabelle.montagna_fine[static_cast<size_t>(n)] = dati.fine;

  // A stretch that begins at most 150 m after the previous one ends.
  if (precedente >= 1 && dati.inizio - fine_precedente <= 150) tipo = 3;

  const int64_t prima = arrotonda(static_cast<double>(dati.inizio) / 50);
  const int64_t ultima = arrotonda(static_cast<double>(dati.fine) / 50 - 1);
  if (prima > ultima) return;

  const int64_t da = std::max<int64_t>(prima, 0);
  const int64_t a = std::min<int64_t>(ultima, static_cast<int64_t>(tabelle.percorso.size()) - 1);
  if (da > a) return;
  tratti_.push_back({da, a, low8(tipo)});
  if (!con_marca) return;

  // Markers on the cells 4, 8, 12... of the stretch counted from its first
  // cell (1), that are still plain track. A cell found taken is passed over
  // for good, and so is a cell marked.
  const int64_t prima_marca = prima + 3 + ((da - (prima + 3)) + 3) / 4 * 4;
  for (int64_t i = prossima(marche_, std::max(prima_marca, prima + 3), 4); i <= a;
       i = prossima(marche_, i + 4, 4)) {
    CellaPercorso& c = cella(tabelle, i);
    if (c.tipo == TipoCella::kBinario) c.tipo = TipoCella::kMarcaMontagna;
    marche_[static_cast<size_t>(i)] = static_cast<int32_t>(i + 4);
  }
}

void MontagneDelTesto::stendi() {
  if (tratti_.empty()) return;
  // The last stretch over a cell decides its kind: lay them newest first,
  // each cell only once.
  std::vector<int32_t> stesi(tabelle_.percorso.size() + 1);
  for (size_t i = 0; i < stesi.size(); ++i) stesi[i] = static_cast<int32_t>(i);
  for (auto t = tratti_.rbegin(); t != tratti_.rend(); ++t) {
    for (int64_t i = prossima(stesi, t->da, 1); i <= t->a; i = prossima(stesi, i + 1, 1)) {
      cella(tabelle_, i).montagna = t->tipo;
      stesi[static_cast<size_t>(i)] = static_cast<int32_t>(i + 1);
    }
  }
  tratti_.clear();
}

Rifiuto memo_segnale(Scenario& tabelle, const DatiSegnale& dati) {
  if (!tabelle.percorso_dimensionato()) return std::nullopt;

  const int64_t i = cella_di(dati.posizione);
  if (!disponibile(tabelle, i)) return kErroreSegnaleOccupato;

  CellaPercorso& segnale = cella(tabelle, i);
  segnale.tipo = TipoCella::kSegnale;
  segnale.valore_4 = low16(int64_t{dati.rapp} * 10 + int64_t{dati.sx} * 3 + dati.dx);
  segnale.valore_1 = low16(int64_t{dati.s1} * 10 + dati.d1);
  segnale.valore_2 = low16(int64_t{dati.s2} * 10 + dati.d2);
  segnale.valore_3 = low16(int64_t{dati.s3} * 10 + dati.d3);

  // A signal time is at least 101; only a signal with sx 2 keeps one.
  int32_t tempo = dati.tempo;
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  segnale.tempo_segnale = dati.sx == 2 ? low8(tempo) : 0;

  // Approach marks 100, 200, 300 and 400 m before the signal, over whatever
  // those cells hold.
  const int64_t aspetto = (int64_t{dati.sx} * 3 + dati.dx) * 10;
  for (int k = 1; k <= 4; ++k) {
    const int64_t j = i - 2 * k;
    if (nella_griglia(tabelle, j)) cella(tabelle, j).avviso = low8(aspetto + k);
  }
  return std::nullopt;
}

Rifiuto memo_rallentamento(Scenario& tabelle, const DatiRallentamento& dati) {
  if (!tabelle.percorso_dimensionato()) return std::nullopt;

  // Every placement is checked before anything is written. A slowdown in
  // the first 1500 m has no warning board and no cells before one.
  const int64_t x = dati.x;
  const bool con_avviso = x > 1500;
  const int64_t w = cella_di(x - 1200);
  if (con_avviso && !disponibile(tabelle, w)) return kErroreAvvisoOccupato;
  const int64_t s = cella_di(x);
  if (!disponibile(tabelle, s)) return kErroreInizioRallentamentoOccupato;
  const int64_t e = cella_di(x + dati.l);
  if (!disponibile(tabelle, e)) return kErroreFineRallentamentoOccupato;

  const int16_t velocita = low16(dati.v);
  const int16_t delta = low16(dati.d_v);
  const bool con_delta = dati.d_v != 0;

  cella(tabelle, e).tipo = TipoCella::kFineRallentamento;
  if (con_delta) cella(tabelle, e).valore_2 = delta;
  cella(tabelle, s).tipo = TipoCella::kInizioRallentamento;
  if (con_delta) cella(tabelle, s).valore_2 = delta;
  if (con_avviso) {
    CellaPercorso& avviso = cella(tabelle, w);
    avviso.tipo = TipoCella::kAvvisoRallentamento;
    if (con_delta) avviso.valore_2 = delta;
    avviso.valore_1 = velocita;
  }
  for (const int64_t estremo : {s, e}) {
    cella(tabelle, estremo).valore_1 = velocita;
    cella(tabelle, estremo).valore_3 = low16(dati.f_tt);
  }

  // The four cells just before the warning board, nearest first.
  const int32_t f_ta = con_avviso ? dati.f_ta : 0;
  if (f_ta == 0) return std::nullopt;
  const int64_t k = arrotonda(static_cast<double>(x - 1200) / 50);
  for (int j = 0; j <= 3; ++j) {
    if (!disponibile(tabelle, k - j)) return kErrorePreavvisoOccupato;
  }
  for (int j = 0; j <= 3; ++j) {
    CellaPercorso& preavviso = cella(tabelle, k - j);
    preavviso.tipo = TipoCella::kPreavvisoRallentamento;
    preavviso.valore_1 = static_cast<int16_t>(j + 1);
    if (con_delta) preavviso.valore_2 = static_cast<int16_t>(j + 1);
  }
  return std::nullopt;
}

Rifiuto memo_indicatori_v_max(Scenario& tabelle, const DatiIndicatoreVMax& dati) {
  if (!tabelle.percorso_dimensionato()) return std::nullopt;

  const int64_t i = cella_di(dati.posizione);
  if (!disponibile(tabelle, i)) return kErroreIndicatoreOccupato;

  // Each of the three speeds packs the "d" figure, divided by 5, with twenty
  // times the "s" figure.
  const auto velocita = [](int32_t d, int32_t s) {
    return low16(arrotonda(static_cast<double>(d) / 5 + static_cast<double>(s) * 20));
  };
  CellaPercorso& indicatore = cella(tabelle, i);
  indicatore.tipo = TipoCella::kIndicatoreVMax;
  indicatore.valore_1 = velocita(dati.vad, dati.vas);
  indicatore.valore_2 = velocita(dati.vbd, dati.vbs);
  indicatore.valore_3 = velocita(dati.vcd, dati.vcs);
  indicatore.valore_4 = low16(int64_t{dati.strisces} * 10 + dati.strisced);
  return std::nullopt;
}

namespace {

// The three numbers of one chainage entry, moved as a whole.
struct Progressiva {
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t progressiva = 0;
};

Progressiva leggi(const VoceRegistro& voce) { return {voce.inizio, voce.fine, voce.progressiva}; }

void scrivi(VoceRegistro& voce, const Progressiva& valori) {
  voce.inizio = valori.inizio;
  voce.fine = valori.fine;
  voce.progressiva = valori.progressiva;
}

}  // namespace

void progressive_ordina(Scenario& tabelle) {
  // Every test reads the entries as they were before the sort.
  const Progressiva tre = leggi(tabelle.registro[kVoceProgressivaTre]);
  const Progressiva due = leggi(tabelle.registro[kVoceProgressivaDue]);
  const Progressiva uno = leggi(tabelle.registro[kVoceProgressivaUno]);
  const Progressiva vuota{};

  Progressiva ordine[3] = {tre, due, uno};
  const int64_t somma = int64_t{tre.inizio} + due.inizio + uno.inizio;
  if (somma != 0) {
    // Largest start first; a largest start shared by two entries clears all three.
    if (tre.inizio > due.inizio && tre.inizio > uno.inizio) {
      ordine[0] = tre;
      ordine[1] = due.inizio > uno.inizio ? due : uno;
      ordine[2] = due.inizio > uno.inizio ? uno : due;
    } else if (due.inizio > tre.inizio && due.inizio > uno.inizio) {
      ordine[0] = due;
      ordine[1] = tre.inizio > uno.inizio ? tre : uno;
      ordine[2] = tre.inizio > uno.inizio ? uno : tre;
    } else if (uno.inizio > tre.inizio && uno.inizio > due.inizio) {
      ordine[0] = uno;
      ordine[1] = tre.inizio > due.inizio ? tre : due;
      ordine[2] = tre.inizio > due.inizio ? due : tre;
    } else {
      ordine[0] = ordine[1] = ordine[2] = vuota;
    }
  } else if (uno.fine > 0) {
    // No starts given: the entries that carry an end decide the order.
    ordine[0] = uno;
    ordine[1] = due;
    ordine[2] = tre;
  } else if (due.fine > 0) {
    ordine[0] = due;
    ordine[1] = tre;
    ordine[2] = uno;
  } else if (tre.fine <= 0) {
    ordine[0] = ordine[1] = ordine[2] = vuota;
  }

  for (int posto = 0; posto < 3; ++posto) {
    Progressiva& valori = ordine[posto];
    // An entry whose chainage figure is 1 reaches 100 m further; the end keeps 32 bits.
    if (valori.progressiva == 1) {
      valori.fine = static_cast<int32_t>(static_cast<uint32_t>(valori.fine) + 100u);
    }
    scrivi(tabelle.registro[static_cast<size_t>(kVoceProgressivaTre + posto)], valori);
  }
}

}  // namespace scenario
