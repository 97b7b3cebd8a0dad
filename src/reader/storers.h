// The record storers: they translate mountain stretches, signals, slowdowns and
// speed boards into marks on the route grid, refuse a record whose cell is
// taken (returning the refusal's code, which the reader records), and pack the
// record's numbers into the cells' small fields. The kilometre sort puts the three chainage
// entries of the record table in order.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "reader/scenario_tables.h"

namespace scenario {

// A "montagna" record: the stretch from `inizio` to `fine` lies inside the mountain.
struct DatiMontagna {
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t tipo = 0;
};

// A "segnale" record, fields in the order of the source line.
struct DatiSegnale {
  int32_t posizione = 0;
  int32_t sx = 0, s1 = 0, s2 = 0, s3 = 0;
  int32_t rapp = 0;
  int32_t dx = 0, d1 = 0, d2 = 0, d3 = 0;
  int32_t tempo = 0;
};

// A "rallentamento" record: a slowdown from `x`, speed `v`, length `l`.
struct DatiRallentamento {
  int32_t x = 0;
  int32_t v = 0;
  int32_t l = 0;
  int32_t f_tt = 0;
  int32_t f_ta = 0;
  int32_t d_v = 0;
};

// An "indicatori_vmax" record: a speed board with two sets of figures.
struct DatiIndicatoreVMax {
  int32_t posizione = 0;
  int32_t vas = 0, vbs = 0, vcs = 0, strisces = 0;
  int32_t vad = 0, vbd = 0, vcd = 0, strisced = 0;
};

// What a storer answers: nothing when it stored the record, otherwise the
// code of its refusal (error_codes.h): 16 a signal's cell taken, 17 a
// warning board's, 18 a slowdown start's, 19 a slowdown end's, 20 one of the
// four cells before a warning board (the slowdown's other cells are then
// already written), 21 a speed board's. A storer leaves `codice_errore` alone.
using Rifiuto = std::optional<int32_t>;

// A mountain stretch is never refused.
void memo_montagna(Scenario& tabelle, const DatiMontagna& dati);

// The mountain stretches of one line text, at a cost bounded by the text's
// size. Laying each stretch cell by cell costs its length: a text of many
// stretches over the whole route (fifty thousand fit in a megabyte) would
// cost a billion cell writes. Here a stretch's markers are laid at once,
// each cell visited only while it is still plain track (a cell that is not
// never becomes plain track again in the line text), and the kinds of all
// stretches are laid by `stendi`, each cell once, by the last stretch that
// covers it: the grid ends exactly as `memo_montagna` per record leaves it.
// Nothing reads a cell's mountain kind while the line text is read.
class MontagneDelTesto {
 public:
  explicit MontagneDelTesto(Scenario& tabelle);

  // What memo_montagna does, the cells' mountain kind left to `stendi`.
  void memorizza(const DatiMontagna& dati);
  // Lays the kinds of the stretches stored since the last call.
  void stendi();

 private:
  struct Tratto {
    int64_t da;
    int64_t a;
    uint8_t tipo;
  };
  // The first cell at or after `indice`, in steps of `passo`, that is still
  // to be visited; `salti` links each visited cell to the next one.
  static int64_t prossima(std::vector<int32_t>& salti, int64_t indice, int64_t passo);

  Scenario& tabelle_;
  std::vector<Tratto> tratti_;
  std::vector<int32_t> marche_;  // cells that may still take a marker
};
[[nodiscard]] Rifiuto memo_segnale(Scenario& tabelle, const DatiSegnale& dati);
[[nodiscard]] Rifiuto memo_rallentamento(Scenario& tabelle, const DatiRallentamento& dati);
[[nodiscard]] Rifiuto memo_indicatori_v_max(Scenario& tabelle, const DatiIndicatoreVMax& dati);
void progressive_ordina(Scenario& tabelle);

}  // namespace scenario
