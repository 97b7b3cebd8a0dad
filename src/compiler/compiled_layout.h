// The layouts of the three files the simulator loads, in one place: which
// fields a route cell and a record entry hold, in their order on disk and
// with their widths, the tags of the plan view's values, and the sizes a
// legal file can have. The writers, the readers, the authors' dump and the
// tests all walk these lists, so the layouts are spelt out once.
//
// The files are plain little-endian dumps of the scenario tables with no
// header, count or checksum: a file's kind is known only from its name, and
// its size must follow from its table.
#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "reader/scenario_tables.h"

namespace scenario {

enum class TipoFileCompilato : uint8_t {
  kLinea,     // the compiled line, NAME_linea.dat: the plan view
  kScenario,  // the compiled train scenario, NAME_NUM.sim: the record table
  kPercorso,  // the compiled route grid, NAME_NUM.dat
};

// "compiled line", "compiled train scenario", "compiled route grid".
std::string_view nome_file_compilato(TipoFileCompilato tipo);

// The kind a file name announces: "_linea.dat" a compiled line, ".sim" a
// compiled train scenario, any other ".dat" a compiled route grid. Returns
// false for any other name.
bool tipo_da_nome(std::string_view nome, TipoFileCompilato* tipo);

// How a field is stored: a byte unsigned, an int16 or int32 two's complement,
// little-endian; a text as a 2-byte length and that many Windows-1252 bytes.
enum class TipoDisco : uint8_t { kByte, kInt16, kInt32, kTesto };

// "byte", "int16", "int32", "text".
constexpr std::string_view nome_tipo_disco(TipoDisco tipo) {
  constexpr std::string_view kNomi[] = {"byte", "int16", "int32", "text"};
  return kNomi[static_cast<size_t>(tipo)];
}
// Bytes of a field on disk; a text's characters come on top of its 2.
constexpr size_t byte_tipo_disco(TipoDisco tipo) {
  constexpr size_t kByte[] = {1, 2, 4, 2};
  return kByte[static_cast<size_t>(tipo)];
}

// The disk type of a field held as `T` in the tables.
template <typename T>
constexpr TipoDisco tipo_disco() {
  if constexpr (std::is_same_v<T, std::string>) {
    return TipoDisco::kTesto;
  } else if constexpr (sizeof(T) == 1) {
    return TipoDisco::kByte;
  } else if constexpr (sizeof(T) == 2) {
    return TipoDisco::kInt16;
  } else {
    static_assert(std::is_same_v<T, int32_t>, "a field is a byte, an int16, an int32 or a text");
    return TipoDisco::kInt32;
  }
}

// The fields of a route cell, in their order on disk.
enum class CampoCella : uint8_t {
  kTipo,
  kValore1,
  kValore2,
  kValore3,
  kValore4,
  kTempoSegnale,
  kAvviso,
  kMontagna,
  kVelocitaMax,
  kPendenza,
  kAderenza,
};

// The fields of a record entry, in their order on disk: the ten station
// figures do not follow their numbers.
enum class CampoVoce : uint8_t {
  kTipo,
  kInizio,
  kFine,
  kProgressiva,
  kCampo4,
  kNome,
  kCampo7,
  kCampo8,
  kCampo10,
  kCampo11,
  kCampo12,
  kCampo9,
  kCampo13,
  kCampo6,
  kCampo5,
  kOrario,
};

// A field's name in the tables and, in a few words, what it holds in general
// (what it holds for each kind of cell or entry is in compiled_meaning.h).
struct DescrizioneCampo {
  std::string_view nome;
  std::string_view contenuto;
};

inline constexpr std::array<DescrizioneCampo, 11> kCampiCella = {{
    {"tipo", "kind of the cell; 0 = plain track"},
    {"valore_1", "first value of the cell's kind"},
    {"valore_2", "second value of the cell's kind"},
    {"valore_3", "third value of the cell's kind"},
    {"valore_4", "fourth value of the cell's kind"},
    {"tempo_segnale", "signal time (signals only)"},
    {"avviso", "approach mark of a station stop or a signal ahead"},
    {"montagna", "mountain-stretch kind; 0 = open air"},
    {"velocita_max", "the train's speed limit, in units of 5 km/h"},
    {"pendenza", "gradient in per mille plus 100 (100 = level)"},
    {"aderenza", "adhesion value, as the train text gives it"},
}};

inline constexpr std::array<DescrizioneCampo, 16> kCampiVoce = {{
    {"tipo", "station kind"},
    {"inizio", "first number of the entry"},
    {"fine", "second number of the entry"},
    {"progressiva", "third number of the entry"},
    {"campo_4", "station figure 4"},
    {"nome", "station name, board lettering, line name or train number"},
    {"campo_7", "station figure 7"},
    {"campo_8", "station figure 8"},
    {"campo_10", "station figure 10"},
    {"campo_11", "station figure 11"},
    {"campo_12", "station figure 12"},
    {"campo_9", "station figure 9"},
    {"campo_13", "station figure 13"},
    {"campo_6", "station figure 6"},
    {"campo_5", "station figure 5"},
    {"orario", "time of day in seconds"},
}};

inline const DescrizioneCampo& descrizione(CampoCella campo) {
  return kCampiCella[static_cast<size_t>(campo)];
}
inline const DescrizioneCampo& descrizione(CampoVoce campo) {
  return kCampiVoce[static_cast<size_t>(campo)];
}

template <typename T, typename Record>
concept RecordDi = std::same_as<std::remove_const_t<T>, Record>;

// Calls `visita(campo, valore)` for every field of `cella` in its order on
// disk, `valore` a reference to the field (const when the cell is).
template <RecordDi<CellaPercorso> Cella, typename Visitatore>
constexpr void visita_campi(Cella& cella, Visitatore&& visita) {
  visita(CampoCella::kTipo, cella.tipo);
  visita(CampoCella::kValore1, cella.valore_1);
  visita(CampoCella::kValore2, cella.valore_2);
  visita(CampoCella::kValore3, cella.valore_3);
  visita(CampoCella::kValore4, cella.valore_4);
  visita(CampoCella::kTempoSegnale, cella.tempo_segnale);
  visita(CampoCella::kAvviso, cella.avviso);
  visita(CampoCella::kMontagna, cella.montagna);
  visita(CampoCella::kVelocitaMax, cella.velocita_max);
  visita(CampoCella::kPendenza, cella.pendenza);
  visita(CampoCella::kAderenza, cella.aderenza);
}

// The same for every field of a record entry.
template <RecordDi<VoceRegistro> Voce, typename Visitatore>
void visita_campi(Voce& voce, Visitatore&& visita) {
  visita(CampoVoce::kTipo, voce.tipo);
  visita(CampoVoce::kInizio, voce.inizio);
  visita(CampoVoce::kFine, voce.fine);
  visita(CampoVoce::kProgressiva, voce.progressiva);
  visita(CampoVoce::kCampo4, voce.campo_4);
  visita(CampoVoce::kNome, voce.nome);
  visita(CampoVoce::kCampo7, voce.campo_7);
  visita(CampoVoce::kCampo8, voce.campo_8);
  visita(CampoVoce::kCampo10, voce.campo_10);
  visita(CampoVoce::kCampo11, voce.campo_11);
  visita(CampoVoce::kCampo12, voce.campo_12);
  visita(CampoVoce::kCampo9, voce.campo_9);
  visita(CampoVoce::kCampo13, voce.campo_13);
  visita(CampoVoce::kCampo6, voce.campo_6);
  visita(CampoVoce::kCampo5, voce.campo_5);
  visita(CampoVoce::kOrario, voce.orario);
}

// A numeric field's stored value as a plain number (a cell kind as its code).
template <typename T>
constexpr int64_t numero_campo(const T& valore) {
  if constexpr (std::is_enum_v<T>) {
    return static_cast<int64_t>(static_cast<std::underlying_type_t<T>>(valore));
  } else {
    return static_cast<int64_t>(valore);
  }
}

// One route cell takes 15 bytes; one record entry 34 bytes and its text.
inline constexpr size_t kByteCella = [] {
  size_t byte = 0;
  CellaPercorso cella;
  visita_campi(cella, [&](CampoCella, const auto& valore) {
    byte += byte_tipo_disco(tipo_disco<std::remove_cvref_t<decltype(valore)>>());
  });
  return byte;
}();
inline constexpr size_t kByteVoceSenzaTesto = 34;
inline constexpr size_t kLunghezzaMassimaTesto = 0xFFFF;  // what a 2-byte length counts

// The tags of the plan view's values: each value is a 2-byte tag and then
// the bytes its tag announces.
struct DescrizioneEtichetta {
  EtichettaPunto etichetta;
  std::string_view nome;
  size_t byte_valore;  // after the tag
  std::string_view contenuto;
};

inline constexpr std::array<DescrizioneEtichetta, 3> kEtichette = {{
    {EtichettaPunto::kVuoto, "empty", 0,
     "a point never computed (the last two, and those after an early stop)"},
    {EtichettaPunto::kIntero16, "int16", 2, "the origin points 0 and 1: (0, 0) and (0, 1)"},
    {EtichettaPunto::kReale64, "float64", 8, "a computed point, IEEE 754 binary64"},
}};
inline constexpr size_t kByteEtichetta = 2;

// The description of the tag stored as `codice`, or null for a code that is
// no tag.
const DescrizioneEtichetta* descrizione_etichetta(uint16_t codice);
const DescrizioneEtichetta& descrizione_etichetta(EtichettaPunto etichetta);

// The route grid holds cells 0 to `ultima_cella`, one per 50 m of the route
// plus 7000 m: 141 cells for a route of 0 m, 20141 for one of 1000000 m.
inline constexpr int32_t kCelleMinime = kMargineTracciato / 50 + 1;
inline constexpr int32_t kCelleMassime = (kLunghezzaMassima + kMargineTracciato) / 50 + 1;

// The plan view holds points 0 to route length + 7000.
inline constexpr int32_t kPuntiMinimi = kMargineTracciato + 1;
inline constexpr int32_t kPuntiMassimi = kLunghezzaMassima + kMargineTracciato + 1;

// A fully built plan view of points 0 to N: in each series two int16 values,
// N - 3 computed ones and two empty ones, 10 N - 18 bytes; the file twice that.
constexpr uint64_t byte_linea_completa(int32_t ultimo_punto) {
  const uint64_t n = static_cast<uint64_t>(ultimo_punto);
  return 2 * (2 * (kByteEtichetta + 2) + (n - 3) * (kByteEtichetta + 8) + 2 * kByteEtichetta);
}

// The smallest and the largest file of each kind the compile step can write:
// a grid of 141 to 20141 cells; a record table of 87 entries, each text empty
// or as long as a 2-byte length counts; a plan view of 7001 points never
// computed up to the fully built one of the longest route. A file outside
// these bounds is no file of its kind, and is refused before it is read.
uint64_t dimensione_minima(TipoFileCompilato tipo);
uint64_t dimensione_massima(TipoFileCompilato tipo);

}  // namespace scenario
