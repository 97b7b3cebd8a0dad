#include "dump_command.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "base/memory_file_system.h"
#include "compiler/compile_step.h"
#include "exit_codes.h"
#include "util/compiled_bytes_test_util.h"
#include "util/tool_texts_test_util.h"

namespace scenario {
namespace {

struct Uscite {
  int esito;
  std::string out;
  std::string err;
};

Uscite dump(MemoryFileSystem& fs, const std::string& file, bool json = false, int32_t passo = 0) {
  OpzioniDump o;
  o.file = file;
  o.json = json;
  o.passo_punti = passo;
  std::ostringstream out, err;
  const int esito = comando_dump(fs, o, out, err);
  return {esito, out.str(), err.str()};
}

TEST(ComandoDump, ShowsEveryCellThatHoldsAnythingByItsFieldNames) {
  MemoryFileSystem fs;
  fs.files()["L_1.dat"] = test::griglia_di_prova(141);
  const Uscite u = dump(fs, "L_1.dat");
  ASSERT_EQ(u.esito, kEsitoRiuscito) << u.err;
  EXPECT_EQ(
      u.out,
      "compiled route grid: 141 cells (ultima_cella 140), 2115 bytes; cells whose fields are all 0 are left out\n"
      "cell 1 (50 m): valore_1 5121, valore_2 2496, velocita_max 15, pendenza 100, aderenza 80\n"
      "cell 5 (250 m) signal: tipo 1, valore_1 30, valore_2 40, valore_3 -2, valore_4 6, tempo_segnale 230, "
      "avviso 64, montagna 2, velocita_max 28, pendenza 118, aderenza 255\n"
      "cell 6 (300 m) speed board: tipo 6, valore_1 -32768, valore_2 32767, valore_3 1500\n");

  const nlohmann::json j = nlohmann::json::parse(dump(fs, "L_1.dat", true).out);
  EXPECT_EQ(j["kind"], "grid");
  EXPECT_EQ(j["ultima_cella"], 140);
  ASSERT_EQ(j["cells"].size(), 3u);
  EXPECT_EQ(j["cells"][1]["indice"], 5);
  EXPECT_EQ(j["cells"][1]["posizione"], 250);
  EXPECT_EQ(j["cells"][1]["valore_3"], -2);
  EXPECT_EQ(j["cells"][1]["aderenza"], 255);
  EXPECT_EQ(j["cells"][1].size(), 13u) << "index, position and all eleven fields";
}

TEST(ComandoDump, ShowsEveryRecordEntryWithItsTextInUtf8) {
  MemoryFileSystem fs;
  fs.files()["L_1.sim"] = test::registro_di_prova();
  const Uscite u = dump(fs, "L_1.sim");
  ASSERT_EQ(u.esito, kEsitoRiuscito) << u.err;
  EXPECT_NE(u.out.find("registro[0] (unused): empty\n"), std::string::npos);
  EXPECT_NE(
      u.out.find(
          "registro[1] (station or lettered board): tipo 8, inizio -300, fine 300, progressiva 0, "
          "campo_4 1, nome \"BELFORTE SELVEN\", campo_7 4, campo_8 1, campo_10 2, campo_11 1, "
          "campo_12 1, campo_9 0, campo_13 1, campo_6 0, campo_5 0, orario 62580 (17:23:00)\n"),
      std::string::npos)
      << u.out;
  EXPECT_NE(u.out.find("nome \"(CURVA 30\u00b0)(Km.1+200)\""), std::string::npos);
  EXPECT_NE(
      u.out.find(
          "registro[85] (line: backdrops, name, stamps): tipo 0, inizio 80000, fine 1, progressiva "
          "65000, campo_4 0, nome \"BELFORTE SELVEN - MELAR\", campo_7 610"),
      std::string::npos);

  const nlohmann::json j = nlohmann::json::parse(dump(fs, "L_1.sim", true).out);
  ASSERT_EQ(j["registro"].size(), 87u);
  EXPECT_EQ(j["registro"][80]["nome"], "(CURVA 30\u00b0)(Km.1+200)");
  EXPECT_EQ(j["registro"][85]["orario"], -7);
  EXPECT_EQ(j["registro"][86]["campo_11"], 22);
  EXPECT_EQ(j["registro"][1].size(), 17u) << "the index and all sixteen fields";
}

TEST(ComandoDump, ShowsThePlanViewsLengthTagsAndExtent) {
  MemoryFileSystem fs;
  fs.files()["L_linea.dat"] = test::linea_di_prova(7000, 6999);
  const Uscite u = dump(fs, "L_linea.dat", false, 3000);
  ASSERT_EQ(u.esito, kEsitoRiuscito) << u.err;
  EXPECT_EQ(u.out,
            "compiled line: plan view of points 0 to 7000 (route length 0 m), 139964 bytes\n"
            "tags: points 0-1 int16, points 2-6998 float64, points 6999-7000 empty\n"
            "extent: x 0 to 47810.5556640625 m, y 0 to 6997.75 m\n"
            "point 0: x 0, y 0\n"
            "point 3000: x 8783.2041015625, y 2999.75\n"
            "point 6000: x 35144.5322265625, y 5999.75\n");

  const nlohmann::json j = nlohmann::json::parse(dump(fs, "L_linea.dat", true, 6999).out);
  EXPECT_EQ(j["lunghezza_tracciato"], 7000);
  EXPECT_EQ(j["tags"].size(), 3u);
  EXPECT_EQ(j["tags"][1],
            nlohmann::json({{"from", 2}, {"to", 6998}, {"x", "float64"}, {"y", "float64"}}));
  EXPECT_EQ(j["extent"]["max_y"], 6997.75);
  EXPECT_TRUE(j["points"][1]["x"].is_null()) << "point 6999 is empty";
}

TEST(ComandoDump, AnEmptyPlanViewHasNoExtent) {
  MemoryFileSystem fs;
  fs.files()["L_linea.dat"] = test::linea_di_prova(7000, 0);
  const Uscite u = dump(fs, "L_linea.dat");
  EXPECT_EQ(u.out,
            "compiled line: plan view of points 0 to 7000 (route length 0 m), 28004 bytes\n"
            "tags: points 0-7000 empty\n"
            "extent: no point holds a value\n");
}

TEST(ComandoDump, RefusesAFileThatDoesNotFitItsLayoutOrCannotBeRead) {
  MemoryFileSystem fs;
  fs.files()["L_1.sim"] = test::registro_di_prova() + "zz";
  fs.files()["L_1.dat"] = test::registro_di_prova();  // a record table under a grid's name
  const struct {
    const char* file;
    int esito;
    const char* messaggio;
  } casi[] = {
      {"L_1.sim", kEsitoFallito,
       "scenario-tool dump: \"L_1.sim\" is not a compiled train scenario: the file has 2 bytes after the last"},
      {"L_1.dat", kEsitoFallito,
       "scenario-tool dump: \"L_1.dat\" is not a compiled route grid: the file has"},
      {"assente.sim", kEsitoFallito, "scenario-tool dump: "},
      {"L_1.txt", kEsitoUso, "scenario-tool dump: cannot tell the kind of \"L_1.txt\""},
  };
  for (const auto& caso : casi) {
    const Uscite u = dump(fs, caso.file);
    EXPECT_EQ(u.esito, caso.esito) << caso.file;
    EXPECT_EQ(u.err.rfind(caso.messaggio, 0), 0u) << u.err;
    EXPECT_EQ(u.out, "") << caso.file;
  }
}

TEST(ComandoDump, TheKindCanBeGivenForAnyName) {
  MemoryFileSystem fs;
  fs.files()["copia.bin"] = test::registro_di_prova();
  OpzioniDump o;
  o.file = "copia.bin";
  o.tipo = TipoFileCompilato::kScenario;
  std::ostringstream out, err;
  EXPECT_EQ(comando_dump(fs, o, out, err), kEsitoRiuscito);
  EXPECT_EQ(out.str().rfind("compiled train scenario: 87 registro entries", 0), 0u);
}

// The compiled files, as the compile step writes them, decode to the tables
// they were written from.
TEST(ComandoDump, DecodesWhatTheCompileStepWrites) {
  MemoryFileSystem fs;
  const NomiFile nomi{"d", "L", "1"};
  fs.files()[nomi.testo_linea()] = test::testo_linea_prova();
  fs.files()[nomi.testo_treno()] = test::testo_treno_prova();
  Scenario tabelle;
  tabelle.nome_linea = "L";
  tabelle.numero_treno = "1";
  RisultatoCompilazione risultato;
  ASSERT_TRUE(memorizza_percorso(1, tabelle, fs, nomi, &risultato).ok());
  ASSERT_EQ(tabelle.codice_errore, 0);
  ASSERT_EQ(risultato.file_scritti.size(), 3u);

  RegistroCompilato registro;
  ASSERT_TRUE(decodifica_scenario(fs.files().at(nomi.scenario_compilato()), &registro).ok());
  for (size_t i = 0; i < registro.size(); ++i) {
    const VoceRegistro& a = registro[i];
    const VoceRegistro& b = tabelle.registro[i];
    EXPECT_TRUE(a.tipo == b.tipo && a.inizio == b.inizio && a.fine == b.fine &&
                a.progressiva == b.progressiva && a.campo_4 == b.campo_4 && a.nome == b.nome &&
                a.campo_7 == b.campo_7 && a.campo_8 == b.campo_8 && a.campo_10 == b.campo_10 &&
                a.campo_11 == b.campo_11 && a.campo_12 == b.campo_12 && a.campo_9 == b.campo_9 &&
                a.campo_13 == b.campo_13 && a.campo_6 == b.campo_6 && a.campo_5 == b.campo_5 &&
                a.orario == b.orario)
        << "registro entry " << i;
  }

  std::vector<CellaPercorso> celle;
  ASSERT_TRUE(decodifica_percorso(fs.files().at(nomi.percorso_compilato()), &celle).ok());
  ASSERT_EQ(celle.size(), tabelle.percorso.size());
  for (size_t i = 0; i < celle.size(); ++i) {
    const CellaPercorso& a = celle[i];
    const CellaPercorso& b = tabelle.percorso[i];
    ASSERT_TRUE(a.tipo == b.tipo && a.valore_1 == b.valore_1 && a.valore_2 == b.valore_2 &&
                a.valore_3 == b.valore_3 && a.valore_4 == b.valore_4 &&
                a.tempo_segnale == b.tempo_segnale && a.avviso == b.avviso &&
                a.montagna == b.montagna && a.velocita_max == b.velocita_max &&
                a.pendenza == b.pendenza && a.aderenza == b.aderenza)
        << "cell " << i;
  }

  LineaCompilata linea;
  ASSERT_TRUE(decodifica_linea(fs.files().at(nomi.linea_compilata()), &linea).ok());
  ASSERT_EQ(linea.lunghezza_tracciato(), tabelle.tracciato.ultimo_indice());
  for (int32_t m = 0; m <= linea.lunghezza_tracciato(); ++m) {
    const EtichettaPunto e = tabelle.tracciato.etichetta(m);
    ASSERT_EQ(linea.x[static_cast<size_t>(m)].etichetta, e) << "point " << m;
    ASSERT_EQ(linea.y[static_cast<size_t>(m)].etichetta, e) << "point " << m;
    if (e == EtichettaPunto::kVuoto) continue;
    ASSERT_EQ(linea.x[static_cast<size_t>(m)].valore, tabelle.tracciato.x(m)) << "point " << m;
    ASSERT_EQ(linea.y[static_cast<size_t>(m)].valore, tabelle.tracciato.y(m)) << "point " << m;
  }
}

}  // namespace
}  // namespace scenario
