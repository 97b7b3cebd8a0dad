// What the plot shows of a compiled scenario, read from its tables: the
// route's length, the stations, signals, lettered boards, tunnels and
// slowdowns along it, and the gradient and the speed limit of every cell.
// Positions are metres from the origin, texts UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reader/scenario_tables.h"

namespace scenario {

struct StazioneRiassunta {
  int32_t posizione = 0;
  std::string nome;
};

struct CartelloRiassunto {
  int32_t posizione = 0;
  std::string scritta;
};

// A stretch of route from `da` to `a` holding `valore`.
struct Tratto {
  int32_t da = 0;
  int32_t a = 0;
  int32_t valore = 0;
};

struct RiassuntoPercorso {
  int32_t lunghezza = 0;  // the route length shown on the axis
  std::vector<StazioneRiassunta> stazioni;
  std::vector<int32_t> segnali;
  std::vector<CartelloRiassunto> cartelli;
  std::vector<Tratto> gallerie;       // valore: the mountain kind
  std::vector<Tratto> rallentamenti;  // valore: km/h
  std::vector<int32_t> pendenza;      // per mille, one per cell
  std::vector<int32_t> velocita;      // km/h, one per cell
};

// The tables must hold a route grid.
RiassuntoPercorso riassumi_percorso(const Scenario& tabelle);

}  // namespace scenario
