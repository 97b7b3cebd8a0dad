#include <string_view>

#include "base/line_list.h"
#include "documents/crew_documents.h"

namespace scenario {
namespace {

// The train card of train 8312 as the driver is handed it: the timetable sheet
// in the train's direction, kilometres counting down from BELFORTE SELVEN (km
// 99+986) to MELAR (km 0+000). A "+" after a time is half a minute more. The
// blanks after some right borders and after the first empty row are part of
// the sheet as it was typed.
// clang-format off
constexpr std::string_view kRighe[] = {
    "",
    "",

    // Title box, train number, from and to, rank and braked mass.
    "  ___________________                                               ______________",
    " |                   |                    SCHEDA TRENO             |              |",
    " |   TRENO n.8312    |                   da: BELFORTE SELVEN       |    V140 B    |",
    " |___________________|                    a: MELAR                 |     110%     |",
    "                                                                   |______________|",

    // Classification and locked mass.
    "  ___________________                ___________________",
    " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
    " |      LOCALE       |              |      400T         |",
    " |___________________|              |___________________|",
    "",

    // Timetable: limit, running speed, kilometre, place, times, recovery.
    "  _________________________________________________________________________________",
    " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
    " | Lim.|Marc.|          |  Rs |                            |                |     |",
    " |_____|_____|__________|_____|____________________________|________________|_____|",

    // Speed changes carry a limit; stops are followed by dots.
    " |  75 |  55 |   99+986 |     |BELFORTE SELVEN(SIMULATA)   |          17.23 |     |",
    " |  60 |  50 |   94+050 |     |sc.ingr. BELFORTE CENTRALE  |                |     | ",
    " |     |     |   93+586 |     |BELFORTE CENTRALE...........|17.30     17.35 |     |",
    " |  75 |     |   92+450 |     |cippo Km 92+450             |                |     |   ",
    " |     |     |   90+173 |     |SELVENA ALTA................|17.39     17.39+|     |",
    " |     |     |   86+790 |     |culmine                     |     17.46      |     |",
    " |     |     |   82+651 |     |VALDORNO....................|17.51     17.51+|     |",
    " |  65 |  55 |   82+000 |     |cippo Km 82+000             |                |     |            ",
    " |     |     |   75+542 |     |ROCCAVIVA...................|17.59+    18.00+|     |",
    " |     |     |   71+388 |     |FORNACI D'ORNO..............|18.06     18.06+|     |",
    " |     |     |   68+461 |     |CAMPORA.....................|18.10+    18.11 |     |",
    " |     |     |   64+727 |     |PIAN DEI LARICI-CERETTA.....|18.15+    18.16+|     |",
    " |     |     |   61+452 |     |P.M. SAN ROCCO              |     18.20      |     |",
    " |     |     |   58+762 |     |TORRICELLA..................|18.23+    18.24 |     |",
    " |  80 |  70 |   58+000 |     |cippo Km 58+000             |                |     |     ",
    " |     |     |   54+612 |     |PONTEORNO...................|18.28+    18.31+|  1  |",
    " |     |     |   51+237 |     |SAN MAURO ORNO..............|18.35     18.35+|     |",
    " |  95 |  85 |   50+000 |     |cippo Km 50+000             |                |     |",
    " |     |     |   47+816 |     |VILLA ORNANA................|18.39+    18.40+|     |",
    " |     |     |   44+733 |     |CASCINE BRUSA...............|18.43+    18.44 |     |",
    " |     |     |   41+580 |     |S.MARTINO D.PIANA           |     18.47      |     |",
    " | 105 |  95 |   40+500 |     |cippo Km 40+500             |                |     |  ",
    " |     |     |   37+396 |     |CASALVERDE..................|18.50     18.51 |     |",
    " |     |     |   33+914 |     |MOLINETTO...................|18.54     18.54+|     |",
    " |     |     |   30+688 |     |BRENZANO....................|18.57+    18.58 |     |",
    " |     |     |   27+163 |     |CA' DEI PRATI...............|19.01     19.01+|     |",
    " | 120 |     |   27+000 |     |cippo Km 27+000             |                |     |",
    " |     |     |   24+071 |     |SANT'ANSELMO................|19.04+    19.05 |     |",
    " |     |     |   20+748 |     |GORGHETTO...................|19.08     19.08+|     |",
    " |     |     |   17+455 |     |TORRE MELARESE..............|19.11+    19.12+|     |",
    " |     |     |   14+109 |     |P.M. FONTANILE              |     19.15      |     |",
    " | 140 | 120 |   12+500 |     |cippo Km 12+500             |                |     |       ",
    " |     |     |   10+874 |     |MOTTA DI MELAR..............|19.16+    19.17 |     |",
    " |     |     |    7+326 |     |SAN PROSPERO................|19.19+    19.20 |  1  |",
    " |     |     |    4+058 |     |MELAR BORGO SAN ZENO........|19.22+    19.23 |     |",
    " |  60 |     |    1+050 |     |dev.ing. MELAR              |                |     |",
    " |     |     |    0+000 |     |MELAR                       |19.27           |  2+ |",

    // Two empty rows, the bottom border with its caption, a single blank.
    " |     |     |          |     |                            |                |     | ",
    " |     |     |          |     |                            |                |     |",
    " |_____|_____|__________|_____|TRATTO DA UN FOGLIO DI VIAGGIO DEL 1982-83___|_____|",
    " ",
    kFineLista,
};
// clang-format on

}  // namespace

Status dati_scheda(FileSystem& file_system, const NomiFile& nomi) {
  return scrivi_lista(file_system, nomi.scheda_treno(), kRighe);
}

}  // namespace scenario
