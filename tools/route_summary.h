// What the plot shows of a compiled scenario, read from its tables: the
// route's length, the stations, signals, speed boards, lettered boards,
// tunnels, curves and slowdowns along it, and the gradient and the speed
// limit of every cell. Positions are metres from the origin, texts UTF-8.
#pragma once

#include <array>
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

// A signal's cell keeps its kinds packed as rapp * 10 + sx * 3 + dx; the
// left group's kind is read back from it as (value mod 10) / 3, which is
// exact for every signal whose right-hand kind is 0 to 2.
struct SegnaleRiassunto {
  int32_t posizione = 0;
  int32_t tipo = 0;    // the left group's kind, sx
  int32_t valore = 0;  // the cell's value as stored
};

// A speed board of the line: the speeds it shows for ranks A, B and C. The
// cell packs each as the "s" speed * 20 plus the "d" speed / 5; the "d"
// speeds stay under 100 km/h, so the "s" speed is the value / 20.
struct IndicatoreRiassunto {
  int32_t posizione = 0;
  std::array<int32_t, 3> velocita{};  // km/h
};

// A curve as the plan view was laid: the metres it turns over, its class
// (1 to 6: radius 10000 to 333 m) and its side.
struct CurvaRiassunta {
  int32_t da = 0;
  int32_t a = 0;
  int32_t classe = 0;
  bool destra = true;  // bends right (keyword "d"); false: left ("s")
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
  std::vector<SegnaleRiassunto> segnali;
  std::vector<IndicatoreRiassunto> indicatori;
  std::vector<CartelloRiassunto> cartelli;
  std::vector<CurvaRiassunta> curve;  // none without a plan view
  std::vector<Tratto> gallerie;       // valore: the mountain kind
  std::vector<Tratto> rallentamenti;  // valore: km/h
  std::vector<int32_t> pendenza;      // per mille, one per cell
  std::vector<int32_t> velocita;      // km/h, one per cell
};

// The tables must hold a route grid.
RiassuntoPercorso riassumi_percorso(const Scenario& tabelle);

// The curves of a plan view, up to point `ultimo`, read back from its turns:
// a curved step turns the step before it by t, so t is the cross product of
// the two steps over the first one's squared length, and each run of metres
// turning by one class's value, on one side, is a curve.
std::vector<CurvaRiassunta> curve_del_tracciato(const Tracciato& tracciato, int32_t ultimo);

}  // namespace scenario
