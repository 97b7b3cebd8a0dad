// The bytes of the three files the simulator loads, written from the scenario
// tables and read back from a file: the compiled line (the plan view), the
// compiled train scenario (the record table) and the compiled route grid.
// The layouts are those of compiled_layout.h.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "base/status.h"
#include "compiler/compiled_layout.h"
#include "reader/scenario_tables.h"

namespace scenario {

using RegistroCompilato = std::array<VoceRegistro, kVociRegistro>;

// --- Writing -------------------------------------------------------------

// The compiled line: the x values of points 0 to N, then the y values, each
// as a 2-byte tag and its value: tag 2 and an int16 for the origin points 0
// and 1, tag 5 and a 64-bit float for a computed point, tag 0 alone for a
// point never computed. A fully built plan view takes 20 N - 36 bytes. No
// plan view gives no bytes. The bytes go to `sink` in pieces as they are
// made; the sink's first failure is returned.
Status scrivi_linea(const Tracciato& tracciato, ByteSink& sink);

// The compiled train scenario: the 87 record entries in index order, each as
// its fields in declared order, the text as a 2-byte length and its bytes.
// A text longer than a 2-byte length can count keeps its first 65535 bytes,
// so that the length always tells where the next field begins.
Status scrivi_registro(const RegistroCompilato& registro, ByteSink& sink);

// The compiled route grid: every cell in index order, 15 bytes each.
Status scrivi_percorso(const std::vector<CellaPercorso>& percorso, ByteSink& sink);

// The same files whole, in memory.
std::string codifica_linea(const Tracciato& tracciato);
std::string codifica_registro(const RegistroCompilato& registro);
std::string codifica_percorso(const std::vector<CellaPercorso>& percorso);

// --- Reading -------------------------------------------------------------

// One tagged value of the plan view as stored.
struct ValoreTracciato {
  EtichettaPunto etichetta = EtichettaPunto::kVuoto;
  double valore = 0.0;  // an int16 value is held exactly; 0 when empty
  friend bool operator==(const ValoreTracciato&, const ValoreTracciato&) = default;
};

// A compiled line read in place, without a copy of its values: opening it
// checks every tag and that the values split into an x and a y series of
// equal length, of 7001 to 1007001 points. The view keeps pointing into the
// bytes it was opened on.
class VistaLinea {
 public:
  // Reads one series value after value, from point 0.
  class Serie {
   public:
    ValoreTracciato prossimo();

   private:
    friend class VistaLinea;
    explicit Serie(std::string_view byte) : byte_(byte) {}
    std::string_view byte_;
    size_t posizione_ = 0;
  };

  // Refuses, saying where, a file that does not fit the layout.
  static Status apri(std::string_view byte, VistaLinea* vista);

  // N: the points are 0 to N, N = route length + 7000.
  int32_t ultimo_punto() const { return punti_ - 1; }
  Serie serie_x() const { return Serie(byte_.substr(0, inizio_y_)); }
  Serie serie_y() const { return Serie(byte_.substr(inizio_y_)); }

 private:
  std::string_view byte_;
  size_t inizio_y_ = 0;
  int32_t punti_ = 0;
};

// The plan view as the file holds it: the x series, then the y series, one
// value per point, whatever its tags.
struct LineaCompilata {
  std::vector<ValoreTracciato> x;
  std::vector<ValoreTracciato> y;
  int32_t lunghezza_tracciato() const { return static_cast<int32_t>(x.size()) - 1; }
  friend bool operator==(const LineaCompilata&, const LineaCompilata&) = default;
};

// Each decoder fills its result only when the whole file fits the layout; the
// failure message says where and how it does not. A file larger than the
// largest of its kind is refused before anything else.
Status decodifica_linea(std::string_view byte, LineaCompilata* linea);
Status decodifica_scenario(std::string_view byte, RegistroCompilato* registro);
Status decodifica_percorso(std::string_view byte, std::vector<CellaPercorso>* celle);

// Writes a plan view read back, value by value with its own tags: what an
// unchanged file reads as gives the same bytes again.
std::string codifica_linea(const LineaCompilata& linea);

}  // namespace scenario
