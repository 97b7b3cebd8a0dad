#include "check_command.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/memory_file_system.h"
#include "content/builtin_content.h"
#include "content/source_texts.h"
#include "exit_codes.h"
#include "reader/error_codes.h"
#include "source_warnings.h"
#include "util/tool_texts_test_util.h"

namespace scenario {
namespace {

// The package's own texts in the folder "autore", as export writes them.
const NomiFile& nomi() {
  static const NomiFile kNomi = contenuto_incorporato().nomi_in("autore");
  return kNomi;
}

struct Testi {
  std::string linea;
  std::string treno;
};

const Testi& testi_pacchetto() {
  static const Testi kTesti = [] {
    MemoryFileSystem fs;
    EXPECT_TRUE(dati_linea(fs, nomi()).ok());
    EXPECT_TRUE(dati_treno(fs, nomi()).ok());
    return Testi{fs.files().at(nomi().testo_linea()), fs.files().at(nomi().testo_treno())};
  }();
  return kTesti;
}

OpzioniControllo opzioni() {
  OpzioniControllo o;
  o.cartella = "autore";
  o.nome_linea = nomi().nome_linea;
  o.numero_treno = nomi().numero_treno;
  return o;
}

MemoryFileSystem cartella(const Testi& testi) {
  MemoryFileSystem fs;
  fs.files()[nomi().testo_linea()] = testi.linea;
  fs.files()[nomi().testo_treno()] = testi.treno;
  return fs;
}

EsitoControllo controlla(const Testi& testi, const OpzioniControllo& o = opzioni()) {
  MemoryFileSystem fs = cartella(testi);
  return controlla_cartella(fs, o);
}

// The line (from 1) of `testo` on which `brano` begins; 0 when it is absent.
int32_t riga_di(const std::string& testo, std::string_view brano) {
  const size_t i = testo.find(brano);
  if (i == std::string::npos) return 0;
  return 1 + static_cast<int32_t>(
                 std::count(testo.begin(), testo.begin() + static_cast<long>(i), '\n'));
}

enum class Testo : uint8_t { kLinea, kTreno };

// One everyday edit of the exported texts, and what check says of it first
// (in the order of the texts): the text and the line (the line where
// `riga` stands in the edited text; the edit's own when `riga` is empty),
// the column, the severity and the id; and how many diagnostics in all.
struct Modifica {
  const char* nome;
  Testo testo;
  std::string da;
  std::string a;
  Testo dove;
  std::string riga;
  int32_t colonna;
  Gravita gravita;
  std::string id;
  size_t quante = 1;
};

constexpr Testo L = Testo::kLinea;
constexpr Testo T = Testo::kTreno;
constexpr Gravita E = Gravita::kErrore;
constexpr Gravita W = Gravita::kAvviso;

const std::string kSegnale7100 = "segnale,    7100,   2, 5, 0,  0, 0,    0,  0,0,0, 0\r\n";

const Modifica kModifiche[] = {
    // Misspelt keywords: the reader passes the record over without a word.
    {"stazone", T, "stazione,    6600", "stazone,    6600", T, "", 1, W, "unknown-keyword"},
    {"segnal", T, "segnale,    4500", "segnal,    4500", T, "", 1, W, "unknown-keyword"},
    {"rallentamneto", T, "rallentamento,   10650", "rallentamneto,   10650", T, "", 1, W,
     "unknown-keyword"},
    {"curvd6", L, "curvad6,  2300", "curvd6,  2300", L, "", 1, W, "unknown-keyword"},
    {"pendenze", L, "pendenza,  2100", "pendenze,  2100", L, "", 1, W, "unknown-keyword"},
    {"montagan", L, "montagna,   4700", "montagan,   4700", L, "", 1, W, "unknown-keyword"},
    {"indicator_vmax", L, "indicatori_vmax,  1150", "indicator_vmax,  1150", L, "", 1, W,
     "unknown-keyword"},
    {"aderenze as a keyword", T, "aderenza,   11750", "aderenze,   11750", T, "", 1, W,
     "unknown-keyword"},
    {"orologgio", T, "orologio,", "orologgio,", T, "", 1, W, "unknown-keyword"},
    {"a train keyword in the line text", L, "pendenza,  2100", "segnale,  2100", L, "", 1, W,
     "unknown-keyword"},
    {"kilometre reference with a capital", L, "progressiva chilometrica uno",
     "Progressiva chilometrica uno", L, "", 1, W, "unknown-keyword"},
    {"a hyphen in the keyword", T, "segnale,    5700", "segnale-bis,    5700", T, "", 1, W,
     "unknown-keyword"},
    {"keyword that lost its comma", T, "segnale,    5700", "segnale    5700", T, "segnale    5700",
     1, W, "missing-comma", 2},

    // Section headers.
    {"header typo", L, "[curve]", "[curvee]", L, "", 1, W, "unknown-section"},
    {"a train header in the line text", L, "[montagne]", "[segnali]", L, "", 1, W,
     "unknown-section"},
    {"header holding a keyword", L, "[pendenze]", "[pendenza]", L, "", 11, E, "unreadable"},
    {"train header holding a keyword", T, "[stazioni]", "[stazione]", T, "", 11, E, "unreadable"},
    {"record before [generale]", T, "[generale]\r\n", "numero vetture,  4\r\n[generale]\r\n", T,
     "numero vetture,  4", 1, W, "before-generale"},
    {"train text without [generale]", T, "[generale]", "[generali]", T, "[generali]", 1, W,
     "train-no-generale"},
    {"[fine] dropped from the train text", T, "[codici]\r\n[fine]\r\n", "[codici]\r\n", T,
     "[codici]", 1, W, "missing-fine"},
    {"[fine] dropped from the line text", L, "\r\n[fine]\r\n", "\r\n", L,
     "cartello_indicatore,  43000", 1, W, "missing-fine"},

    // Records short of fields, or with a field that is no number.
    {"signal without its time", T, "0,0,0, 0\r\nsegnale,    5700", "0,0,0\r\nsegnale,    5700", T,
     "segnale,    4500", 49, E, "unreadable"},
    {"speed board without its stripes", L,
     "indicatori_vmax,  98950,  60,  60,  60,  0,  ,  ,  ,  0",
     "indicatori_vmax,  98950,  60,  60,  60,  0,  ,  ,  ", L, "indicatori_vmax,  98950", 50, E,
     "unreadable"},
    {"clock without seconds", T, "22            0 ", "22", T, "orologio", 32, E, "unreadable"},
    {"station without its seconds", T, "17,23, 0, BELFORTE SELVEN", "17,23, BELFORTE SELVEN", T, "",
     70, E, "unreadable"},
    {"typo in the route length", L, "100000\r\n", "10O000\r\n", L, "lunghezza", 24, E,
     "unreadable"},
    {"letters for the sand", T, "sabbia,    100", "sabbia,    cento", T, "", 12, E, "unreadable"},
    {"semicolons for commas", T, "segnale,    5700,   2, 2, 3,", "segnale;    5700;   2; 2; 3,", T,
     "", 1, W, "missing-comma", 2},
    {"station kind past a byte", T, "stazione,    9800, 28,", "stazione,    9800, 280,", T, "", 20,
     E, "unreadable"},
    {"speed limit too high for its byte", T, "velocita,    5950,    60",
     "velocita,    5950,    1300", T, "", 23, E, "unreadable"},

    // Positions.
    {"signal before the route's start", T, "segnale,    4500,", "segnale,    -4500,", T, "", 13, E,
     "signal-cell-taken"},
    {"slowdown before the route's start", T, "rallentamento,   10650", "rallentamento,   -500", T,
     "", 18, E, "slowdown-start-cell-taken"},
    {"gradient before the route's start", L, "pendenza,  2100", "pendenza,  -2100", L, "", 12, W,
     "before-route-start", 2},
    {"signal beyond the grid", T, "segnale,   99350", "segnale,   109350", T, "", 12, E,
     "outside-grid"},
    {"station beyond the grid", T, "stazione,  100000", "stazione,  107000", T, "", 12, E,
     "outside-grid"},
    {"signal past the route's end", T, "segnale,   99350", "segnale,   103350", T, "", 12, W,
     "past-route-end"},
    {"tunnel ending past the route's end", L, "montagna,   67400,  67850",
     "montagna,   67400,  167850", L, "", 21, W, "past-route-end"},
    {"slowdown ending past the route's end", T, "rallentamento,   60700,    75,  350",
     "rallentamento,   99700,    25,  3500", T, "", 33, W, "past-route-end"},
    {"signal off a 50 m mark", T, "segnale,    5700", "segnale,    5725", T, "", 13, W,
     "not-multiple-of-50"},
    {"signals out of order", T, "segnale,    5700", "segnale,    3700", T, "", 13, W,
     "out-of-order"},
    {"two gradients at one place", L, "pendenza,  2100", "pendenza,  0", L, "pendenza,  0,   20",
     12, W, "out-of-order"},
    {"curve overlapping the one before", L, "curvas6,  2600,  150", "curvas6,  2500,  150", L, "",
     11, W, "out-of-order"},
    {"adhesion list starting late", T, "aderenza,       0,    80", "aderenza,     500,    80", T,
     "", 15, W, "list-start"},

    // Cells taken.
    {"two signals on one cell", T, "segnale,    5700", "segnale,    4500", T,
     "segnale,    4500,   2", 13, E, "signal-cell-taken"},
    {"lettered board on a speed board", L, "cartello_indicatore,  4650",
     "cartello_indicatore,  1150", L, "", 23, E, "board-cell-taken"},
    {"slowdown start on a speed board", T, "rallentamento,   10650", "rallentamento,   1150", T, "",
     18, E, "slowdown-start-cell-taken"},
    {"slowdown end on a speed board", T, "10650,    30,  300", "5000,    30,  950", T,
     "5000,    30", 32, E, "slowdown-end-cell-taken"},
    {"signal on a slowdown's start", T, "segnale,    5700", "segnale,   10650", T, "", 12, E,
     "signal-cell-taken"},
    {"code-cut point on a signal", T, "[codici]\r\n", "[codici]\r\nabbattimento,   4550,   5\r\n",
     T, "abbattimento", 17, E, "code-cut-cell-taken"},
    {"reserved cell 1", T, "segnale,     450", "segnale,       0", T, "", 16, E,
     "reserved-slot-stamps"},
    {"no room before a slowdown", T, kSegnale7100,
     kSegnale7100 + "segnale,   10300,   1, 3, 4,  0, 0,    0,  0,0,0, 0\r\n"
                    "segnale,   10350,   1, 3, 4,  0, 0,    0,  0,0,0, 0\r\n"
                    "segnale,   10400,   1, 3, 4,  0, 0,    0,  0,0,0, 0\r\n",
     T, "rallentamento,   10650", 18, E, "no-room-before-slowdown"},

    // Stations.
    {"station off a 50 m mark", T, "stazione,    9800", "stazione,    9825", T, "", 14, E,
     "station-position"},
    {"station length not in hundreds", T, "9800, 28,  200", "9800, 28,  250", T, "9800, 28", 25, E,
     "station-length"},
    {"stations too close", T, "stazione,    9800", "stazione,    7200", T, "", 14, E,
     "stations-too-close"},
    {"station time going backwards", T, "17,39,30, SELVENA", "17,29,30, SELVENA", T, "SELVENA", 63,
     W, "time-backwards"},
    {"station minute 75", T, "17,39,30, SELVENA", "17,75,30, SELVENA", T, "SELVENA", 66, W,
     "clock-range", 2},
    {"station hour 24", T, "19,27, 0, MELAR\r\n", "24,27, 0, MELAR\r\n", T, "24,27, 0, MELAR", 63,
     W, "clock-range"},
    {"clock 27:75", T, "orologio,    17              22", "orologio,    27              75", T, "",
     14, W, "clock-range", 2},
    {"two stations of one name", T, "SELVENA ALTA", "VALDORNO", T, "stazione,   17150", 73, W,
     "station-name"},
    {"station without a name", T, "17,39,30, SELVENA ALTA", "17,39,30,", T, "17,39,30,", 72, W,
     "station-name"},
    {"station name longer than the card's column", T, "SELVENA ALTA",
     "SELVENA ALTA SUPERIORE E INFERIORE", T, "SELVENA ALTA", 73, W, "station-name"},
    {"station name as long as the card's column", T, "SELVENA ALTA", "SELVENA ALTA SUPERIORE E INF",
     T, "", 0, W, "", 0},

    // The line.
    {"route length too long", L, "lunghezza percorso,    100000", "lunghezza percorso,    2000000",
     L, "", 24, E, "route-length"},
    {"line text without [generale]", L, "[generale]", "[general]", L, "[general]", 0, E,
     "no-generale"},
    {"curve class missing", L, "curvad6,  2300", "curvad,  2300", L, "", 1, E, "curve-class"},
    {"curve that winds into a ring", L, "curvad6,  2300,  300", "curvad6,  2300,  30000", L, "", 18,
     W, "curve-length", 2},
    {"curve of negative length", L, "curvad6,  2300,  300", "curvad6,  2300,  -300", L, "", 18, W,
     "curve-length"},
    {"curve of no length", L, "curvad6,  2300,  300", "curvad6,  2300,  0", L, "", 18, W,
     "curve-length"},
    {"tunnel ending before it begins", L, "montagna,   4700,  4900", "montagna,   4900,  4700", L,
     "", 20, W, "length"},
    {"gradient of 80 per mille", L, "pendenza,  2100,   20", "pendenza,  2100,   80", L, "", 20, W,
     "steep-gradient"},
    {"gradient of -80 per mille", L, "pendenza,  2100,   20", "pendenza,  2100,   -80", L, "", 20,
     W, "steep-gradient"},
    {"repetition start off a 50 m mark", L, "codici,    0    ,0", "codici,    120    ,0", L,
     "ripetizione", 34, E, "repetition-start"},
    {"repetition without its code system", L, "ripetizione segnali 4 codici",
     "ripetizione segnali codici", L, "", 1, E, "repetition-system"},
    {"kilometre reference off a 50 m mark", L, "uno,    0,    100000", "uno,    0,    100025", L,
     "progressiva chilometrica uno", 40, E, "kilometre-reference"},

    // Slowdowns.
    {"slowdown faster than the limit", T, "rallentamento,   10650,    30",
     "rallentamento,   10650,    90", T, "", 28, W, "slowdown-speed"},
    {"slowdown of no length", T, "10650,    30,  300", "10650,    30,    0", T, "10650,", 35, W,
     "length"},

    // Edits that are fine.
    {"keyword in capitals", T, "stazione,    6600", "STAZIONE,    6600", T, "", 0, W, "", 0},
    {"a line of dashes", L, "[curve]\r\n", "[curve]\r\n----------\r\n", L, "", 0, W, "", 0},
    {"an empty line", T, "[segnali]\r\n", "[segnali]\r\n\r\n", T, "", 0, W, "", 0},
    {"clock with commas", T, "orologio,    17              22            0 ",
     "orologio,    17, 22, 0", T, "", 0, W, "", 0},
};

TEST(Controllo, ThePackagesOwnTextsGiveNothing) {
  const EsitoControllo esito = controlla(testi_pacchetto());
  EXPECT_EQ(esito.errori, 0);
  EXPECT_EQ(esito.avvisi, 0);
  EXPECT_EQ(esito.esito, kEsitoRiuscito);
  EXPECT_EQ(esito.giri, 1);
}

TEST(Controllo, FindsEachEverydayMistakeWhereItIs) {
  for (const Modifica& m : kModifiche) {
    SCOPED_TRACE(m.nome);
    Testi testi = testi_pacchetto();
    std::string& modificato = m.testo == L ? testi.linea : testi.treno;
    const size_t i = modificato.find(m.da);
    ASSERT_NE(i, std::string::npos);
    modificato.replace(i, m.da.size(), m.a);

    const EsitoControllo esito = controlla(testi);
    ASSERT_EQ(esito.diagnostiche.size(), m.quante);
    if (m.quante == 0) {
      EXPECT_EQ(esito.esito, kEsitoRiuscito);
      continue;
    }
    const Diagnostica& d = esito.diagnostiche.front();
    const std::string& testo = m.dove == L ? testi.linea : testi.treno;
    EXPECT_EQ(d.file, m.dove == L ? nomi().testo_linea() : nomi().testo_treno());
    if (m.colonna == 0) {
      EXPECT_FALSE(d.riga.has_value());  // the text as a whole
    } else {
      EXPECT_EQ(d.riga, riga_di(testo, m.riga.empty() ? m.a : m.riga));
      EXPECT_EQ(d.colonna, m.colonna);
    }
    EXPECT_EQ(d.gravita, m.gravita);
    EXPECT_EQ(d.id, m.id) << d.messaggio;
    EXPECT_FALSE(d.rimedio.empty());
    if (m.quante == 1) {
      EXPECT_EQ(esito.esito, m.gravita == E ? kEsitoErroreCodice : kEsitoRiuscito);
    }
  }
}

// The messages say the cause in the author's words.
TEST(Controllo, SaysTheCauseInTheAuthorsWords) {
  const struct {
    Testo testo;
    std::string da;
    std::string a;
    std::string messaggio;
  } casi[] = {
      {T, "stazione,    6600", "stazone,    6600",
       "\"stazone\" is no keyword of the train text: the reader passes its line over; did you "
       "mean \"stazione\"?"},
      {L, "[curve]", "[curvee]",
       "\"[curvee]\" is no section of the line text; did you mean \"[curve]\"?"},
      {T, "segnale,    4500,", "segnale,    -4500,",
       "signal at -4500 m lies before the route's start"},
      {T, "0,0,0, 0\r\nsegnale,    5700", "0,0,0\r\nsegnale,    5700",
       "the segnale record is short of fields: \"tempo\" (field 11) is missing, and the reader took "
       "\"segnale\" from line 61, column 1 in its place, which is not a whole number"},
      {T, "velocita,    5950,    60", "velocita,    5950,    1300",
       "\"limite\" (field 2) of the velocita record: \"1300\" does not fit a byte in units of 5 "
       "km/h (0 to 1277 km/h)"},
      {L, "progressiva chilometrica uno", "Progressiva chilometrica uno",
       "\"Progressiva chilometrica uno\" is no keyword of the line text: the reader passes its "
       "line over; write it \"progressiva chilometrica uno\", in lower case"},
      {T, "rallentamento,   10650,    30", "rallentamento,   10650,    90",
       "slowdown at 90 km/h where the train's limit is 75 km/h"},
  };
  for (const auto& caso : casi) {
    SCOPED_TRACE(caso.a);
    Testi testi = testi_pacchetto();
    std::string& modificato = caso.testo == L ? testi.linea : testi.treno;
    modificato.replace(modificato.find(caso.da), caso.da.size(), caso.a);
    const EsitoControllo esito = controlla(testi);
    ASSERT_FALSE(esito.diagnostiche.empty());
    EXPECT_EQ(esito.diagnostiche.front().messaggio, caso.messaggio);
  }
}

// Past an error the check reads on: every error of both texts in one run,
// in the order of the texts.
TEST(Controllo, GoesOnPastEachErrorAndWritesNothing) {
  Testi testi = testi_pacchetto();
  testi.linea =
      test::sostituisci(testi.linea, "cartello_indicatore,  4650", "cartello_indicatore,  1150");
  testi.linea = test::sostituisci(testi.linea, "[curve]", "[curvee]");
  testi.treno = test::sostituisci(testi.treno, "segnale,    4500,", "segnale,    -4500,");
  testi.treno = test::sostituisci(testi.treno, "stazione,    9800", "stazione,    9825");
  testi.treno = test::sostituisci(testi.treno, "rallentamento,   10650,    30",
                                  "rallentamento,   10650,    90");
  MemoryFileSystem fs = cartella(testi);
  const std::map<std::string, std::string> prima = fs.files();
  const EsitoControllo esito = controlla_cartella(fs, opzioni());
  EXPECT_EQ(fs.files(), prima);

  std::vector<std::pair<std::string, int32_t>> trovate;
  for (const Diagnostica& d : esito.diagnostiche) trovate.emplace_back(d.id, d.riga.value_or(0));
  EXPECT_EQ(trovate, (std::vector<std::pair<std::string, int32_t>>{{"unknown-section", 10},
                                                                   {"board-cell-taken", 423},
                                                                   {"station-position", 27},
                                                                   {"slowdown-speed", 53},
                                                                   {"signal-cell-taken", 60}}));
  EXPECT_EQ(esito.errori, 3);
  EXPECT_EQ(esito.avvisi, 2);
  EXPECT_EQ(esito.giri, 4);  // one error a round, then a round that finds none
  EXPECT_EQ(esito.esito, kEsitoErroreCodice);
}

// An error that leaves no route grid ends the search: nothing after it can
// be judged.
TEST(Controllo, StopsAtAnErrorThatLeavesNoGrid) {
  Testi testi = testi_pacchetto();
  testi.linea = test::sostituisci(testi.linea, "lunghezza percorso,    100000",
                                  "lunghezza percorso,    2000000");
  testi.treno = test::sostituisci(testi.treno, "stazione,    9800", "stazione,    9825");
  const EsitoControllo esito = controlla(testi);
  ASSERT_EQ(esito.diagnostiche.size(), 1u);
  EXPECT_EQ(esito.diagnostiche[0].id, "route-length");
  EXPECT_EQ(esito.giri, 1);
}

// A route cut short leaves most records beyond the grid, one error a round:
// the rounds are capped, and the report says so.
TEST(Controllo, CapsItsRoundsAndSaysSo) {
  Testi testi = testi_pacchetto();
  testi.linea = test::sostituisci(testi.linea, "lunghezza percorso,    100000",
                                  "lunghezza percorso,    1000");
  MemoryFileSystem fs = cartella(testi);
  std::ostringstream out, err;
  EXPECT_EQ(comando_check(fs, opzioni(), out, err), kEsitoErroreCodice);
  const EsitoControllo esito = controlla(testi);
  EXPECT_EQ(esito.giri, kGiriMassimi);
  EXPECT_TRUE(esito.giri_esauriti);
  EXPECT_NE(out.str().find("check stopped after 50 compiles"), std::string::npos) << out.str();
}

TEST(Controllo, PrintsEachDiagnosticWithItsHintAndTheCount) {
  Testi testi = testi_pacchetto();
  testi.treno = test::sostituisci(testi.treno, "stazione,    6600", "stazone,    6600");
  testi.treno = test::sostituisci(testi.treno, "stazione,    9800", "stazione,    9825");
  MemoryFileSystem fs = cartella(testi);
  std::ostringstream out, err;
  EXPECT_EQ(comando_check(fs, opzioni(), out, err), kEsitoErroreCodice);
  const std::string treno = nomi().testo_treno();
  EXPECT_EQ(out.str(),
            treno +
                ":26:1: warning: [unknown-keyword] \"stazone\" is no keyword of the train "
                "text: the reader passes its line over; did you mean \"stazione\"?\n"
                "    hint: write the keyword as the format reference gives it\n" +
                treno +
                ":27:14: error: [station-position] station position is not a multiple "
                "of 50 at 9825 m (error 8)\n"
                "    hint: put the station on a multiple of 50 m\n"
                "1 error, 1 warning\n");
  EXPECT_EQ(err.str(), "");

  // --json: one object; a warning has no code, an error its number.
  OpzioniControllo o = opzioni();
  o.json = true;
  std::ostringstream jout, jerr;
  EXPECT_EQ(comando_check(fs, o, jout, jerr), kEsitoErroreCodice);
  const nlohmann::json j = nlohmann::json::parse(jout.str());
  EXPECT_EQ(j["errors"], 1);
  EXPECT_EQ(j["warnings"], 1);
  ASSERT_EQ(j["diagnostics"].size(), 2u);
  EXPECT_EQ(j["diagnostics"][0],
            (nlohmann::json{{"file", treno},
                            {"line", 26},
                            {"column", 1},
                            {"severity", "warning"},
                            {"id", "unknown-keyword"},
                            {"code", nullptr},
                            {"message",
                             "\"stazone\" is no keyword of the train text: the reader passes its "
                             "line over; did you mean \"stazione\"?"},
                            {"hint", "write the keyword as the format reference gives it"}}));
  EXPECT_EQ(j["diagnostics"][1]["code"], 8);
  EXPECT_EQ(j["diagnostics"][1]["severity"], "error");
}

// Exit statuses: warnings alone pass, unless --werror; a text that cannot
// be read is 2.
TEST(Controllo, ExitStatus) {
  Testi avvisi = testi_pacchetto();
  avvisi.treno = test::sostituisci(avvisi.treno, "stazione,    6600", "stazone,    6600");
  OpzioniControllo werror = opzioni();
  werror.werror = true;
  EXPECT_EQ(controlla(avvisi).esito, kEsitoRiuscito);
  EXPECT_EQ(controlla(avvisi, werror).esito, kEsitoErroreCodice);
  EXPECT_EQ(controlla(testi_pacchetto(), werror).esito, kEsitoRiuscito);

  MemoryFileSystem senza_treno;
  senza_treno.files()[nomi().testo_linea()] = testi_pacchetto().linea;
  const EsitoControllo esito = controlla_cartella(senza_treno, opzioni());
  EXPECT_EQ(esito.esito, kEsitoFallito);
  ASSERT_EQ(esito.diagnostiche.size(), 1u);
  EXPECT_EQ(esito.diagnostiche[0].id, "unreadable-text");
  EXPECT_EQ(esito.diagnostiche[0].file, nomi().testo_treno());

  // A name that cannot be a file's is a wrong command line.
  OpzioniControllo storto = opzioni();
  storto.nome_linea = "BELFORTE/MELAR";
  MemoryFileSystem fs = cartella(testi_pacchetto());
  std::ostringstream out, err;
  EXPECT_EQ(comando_check(fs, storto, out, err), kEsitoUso);
  EXPECT_EQ(out.str(), "");

  MemoryFileSystem vuota;
  const EsitoControllo nessuno = controlla_cartella(vuota, opzioni());
  EXPECT_EQ(nessuno.esito, kEsitoFallito);
  ASSERT_FALSE(nessuno.diagnostiche.empty());
  EXPECT_EQ(nessuno.diagnostiche[0].id, "no-line-text");
}

TEST(Controllo, AnEmptyTrainTextIsAWarning) {
  Testi testi = testi_pacchetto();
  testi.treno.clear();
  const EsitoControllo esito = controlla(testi);
  ASSERT_EQ(esito.diagnostiche.size(), 1u);
  EXPECT_EQ(esito.diagnostiche[0].id, "empty-train-text");
  EXPECT_EQ(esito.esito, kEsitoRiuscito);
}

// Encodings: Windows-1252 is the reader's own; UTF-8 is said (and read with
// --input-encoding utf-8), UTF-16 refused.
TEST(Controllo, TellsTheTextsEncoding) {
  const std::string& linea = testi_pacchetto().linea;
  // The degree signs of the boards' lettering, as a UTF-8 editor saves them.
  std::string utf8;
  for (const char c : linea) utf8 += c == '\xB0' ? std::string("\xC2\xB0") : std::string(1, c);
  const int32_t riga_grado = riga_di(linea, "\xB0");
  const int32_t colonna_grado =
      static_cast<int32_t>(linea.find('\xB0') - linea.rfind('\n', linea.find('\xB0')));

  const auto primo = [](const Testi& testi, bool come_utf8) {
    OpzioniControllo o = opzioni();
    o.utf8 = come_utf8;
    return controlla(testi, o);
  };
  EsitoControllo esito = primo({utf8, testi_pacchetto().treno}, false);
  ASSERT_EQ(esito.diagnostiche.size(), 1u);
  EXPECT_EQ(esito.diagnostiche[0].id, "encoding");
  EXPECT_EQ(esito.diagnostiche[0].riga, riga_grado);
  EXPECT_EQ(esito.diagnostiche[0].colonna, colonna_grado);
  EXPECT_EQ(esito.esito, kEsitoRiuscito);

  // Read as UTF-8 it is the package's own text again.
  esito = primo({utf8, testi_pacchetto().treno}, true);
  EXPECT_TRUE(esito.diagnostiche.empty());

  // A byte-order mark is said, with or without the conversion.
  esito = primo({"\xEF\xBB\xBF" + utf8, testi_pacchetto().treno}, true);
  ASSERT_EQ(esito.diagnostiche.size(), 1u);
  EXPECT_EQ(esito.diagnostiche[0].id, "bom");

  // A character Windows-1252 has no byte for cannot be compiled.
  esito = primo(
      {test::sostituisci(utf8, "SASSO NERO", "SASSO \xE2\x86\x92 NERO"), testi_pacchetto().treno},
      true);
  ASSERT_FALSE(esito.diagnostiche.empty());
  EXPECT_EQ(esito.diagnostiche[0].id, "not-windows-1252");
  EXPECT_EQ(esito.diagnostiche[0].riga, riga_di(linea, "SASSO NERO"));
  EXPECT_EQ(esito.esito, kEsitoErroreCodice);

  // UTF-16, little- or big-endian, with or without its mark.
  std::string le, be;
  for (const char c : testi_pacchetto().treno) {
    le += c;
    le += '\0';
    be += '\0';
    be += c;
  }
  for (const std::string& treno : {"\xFF\xFE" + le, le, "\xFE\xFF" + be, be}) {
    esito = primo({linea, treno}, false);
    ASSERT_EQ(esito.diagnostiche.size(), 1u);
    EXPECT_EQ(esito.diagnostiche[0].id, "utf-16");
    EXPECT_EQ(esito.diagnostiche[0].file, nomi().testo_treno());
    EXPECT_EQ(esito.esito, kEsitoFallito);
  }
}

TEST(SvuotaRiga, EmptiesOneLineAndKeepsTheLineNumbers) {
  const struct {
    std::string testo;
    int32_t riga;
    std::string atteso;
  } casi[] = {
      {"a\r\nbb\r\nc\r\n", 2, "a\r\n\r\nc\r\n"},
      {"a\r\nbb\r\nc", 3, "a\r\nbb\r\n"},
      {"a\nbb\rc", 2, "a\n\rc"},
      {"a\r\nbb\r\n", 1, "\r\nbb\r\n"},
      {"a\r\nbb\r\n", 7, "a\r\nbb\r\n"},
  };
  for (const auto& caso : casi) {
    std::string testo = caso.testo;
    svuota_riga(testo, caso.riga);
    EXPECT_EQ(testo, caso.atteso) << caso.riga;
  }
}

// The authors' reference lists every finding check makes besides the codes,
// row for row as the tool has them; no id is a code's.
TEST(Controllo, TheFormatReferenceListsEveryFinding) {
  std::string tabella = "| id | severity | meaning | hint |\n|---|---|---|---|\n";
  for (const TipoRilievo& tipo : tipi_rilievo()) {
    tabella += "| `" + std::string(tipo.id) + "` | " +
               (tipo.gravita == Gravita::kErrore ? "error" : "warning") + " | " +
               std::string(tipo.significato) + " | " + std::string(tipo.rimedio) + " |\n";
    for (const DescrizioneCodice& codice : codici_errore()) {
      EXPECT_NE(codice.id, tipo.id) << "error " << codice.codice;
    }
  }
  std::string documento;
  ASSERT_TRUE(disk_file_system().ReadFile(BM_FORMATS_DOC, &documento).ok());
  EXPECT_NE(documento.find(tabella), std::string::npos) << "the table of findings:\n\n" << tabella;
}

}  // namespace
}  // namespace scenario
