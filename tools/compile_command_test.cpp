#include "compile_command.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "base/file_names.h"
#include "base/memory_file_system.h"
#include "content/builtin_content.h"
#include "content/source_texts.h"
#include "exit_codes.h"
#include "util/tool_texts_test_util.h"

namespace scenario {
namespace {

const NomiFile kAutore{"autore", "L", "1"};
const NomiFile kUscita{"uscita", "L", "1"};

OpzioniCompila opzioni(std::string uscita = "") {
  OpzioniCompila o;
  o.cartella = "autore";
  o.nome_linea = "L";
  o.numero_treno = "1";
  o.uscita = std::move(uscita);
  return o;
}

void scrivi_testi(MemoryFileSystem& fs, const std::string& linea, const std::string& treno) {
  fs.files()[kAutore.testo_linea()] = linea;
  fs.files()[kAutore.testo_treno()] = treno;
}

struct Uscite {
  int esito;
  std::string out;
  std::string err;
};

Uscite esegui(MemoryFileSystem& fs, const OpzioniCompila& o) {
  std::ostringstream out, err;
  const int esito = comando_compile(fs, o, out, err);
  return {esito, out.str(), err.str()};
}

TEST(CompilaCartella, WritesWhatTheCompileStepWritesAndKeepsTheTexts) {
  // The package's own texts, compiled by the tool and by the compile step as
  // the installer calls it.
  MemoryFileSystem tool;
  const NomiFile pacchetto = contenuto_incorporato().nomi_in("autore");
  ASSERT_TRUE(dati_linea(tool, pacchetto).ok());
  ASSERT_TRUE(dati_treno(tool, pacchetto).ok());
  MemoryFileSystem installer = tool;
  const std::map<std::string, std::string> testi = tool.files();

  OpzioniCompila o = opzioni();
  o.nome_linea = contenuto_incorporato().nome_linea();
  o.numero_treno = contenuto_incorporato().numero_treno();
  const CompilazioneAutore c = compila_cartella(tool, tool, o);

  Scenario tabelle;
  tabelle.nome_linea = contenuto_incorporato().nome_linea();
  tabelle.numero_treno = contenuto_incorporato().numero_treno();
  RisultatoCompilazione risultato;
  ASSERT_TRUE(memorizza_percorso(1, tabelle, installer, pacchetto, &risultato).ok());

  EXPECT_EQ(c.risultato.file_scritti, risultato.file_scritti);
  EXPECT_EQ(c.tabelle.codice_errore, tabelle.codice_errore);
  for (const std::string& file : risultato.file_scritti) {
    ASSERT_EQ(tool.files().count(file), 1u) << file;
    EXPECT_TRUE(tool.files().at(file) == installer.files().at(file)) << file << " differs";
  }
  for (const auto& [nome, contenuto] : testi)
    EXPECT_EQ(tool.files().at(nome), contenuto) << nome << " changed";
  // The package's own scenario compiles without a code.
  EXPECT_EQ(c.esito, kEsitoRiuscito);
  EXPECT_EQ(risultato.file_scritti.size(), 3u);
}

TEST(CompilaCartella, PutsTheCompiledFilesIntoTheOutputFolderAndNothingElse) {
  MemoryFileSystem fs;
  scrivi_testi(fs, test::testo_linea_prova(), test::testo_treno_prova());
  const auto prima = fs.files();
  const CompilazioneAutore c = compila_cartella(fs, fs, opzioni("uscita"));
  EXPECT_EQ(c.esito, kEsitoRiuscito) << c.tabelle.codice_errore;
  const std::vector<std::string> attesi = {kUscita.linea_compilata(), kUscita.scenario_compilato(),
                                           kUscita.percorso_compilato()};
  EXPECT_EQ(c.risultato.file_scritti, attesi);
  EXPECT_EQ(fs.files().size(), prima.size() + 3);
  for (const auto& [nome, contenuto] : prima) EXPECT_EQ(fs.files().at(nome), contenuto);
}

TEST(CompilaCartella, WithoutThePlanViewWritesNoCompiledLineAndLeavesAnOlderOneAlone) {
  MemoryFileSystem fs;
  scrivi_testi(fs, test::testo_linea_prova(), test::testo_treno_prova());
  fs.files()[kAutore.linea_compilata()] = "older";
  OpzioniCompila o = opzioni();
  o.senza_tracciato = true;
  const CompilazioneAutore c = compila_cartella(fs, fs, o);
  EXPECT_EQ(c.esito, kEsitoRiuscito);
  EXPECT_EQ(c.risultato.file_scritti,
            (std::vector<std::string>{kAutore.scenario_compilato(), kAutore.percorso_compilato()}));
  EXPECT_EQ(fs.files().at(kAutore.linea_compilata()), "older");
}

// A field quoted in a message reaches the terminal with its control bytes
// written out and cut to 80 characters; the JSON carries the same message.
TEST(ComandoCompile, AFieldQuotedInAMessageIsMadeSafeAndShort) {
  const std::string linea = test::testo_linea_prova();
  const struct {
    std::string campo;
    std::string mostrato;
  } casi[] = {
      // 0x81 has no character in the code page: it stands for the C1 control U+0081.
      {"21\x1b[2J\x07\x81", "\"21\\e[2J\\a\\xC2\\x81\""},
      {std::string(10'000'000, '7') + "x", "\"" + std::string(80, '7') + "…\""},
  };
  for (const auto& caso : casi) {
    MemoryFileSystem fs;
    scrivi_testi(
        fs,
        test::sostituisci(linea, "pendenza,  2100,   20", "pendenza,  " + caso.campo + ",   20"),
        test::testo_treno_prova());
    OpzioniCompila o = opzioni();
    const Uscite u = esegui(fs, o);
    EXPECT_EQ(u.esito, kEsitoErroreCodice);
    EXPECT_NE(u.err.find(caso.mostrato + " is not a whole number"), std::string::npos)
        << u.err.substr(0, 400);
    EXPECT_LT(u.err.size(), 1000u);
    EXPECT_EQ(u.err.find('\x1b'), std::string::npos);
    o.json = true;
    const Uscite j = esegui(fs, o);
    EXPECT_LT(j.out.size(), 2000u);
    const std::string in_json = nlohmann::json(caso.mostrato).dump();
    EXPECT_NE(j.out.find(in_json.substr(1, in_json.size() - 2)), std::string::npos)
        << j.out.substr(0, 400);
  }
}

// One broken record per family of errors: what the author reads, and the
// exit status.
TEST(ComandoCompile, ExplainsEachFamilyOfErrors) {
  const std::string linea = test::testo_linea_prova();
  const std::string treno = test::testo_treno_prova();
  const std::string segnali =
      "segnale,    4500,   1, 3, 4,  0, 0,    0,  0,0,0, 0\r\n"
      "segnale,    5450,   2, 2, 3,  0, 0,    0,  0,0,0, 0\r\n";
  const struct {
    const char* famiglia;
    std::string linea;
    std::string treno;
    int esito;
    std::string diagnostica;  // the first line on standard error
    size_t file;              // compiled files written
  } casi[] = {
      {"line reader",
       test::sostituisci(linea, "cartello_indicatore,  4650", "cartello_indicatore,  1150"), treno,
       kEsitoErroreCodice,
       kAutore.testo_linea() + ":22:23: error 6: lettered board on an occupied cell at 1150 m", 3},
      {"train reader", linea, test::sostituisci(treno, "stazione,   10000", "stazione,   10025"),
       kEsitoErroreCodice,
       kAutore.testo_treno() +
           ":13:13: error 8: station position is not a multiple of 50 at 10025 m",
       3},
      {"storer", linea, test::sostituisci(treno, "segnale,    5450", "segnale,    4500"),
       kEsitoErroreCodice,
       kAutore.testo_treno() + ":18:13: error 16: signal on an occupied cell at 4500 m", 3},
      {"reading failure",
       test::sostituisci(linea, "pendenza,  2100,   20", "pendenza,  21x0,   20"), treno,
       kEsitoErroreCodice,
       kAutore.testo_linea() +
           ":15:12: error 25: \"posizione\" (field 1) of the pendenza record: \"21x0\" is "
           "not a whole number",
       3},
      {"finishing pass, signal before a warning board", linea,
       test::sostituisci(treno, segnali,
                         "segnale,    4400,   1, 3, 4,  0, 0,    0,  0,0,0, 0\r\n"
                         "segnale,    4450,   1, 3, 4,  0, 0,    0,  0,0,0, 0\r\n"
                         "segnale,    4500,   1, 3, 4,  0, 0,    0,  0,0,0, 0\r\n"),
       kEsitoErroreCodice,
       kAutore.testo_treno() +
           ":19:13: error 11: no free cell and no code-cut point in the two cells before a "
           "signal that stands 1 to 20 cells before a slowdown warning board at cell 91 (4550 m)",
       3},
      {"finishing pass, trio before a slowdown", linea,
       test::sostituisci(treno, segnali,
                         "segnale,    5650,   1, 3, 4,  0, 0,    0,  0,0,0, 0\r\n"
                         "segnale,    5700,   2, 3, 4,  0, 0,    0,  0,0,0, 0\r\n"
                         "segnale,    5750,   2, 3, 4,  0, 0,    0,  0,0,0, 0\r\n"),
       kEsitoErroreCodice,
       kAutore.testo_treno() +
           ":15:19: error 12: no free cell for a code-cut point in a trio (5-7, 11-13 or "
           "18-20 cells) before a slowdown start at cell 121 (6050 m)",
       3},
      {"finishing pass, inside a slow slowdown", linea,
       test::sostituisci(test::sostituisci(treno, "6000,    30,  300", "6000,    30,  800"),
                         segnali,
                         "segnale,    6350,   1, 3, 4,  0, 0,    0,  0,0,0, 0\r\n"
                         "segnale,    6400,   1, 3, 4,  0, 0,    0,  0,0,0, 0\r\n"
                         "segnale,    6450,   1, 3, 4,  0, 0,    0,  0,0,0, 0\r\n"),
       kEsitoErroreCodice,
       kAutore.testo_treno() +
           ":15:19: error 13: no free cell for a code-cut point inside a slowdown below 110 km/h (every 8th "
           "cell) or just before the first signal after its end at cell 129 (6450 m)",
       3},
      {"reserved slot 1250", linea,
       test::sostituisci(treno, "segnale,    4500,   1, 3, 4", "segnale,       0,   1, 3, 4"),
       kEsitoFallito,
       "scenario-tool compile: error 1250: a reserved slot for the stamps is occupied, nothing written: route cell "
       "1 holds a signal (kind 1) with valore_1 30; cell 1 takes the objects placed at 0 m and the code-cut points "
       "at 50 m.",
       0},
      {"reserved slot 1251", linea,
       test::sostituisci(treno, "segnale,    4500,   1, 3, 4", "segnale,       0,   1, 0, 4"),
       kEsitoFallito,
       "scenario-tool compile: error 1251: a reserved slot for the competition codes is occupied, nothing written: "
       "route cell 1 holds a signal (kind 1) with valore_2 40; cell 1 takes the objects placed at 0 m and the "
       "code-cut points at 50 m.",
       0},
      {"no grid",
       test::sostituisci(linea, "lunghezza percorso,    10000", "lunghezza percorso,    1000001"),
       treno, kEsitoFallito,
       kAutore.testo_linea() +
           ":2:24: error 1: route length (lunghezza percorso) above 1000000 m or negative",
       0},
  };
  for (const auto& caso : casi) {
    SCOPED_TRACE(caso.famiglia);
    MemoryFileSystem fs;
    scrivi_testi(fs, caso.linea, caso.treno);
    const Uscite u = esegui(fs, opzioni());
    EXPECT_EQ(u.esito, caso.esito);
    EXPECT_EQ(u.err.substr(0, u.err.find('\n')), caso.diagnostica);
    EXPECT_EQ(fs.files().size(), 2 + caso.file);
    EXPECT_EQ(fs.files().at(kAutore.testo_linea()), caso.linea);
    EXPECT_EQ(fs.files().at(kAutore.testo_treno()), caso.treno);
  }
}

TEST(ComandoCompile, JsonIsOneLineWithTheOutcome) {
  MemoryFileSystem fs;
  scrivi_testi(
      fs, test::testo_linea_prova(),
      test::sostituisci(test::testo_treno_prova(), "segnale,    5450", "segnale,    4500"));
  OpzioniCompila o = opzioni();
  o.json = true;
  const Uscite u = esegui(fs, o);
  ASSERT_EQ(u.esito, kEsitoErroreCodice);
  ASSERT_EQ(u.out.find('\n'), u.out.size() - 1) << "exactly one line";
  const nlohmann::json j = nlohmann::json::parse(u.out);
  EXPECT_EQ(j["codice_errore"], 16);
  EXPECT_EQ(j["posizione_errore"], 4500);
  EXPECT_TRUE(j["fatal"].is_null());
  EXPECT_EQ(j["files"], nlohmann::json({kAutore.linea_compilata(), kAutore.scenario_compilato(),
                                        kAutore.percorso_compilato()}));
  ASSERT_EQ(j["diagnostics"].size(), 1u);
  EXPECT_EQ(j["diagnostics"][0]["file"], kAutore.testo_treno());
  EXPECT_EQ(j["diagnostics"][0]["code"], 16);
  EXPECT_EQ(j["diagnostics"][0]["message"], "signal on an occupied cell at 4500 m");
}

TEST(ComandoCompile, JsonNamesTheFatalOutcome) {
  MemoryFileSystem fs;  // no source text at all
  OpzioniCompila o = opzioni();
  o.json = true;
  const Uscite u = esegui(fs, o);
  EXPECT_EQ(u.esito, kEsitoFallito);
  const nlohmann::json j = nlohmann::json::parse(u.out);
  EXPECT_EQ(j["fatal"], "nogrid");
  EXPECT_EQ(j["files"], nlohmann::json::array());
  EXPECT_EQ(j["codice_errore"], 101);
  EXPECT_EQ(j["diagnostics"][0]["message"], "no line source text in the folder");
}

TEST(ComandoCompile, AFileThatCannotBeWrittenStopsWithStatus2) {
  MemoryFileSystem fs;
  scrivi_testi(fs, test::testo_linea_prova(), test::testo_treno_prova());
  fs.FailWritesTo(kAutore.scenario_compilato());
  const Uscite u = esegui(fs, opzioni());
  EXPECT_EQ(u.esito, kEsitoFallito);
  EXPECT_NE(u.err.find(kAutore.scenario_compilato()), std::string::npos) << u.err;
}

// What the installer's compile step writes from `linea` and `treno`, with no
// one watching: the files, and the code recorded.
struct CompilatoInstallatore {
  std::map<std::string, std::string> file;
  int32_t codice_errore = 0;
  int32_t posizione_errore = 0;
};

CompilatoInstallatore compila_come_installatore(const std::string& linea,
                                                const std::string& treno) {
  MemoryFileSystem fs;
  scrivi_testi(fs, linea, treno);
  Scenario tabelle;
  tabelle.nome_linea = "L";
  tabelle.numero_treno = "1";
  RisultatoCompilazione risultato;
  EXPECT_TRUE(memorizza_percorso(1, tabelle, fs, kAutore, &risultato).ok());
  CompilatoInstallatore c{{}, tabelle.codice_errore, tabelle.posizione_errore};
  for (const std::string& nome : risultato.file_scritti) c.file[nome] = fs.files().at(nome);
  return c;
}

// Texts that give warnings, reader errors and finishing-pass errors compile
// to the same bytes through the tool, warnings printed or not, as through
// the installer's compile step, which nothing watches.
TEST(ComandoCompile, WarningsAndWatchingChangeNoByteOfTheCompiledFiles) {
  const std::string linea = test::testo_linea_prova();
  const std::string treno = test::testo_treno_prova();
  const std::pair<std::string, std::string> casi[] = {
      {test::sostituisci(linea, "curvas5,  6000", "curvs5,  6000"),
       test::sostituisci(treno, "6000,    30", "6000,    90")},
      {linea, test::sostituisci(treno, "stazione,   10000", "stazione,   10025")},
      {test::sostituisci(linea, "pendenza,  2100,   20", "pendenza,  2100,   80"),
       test::sostituisci(treno, "segnale,    5450", "segnale,    5700")},
      {linea, test::sostituisci(treno, "segnale,    5450,   2, 2, 3,  0, 0,    0,  0,0,0, 0\r\n",
                                "segnale,    5650,   1, 3, 4,  0, 0,    0,  0,0,0, 0\r\n"
                                "segnale,    5700,   2, 3, 4,  0, 0,    0,  0,0,0, 0\r\n"
                                "segnale,    5750,   2, 3, 4,  0, 0,    0,  0,0,0, 0\r\n")},
  };
  for (const auto& [l, t] : casi) {
    SCOPED_TRACE(t);
    const CompilatoInstallatore installatore = compila_come_installatore(l, t);
    for (const bool senza_avvisi : {false, true}) {
      MemoryFileSystem fs;
      scrivi_testi(fs, l, t);
      OpzioniCompila o = opzioni();
      o.senza_avvisi = senza_avvisi;
      const CompilazioneAutore c = compila_cartella(fs, fs, o);
      EXPECT_EQ(c.tabelle.codice_errore, installatore.codice_errore);
      EXPECT_EQ(c.tabelle.posizione_errore, installatore.posizione_errore);
      if (senza_avvisi) {
        EXPECT_TRUE(c.avvisi.empty());
      }
      ASSERT_EQ(c.risultato.file_scritti.size(), installatore.file.size());
      for (const auto& [nome, contenuto] : installatore.file) {
        ASSERT_EQ(fs.files().count(nome), 1u) << nome;
        EXPECT_TRUE(fs.files().at(nome) == contenuto) << nome << " differs";
      }
    }
  }
}

// compile prints the warnings before what it records; --no-warnings
// silences them.
TEST(ComandoCompile, PrintsTheWarningsUnlessAskedNotTo) {
  MemoryFileSystem fs;
  scrivi_testi(
      fs, test::sostituisci(test::testo_linea_prova(), "curvas5,", "curvs5,"),
      test::sostituisci(test::testo_treno_prova(), "stazione,   10000", "stazione,   10025"));
  const Uscite u = esegui(fs, opzioni());
  EXPECT_EQ(u.esito, kEsitoErroreCodice);
  EXPECT_TRUE(u.err.starts_with(kAutore.testo_linea() +
                                ":12:1: warning: [unknown-keyword] \"curvs5\" is no keyword of "
                                "the line text"))
      << u.err;
  EXPECT_NE(u.err.find(":13:13: error 8:"), std::string::npos) << u.err;
  OpzioniCompila o = opzioni();
  o.senza_avvisi = true;
  const Uscite zitto = esegui(fs, o);
  EXPECT_EQ(zitto.err.find("warning"), std::string::npos) << zitto.err;
  EXPECT_TRUE(zitto.err.starts_with(kAutore.testo_treno() + ":13:13: error 8:")) << zitto.err;
}

// A UTF-8 text compiles only when the author says so, to the bytes of the
// same text in Windows-1252; UTF-16 compiles nothing.
TEST(ComandoCompile, ReadsUtf8WhenToldAndRefusesUtf16) {
  const std::string linea =
      test::sostituisci(test::testo_linea_prova(), "GALLERIA ROCCA", "GALLERIA ROCC\xC0");
  const std::string treno = test::testo_treno_prova();
  const CompilatoInstallatore installatore = compila_come_installatore(linea, treno);
  const std::string utf8 = test::sostituisci(linea, "\xC0", "\xC3\x80");

  MemoryFileSystem fs;
  scrivi_testi(fs, utf8, treno);
  const Uscite avvisato = esegui(fs, opzioni());
  EXPECT_NE(avvisato.err.find("warning: [encoding] the text is UTF-8"), std::string::npos)
      << avvisato.err;

  OpzioniCompila o = opzioni();
  o.utf8 = true;
  const Uscite convertito = esegui(fs, o);
  EXPECT_EQ(convertito.esito, kEsitoRiuscito) << convertito.err;
  EXPECT_EQ(convertito.err, "");
  for (const auto& [nome, contenuto] : installatore.file) {
    EXPECT_TRUE(fs.files().at(nome) == contenuto) << nome << " differs";
  }
  EXPECT_EQ(fs.files().at(kAutore.testo_linea()), utf8);  // the author's text stays as it is

  std::string utf16 = "\xFF\xFE";
  for (const char c : treno) {
    utf16 += c;
    utf16 += '\0';
  }
  MemoryFileSystem sedici;
  scrivi_testi(sedici, linea, utf16);
  const Uscite rifiutato = esegui(sedici, opzioni());
  EXPECT_EQ(rifiutato.esito, kEsitoFallito);
  EXPECT_NE(rifiutato.err.find(kAutore.testo_treno() + ": error: [utf-16] the text is UTF-16"),
            std::string::npos)
      << rifiutato.err;
  EXPECT_EQ(sedici.files().size(), 2u);  // nothing compiled
}

}  // namespace
}  // namespace scenario
