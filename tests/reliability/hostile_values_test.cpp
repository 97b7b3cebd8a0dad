// Values the source formats allow but no sane scenario writes: numbers at the
// edges of their fields, routes at and past the longest one, tables filled to
// the last entry, records at the grid's last cells, keywords in every letter
// case. Each compiles to a recorded error code or a clipped result inside the
// tables, never a crash (the sanitizer build runs these too).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "reliability/compile_texts.h"

namespace scenario {
namespace {

using namespace test;

// A route of 20000 m: cells 0 to 540; the last position a record may name is
// 50 * (540 - 2) = 26900.
constexpr int32_t kUltimaCella = 540;
constexpr const char* kUltimaPosizione = "26900";
constexpr const char* kOltreUltimaPosizione = "26950";

std::string ripeti(int volte, const std::function<std::string(int)>& riga) {
  std::string testo;
  for (int i = 0; i < volte; ++i) testo += riga(i) + "\r\n";
  return testo;
}

struct Caso {
  const char* nome = "";
  std::string linea = {};              // records of the line's route section
  std::string treno = {};              // records of the train text
  std::string lunghezza = "20000";     // the route length as written
  std::optional<int32_t> codice = {};  // the error code the compile must record
  std::function<void(const ProvaCompilazione&)> verifica = {};
};

void PrintTo(const Caso& caso, std::ostream* os) { *os << caso.nome; }

std::string testo_linea(const Caso& caso) {
  return "[generale]\r\nlunghezza percorso,    " + caso.lunghezza + "\r\n[curve]\r\n" + caso.linea +
         "[fine]\r\n";
}

std::string testo_treno(const Caso& caso) { return "[generale]\r\n" + caso.treno + "[fine]\r\n"; }

const CellaPercorso& cella(const ProvaCompilazione& p, int32_t i) {
  return p.tabelle.percorso.at(static_cast<size_t>(i));
}

// A station record with every field given; `tipo` and `campo` (the 4th
// field, a byte) are the ones the cases vary.
std::string stazione(const std::string& posizione, const std::string& tipo = "28",
                     const std::string& lunghezza = "100", const std::string& campo_4 = "0",
                     const std::string& sosta = "30", const std::string& nome = "FERMATA") {
  return "stazione, " + posizione + ", " + tipo + ", " + lunghezza + ", " + campo_4 +
         ", 0, 0,  0,0,0,  0,0,0, " + sosta + ", 17,30,0, " + nome;
}

std::string segnale(const std::string& posizione,
                    const std::string& campi = "1, 3, 4, 0, 0, 0, 0,0,0, 0") {
  return "segnale, " + posizione + ", " + campi;
}

class ValoriOstili : public ::testing::TestWithParam<Caso> {};

TEST_P(ValoriOstili, GiveARecordedCodeOrAClippedResultNeverACrash) {
  const Caso& caso = GetParam();
  const std::string linea = testo_linea(caso);
  const std::string treno = testo_treno(caso);
  ProvaCompilazione prova;
  const auto inizio = std::chrono::steady_clock::now();
  compila_testi({linea, treno}, &prova);
  const auto durata = std::chrono::steady_clock::now() - inizio;

  EXPECT_EQ(controlla_invarianti(prova), "");
  if (caso.codice) {
    EXPECT_EQ(prova.tabelle.codice_errore, *caso.codice);
  }
  if (caso.verifica) caso.verifica(prova);
  // Clipping means not walking the cells a record names outside the grid.
  EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(durata).count(), 20);
}

const Caso kCasi[] = {
    // The route length: the longest the format allows, one metre more, and
    // numbers at the ends of a 32-bit field.
    {.nome = "RouteOf1000000m",
     .lunghezza = "1000000",
     .codice = 0,
     .verifica =
         [](const ProvaCompilazione& p) {
           EXPECT_EQ(p.tabelle.ultima_cella, 20140);
           EXPECT_EQ(p.tabelle.lunghezza_tracciato, 1007000);
           EXPECT_EQ(p.risultato.esito, EsitoCompilazione::kCompletata);
           EXPECT_EQ(p.file_system.files().at(p.nomi.linea_compilata()).size(), 20u * 1007000 - 36);
         }},
    {.nome = "RouteOf1000001m",
     .lunghezza = "1000001",
     .codice = 1,
     .verifica =
         [](const ProvaCompilazione& p) {
           EXPECT_EQ(p.risultato.esito, EsitoCompilazione::kNessunaGriglia);
           // The procedure ended in the line phase: the train text was never opened.
           EXPECT_EQ(p.file_system.files().count(p.nomi.testo_treno()), 1u);
         }},
    {.nome = "RouteOfInt32Max", .lunghezza = "2147483647", .codice = 1},
    {.nome = "RouteOneBeyondInt32", .lunghezza = "2147483648", .codice = 25},
    {.nome = "RouteOfInt32Min", .lunghezza = "-2147483648"},
    {.nome = "RouteOfMinus7000LeavesOneCell", .lunghezza = "-7000"},
    {.nome = "RouteOfMinus6950LeavesTwoCells", .lunghezza = "-6950"},
    {.nome = "RouteOf0",
     .lunghezza = "0",
     .verifica = [](const ProvaCompilazione& p) { EXPECT_EQ(p.tabelle.ultima_cella, 140); }},

    // Byte fields take 0 to 255, int16 fields -32768 to 32767: one more is a
    // reading failure (25).
    {.nome = "StationKind255",
     .treno = stazione("1000", "255") + "\r\n",
     .codice = 0,
     .verifica = [](const ProvaCompilazione& p) { EXPECT_EQ(p.tabelle.registro[1].tipo, 255); }},
    {.nome = "StationKind256", .treno = stazione("1000", "256") + "\r\n", .codice = 25},
    {.nome = "StationByteFieldMinus1",
     .treno = stazione("1000", "28", "100", "-1") + "\r\n",
     .codice = 25},
    {.nome = "StationStopTime256",
     .treno = stazione("1000", "28", "100", "0", "256") + "\r\n",
     .codice = 25},
    {.nome = "ClockAtInt16Limits",
     .treno = "orologio,    32767 -32768 0\r\n",
     .codice = 0,
     .verifica =
         [](const ProvaCompilazione& p) {
           EXPECT_EQ(p.tabelle.registro[kVoceTreno].campo_10, 32767);
           EXPECT_EQ(p.tabelle.registro[kVoceTreno].campo_11, -32768);
         }},
    {.nome = "ClockHours32768", .treno = "orologio,    32768 0 0\r\n", .codice = 25},
    {.nome = "SandMinus32769", .treno = "sabbia,    -32769\r\n", .codice = 25},
    {.nome = "SpeedLimit1277FitsAByte",
     .treno = "velocita,       0,  1277\r\n",
     .codice = 0,
     .verifica = [](const ProvaCompilazione& p) { EXPECT_EQ(cella(p, 100).velocita_max, 255); }},
    {.nome = "SpeedLimit1278DoesNot", .treno = "velocita,       0,  1278\r\n", .codice = 25},
    {.nome = "AdhesionAndGradientKeepTheirLow8Bits",
     .linea = "pendenza,  0,   156\r\n",
     .treno = "aderenza,       0,   256\r\n",
     .codice = 0,
     .verifica =
         [](const ProvaCompilazione& p) {
           EXPECT_EQ(cella(p, 100).pendenza, 0);  // 156 + 100 = 256
           EXPECT_EQ(cella(p, 100).aderenza, 0);
         }},
    {.nome = "SignalFiguresBeyondInt16AndInt32",
     .treno = segnale("5000",
                      "2147483647, 2147483647, -2147483648, 2147483647, 2147483647, "
                      "2147483647, 2147483647, 2147483647, 2147483647, 2147483647") +
              "\r\n",
     .codice = 0,
     .verifica =
         [](const ProvaCompilazione& p) { EXPECT_EQ(cella(p, 101).tipo, TipoCella::kSegnale); }},
    {.nome = "SpeedBoardFiguresAtInt32Limits",
     .linea = "indicatori_vmax,  5000,  2147483647,  -2147483648,  2147483647,  2147483647,  "
              "-2147483648,  2147483647,  -2147483648,  2147483647\r\n",
     .codice = 0,
     .verifica =
         [](const ProvaCompilazione& p) {
           EXPECT_EQ(cella(p, 101).tipo, TipoCella::kIndicatoreVMax);
         }},

    // Positions at the ends of a 32-bit field and before the route's origin.
    {.nome = "SignalAtInt32Max", .treno = segnale("2147483647") + "\r\n", .codice = 15},
    {.nome = "SignalAtInt32Min", .treno = segnale("-2147483648") + "\r\n", .codice = 16},
    {.nome = "SignalAt0HasNoApproachCellsBeforeTheGrid",
     .treno = segnale("0") + "\r\n",
     .codice = 0,
     .verifica =
         [](const ProvaCompilazione& p) {
           EXPECT_EQ(cella(p, 1).tipo, TipoCella::kSegnale);
           // Its figures occupy the slot the compile step stamps.
           EXPECT_EQ(p.risultato.esito, EsitoCompilazione::kErrore1250);
         }},
    {.nome = "GradientAtInt32Max", .linea = "pendenza,  2147483647,   5\r\n", .codice = 15},
    {.nome = "NegativePositionsEverywhere",
     .linea = "pendenza,  -50,   5\r\nmontagna,   -2000,  -100,  11\r\n",
     .treno = "velocita,   -50,    30\r\naderenza,   -50,    80\r\nabbattimento,  -50,  5\r\n"},
    {.nome = "NegativeSpeedBoard",
     .linea = "indicatori_vmax,  -100,  70,  75,  75,  0,  ,  ,  ,  0\r\n",
     .codice = 21},
    {.nome = "NegativeBoard", .linea = "cartello_indicatore,  -100,   (PONTE)\r\n"},
    {.nome = "NegativeSlowdown",
     .treno = "rallentamento,   -1000,    30,  300, 1,  1,  1\r\n",
     .codice = 18},
    {.nome = "NegativeStation", .treno = stazione("-1000", "12", "800") + "\r\n", .codice = 24},
    {.nome = "NegativeCurve", .linea = "curvad6,  -5000,  100\r\n"},
    {.nome = "MountainOverTheWhole32BitRange",
     .linea = "montagna,   -2147483648,  2147483647,  12\r\n",
     .codice = 0,
     .verifica =
         [](const ProvaCompilazione& p) {
           EXPECT_EQ(cella(p, 0).montagna, 2);
           EXPECT_EQ(cella(p, kUltimaCella).montagna, 2);
         }},
    {.nome = "SlowdownLengthOverflowingPosition",
     .treno = "rallentamento,    5000,    30, 2147483647, 1,  0,  0\r\n",
     .codice = 19},

    // Tables filled to their last entry and beyond.
    {.nome = "EightyOneMountainStretches",
     .linea = ripeti(81,
                     [](int i) {
                       return "montagna,   " + std::to_string(1000 + 200 * i) + ",  " +
                              std::to_string(1050 + 200 * i) + ",  1";
                     }),
     .codice = 0,
     .verifica = [](const ProvaCompilazione& p) { EXPECT_EQ(p.tabelle.numero_montagne, 80); }},
    {.nome = "EightyLetteredBoards",
     .linea = ripeti(80,
                     [](int i) {
                       return "cartello_indicatore,  " + std::to_string(1000 + 100 * i) + ",   (B" +
                              std::to_string(i) + ")";
                     }),
     .codice = 0,
     .verifica =
         [](const ProvaCompilazione& p) {
           EXPECT_EQ(p.tabelle.registro[80].nome, "(B0)");
           EXPECT_EQ(p.tabelle.registro[1].nome, "(B79)");
         }},
    {.nome = "EightyOneLetteredBoards",
     .linea = ripeti(81,
                     [](int i) {
                       return "cartello_indicatore,  " + std::to_string(1000 + 100 * i) + ",   (B" +
                              std::to_string(i) + ")";
                     }),
     .verifica =
         [](const ProvaCompilazione& p) { EXPECT_EQ(p.tabelle.registro[1].nome, "(B79)"); }},
    {.nome = "StationsMeetTheBoards",  // 31 boards: stations fit in entries 1 to 47
     .linea = ripeti(31,
                     [](int i) {
                       return "cartello_indicatore,  " + std::to_string(20000 + 100 * i) +
                              ",   (B" + std::to_string(i) + ")";
                     }),
     .treno = ripeti(48, [](int i) { return stazione(std::to_string(500 * i)); }),
     .lunghezza = "30000",
     .codice = 10,
     .verifica =
         [](const ProvaCompilazione& p) {
           EXPECT_EQ(p.tabelle.registro[48].progressiva, 47 * 500);
           EXPECT_EQ(p.tabelle.registro[50].nome, "(B30)");
           EXPECT_EQ(p.tabelle.registro[49].nome, "");
         }},
    {.nome = "OneStationAfterEightyBoards",
     .linea = ripeti(80,
                     [](int i) {
                       return "cartello_indicatore,  " + std::to_string(1000 + 100 * i) + ",   (B" +
                              std::to_string(i) + ")";
                     }),
     .treno = stazione("500") + "\r\n",
     .codice = 10},
    {.nome = "BoardLetteringLongerThanATwoByteLength",
     .linea = "cartello_indicatore,  1000,   (" + std::string(70000, 'A') + ")\r\n",
     .codice = 0},

    // Records at the grid's last cells.
    {.nome = "SignalAtTheLastPosition",
     .treno = segnale(kUltimaPosizione) + "\r\n",
     .codice = 0,
     .verifica =
         [](const ProvaCompilazione& p) {
           EXPECT_EQ(cella(p, kUltimaCella - 1).tipo, TipoCella::kSegnale);
         }},
    {.nome = "SignalOneCellFurther",
     .treno = segnale(kOltreUltimaPosizione) + "\r\n",
     .codice = 15},
    {.nome = "SlowdownEndingBeyondTheGrid",
     .treno = "rallentamento,   " + std::string(kUltimaPosizione) + ",    30,  300, 1,  0,  0\r\n",
     .codice = 19},
    {.nome =
         "SlowSlowdownEndingOnTheLastCell",  // the search after its end must stop at the grid's end
     .treno = "rallentamento,   26000,    30,  950, 1,  0,  0\r\n",
     .verifica =
         [](const ProvaCompilazione& p) {
           EXPECT_EQ(cella(p, kUltimaCella).tipo, TipoCella::kFineRallentamento);
         }},
    {.nome = "LongStationReachingBeyondTheGrid",
     .treno = stazione("26200", "7", "100000") + "\r\n"},
    {.nome = "EveryRouteRecordAtTheLastPosition",
     .linea =
         "pendenza,  26900,   5\r\ncurvas6,  26900,  100000\r\nmontagna,   26900,  99999999,  11\r\n"
         "indicatori_vmax,  26850,  70,  75,  75,  0,  ,  ,  ,  0\r\n"
         "cartello_indicatore,  26900,   (FINE)\r\n",
     .treno =
         "velocita,   26900,    30\r\naderenza,   26900,    80\r\nabbattimento,  26800,  5\r\n"},
    {.nome = "ValueRecordsCrowdedIntoTheLastCell",
     .linea = ripeti(6, [](int) { return "pendenza,  26900,   5"; }),
     .treno = ripeti(6, [](int) { return "velocita,   26900,    30"; }) +
              ripeti(6, [](int) { return "aderenza,   26900,    80"; })},
    {.nome = "CurvePastThePlanViewsEnd",  // and past the millionth point, counted
     .linea = "curvad6,  1000,  2000000\r\n",
     .lunghezza = "1000",
     .codice = 103},
    {.nome = "CurvePastTheMillionthPoint",
     .linea = "curvad6,  0,  1006000\r\n",
     .lunghezza = "1000000",
     .codice = 103},

    // Reading past the end of a text, and a number that is not one.
    {.nome = "SignalCutShortByTheEndOfTheText", .treno = "segnale,    4500,   1\r\n", .codice = 25},
    {.nome = "LettersInANumber", .linea = "pendenza,  abc,   5\r\n", .codice = 25},
};

INSTANTIATE_TEST_SUITE_P(Casi, ValoriOstili, ::testing::ValuesIn(kCasi),
                         [](const auto& caso) { return std::string(caso.param.nome); });

// Every keyword in other letter cases. The line's words "tre", "due", "uno",
// "progressiva", "sfondo", "segnali" and "ripetizione" must stand in lower
// case; every other keyword is found in any case.
TEST(ParoleChiave, AreFoundInAnyCaseExceptTheLinesCaseSensitiveWords) {
  const std::string linea =
      "[generale]\r\n"
      "LUNGHEZZA Percorso,    20000\r\n"
      "Progressiva chilometrica uno,    100,    200,    0\r\n"
      "progressiva chilometrica DUE,    300,    400,    0\r\n"
      "progressiva chilometrica tre,    500,    600,    0\r\n"
      "SFONDO uno,    7\r\n"
      "sfondo Due,    8\r\n"
      "sfondo tre,    9\r\n"
      "RIPETIZIONE segnali 9 codici,    100    ,250\r\n"
      "[curve]\r\n"
      "CURVAD6,  2300,  300\r\n"
      "PENDENZA,  0,   7\r\n"
      "Montagna,   4700,  4900,  1\r\n"
      "INDICATORI_VMAX,  1150,  70,  75,  75,  0,  ,  ,  ,  0\r\n"
      "Cartello_INDICATORE,  4650,   (PONTE)\r\n"
      "[fine]\r\n";
  const std::string treno =
      "[generale]\r\n"
      "NUMERO VETTURE,    5\r\n"
      "percentuale MASSA Frenata,    110\r\n"
      "Sabbia,    100\r\n"
      "OROLOGIO,    17              22            0 \r\n"
      "ADERENZA,       0,    80\r\n"
      "Velocita,       0,    75\r\n"
      "STAZIONE,  1000,  12,  800,  0, 0, 0,  0,0,0,  0,0,0,   30,  17,30, 0, CAMPO\r\n"
      "RALLENTAMENTO,   10650,    30,  300, 1,  0,  0\r\n"
      "SEGNALE,    8000,   1, 3, 4,  0, 0,    0,  0,0,0, 0\r\n"
      "Abbattimento,  12000,  5\r\n"
      "[fine]\r\n";
  ProvaCompilazione prova;
  compila_testi({linea, treno}, &prova);
  ASSERT_EQ(controlla_invarianti(prova), "");
  const Scenario& t = prova.tabelle;
  EXPECT_EQ(t.ultima_cella, 540);
  // Only the kilometre reference written all in lower case is read.
  EXPECT_EQ(t.registro[kVoceProgressivaTre].inizio, 500);
  EXPECT_EQ(t.registro[kVoceProgressivaDue].inizio, 0);
  EXPECT_EQ(t.registro[kVoceProgressivaUno].inizio, 0);
  EXPECT_EQ(t.registro[kVoceLinea].inizio, 0);       // "SFONDO uno"
  EXPECT_EQ(t.registro[kVoceLinea].progressiva, 0);  // "sfondo Due"
  EXPECT_EQ(t.registro[kVoceLinea].fine, 9);         // "sfondo tre"
  EXPECT_EQ(t.registro[kVoceTreno].progressiva, 0);  // "RIPETIZIONE"
  EXPECT_EQ(t.registro[kVoceTreno].fine, 0);
  EXPECT_EQ(t.tracciato.x(2301), 0.003);   // "CURVAD6" turns right
  EXPECT_EQ(t.percorso[0].pendenza, 107);  // final fill of "PENDENZA"
  EXPECT_EQ(t.percorso[94].montagna, 1);   // "Montagna" 4700 to 4900: cells 94 to 97
  EXPECT_EQ(t.percorso[24].tipo, TipoCella::kIndicatoreVMax);
  EXPECT_EQ(t.percorso[94].tipo, TipoCella::kCartelloIndicatore);
  EXPECT_EQ(t.registro[kPrimoCartello].nome, "(PONTE)");

  EXPECT_EQ(t.registro[kVoceTrenoPercorso].progressiva, 5);
  EXPECT_EQ(t.registro[kVoceTrenoPercorso].inizio, 110);
  EXPECT_EQ(t.registro[kVoceTreno].campo_7, 100);
  EXPECT_EQ(t.registro[kVoceTreno].campo_10, 17);
  EXPECT_EQ(t.registro[kVoceTreno].campo_11, 22);
  EXPECT_EQ(t.percorso[0].aderenza, 80);
  EXPECT_EQ(t.percorso[0].velocita_max, 15);
  EXPECT_EQ(t.registro[1].nome, "CAMPO");
  EXPECT_EQ(t.percorso[214].tipo, TipoCella::kInizioRallentamento);
  EXPECT_EQ(t.percorso[161].tipo, TipoCella::kSegnale);
  EXPECT_EQ(t.percorso[240].tipo, TipoCella::kAbbattimentoConValore);
  EXPECT_EQ(t.codice_errore, 0);
}

}  // namespace
}  // namespace scenario
