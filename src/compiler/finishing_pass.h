// The finishing pass over the route grid. After the readers have laid every
// record onto the grid, one walk from its start adds the code-cut points the
// simulator needs around slowdowns: just before a signal that stands shortly
// before a slowdown warning board, at three places before every slowdown
// start, every 400 m inside a slow slowdown, and just before the first signal
// after a slow slowdown's end. Each point is a cell of kind 12 carrying 180.
//
// Where a rule finds no free cell the pass records an error code and the
// position in metres (`codice_errore`, `posizione_errore`), places nothing for
// that rule and goes on; the codes are never shown.
#pragma once

#include <cstdint>

#include "reader/compile_observer.h"
#include "reader/error_codes.h"
#include "reader/scenario_tables.h"

namespace scenario {

// The value of every code-cut point the pass places, and the cap it applies
// to an existing one before a signal behind a warning board.
inline constexpr int16_t kValoreAbbattimento = 180;

// Slowdowns below this speed (km/h) get the interval points and the point
// before the first signal after their end; faster ones only the trios.
inline constexpr int16_t kVelocitaRallentamentoLento = 110;

// Returns `y` when `x` is greater than `y`, otherwise `x` (so `x` on equal values).
template <typename T, typename U>
constexpr auto minimo(const T& x, const U& y) {
  using R = decltype(x + y);
  return x > y ? static_cast<R>(y) : static_cast<R>(x);
}

// Walks the grid once, from cell 1 to the third-last cell, and places the
// code-cut points. Only `tipo` and `valore_1` of cells change. An empty grid
// is left alone. The tables keep the pass's last failure; `osservatore`, when
// given, is told of every one.
void rifinisci_percorso(Scenario& tabelle, OsservatoreCompilazione* osservatore = nullptr);

}  // namespace scenario
