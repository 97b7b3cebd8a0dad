#include "reader/error_codes.h"

#include <algorithm>
#include <array>

namespace scenario {
namespace {

using O = OrigineCodice;
using F = FormaPosizione;

// Each meaning names the record and the rule it broke; each hint says what to
// change in the text.
constexpr std::array kCodici = {
    DescrizioneCodice{kErroreLunghezzaPercorso, "route-length",
                      "route length (lunghezza percorso) above 1000000 m or negative",
                      O::kTestoLinea, F::kNessuna, "give a route length from 0 to 1000000 m"},
    DescrizioneCodice{
        kErroreProgressive, "kilometre-reference",
        "a kilometre reference (progressiva chilometrica) has a first or second "
        "number that is not a multiple of 50",
        O::kTestoLinea, F::kNessuna,
        "write the first two numbers of every kilometre reference as multiples of 50"},
    DescrizioneCodice{kErroreRipetizioneInizio, "repetition-start",
                      "first cab-signal repetition position is not a multiple of 50",
                      O::kTestoLinea, F::kNessuna,
                      "write the first cab-signal repetition position as a multiple of 50"},
    DescrizioneCodice{
        kErroreRipetizioneFine, "repetition-end",
        "second cab-signal repetition position is not a multiple of 50", O::kTestoLinea,
        F::kNessuna,
        "write the second cab-signal repetition position as a multiple of 50 (0 turns it off)"},
    DescrizioneCodice{kErroreCodiceRipetizione, "repetition-system",
                      "cab-signal repetition keyword holds neither \"4\" nor \"9\"", O::kTestoLinea,
                      F::kNessuna,
                      "name the code system in the keyword: \"ripetizione segnali 4 codici\" or "
                      "\"ripetizione segnali 9 codici\""},
    DescrizioneCodice{kErroreCartelloOccupato, "board-cell-taken",
                      "lettered board on an occupied cell", O::kTestoLinea, F::kMetri,
                      "move the board at least 50 m away from the speed board or lettered board "
                      "already on its cell"},
    DescrizioneCodice{kErroreAbbattimentoOccupato, "code-cut-cell-taken",
                      "code-cut point (abbattimento) on an occupied cell", O::kTestoTreno,
                      F::kMetri,
                      "move the code-cut point off the cell a signal, slowdown, stop point or "
                      "board already takes"},
    DescrizioneCodice{kErrorePosizioneStazione, "station-position",
                      "station position is not a multiple of 50", O::kTestoTreno, F::kMetri,
                      "put the station on a multiple of 50 m"},
    DescrizioneCodice{kErroreLunghezzaStazione, "station-length",
                      "station length is not a multiple of 100", O::kTestoTreno, F::kMetri,
                      "give the station a length that is a multiple of 100 m"},
    DescrizioneCodice{kErroreRegistroPieno, "record-table-full",
                      "too many stations and lettered boards for the record table (they share "
                      "entries 1 to 80)",
                      O::kTestiSorgente, F::kNessuna,
                      "drop stations or lettered boards: at most 80 boards, and at most 78 "
                      "stations and boards together once the timetable has a station"},
    DescrizioneCodice{kErroreSegnalePrimaAvviso, "no-room-before-signal",
                      "no free cell and no code-cut point in the two cells before a signal that "
                      "stands 1 to 20 cells before a slowdown warning board",
                      O::kPassataFinale, F::kCella,
                      "free one of the two cells (100 m) just before the signal, or move the "
                      "signal or the slowdown"},
    DescrizioneCodice{kErroreTerna, "no-room-before-slowdown",
                      "no free cell for a code-cut point in a trio (5-7, 11-13 or 18-20 cells) "
                      "before a slowdown start",
                      O::kPassataFinale, F::kCella,
                      "keep a cell free 250 to 350 m, 550 to 650 m and 900 to 1000 m before the "
                      "slowdown start, or move the slowdown"},
    DescrizioneCodice{kErroreRallentamento, "no-room-in-slowdown",
                      "no free cell for a code-cut point inside a slowdown below 110 km/h (every "
                      "8th cell) or just before the first signal after its end",
                      O::kPassataFinale, F::kCella,
                      "keep the track free every 400 m inside the slowdown and in the two cells "
                      "before the first signal after its end"},
    DescrizioneCodice{kErroreFuoriGriglia, "outside-grid",
                      "record outside the route grid (positions reach the route length + 6900 m, "
                      "stations the route length + 6200 m)",
                      O::kTestiSorgente, F::kMetri,
                      "keep the record's position within the route, or lengthen the route"},
    DescrizioneCodice{kErroreSegnaleOccupato, "signal-cell-taken", "signal on an occupied cell",
                      O::kTestoTreno, F::kMetri,
                      "move the signal off the cell another signal, slowdown point, speed board "
                      "or board already takes"},
    DescrizioneCodice{kErroreAvvisoOccupato, "warning-board-cell-taken",
                      "slowdown warning board (1200 m before the slowdown) on an occupied cell",
                      O::kTestoTreno, F::kMetri,
                      "move the slowdown, or what stands 1200 m before it, by at least 50 m"},
    DescrizioneCodice{kErroreInizioRallentamentoOccupato, "slowdown-start-cell-taken",
                      "slowdown start on an occupied cell", O::kTestoTreno, F::kMetri,
                      "move the slowdown start off the cell something else already takes"},
    DescrizioneCodice{kErroreFineRallentamentoOccupato, "slowdown-end-cell-taken",
                      "slowdown end on an occupied cell", O::kTestoTreno, F::kMetri,
                      "change the slowdown's length or move what stands at its end"},
    DescrizioneCodice{
        kErrorePreavvisoOccupato, "pre-warning-cell-taken",
        "one of the four cells before a slowdown warning board is occupied", O::kTestoTreno,
        F::kMetri,
        "free the 200 m before the warning board (1200 to 1400 m before the slowdown), or set "
        "f_ta to 0"},
    DescrizioneCodice{kErroreIndicatoreOccupato, "speed-board-cell-taken",
                      "speed board (indicatori_vmax) on an occupied cell", O::kTestoLinea,
                      F::kMetri,
                      "move the speed board at least 50 m away from the board already on its "
                      "cell"},
    DescrizioneCodice{
        kErroreStazioniVicine, "stations-too-close",
        "station area begins less than 350 m after the previous station's end", O::kTestoTreno,
        F::kMetri,
        "move the stations apart or shorten them: 350 m between one area's end and the next "
        "one's start"},
    DescrizioneCodice{
        kErroreFermataIniziale, "stop-point-too-early",
        "station's stop point would fall on cell 1 or lower (its area ends at 100 m or less)",
        O::kTestoTreno, F::kNessuna,
        "lengthen the first station or give it a kind of 25 or above, so that its area ends "
        "beyond 100 m or it has no stop point"},
    DescrizioneCodice{kErroreLettura, "unreadable",
                      "a source text could not be read (a missing field, a field that is not a "
                      "number of its range, reading past the end, a text that cannot be opened "
                      "or deleted, or a record before the route length)",
                      O::kTestiSorgente, F::kNessuna,
                      "give the record every field, each a whole number of its range, and put "
                      "the route length first in [generale]"},
    DescrizioneCodice{kErroreTestoLineaAssente, "no-line-text", "no line source text in the folder",
                      O::kTestoLinea, F::kNessuna,
                      "put NAME_linea.txt, named after the line, into the folder"},
    DescrizioneCodice{kErroreSenzaGenerale, "no-generale",
                      "the line source text has no \"[generale]\" section", O::kTestoLinea,
                      F::kNessuna, "begin the line settings with the header [generale]"},
    DescrizioneCodice{
        kErroreCurva, "curve-class",
        "curve keyword without a class digit 1 to 6, or a curve reaching beyond 1000000 m",
        O::kTestoLinea, F::kNessuna,
        "end the curve keyword with its side and class (curvad6, curvas3) and keep curves "
        "within 1000000 m"},
    DescrizioneCodice{kErroreSlotTimbri, "reserved-slot-stamps",
                      "a reserved slot for the stamps is occupied", O::kSlotRiservati, F::kNessuna,
                      "place nothing at 0 m and no code-cut point at 50 m: route cell 1 is "
                      "reserved"},
    DescrizioneCodice{kErroreSlotCodiciGara, "reserved-slot-codes",
                      "a reserved slot for the competition codes is occupied", O::kSlotRiservati,
                      F::kNessuna,
                      "place nothing at 0 m and no code-cut point at 50 m: route cell 1 is "
                      "reserved"},
};

static_assert(std::is_sorted(kCodici.begin(), kCodici.end(),
                             [](const DescrizioneCodice& a, const DescrizioneCodice& b) {
                               return a.codice < b.codice;
                             }),
              "codes in ascending order");

}  // namespace

std::span<const DescrizioneCodice> codici_errore() { return kCodici; }

DescrizioneCodice descrivi_codice(int32_t codice) {
  const auto trovato =
      std::lower_bound(kCodici.begin(), kCodici.end(), codice,
                       [](const DescrizioneCodice& riga, int32_t c) { return riga.codice < c; });
  if (trovato != kCodici.end() && trovato->codice == codice) return *trovato;
  return {codice,          "unknown-code", "an error code this tool does not know",
          O::kSconosciuta, F::kNessuna,    ""};
}

bool codice_registrabile(int32_t codice) {
  const OrigineCodice origine = descrivi_codice(codice).origine;
  return origine != OrigineCodice::kSconosciuta && origine != OrigineCodice::kSlotRiservati;
}

}  // namespace scenario
