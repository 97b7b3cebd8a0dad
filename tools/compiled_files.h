// Reads the three compiled files back: the compiled line (NAME_linea.dat), the
// compiled train scenario (NAME_NUM.sim) and the compiled route grid
// (NAME_NUM.dat). The files carry no header, count or checksum, so a file is
// taken for what its name says and refused when its bytes do not fit that
// layout exactly.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "reader/scenario_tables.h"

namespace scenario {

enum class TipoFileCompilato { kLinea, kScenario, kPercorso };

// The kind a file name announces: "_linea.dat" a compiled line, ".sim" a
// compiled train scenario, any other ".dat" a compiled route grid. Returns
// false for any other name.
bool tipo_da_nome(std::string_view nome, TipoFileCompilato* tipo);

// The route grid holds cells 0 to `ultima_cella`, one per 50 m of the route
// plus 7000 m: 141 cells for a route of 0 m, 20141 for one of 1000000 m.
inline constexpr int32_t kCelleMinime = 141;
inline constexpr int32_t kCelleMassime = 20141;
inline constexpr size_t kByteCella = 15;

// The plan view holds points 0 to route length + 7000.
inline constexpr int32_t kPuntiMinimi = kMargineTracciato + 1;
inline constexpr int32_t kPuntiMassimi = kLunghezzaMassima + kMargineTracciato + 1;

// One tagged value of the plan view as stored.
struct ValoreTracciato {
  EtichettaPunto etichetta = EtichettaPunto::kVuoto;
  double valore = 0.0;  // an int16 value is held exactly
};

// The plan view as the file holds it: the x series, then the y series, one
// value per point.
struct LineaCompilata {
  std::vector<ValoreTracciato> x;
  std::vector<ValoreTracciato> y;
  int32_t lunghezza_tracciato() const { return static_cast<int32_t>(x.size()) - 1; }
};

using RegistroCompilato = std::array<VoceRegistro, kVociRegistro>;

// Each decoder fills its result only when the whole file fits the layout; the
// failure message says where and how it does not.
Status decodifica_linea(std::string_view byte, LineaCompilata* linea);
Status decodifica_scenario(std::string_view byte, RegistroCompilato* registro);
Status decodifica_percorso(std::string_view byte, std::vector<CellaPercorso>* celle);

}  // namespace scenario
