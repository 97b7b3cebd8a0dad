// Every kind of record the two source texts hold, listed once: the words the
// reader recognises it by, the section it stands in, and its fields in order,
// each with its width, unit, range and what the reader does with it.
//
// The readers recognise records and read their fields through this list, so
// that a failure (or a record short of fields) can say which field of which
// record it met; the authors' format reference is written from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace scenario {

enum class TestoSorgente : uint8_t {
  kLinea,  // the line source text, NAME_linea.txt
  kTreno,  // the train source text, NAME_NUM-.txt
};

// The header where both readers start.
inline constexpr std::string_view kSezioneGenerale = "[generale]";

// How the field input reads a field: a whole number of the width (an empty
// field reads as 0), or a text running to the next comma or the line's end.
enum class TipoCampo : uint8_t { kInt32, kInt16, kByte, kTesto };

struct CampoRecord {
  std::string_view nome;
  TipoCampo tipo = TipoCampo::kInt32;
  std::string_view unita;       // "m", "km/h", "per mille", ...; empty for a plain number
  std::string_view intervallo;  // what the reader accepts or expects, in words
  std::string_view uso;         // what the reader does with it
};

enum class TipoRecord : uint8_t {
  // The line source text.
  kLunghezzaPercorso,
  kProgressivaUno,
  kProgressivaDue,
  kProgressivaTre,
  kSfondoUno,
  kSfondoDue,
  kSfondoTre,
  kRipetizioneSegnali,
  kCurva,
  kPendenza,
  kMontagna,
  kIndicatoriVMax,
  kCartelloIndicatore,
  // The train source text.
  kNumeroVetture,
  kMassaFrenata,
  kSabbia,
  kOrologio,
  kAderenza,
  kVelocita,
  kStazione,
  kRallentamento,
  kSegnale,
  kAbbattimento,
};

struct RecordSorgente {
  TipoRecord tipo;
  TestoSorgente testo;
  std::string_view sezione;        // the header it stands under in the package's texts
  std::string_view parola_chiave;  // the keyword as the package writes it
  // The token that begins the record is one of this kind when it contains
  // every word of `parole` in any letter case and every word of
  // `parole_esatte` exactly as written.
  std::span<const std::string_view> parole;
  std::span<const std::string_view> parole_esatte;
  std::string_view descrizione;  // what the record is: one sentence, no full stop
  std::span<const CampoRecord> campi;
};

// No record has more fields than a station's.
inline constexpr size_t kCampiMassimi = 17;

// Every kind, the line text's first, each text's in the order its sections
// are written.
std::span<const RecordSorgente> record_sorgente();

const RecordSorgente& record_sorgente(TipoRecord tipo);

// "int32", "int16", "byte" or "text".
std::string_view nome_tipo_campo(TipoCampo tipo);

}  // namespace scenario
