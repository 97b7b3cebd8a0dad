#include "content/train_source.h"

#include <string_view>

namespace scenario {
namespace {

// Train 8312, a five-car local: 17.23 from BELFORTE SELVEN, 22 timed stops, 19.27 at
// MELAR. The timetable, limits and slowdowns are the ones on the train card and the
// slowdown order handed to the driver.
// clang-format off
constexpr std::string_view kRighe[] = {
    "[generale]",
    "numero vetture,    5",
    "percentuale massa frenata,    110",
    "sabbia,    100",
    "orologio,    17              22            0 ",

    // Adhesion from each position on: lower in the wet tunnels of the gorge.
    "[aderenze]",
    "aderenza,       0,    80",
    "aderenza,   11750,    75",
    "aderenza,   31000,    70",
    "aderenza,   45000,    80",
    "aderenza,   70000,    85",

    // The train's speed limits; the last one is the run on sight into the
    // buffer-stop track at MELAR, which the train card does not print.
    "[vel_limite]",
    "velocita,       0,    75",
    "velocita,    5950,    60",
    "velocita,    7550,    75",
    "velocita,   18000,    65",
    "velocita,   42000,    80",
    "velocita,   50000,    95",
    "velocita,   59500,   105",
    "velocita,   73000,   120",
    "velocita,   87500,   140",
    "velocita,   98950,    60",
    "velocita,   99800,    30",

    // Timetable: position, kind, length, flags A, values B and C, stop (s),
    // time (departure; arrival at MELAR; 0 where the train has no timed stop), name.
    "[stazioni]",
    "stazione,       0,  8,  300,  1, 0, 0,  4,1,0,  2,1,1,    1,  17,23, 0, BELFORTE SELVEN",
    "stazione,    6600, 12,  800,  1, 0, 0,  5,4,0,  4,1,1,   99,  17,35, 0, BELFORTE CENTRALE",
    "stazione,    9800, 28,  200,  0, 0, 0,  0,0,0,  0,0,0,   30,  17,39,30, SELVENA ALTA",
    "stazione,   17150, 22,  600,  0, 0, 1,  0,0,0,  4,1,1,   30,  17,51,30, VALDORNO",
    "stazione,   24400, 12,  600,  1, 0, 0,  3,1,0,  2,1,1,   60,  18, 0,30, ROCCAVIVA",
    "stazione,   28700, 24,  600,  0, 0, 1,  0,0,0,  2,1,0,   30,  18, 6,30, FORNACI D'ORNO",
    "stazione,   31500, 28,  200,  0, 0, 0,  0,0,0,  0,0,0,   30,  18,11, 0, CAMPORA",
    "stazione,   35200, 12,  700,  1, 0, 0,  4,1,0,  2,1,1,   60,  18,16,30, PIAN DEI LARICI-CERETTA",
    "stazione,   38600, 11,  600,  0, 0, 0,  3,4,0,  2,0,0,  110,   0, 0, 0, P.M. SAN ROCCO",
    "stazione,   41200, 28,  200,  0, 0, 0,  0,0,0,  0,0,0,   30,  18,24, 0, TORRICELLA",
    "stazione,   45500, 12,  700,  1, 0, 1,  5,1,0,  4,1,1,   99,  18,31,30, PONTEORNO",
    "stazione,   48800, 25,  200,  0, 0, 0,  0,0,0,  0,0,0,   30,  18,35,30, SAN MAURO ORNO",
    "stazione,   52100, 12,  600,  0, 0, 0,  1,1,0,  2,1,1,   60,  18,40,30, VILLA ORNANA",
    "stazione,   55300, 28,  200,  0, 0, 0,  0,0,0,  0,0,0,   30,  18,44, 0, CASCINE BRUSA",
    "stazione,   58400, 24,  600,  0, 0, 0,  0,0,0,  2,1,1,    0,   0, 0, 0, S.MARTINO D.PIANA",
    "stazione,   62500, 12,  600,  1, 0, 0,  4,4,0,  2,1,1,   60,  18,51, 0, CASALVERDE",
    "stazione,   66000, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,   30,  18,54,30, MOLINETTO",
    "stazione,   69400, 12,  600,  0, 0, 0,  1,1,0,  2,1,1,   30,  18,58, 0, BRENZANO",
    "stazione,   72800, 28,  200,  0, 0, 0,  0,0,0,  0,0,0,   30,  19, 1,30, CA' DEI PRATI",
    "stazione,   76000, 22,  600,  1, 0, 1,  0,0,0,  2,1,1,   30,  19, 5, 0, SANT'ANSELMO",
    "stazione,   79300, 25,  300,  0, 0, 0,  0,0,0,  0,0,0,   30,  19, 8,30, GORGHETTO",
    "stazione,   82500, 12,  600,  1, 0, 0,  4,1,0,  4,1,1,   60,  19,12,30, TORRE MELARESE",
    "stazione,   85800, 11,  800,  0, 0, 0,  3,1,0,  2,1,0,  115,   0, 0, 0, P.M. FONTANILE",
    "stazione,   89200, 24,  600,  0, 0, 0,  0,0,0,  2,0,1,   30,  19,17, 0, MOTTA DI MELAR",
    "stazione,   92600, 12,  600,  0, 0, 0,  1,1,0,  2,1,1,   30,  19,20, 0, SAN PROSPERO",
    "stazione,   96000, 12,  700,  1, 0, 1,  1,1,0,  2,1,1,   30,  19,23, 0, MELAR BORGO SAN ZENO",
    "stazione,  100000, 12,  500,  1, 0, 0,  1,1,0,  2,1,1,    0,  19,27, 0, MELAR",

    // Temporary slowdowns, as in the slowdown order: start, speed, length.
    "[rallentamenti]",
    "rallentamento,   10650,    30,  300, 1,  0,  0",
    "rallentamento,   22350,    65,   50, 1,  0,  0",
    "rallentamento,   23350,    30,  800, 1,  0,  0",
    "rallentamento,   42750,    65,  350, 1,  0,  0",
    "rallentamento,   60700,    75,  350, 1,  0,  0",

    // Signals: kind 1 is a distant signal, 900 to 1350 m before the home signal
    // (kind 2) of the next station; kind 2 also for the exit signals.
    "[segnali]",
    "segnale,     450,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,    4500,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,    5700,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "segnale,    7100,   2, 5, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   15200,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   16500,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "segnale,   17600,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   22650,   1, 3, 3,  0, 0,    0,  0,0,0, 0",
    "segnale,   23700,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "segnale,   24750,   2, 5, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   27000,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   28150,   2, 3, 4,  0, 0,    0,  0,0,0, 230",
    "segnale,   33300,   1, 4, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   34450,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "segnale,   36800,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   37950,   2, 2, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   43700,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   44750,   2, 3, 4,  0, 0,    0,  0,0,0, 235",
    "segnale,   46000,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   50300,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   51400,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "segnale,   56500,   1, 3, 3,  0, 0,    0,  0,0,0, 0",
    "segnale,   57700,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "segnale,   60600,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   61800,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "segnale,   62900,   2, 5, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   67500,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   68700,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "segnale,   74100,   1, 4, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   75300,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "segnale,   80600,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   81800,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "segnale,   83800,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   85000,   2, 2, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   87300,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   88500,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "segnale,   90700,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   91900,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "segnale,   94050,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   95250,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "segnale,   98100,   1, 5, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   99350,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "[codici]",
    "[fine]",
    kFineLista,
};
// clang-format on

}  // namespace

ListaRighe righe_treno() { return kRighe; }

}  // namespace scenario
