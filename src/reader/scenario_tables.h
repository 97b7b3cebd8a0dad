// The in-memory model of one scenario: one railway line and one train. The
// readers fill it from the two source texts, the storers lay records onto the
// route grid, the finishing pass completes it, and three of its tables are
// written byte for byte into the files the simulator loads.
//
// Units: positions and lengths in metres from the route origin (the first
// station of the timetable), speeds in km/h, gradients in per mille.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/large_block.h"
#include "reader/source_records.h"

namespace scenario {

// Kinds of route cell (`CellaPercorso::tipo`).
enum class TipoCella : uint8_t {
  kBinario = 0,                   // plain track
  kSegnale = 1,                   // signal
  kFineRallentamento = 2,         // end of a slowdown
  kInizioRallentamento = 3,       // start of a slowdown
  kAvvisoRallentamento = 4,       // slowdown warning board
  kPreavvisoRallentamento = 5,    // one of the four cells before a warning board
  kIndicatoreVMax = 6,            // speed-limit board
  kFermata = 10,                  // a station's stop point
  kMarcaMontagna = 11,            // mountain marker, every fourth cell of a marked stretch
  kAbbattimentoConValore = 12,    // code-cut point with a value
  kAbbattimentoSenzaValore = 13,  // code-cut point without a value
  kCartelloIndicatore = 14,       // lettered line-side board
};

// One 50 m cell of the route grid; 15 bytes on disk, fields in this order.
struct CellaPercorso {
  TipoCella tipo = TipoCella::kBinario;
  int16_t valore_1 = 0;
  int16_t valore_2 = 0;
  int16_t valore_3 = 0;
  int16_t valore_4 = 0;
  uint8_t tempo_segnale = 0;  // signal time, signals only
  uint8_t avviso = 0;         // approach marker, independent of `tipo`
  uint8_t montagna = 0;       // mountain-stretch kind, 0 in the open air
  uint8_t velocita_max = 0;   // the train's limit here, in units of 5 km/h
  uint8_t pendenza = 0;       // gradient per mille plus 100 (100 = level)
  uint8_t aderenza = 0;       // adhesion value
  friend bool operator==(const CellaPercorso&, const CellaPercorso&) = default;
};

// A cell of kind 0 or 11 is free: objects may be placed on it.
inline bool cella_libera(const CellaPercorso& cella) {
  return cella.tipo == TipoCella::kBinario || cella.tipo == TipoCella::kMarcaMontagna;
}

// One entry of the record table; fields in their order on disk.
struct VoceRegistro {
  uint8_t tipo = 0;
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t progressiva = 0;
  uint8_t campo_4 = 0;
  std::string nome;  // Windows-1252 bytes, as read from a source text
  int16_t campo_7 = 0;
  int16_t campo_8 = 0;
  int16_t campo_10 = 0;
  int16_t campo_11 = 0;
  int16_t campo_12 = 0;
  uint8_t campo_9 = 0;
  uint8_t campo_13 = 0;
  uint8_t campo_6 = 0;
  uint8_t campo_5 = 0;
  int32_t orario = 0;  // time of day in seconds
  friend bool operator==(const VoceRegistro&, const VoceRegistro&) = default;
};

// Entries of `registro` with a fixed use.
inline constexpr int kVoceProgressivaTre = 81;
inline constexpr int kVoceProgressivaDue = 82;
inline constexpr int kVoceProgressivaUno = 83;
inline constexpr int kVoceTrenoPercorso = 84;  // braked mass, route length, cars
inline constexpr int kVoceLinea = 85;          // backdrops, line name, stamps
inline constexpr int kVoceTreno = 86;          // cab signals, train number, sand, clock
inline constexpr int kPrimoCartello = 80;      // lettered boards grow downward from here
inline constexpr int kVociRegistro = 87;

// Tag of one element of the plan view, as the compiled line stores it.
enum class EtichettaPunto : uint16_t { kVuoto = 0, kIntero16 = 2, kReale64 = 5 };

// The plan view of the line: one point per metre, (x, y) in metres, the line
// starting at (0, 0) heading along +y, +x to the right. Points are computed in
// one forward pass, so the coordinates plus the index of the next point to
// compute tell every element's tag: points 0 and 1 are the 16-bit integers
// (0, 0) and (0, 1), every computed point holds two 64-bit floats, and the
// points not yet computed are empty.
class Tracciato {
 public:
  // Makes room for points 0 to `ultimo_indice`, all empty. The room is not
  // filled: a point's memory is first touched when the point is computed.
  void crea(int32_t ultimo_indice);
  bool esiste() const { return ultimo_ >= 0; }
  // The highest point index (`lunghezza_tracciato`), or -1 when there is no plan view.
  int32_t ultimo_indice() const { return ultimo_; }

  // Sets points 0 and 1 to (0, 0) and (0, 1); the next point to compute is 2.
  void imposta_origine();
  // Index of the next point to compute; 0 while the origin is not set.
  int32_t prossimo_punto() const { return prossimo_; }
  // Stores point `prossimo_punto()` and moves on. The caller keeps within
  // `ultimo_indice()`.
  void aggiungi_punto(double x, double y) {
    double* xs = coordinate();
    xs[prossimo_] = x;
    xs[punti() + static_cast<size_t>(prossimo_)] = y;
    ++prossimo_;
  }

  EtichettaPunto etichetta(int32_t m) const {
    if (m >= prossimo_) return EtichettaPunto::kVuoto;
    return m < 2 ? EtichettaPunto::kIntero16 : EtichettaPunto::kReale64;
  }
  // The coordinates of a point computed, m < `prossimo_punto()`.
  double x(int32_t m) const { return valori_x()[static_cast<size_t>(m)]; }
  double y(int32_t m) const { return valori_y()[static_cast<size_t>(m)]; }
  // The coordinates of every point computed, in order.
  std::span<const double> valori_x() const {
    return {coordinate(), static_cast<size_t>(prossimo_)};
  }
  std::span<const double> valori_y() const {
    return {coordinate() + punti(), static_cast<size_t>(prossimo_)};
  }

 private:
  size_t punti() const { return static_cast<size_t>(ultimo_ + 1); }
  double* coordinate() { return static_cast<double*>(blocco_.data()); }
  const double* coordinate() const { return static_cast<const double*>(blocco_.data()); }

  // The x values of points 0 to `ultimo_`, then their y values: one block,
  // filled once as the points are computed.
  LargeBlock blocco_;
  int32_t ultimo_ = -1;
  int32_t prossimo_ = 0;
};

// Where the reader met the failure whose code it recorded last, so that an
// author can be pointed at the record: the source text, and the line and
// column (from 1) of the first field of the record it was reading. Line and
// column are 0 when the failure belongs to no record (a missing text, the
// check of the kilometre references after reading). `dettaglio` says what a
// reading failure (code 25) met, with the line and column of the field.
//
// The kind of record the token began is kept when the reader recognised one;
// and the field the code is about, when it is about one (a reading failure's
// field, a station's length not a multiple of 100, a signal's position on a
// taken cell): its index (from 1, the keyword not counted), where it begins
// and its text as it stands (empty for a read past the end). `motivo` is
// what a reading failure met at its field, without the place.
struct DiagnosticaLettura {
  std::string file;
  int32_t riga = 0;
  int32_t colonna = 0;
  std::string dettaglio;
  std::optional<TipoRecord> record = std::nullopt;
  int32_t campo = 0;  // 0: the code is about no one field of the record
  int32_t riga_campo = 0;
  int32_t colonna_campo = 0;
  std::string testo_campo = {};
  std::string motivo = {};

  // The field's name from the record's list; empty without a field.
  std::string_view nome_campo() const;
};

// The whole scenario state of one run. It lives exactly as long as the run and
// is the only channel between its steps.
struct Scenario {
  // Set at start-up; every later step reads them. UTF-8 text.
  std::string nome_linea;
  std::string numero_treno;

  int32_t scrivi_linea = 0;  // non-zero: build the plan view and write the compiled line

  int32_t codice_errore = 0;              // last error code recorded, 0 = none
  int32_t posizione_errore = 0;           // position in metres recorded with some codes
  DiagnosticaLettura ultima_diagnostica;  // where the reader recorded `codice_errore`
  // The records short of fields: the field input reads on across a line's
  // end, so a record that lacks fields takes them from the lines after it.
  // For each such record, the first field taken from a later line (its text
  // is what stood there); in the order read.
  std::vector<DiagnosticaLettura> campi_fuori_riga;

  std::array<VoceRegistro, kVociRegistro> registro{};

  // The route grid, cells 0 to `ultima_cella`; empty until the route length is read.
  std::vector<CellaPercorso> percorso;
  int32_t ultima_cella = 0;
  int32_t lunghezza_tracciato = 0;  // route length + 7000: the plan view's last index
  Tracciato tracciato;

  // Mountain stretches 1 to `numero_montagne`; index 0 is never used.
  std::array<int32_t, 81> montagna_inizio{};
  std::array<int32_t, 81> montagna_fine{};
  int32_t numero_montagne = 0;

  bool percorso_dimensionato() const { return !percorso.empty(); }

  // Sizes the grid and the plan view for a route of `lunghezza_percorso`
  // metres: they reach 7000 m beyond the route's end, the grid in 50 m cells.
  // The plan view is created only when `scrivi_linea` is non-zero. The caller
  // accepts only lengths from 0 to `kLunghezzaMassima`.
  void dimensiona(int32_t lunghezza_percorso);
};

inline constexpr int32_t kLunghezzaMassima = 1000000;
inline constexpr int32_t kMargineTracciato = 7000;

}  // namespace scenario
