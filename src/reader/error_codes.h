// Every error code a compile can end with, in one table: the codes the two
// readers, the storers and the finishing pass record in `codice_errore` (with
// a position in `posizione_errore` for some of them), and the two numbers of
// the reserved-slot checks that stop a compile before anything is written.
//
// Each code carries what it means (as an author reads it next to the record's
// line), where it arises, how the position recorded with it reads, and a
// one-line hint at the fix. The tool's diagnostics and the authors' format
// reference are written from this table.
//
// Codes 14 and 23 are never recorded: the numbering has gaps.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace scenario {

// The line source text.
inline constexpr int32_t kErroreLunghezzaPercorso = 1;  // route length above 1000000 m or negative
inline constexpr int32_t kErroreProgressive = 2;        // a kilometre reference off a 50 m mark
inline constexpr int32_t kErroreRipetizioneInizio = 3;  // first cab-signal position off a 50 m mark
inline constexpr int32_t kErroreRipetizioneFine = 4;    // second cab-signal position likewise
inline constexpr int32_t kErroreCodiceRipetizione = 5;  // cab-signal keyword without "4" or "9"
inline constexpr int32_t kErroreCartelloOccupato = 6;   // lettered board on a taken cell
inline constexpr int32_t kErroreIndicatoreOccupato = 21;  // speed board on a taken cell
inline constexpr int32_t kErroreTestoLineaAssente = 101;  // no line text in the folder
inline constexpr int32_t kErroreSenzaGenerale = 102;      // no "[generale]" in the line text
inline constexpr int32_t kErroreCurva = 103;  // curve without a class, or a plan view too long

// The train source text.
inline constexpr int32_t kErroreAbbattimentoOccupato = 7;  // code-cut point on a taken cell
inline constexpr int32_t kErrorePosizioneStazione = 8;     // station off a 50 m mark
inline constexpr int32_t kErroreLunghezzaStazione = 9;     // station length not a multiple of 100
// The storers' refusals: a signal's cell taken, a slowdown's warning board's,
// start's or end's, one of the four cells before its warning board.
inline constexpr int32_t kErroreSegnaleOccupato = 16;
inline constexpr int32_t kErroreAvvisoOccupato = 17;
inline constexpr int32_t kErroreInizioRallentamentoOccupato = 18;
inline constexpr int32_t kErroreFineRallentamentoOccupato = 19;
inline constexpr int32_t kErrorePreavvisoOccupato = 20;
inline constexpr int32_t kErroreStazioniVicine = 22;   // a station less than 350 m after the last
inline constexpr int32_t kErroreFermataIniziale = 24;  // a stop point on cell 1 or lower

// Either source text.
inline constexpr int32_t kErroreRegistroPieno = 10;  // stations and boards meet in the record table
inline constexpr int32_t kErroreFuoriGriglia = 15;   // a record beyond the route grid
inline constexpr int32_t kErroreLettura = 25;        // a reading failure

// The finishing pass.
inline constexpr int32_t kErroreSegnalePrimaAvviso = 11;  // no room before a signal behind a board
inline constexpr int32_t kErroreTerna = 12;  // no free cell in a trio before a slowdown start
inline constexpr int32_t kErroreRallentamento = 13;  // no room inside a slowdown or after it

// The reserved-slot checks of the compile step: shown in the error report,
// never recorded in `codice_errore`.
inline constexpr int32_t kErroreSlotTimbri = 1250;      // the stamps' slots are taken
inline constexpr int32_t kErroreSlotCodiciGara = 1251;  // the competition codes' slots are taken

// Where a code arises, and so which file a diagnostic names.
enum class OrigineCodice : uint8_t {
  kTestoLinea,     // the line source text
  kTestoTreno,     // the train source text
  kTestiSorgente,  // either source text: the one being read when it happened
  kPassataFinale,  // the finishing pass over the route grid
  kSlotRiservati,  // the reserved-slot checks before the compiled files are written
  kSconosciuta,    // a code no part of the compile records
};

// How the position recorded with a code reads.
enum class FormaPosizione : uint8_t {
  kNessuna,  // the code records no position
  kMetri,    // the record's position in metres
  kCella,    // the start of a route cell: the finishing pass works cell by cell
};

struct DescrizioneCodice {
  int32_t codice = 0;
  std::string_view id;           // a short stable name: lower case words joined by "-"
  std::string_view significato;  // a short English meaning, lower case, no full stop
  OrigineCodice origine = OrigineCodice::kSconosciuta;
  FormaPosizione posizione = FormaPosizione::kNessuna;
  std::string_view rimedio;  // one line on how to mend the text, lower case, no full stop
};

// Every code, in ascending order.
std::span<const DescrizioneCodice> codici_errore();

// The row of `codice`; a code not in the table gets a row saying so, with
// the origin `kSconosciuta`.
DescrizioneCodice descrivi_codice(int32_t codice);

// True for a code the readers, the storers or the finishing pass record in
// `codice_errore` (not the reserved-slot numbers, not 0).
bool codice_registrabile(int32_t codice);

}  // namespace scenario
