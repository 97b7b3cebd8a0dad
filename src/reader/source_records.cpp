#include "reader/source_records.h"

#include <array>

namespace scenario {
namespace {

using T = TipoCampo;
using Parole = std::span<const std::string_view>;

constexpr Parole kNessuna{};

// A record's position on the line: the reader refuses one beyond the grid.
constexpr std::string_view kPosizioneInGriglia =
    "multiple of 50; at most the route length + 6900 (error 15)";

// ---- the line source text ----

constexpr std::string_view kParoleLunghezza[] = {"lunghezza", "percorso"};
constexpr CampoRecord kCampiLunghezza[] = {
    {"lunghezza", T::kInt32, "m", "0 to 1000000 (error 1)",
     "route length: sizes the route grid (one cell per 50 m, 7000 m past the end) and the plan "
     "view; kept in registro entry 84 `fine`"},
};

constexpr std::string_view kParoleProgressivaUno[] = {"uno", "progressiva"};
constexpr std::string_view kParoleProgressivaDue[] = {"due", "progressiva"};
constexpr std::string_view kParoleProgressivaTre[] = {"tre", "progressiva"};
constexpr CampoRecord kCampiProgressiva[] = {
    {"inizio", T::kInt32, "m", "multiple of 50 (error 2)",
     "the kilometre sort puts the three references in order of it, largest first, into "
     "registro entries 81 to 83"},
    {"fine", T::kInt32, "m", "multiple of 50 (error 2)",
     "kept with its reference; 100 more when `progressiva` is 1"},
    {"progressiva", T::kInt32, "", "0 or 1", "kept with its reference"},
};

constexpr std::string_view kParoleSfondoUno[] = {"sfondo", "uno"};
constexpr std::string_view kParoleSfondoDue[] = {"sfondo", "due"};
constexpr std::string_view kParoleSfondoTre[] = {"sfondo", "tre"};
// The three backdrop settings go into registro entry 85 unchanged.
constexpr CampoRecord kCampiSfondo[] = {
    {"valore", T::kInt32, "", "any",
     "kept unchanged in registro entry 85: `inizio` for uno, `progressiva` for due, `fine` for "
     "tre"},
};

constexpr std::string_view kParoleRipetizione[] = {"segnali", "ripetizione"};
constexpr CampoRecord kCampiRipetizione[] = {
    {"inizio", T::kInt32, "m", "multiple of 50 (error 3)",
     "where the cab-signal repetition begins: registro entry 86 `inizio`"},
    {"fine", T::kInt32, "m", "multiple of 50 (error 4)",
     "where it ends: registro entry 86 `fine`; 0 turns the repetition off (code system 0)"},
};

constexpr std::string_view kParoleCurva[] = {"curva"};
constexpr CampoRecord kCampiCurva[] = {
    {"posizione", T::kInt32, "m", kPosizioneInGriglia,
     "the plan view runs straight up to this point, then turns"},
    {"lunghezza", T::kInt32, "m", "the curve may not reach past 1000000 m (error 103)",
     "the plan view turns for this many metres (cut at its end)"},
};

constexpr std::string_view kParolePendenza[] = {"pendenza"};
constexpr CampoRecord kCampiPendenza[] = {
    {"posizione", T::kInt32, "m", kPosizioneInGriglia,
     "the gradient holds from this position's cell up to the next gradient's"},
    {"pendenza", T::kInt32, "per mille", "-100 to 155 (kept in one byte)",
     "kept in every cell it holds for as the gradient plus 100 (100 = level)"},
};

constexpr std::string_view kParoleMontagna[] = {"montagna"};
constexpr CampoRecord kCampiMontagna[] = {
    {"inizio", T::kInt32, "m", kPosizioneInGriglia, "start of the stretch inside the mountain"},
    {"fine", T::kInt32, "m", "after `inizio`", "end of the stretch"},
    {"tipo", T::kInt32, "", "1 or 2; 11 or 12 for a marker every fourth cell",
     "the cells' mountain kind; 3 when the stretch begins at most 150 m after the previous "
     "one ends"},
};

constexpr std::string_view kParoleIndicatore[] = {"indicatori_v"};
constexpr CampoRecord kCampiIndicatore[] = {
    {"posizione", T::kInt32, "m", kPosizioneInGriglia,
     "the board takes the cell after its position (error 21 when taken)"},
    {"vas", T::kInt32, "km/h", "multiple of 5", "rank A speed: `valore_1` = vas x 20 + vad / 5"},
    {"vbs", T::kInt32, "km/h", "multiple of 5", "rank B speed: `valore_2` = vbs x 20 + vbd / 5"},
    {"vcs", T::kInt32, "km/h", "multiple of 5", "rank C speed: `valore_3` = vcs x 20 + vcd / 5"},
    {"strisces", T::kInt32, "", "0 to 9", "stripes: `valore_4` = strisces x 10 + strisced"},
    {"vad", T::kInt32, "km/h", "multiple of 5; usually empty (0)", "second rank A figure"},
    {"vbd", T::kInt32, "km/h", "multiple of 5; usually empty (0)", "second rank B figure"},
    {"vcd", T::kInt32, "km/h", "multiple of 5; usually empty (0)", "second rank C figure"},
    {"strisced", T::kInt32, "", "0 to 9", "second stripe figure"},
};

constexpr std::string_view kParoleCartello[] = {"cartello", "indicat"};
constexpr CampoRecord kCampiCartello[] = {
    {"posizione", T::kInt32, "m", kPosizioneInGriglia,
     "the board takes the cell after its position (error 6 when taken)"},
    {"scritta", T::kTesto, "", "no comma; groups \"(line)\", padded to one width",
     "the lettering, kept in the next free registro entry from 80 down (error 10 past the "
     "80th)"},
};

// ---- the train source text ----

constexpr std::string_view kParoleVetture[] = {"vetture"};
constexpr CampoRecord kCampiVetture[] = {
    {"numero", T::kInt32, "", "any", "number of cars: registro entry 84 `progressiva`"},
};

constexpr std::string_view kParoleMassa[] = {"frenata", "massa"};
constexpr CampoRecord kCampiMassa[] = {
    {"percentuale", T::kInt32, "%", "any", "braked-mass percentage: registro entry 84 `inizio`"},
};

constexpr std::string_view kParoleSabbia[] = {"sabbia"};
constexpr CampoRecord kCampiSabbia[] = {
    {"valore", T::kInt16, "", "-32768 to 32767", "kept unchanged in registro entry 86 `campo_7`"},
};

constexpr std::string_view kParoleOrologio[] = {"orologio"};
constexpr CampoRecord kCampiOrologio[] = {
    {"ore", T::kInt16, "h", "0 to 23", "clock at the start: registro entry 86 `campo_10`"},
    {"minuti", T::kInt16, "min", "0 to 59", "registro entry 86 `campo_11`"},
    {"secondi", T::kInt16, "s", "0 to 59", "registro entry 86 `campo_12`"},
};

constexpr std::string_view kParoleAderenza[] = {"aderenza"};
constexpr CampoRecord kCampiAderenza[] = {
    {"posizione", T::kInt32, "m", kPosizioneInGriglia,
     "the adhesion holds from this position's cell up to the next adhesion record's"},
    {"valore", T::kInt32, "", "0 to 255 (kept in one byte)",
     "kept in every cell it holds for; the first record's value also before it"},
};

constexpr std::string_view kParoleVelocita[] = {"velocit"};
constexpr CampoRecord kCampiVelocita[] = {
    {"posizione", T::kInt32, "m", kPosizioneInGriglia,
     "the limit holds from this position's cell up to the next limit's"},
    {"limite", T::kInt32, "km/h", "multiple of 5, 0 to 1275 (error 25 past 1277)",
     "kept in every cell it holds for, in units of 5 km/h; the first record's limit also "
     "before it"},
};

constexpr std::string_view kParoleStazione[] = {"stazione"};
constexpr CampoRecord kCampiStazione[] = {
    {"progressiva", T::kInt32, "m",
     "multiple of 50 (error 8); at most the route length + 6200 (error 15)",
     "the station's position: its entry's `progressiva`"},
    {"tipo", T::kByte, "", "0 to 255",
     "the station kind: sets its area and, below 25, its stop point and approach marks"},
    {"lunghezza", T::kInt32, "m", "multiple of 100 (error 9)",
     "the station's length: sets `inizio` and `fine` of its area"},
    {"campo_4", T::kByte, "", "0 to 255", "kept in `campo_4`"},
    {"campo_5", T::kByte, "", "0 to 255",
     "kept in `campo_5`; 0 for a station shorter than 600 m and for the first station"},
    {"campo_6", T::kByte, "", "0 to 255",
     "non-zero adds 50 m to the area's end (kinds other than 5 to 8); then kept in "
     "`campo_6` (0 for kinds 5 to 8 and for the first station)"},
    {"campo_7", T::kInt16, "", "-32768 to 32767", "kept in `campo_7`"},
    {"campo_8", T::kInt16, "", "-32768 to 32767", "kept in `campo_8`"},
    {"campo_9", T::kByte, "", "0 to 255", "kept in `campo_9`"},
    {"campo_10", T::kInt16, "", "-32768 to 32767", "kept in `campo_10`"},
    {"campo_11", T::kInt16, "", "-32768 to 32767", "kept in `campo_11`"},
    {"campo_12", T::kInt16, "", "-32768 to 32767", "kept in `campo_12`"},
    {"campo_13", T::kByte, "s", "0 to 255", "the stop time: kept in `campo_13`"},
    {"ore", T::kInt32, "h", "0 to 23",
     "scheduled time (departure; arrival at the terminal; 0:00:00 for none): `orario` = "
     "(ore x 60 + minuti) x 60 + secondi"},
    {"minuti", T::kInt32, "min", "0 to 59", "part of `orario`"},
    {"secondi", T::kInt32, "s", "0 to 59", "part of `orario`"},
    {"nome", T::kTesto, "", "no comma; the rest of the line", "the station's name: `nome`"},
};

constexpr std::string_view kParoleRallentamento[] = {"rallentamento"};
constexpr CampoRecord kCampiRallentamento[] = {
    {"x", T::kInt32, "m", kPosizioneInGriglia,
     "start: the cell after it (error 18 when taken); beyond 1500 m a warning board 1200 m "
     "before (error 17 when taken)"},
    {"v", T::kInt32, "km/h", "below 110 for the code-cut points inside it",
     "`valore_1` of the start, end and warning-board cells"},
    {"l", T::kInt32, "m", "multiple of 50",
     "length: the end is the cell after x + l (error 19 when taken)"},
    {"f_tt", T::kInt32, "", "any", "`valore_3` of the start and end cells"},
    {"f_ta", T::kInt32, "", "0 or 1",
     "non-zero marks the four cells before the warning board (error 20 when one is taken)"},
    {"d_v", T::kInt32, "", "any", "non-zero: `valore_2` of the slowdown's cells"},
};

constexpr std::string_view kParoleSegnale[] = {"segnale"};
constexpr CampoRecord kCampiSegnale[] = {
    {"posizione", T::kInt32, "m", kPosizioneInGriglia,
     "the signal takes the cell after its position (error 16 when taken); approach marks go "
     "100 to 400 m before it"},
    {"sx", T::kInt32, "", "1 or 2", "left kind: `valore_4` = rapp x 10 + sx x 3 + dx"},
    {"s1", T::kInt32, "", "0 to 9", "`valore_1` = s1 x 10 + d1"},
    {"s2", T::kInt32, "", "0 to 9", "`valore_2` = s2 x 10 + d2"},
    {"s3", T::kInt32, "", "0 to 9", "`valore_3` = s3 x 10 + d3"},
    {"rapp", T::kInt32, "", "small", "part of `valore_4`"},
    {"dx", T::kInt32, "", "0 to 2", "right kind: part of `valore_4` and of the approach marks"},
    {"d1", T::kInt32, "", "0 to 9", "part of `valore_1`"},
    {"d2", T::kInt32, "", "0 to 9", "part of `valore_2`"},
    {"d3", T::kInt32, "", "0 to 9", "part of `valore_3`"},
    {"tempo", T::kInt32, "", "0, or 101 to 255",
     "kept in `tempo_segnale` for a signal with sx 2 (1 to 100 become 101), else 0"},
};

constexpr std::string_view kParoleAbbattimento[] = {"abbattimento"};
constexpr CampoRecord kCampiAbbattimento[] = {
    {"posizione", T::kInt32, "m", kPosizioneInGriglia,
     "the code-cut point takes the cell that starts at its position (error 7 when taken)"},
    {"valore", T::kInt32, "", "-32768 to 32767",
     "above 0: a point with this value (kind 12); otherwise a point without one (kind 13)"},
};

using L = TestoSorgente;
using R = TipoRecord;

constexpr std::array kRecord = {
    RecordSorgente{R::kLunghezzaPercorso, L::kLinea, kSezioneGenerale, "lunghezza percorso",
                   kParoleLunghezza, kNessuna, "The route's length", kCampiLunghezza},
    RecordSorgente{R::kProgressivaUno, L::kLinea, kSezioneGenerale, "progressiva chilometrica uno",
                   kNessuna, kParoleProgressivaUno, "The first kilometre reference",
                   kCampiProgressiva},
    RecordSorgente{R::kProgressivaDue, L::kLinea, kSezioneGenerale, "progressiva chilometrica due",
                   kNessuna, kParoleProgressivaDue, "The second kilometre reference",
                   kCampiProgressiva},
    RecordSorgente{R::kProgressivaTre, L::kLinea, kSezioneGenerale, "progressiva chilometrica tre",
                   kNessuna, kParoleProgressivaTre, "The third kilometre reference",
                   kCampiProgressiva},
    RecordSorgente{R::kSfondoUno, L::kLinea, kSezioneGenerale, "sfondo uno", kNessuna,
                   kParoleSfondoUno, "The first backdrop setting", kCampiSfondo},
    RecordSorgente{R::kSfondoDue, L::kLinea, kSezioneGenerale, "sfondo due", kNessuna,
                   kParoleSfondoDue, "The second backdrop setting", kCampiSfondo},
    RecordSorgente{R::kSfondoTre, L::kLinea, kSezioneGenerale, "sfondo tre", kNessuna,
                   kParoleSfondoTre, "The third backdrop setting", kCampiSfondo},
    RecordSorgente{R::kRipetizioneSegnali, L::kLinea, kSezioneGenerale,
                   "ripetizione segnali 4 codici", kNessuna, kParoleRipetizione,
                   "The cab-signal repetition; the keyword names its code system, \"4\" or "
                   "\"9\" (error 5 with neither)",
                   kCampiRipetizione},
    RecordSorgente{R::kCurva, L::kLinea, "[curve]", "curvad6", kParoleCurva, kNessuna,
                   "A curve of the plan view, read only when the compiled line is written; the "
                   "keyword ends in its side (\"s\" anywhere in it turns left, else right) and "
                   "class 1 to 6 (error 103 without one)",
                   kCampiCurva},
    RecordSorgente{R::kPendenza, L::kLinea, "[pendenze]", "pendenza", kParolePendenza, kNessuna,
                   "A gradient", kCampiPendenza},
    RecordSorgente{R::kMontagna, L::kLinea, "[montagne]", "montagna", kParoleMontagna, kNessuna,
                   "A stretch inside the mountain (a tunnel)", kCampiMontagna},
    RecordSorgente{R::kIndicatoriVMax, L::kLinea, "[cartelli]", "indicatori_vmax",
                   kParoleIndicatore, kNessuna, "A speed board", kCampiIndicatore},
    RecordSorgente{R::kCartelloIndicatore, L::kLinea, "[indicazioni]", "cartello_indicatore",
                   kParoleCartello, kNessuna, "A lettered line-side board", kCampiCartello},
    RecordSorgente{R::kNumeroVetture, L::kTreno, kSezioneGenerale, "numero vetture", kParoleVetture,
                   kNessuna, "The train's number of cars", kCampiVetture},
    RecordSorgente{R::kMassaFrenata, L::kTreno, kSezioneGenerale, "percentuale massa frenata",
                   kParoleMassa, kNessuna, "The train's braked-mass percentage", kCampiMassa},
    RecordSorgente{R::kSabbia, L::kTreno, kSezioneGenerale, "sabbia", kParoleSabbia, kNessuna,
                   "The sand setting", kCampiSabbia},
    RecordSorgente{R::kOrologio, L::kTreno, kSezioneGenerale, "orologio", kParoleOrologio, kNessuna,
                   "The clock at the start of the run; blanks between the numbers end them as "
                   "commas do",
                   kCampiOrologio},
    RecordSorgente{R::kAderenza, L::kTreno, "[aderenze]", "aderenza", kParoleAderenza, kNessuna,
                   "The adhesion from a position on", kCampiAderenza},
    RecordSorgente{R::kVelocita, L::kTreno, "[vel_limite]", "velocita", kParoleVelocita, kNessuna,
                   "The train's speed limit from a position on", kCampiVelocita},
    RecordSorgente{R::kStazione, L::kTreno, "[stazioni]", "stazione", kParoleStazione, kNessuna,
                   "A timetable station, in timetable order into registro entries 1 upward",
                   kCampiStazione},
    RecordSorgente{R::kRallentamento, L::kTreno, "[rallentamenti]", "rallentamento",
                   kParoleRallentamento, kNessuna, "A temporary slowdown", kCampiRallentamento},
    RecordSorgente{R::kSegnale, L::kTreno, "[segnali]", "segnale", kParoleSegnale, kNessuna,
                   "A signal", kCampiSegnale},
    RecordSorgente{R::kAbbattimento, L::kTreno, "[codici]", "abbattimento", kParoleAbbattimento,
                   kNessuna, "A code-cut point", kCampiAbbattimento},
};

constexpr bool nell_ordine_dei_tipi() {
  for (size_t i = 0; i < kRecord.size(); ++i) {
    if (static_cast<size_t>(kRecord[i].tipo) != i) return false;
  }
  return true;
}
static_assert(nell_ordine_dei_tipi(), "one row per kind, in the order of TipoRecord");

constexpr bool campi_entro_il_massimo() {
  for (const RecordSorgente& record : kRecord) {
    if (record.campi.size() > kCampiMassimi) return false;
  }
  return true;
}
static_assert(campi_entro_il_massimo(), "kCampiMassimi bounds every record's fields");

}  // namespace

std::span<const RecordSorgente> record_sorgente() { return kRecord; }

const RecordSorgente& record_sorgente(TipoRecord tipo) {
  return kRecord[static_cast<size_t>(tipo)];
}

std::string_view nome_tipo_campo(TipoCampo tipo) {
  switch (tipo) {
    case TipoCampo::kInt32:
      return "int32";
    case TipoCampo::kInt16:
      return "int16";
    case TipoCampo::kByte:
      return "byte";
    case TipoCampo::kTesto:
      return "text";
  }
  return "";
}

}  // namespace scenario
