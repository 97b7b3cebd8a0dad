// What the numbers in the compiled files mean. Most fields are small integers
// whose meaning depends on the kind of the cell or on the use of the record
// entry that holds them: a signal packs its figures in pairs, a slowdown keeps
// its speed in km/h, a speed board packs two speeds per rank; the speed limit
// is stored in units of 5 km/h and the gradient plus 100. These tables say,
// for every kind and use, what each field holds and how its stored number
// reads, so that an author sees "speed limit 75 km/h" where the file says 15.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/compiled_files.h"
#include "compiler/compiled_layout.h"
#include "reader/scenario_tables.h"

namespace scenario {

// How a stored number reads.
enum class Conversione : uint8_t {
  kNumero,     // as stored, in the field's unit
  kPer5,       // times 5: a speed stored in units of 5 km/h
  kMeno100,    // minus 100: a gradient stored plus 100
  kOrario,     // seconds since midnight, read as hh:mm:ss
  kCoppia10,   // two figures packed as a × 10 + b
  kCoppia20,   // two speeds packed as s × 20 + d / 5
  kTipoCella,  // a cell kind, read as its name
  kTesto,      // Windows-1252 text
};

// What one field holds in one kind of cell or one use of an entry. An empty
// `significato` means the field is not used there and stays 0.
struct SignificatoCampo {
  constexpr SignificatoCampo() = default;
  constexpr SignificatoCampo(std::string_view significato_, Conversione conversione_ = {},
                             std::string_view unita_ = {},
                             std::array<std::string_view, 2> parti_ = {})
      : significato(significato_), conversione(conversione_), unita(unita_), parti(parti_) {}

  std::string_view significato;
  Conversione conversione = Conversione::kNumero;
  std::string_view unita;                   // of the number, or of both packed figures
  std::array<std::string_view, 2> parti{};  // the packed figures' names (kCoppia10, kCoppia20)
};

// Where the source record of a cell's object stood, in metres: point objects
// go into the cell after the one that starts at their position, code-cut
// points into the cell that starts there.
enum class PosizioneRecord : uint8_t {
  kNessuna,     // the cell is no record's own cell
  kCellaPrima,  // (cell - 1) × 50
  kCella,       // cell × 50
};

// A kind of cell: its name and what its four values and its signal time hold.
struct SignificatoTipoCella {
  TipoCella tipo;
  std::string_view nome;
  std::array<SignificatoCampo, 4> valori;
  SignificatoCampo tempo_segnale;
  PosizioneRecord posizione = PosizioneRecord::kNessuna;
};

// Every kind a cell can have, by code.
std::span<const SignificatoTipoCella> tipi_cella();
// "signal", "slowdown start", ...; "unknown kind" for a code no kind has.
std::string_view nome_tipo_cella(TipoCella tipo);
// What the fields that mean the same in every cell hold: `tipo`, `avviso`,
// `montagna`, `velocita_max`, `pendenza`, `aderenza`.
SignificatoCampo significato_fisso(CampoCella campo);

// Cell 1 carries two stamps whatever its kind: the compile step's stamp in
// `valore_1` and the og competition code in `valore_2`.
inline constexpr size_t kCellaTimbri = 1;
inline constexpr SignificatoCampo kTimbroCella = {"the compile step's stamp"};
inline constexpr SignificatoCampo kCodiceOg = {"og competition code"};

// The uses of the record table's entries.
enum class UsoVoce : uint8_t {
  kNessuno,        // entry 0, and an empty entry between the stations and the boards
  kStazione,       // a timetable station, entries 1 upward
  kCartello,       // a lettered board, entries 80 downward
  kProgressiva,    // a kilometre reference, entries 81 to 83
  kTrenoPercorso,  // entry 84
  kLinea,          // entry 85
  kTreno,          // entry 86
};

struct SignificatoUsoVoce {
  UsoVoce uso;
  std::string_view nome;
  std::array<SignificatoCampo, 16> campi;  // in the order on disk
};

std::span<const SignificatoUsoVoce> usi_voce();
const SignificatoUsoVoce& significato_uso(UsoVoce uso);

// The use of every entry. Stations fill the entries from 1 upward and
// lettered boards from 80 downward, a board holding nothing but its
// lettering: an entry between 1 and 80 above the last one that holds a
// number is a board, one at or below it a station.
std::array<UsoVoce, kVociRegistro> usi_voci(const RegistroCompilato& registro);

// One stored value read by its meaning.
struct Parte {
  std::string_view nome;
  int64_t valore = 0;
};

struct Lettura {
  enum class Forma : uint8_t {
    kInutilizzato,  // the field is not used here
    kNumero,        // `numero` in `unita`
    kParti,         // two packed figures, `parti`, in `unita`
    kNome,          // the cell's kind, `testo`: its name, where its record stood
    kOrario,        // a time of day, `testo`: "hh:mm:ss"
    kTesto,         // a text of the file, `testo`, in UTF-8
  };
  Forma forma = Forma::kInutilizzato;
  std::string_view significato;
  std::string_view unita;
  int64_t numero = 0;
  std::array<Parte, 2> parti{};
  std::string testo;
};

// What field `campo` of cell `indice` holds. The neighbouring cells tell a
// station's approach marks from a signal's.
Lettura leggi_cella(std::span<const CellaPercorso> celle, size_t indice, CampoCella campo);
// What field `campo` of an entry of use `uso` holds.
Lettura leggi_voce(const VoceRegistro& voce, UsoVoce uso, CampoVoce campo);

// "speed limit 75 km/h", "signal figures: s1 3, d1 0", "station name "MELAR"",
// "signal, record at 28150 m".
std::string testo_lettura(const Lettura& lettura);

// Seconds since midnight as "hh:mm:ss".
std::string orario_leggibile(int64_t secondi);

}  // namespace scenario
