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

Uscite dump(MemoryFileSystem& fs, OpzioniDump o) {
  std::ostringstream out, err;
  const int esito = comando_dump(fs, o, out, err);
  return {esito, out.str(), err.str()};
}

Uscite dump(MemoryFileSystem& fs, const std::string& file, bool json = false, int32_t passo = 0) {
  OpzioniDump o;
  o.file = file;
  o.json = json;
  o.passo_punti = passo;
  return dump(fs, o);
}

// Every file kind in its text form, by meaning and unit with the stored value
// beside it: the whole output, so that a change shows as a difference.
TEST(ComandoDump, ShowsEveryFieldByItsMeaningWithTheStoredValue) {
  MemoryFileSystem fs;
  fs.files()["L_1.dat"] = test::griglia_di_prova(141);
  RegistroCompilato voci = test::voci_di_prova();
  voci[84] = {0, 110, 100000, 5, 0, "", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  fs.files()["L_1.sim"] = test::byte_di(voci);
  // The fixture's signal, every field set.
  const std::string segnale =
      "cell 5 (250 m)\n"
      "  tipo: signal, record at 200 m (stored 1)\n"
      "  valore_1: signal figures: s1 3, d1 0 (stored 30)\n"
      "  valore_2: signal figures: s2 4, d2 0 (stored 40)\n"
      "  valore_3: signal figures: s3 0, d3 -2 (stored -2)\n"
      "  valore_4: signal figures: rapp 0, sx*3+dx 6 (stored 6)\n"
      "  tempo_segnale: signal time 230 (stored 230)\n"
      "  avviso: signal approach: sx*3+dx 6, distance to the signal 400 m (stored 64)\n"
      "  montagna: mountain-stretch kind (0 = open air) 2 (stored 2)\n"
      "  velocita_max: speed limit 140 km/h (stored 28)\n"
      "  pendenza: gradient 18 \u2030 (stored 118)\n"
      "  aderenza: adhesion 255 (stored 255)\n";
  const struct {
    const char* file;
    int64_t da;
    int64_t a;
    std::string testo;
  } casi[] = {
      {"L_1.dat", INT64_MIN, INT64_MAX,
       "compiled route grid: 141 cells (ultima_cella 140), 2115 bytes\n"
       "the cells that hold anything; each field by its meaning, then as stored; fields that are 0 left out\n"
       "cell 1 (50 m)\n"
       "  valore_1: the compile step's stamp 5121 (stored 5121)\n"
       "  valore_2: og competition code 2496 (stored 2496)\n"
       "  velocita_max: speed limit 75 km/h (stored 15)\n"
       "  pendenza: gradient 0 \u2030 (stored 100)\n"
       "  aderenza: adhesion 80 (stored 80)\n" +
           segnale +
           "cell 6 (300 m)\n"
           "  tipo: speed board, record at 250 m (stored 6)\n"
           "  valore_1: rank A speeds: s -1638, d -40 km/h (stored -32768)\n"
           "  valore_2: rank B speeds: s 1638, d 35 km/h (stored 32767)\n"
           "  valore_3: rank C speeds: s 75, d 0 km/h (stored 1500)\n"},
      {"L_1.dat", 100, 290,
       "compiled route grid: 141 cells (ultima_cella 140), 2115 bytes\n"
       "the cells that hold anything from 100 m to 290 m; each field by its meaning, then as stored; fields that are 0 left out\n" +
           segnale},
      {"L_1.sim", 1, 100000,
       "compiled train scenario: 87 registro entries, 3021 bytes\n"
       "every entry by its use, the stations from 1 m to 100000 m; each field by its meaning, then as stored; fields that are 0 left out\n"
       "registro[0]: unused, empty\n"
       "registro[2] to [79]: unused, empty\n"
       "registro[80]: lettered board\n"},
  };
  for (const auto& caso : casi) {
    OpzioniDump o;
    o.file = caso.file;
    o.da = caso.da;
    o.a = caso.a;
    const Uscite u = dump(fs, o);
    ASSERT_EQ(u.esito, kEsitoRiuscito) << u.err;
    EXPECT_EQ(u.out.substr(0, caso.testo.size()), caso.testo) << u.out;
  }
}

TEST(ComandoDump, ShowsEveryRecordEntryByItsUse) {
  MemoryFileSystem fs;
  RegistroCompilato voci = test::voci_di_prova();
  voci[84] = {0, 110, 100000, 5, 0, "", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  fs.files()["L_1.sim"] = test::byte_di(voci);
  const Uscite u = dump(fs, "L_1.sim");
  ASSERT_EQ(u.esito, kEsitoRiuscito) << u.err;
  for (const char* parte : {
           "registro[0]: unused, empty\n",
           "registro[1]: station\n"
           "  tipo: station kind 8 (stored 8)\n"
           "  inizio: start of the station area -300 m (stored -300)\n"
           "  fine: end of the station area 300 m (stored 300)\n"
           "  campo_4: group A, first flag 1 (stored 1)\n"
           "  nome: station name \"BELFORTE SELVEN\" (stored 15 bytes)\n"
           "  campo_7: group B, first value 4 (stored 4)\n"
           "  campo_8: group B, second value 1 (stored 1)\n"
           "  campo_10: group C, first value 2 (stored 2)\n"
           "  campo_11: group C, second value 1 (stored 1)\n"
           "  campo_12: group C, third value 1 (stored 1)\n"
           "  campo_13: stop time 1 s (stored 1)\n"
           "  orario: scheduled time 17:23:00 (stored 62580)\n"
           "registro[2] to [79]: unused, empty\n",
           "registro[80]: lettered board\n"
           "  nome: lettering \"(CURVA 30\u00b0)(Km.1+200)\" (stored 21 bytes)\n",
           "registro[84]: train and route\n"
           "  inizio: braked-mass percentage 110 % (stored 110)\n"
           "  fine: route length 100000 m (stored 100000)\n"
           "  progressiva: number of cars 5 (stored 5)\n",
           "registro[85]: line\n"
           "  inizio: backdrop uno 80000 (stored 80000)\n"
           "  fine: backdrop tre 1 (stored 1)\n"
           "  progressiva: backdrop due 65000 (stored 65000)\n"
           "  nome: line name \"BELFORTE SELVEN - MELAR\" (stored 23 bytes)\n"
           "  campo_7: the compile step's stamp 610 (stored 610)\n"
           "  orario: st competition code -7 (stored -7)\n",
           "registro[86]: train\n"
           "  nome: train number \"8312\" (stored 4 bytes)\n"
           "  campo_7: sand 100 (stored 100)\n"
           "  campo_10: clock at the start, hours 17 h (stored 17)\n"
           "  campo_11: clock at the start, minutes 22 min (stored 22)\n",
       }) {
    EXPECT_NE(u.out.find(parte), std::string::npos) << parte << "\nin\n" << u.out;
  }
}

// The JSON keeps machine keys: per field the stored value, its meaning, its
// unit and the converted value.
TEST(ComandoDump, JsonGivesEveryFieldItsValueMeaningUnitAndConversion) {
  MemoryFileSystem fs;
  fs.files()["L_1.dat"] = test::griglia_di_prova(141);
  fs.files()["L_1.sim"] = test::registro_di_prova();
  const nlohmann::json griglia = nlohmann::json::parse(dump(fs, "L_1.dat", true).out);
  EXPECT_EQ(griglia["kind"], "grid");
  EXPECT_EQ(griglia["ultima_cella"], 140);
  EXPECT_TRUE(griglia["from"].is_null());
  ASSERT_EQ(griglia["cells"].size(), 3u);
  const nlohmann::json& segnale = griglia["cells"][1];
  EXPECT_EQ(segnale["index"], 5);
  EXPECT_EQ(segnale["position"], 250);
  EXPECT_EQ(segnale["fields"].size(), 11u);
  EXPECT_EQ(segnale["fields"]["velocita_max"],
            nlohmann::json(
                {{"value", 28}, {"meaning", "speed limit"}, {"unit", "km/h"}, {"converted", 140}}));
  EXPECT_EQ(segnale["fields"]["valore_1"]["converted"], nlohmann::json({{"s1", 3}, {"d1", 0}}));
  EXPECT_EQ(segnale["fields"]["tipo"]["converted"], "signal, record at 200 m");
  EXPECT_EQ(segnale["fields"]["valore_3"]["value"], -2);
  EXPECT_TRUE(griglia["cells"][2]["fields"]["tempo_segnale"]["meaning"].is_null())
      << "a speed board has no signal time";

  const nlohmann::json registro = nlohmann::json::parse(dump(fs, "L_1.sim", true).out);
  ASSERT_EQ(registro["entries"].size(), 87u);
  EXPECT_EQ(registro["entries"][1]["use"], "station");
  EXPECT_EQ(registro["entries"][1]["fields"].size(), 16u);
  EXPECT_EQ(registro["entries"][1]["fields"]["orario"]["converted"], "17:23:00");
  EXPECT_EQ(registro["entries"][80]["fields"]["nome"]["value"], "(CURVA 30\u00b0)(Km.1+200)");
  EXPECT_EQ(registro["entries"][85]["fields"]["orario"]["value"], -7);
  EXPECT_EQ(registro["entries"][86]["fields"]["campo_11"]["unit"], "min");
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
            "point 0: x 0 m, y 0 m\n"
            "point 3000: x 8783.2041015625 m, y 2999.75 m\n"
            "point 6000: x 35144.5322265625 m, y 5999.75 m\n");

  OpzioniDump o;
  o.file = "L_linea.dat";
  o.passo_punti = 2;
  o.da = 6996;
  o.a = 7100;
  EXPECT_EQ(dump(fs, o).out,
            "compiled line: plan view of points 0 to 7000 (route length 0 m), 139964 bytes\n"
            "points from 6996 m to 7100 m (6996 to 7000)\n"
            "tags: points 6996-6998 float64, points 6999-7000 empty\n"
            "extent: x 47783.2275390625 to 47810.5556640625 m, y 6995.75 to 6997.75 m\n"
            "point 6996: x 47783.2275390625 m, y 6995.75 m\n"
            "point 6998: x 47810.5556640625 m, y 6997.75 m\n"
            "point 7000: x empty, y empty\n");

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
  fs.files()["grande.dat"] = std::string(302116, '\0');
  fs.files()["grande_linea.dat"] = std::string(20139966, '\0');
  const struct {
    const char* file;
    int esito;
    const char* messaggio;
  } casi[] = {
      {"L_1.sim", kEsitoFallito,
       "scenario-tool dump: \"L_1.sim\" is not a compiled train scenario: the file has 2 bytes after the last"},
      {"L_1.dat", kEsitoFallito,
       "scenario-tool dump: \"L_1.dat\" is not a compiled route grid: the file has"},
      {"grande.dat", kEsitoFallito,
       "scenario-tool dump: opening \"grande.dat\": larger than the 302115 bytes expected"},
      {"grande_linea.dat", kEsitoFallito,
       "scenario-tool dump: opening \"grande_linea.dat\": larger than the 20139964 bytes expected"},
      {"assente.sim", kEsitoFallito, "scenario-tool dump: "},
      {"L_1.txt", kEsitoUso, "scenario-tool dump: cannot tell the kind of \"L_1.txt\""},
  };
  for (const auto& caso : casi) {
    const Uscite u = dump(fs, caso.file);
    EXPECT_EQ(u.esito, caso.esito) << caso.file;
    EXPECT_EQ(u.err.rfind(caso.messaggio, 0), 0u) << u.err;
    EXPECT_EQ(u.out, "") << caso.file;
  }
  OpzioniDump rovescio;
  rovescio.file = "L_1.dat";
  rovescio.da = 500;
  rovescio.a = 100;
  EXPECT_EQ(dump(fs, rovescio).esito, kEsitoUso);
}

TEST(ComandoDump, TheKindCanBeGivenForAnyName) {
  MemoryFileSystem fs;
  fs.files()["copia.bin"] = test::registro_di_prova();
  OpzioniDump o;
  o.file = "copia.bin";
  o.tipo = TipoFileCompilato::kScenario;
  const Uscite u = dump(fs, o);
  EXPECT_EQ(u.esito, kEsitoRiuscito);
  EXPECT_EQ(u.out.rfind("compiled train scenario: 87 registro entries", 0), 0u);
}

// The compiled files of a real compile dump whole, as text and as JSON.
TEST(ComandoDump, DumpsWhatTheCompileStepWrites) {
  MemoryFileSystem fs;
  const NomiFile nomi{"d", "L", "1"};
  fs.files()[nomi.testo_linea()] = test::testo_linea_prova();
  fs.files()[nomi.testo_treno()] = test::testo_treno_prova();
  Scenario tabelle;
  tabelle.nome_linea = "L";
  tabelle.numero_treno = "1";
  RisultatoCompilazione risultato;
  ASSERT_TRUE(memorizza_percorso(1, tabelle, fs, nomi, &risultato).ok());
  ASSERT_EQ(risultato.file_scritti.size(), 3u);
  for (const std::string& file : risultato.file_scritti) {
    const Uscite testo = dump(fs, file, false, 1000);
    EXPECT_EQ(testo.esito, kEsitoRiuscito) << testo.err;
    EXPECT_EQ(testo.out.find("not used here"), std::string::npos) << testo.out;
    const Uscite json = dump(fs, file, true, 1000);
    EXPECT_EQ(json.esito, kEsitoRiuscito) << json.err;
    EXPECT_TRUE(nlohmann::json::accept(json.out)) << json.out.substr(0, 500);
  }
}

}  // namespace
}  // namespace scenario
