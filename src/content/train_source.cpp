#include "content/train_source.h"

#include <string_view>

namespace scenario {
namespace {

// Train 8312: 17.23 from BELFORTE SELVEN, 19.27 at MELAR.
// clang-format off
constexpr std::string_view kRighe[] = {
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
    kFineLista,
};
// clang-format on

}  // namespace

ListaRighe righe_treno() { return kRighe; }

}  // namespace scenario
