#include <string_view>

#include "base/line_list.h"
#include "documents/crew_documents.h"

namespace scenario {
namespace {

// The slowdown order (form M. 3) for train 8312: the five temporary slowdowns
// of the run, each between two neighbouring stations of the timetable. The
// table is typed with the capital letter O for the digit zero, as on the form.
// clang-format off
constexpr std::string_view kRighe[] = {
    "",
    " ",

    // Form number, title, line and the order to the driver.
    "                               Modulo M. 3",
    "                           ORDINE DI RALLENTAMENTO",
    " ________________________________________________________________________________",
    "  Linea  BELFORTE SELVEN-MELAR",
    "",
    "  Si ordina al macchinista del treno 8312 di effettuare i seguenti rallentamenti",

    // Table header.
    "  _______________________________________________________________________________",
    " |   |                            |Inizio dopo |          |         |            |",
    " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
    " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
    " |___|____________________________|____________|__________|_________|____________|",

    // The five slowdowns: number, stations, kilometre, speed, length, prescriptions.
    " |O1 |SELVENA ALTA-VALDORNO       |  89+35O    |   3O     |   3OO   |     A      |",
    " |O2 |VALDORNO-ROCCAVIVA          |  77+65O    |   65     |    5O   |    A-D     |",
    " |O3 |VALDORNO-ROCCAVIVA          |  76+65O    |   3O     |   8OO   |   A-B-D    |",
    " |O4 |TORRICELLA-PONTEORNO        |  57+25O    |   65     |   35O   |    A-D     |",
    " |O5 |S.MARTINO D.PIANA-CASALVERDE|  39+3OO    |   75     |   35O   |     A      |",

    // Room for further slowdowns, filled in by hand.
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |___|____________________________|____________|__________|_________|____________|",

    // The key to the prescriptions; B names the station slowdown O3 reaches into.
    "",
    "              Prescrizioni specifiche",
    " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
    " B - Interessa anche la stazione di ROCCAVIVA",
    " D - Avviso come da disposizioni varie localita' di servizio",
    " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
    "     i giorni esclusi i seguenti:.........                          ",
    kFineLista,
};
// clang-format on

}  // namespace

Status dati_rallentamenti(FileSystem& file_system, const NomiFile& nomi) {
  return scrivi_lista(file_system, nomi.rallentamenti(), kRighe);
}

}  // namespace scenario
