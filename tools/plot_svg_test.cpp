#include "plot_svg.h"

#include <gtest/gtest.h>

#include "util/xml_test_util.h"

namespace scenario {
namespace {

// A 20 km route drawn by hand: a straight start, a long right-hand curve,
// two stations, three signals, a lettered board, a tunnel and a slowdown.
Scenario scenario_di_prova(int32_t lunghezza = 20000) {
  Scenario t;
  t.scrivi_linea = 1;
  t.dimensiona(lunghezza);
  t.registro[kVoceTrenoPercorso].fine = lunghezza;
  Tracciato& tr = t.tracciato;
  tr.imposta_origine();
  while (tr.prossimo_punto() <= tr.ultimo_indice() - 2) {
    const int32_t m = tr.prossimo_punto();
    const double dx = tr.x(m - 1) - tr.x(m - 2), dy = tr.y(m - 1) - tr.y(m - 2);
    const double curva = (m > 3000 && m <= 9000) ? 0.0002 : 0.0;
    tr.aggiungi_punto(tr.x(m - 1) + dx + curva * dy, tr.y(m - 1) + dy - curva * dx);
  }
  t.registro[1].tipo = 8;
  t.registro[1].progressiva = 0;
  t.registro[1].nome = "PRATO D'ALPE";
  t.registro[2].tipo = 12;
  t.registro[2].progressiva = lunghezza;
  t.registro[2].nome = "VAL & <MONTE>";
  t.registro[80].nome = "(GALLERIA \"ROCCA\" 30\xB0)(Km.4+700)";
  auto cella = [&](int32_t posizione) -> CellaPercorso& {
    return t.percorso[static_cast<size_t>(posizione / 50 + 1)];
  };
  for (int32_t s : {4500, 5450, 12000}) cella(s).tipo = TipoCella::kSegnale;
  cella(4650).tipo = TipoCella::kCartelloIndicatore;
  cella(4650).valore_1 = 80;
  for (int32_t c = 94; c <= 97; ++c) t.percorso[static_cast<size_t>(c)].montagna = 1;
  for (int32_t c = 300; c <= 310; ++c) t.percorso[static_cast<size_t>(c)].montagna = 2;
  cella(6000).tipo = TipoCella::kInizioRallentamento;
  cella(6000).valore_1 = 30;
  cella(6300).tipo = TipoCella::kFineRallentamento;
  for (size_t c = 0; c < t.percorso.size(); ++c) {
    t.percorso[c].pendenza = static_cast<uint8_t>(c < 42 ? 100 : c < 200 ? 120 : 88);
    t.percorso[c].velocita_max = static_cast<uint8_t>(c < 60 ? 15 : 20);
  }
  return t;
}

TEST(DisegnaScenario, IsWellFormedXmlWithEveryMark) {
  const std::string svg = disegna_scenario(scenario_di_prova(), "L & M, train <1>");
  const test::EsitoXml xml = test::controlla_xml(svg);
  ASSERT_TRUE(xml.ok()) << xml.errore;
  ASSERT_FALSE(xml.elementi.empty());
  EXPECT_EQ(xml.elementi[0].nome, "svg");
  EXPECT_EQ(xml.elementi[0].attributi.at("xmlns"), "http://www.w3.org/2000/svg");
  EXPECT_EQ(test::con_classe(xml, "title")[0].testo, "L & M, train <1>");

  EXPECT_EQ(test::con_classe(xml, "track").size(), 1u);
  EXPECT_EQ(test::con_classe(xml, "signal").size(), 3u);
  EXPECT_EQ(test::con_classe(xml, "tunnel").size(), 2u);
  EXPECT_EQ(test::con_classe(xml, "slowdown").size(), 1u);
  EXPECT_EQ(test::con_classe(xml, "speed-limit").size(), 1u);
  EXPECT_EQ(test::con_classe(xml, "gradient-profile").size(), 1u);
  const auto stazioni = test::con_classe(xml, "station-label");
  ASSERT_EQ(stazioni.size(), 2u);
  EXPECT_EQ(stazioni[0].testo, "PRATO D'ALPE");
  EXPECT_EQ(stazioni[1].testo, "VAL & <MONTE>");
  const auto cartelli = test::con_classe(xml, "board");
  ASSERT_EQ(cartelli.size(), 1u);
  bool titolo_trovato = false;
  for (const auto& e : xml.elementi) {
    if (e.nome == "title" && e.testo == "(GALLERIA \"ROCCA\" 30\u00b0)(Km.4+700) at 4650 m")
      titolo_trovato = true;
  }
  EXPECT_TRUE(titolo_trovato)
      << "the board's lettering, converted from Windows-1252, as its tooltip";
  const auto gradienti = test::con_classe(xml, "gradient-label");
  ASSERT_EQ(gradienti.size(), 3u);
  EXPECT_EQ(gradienti[0].testo, "0");
  EXPECT_EQ(gradienti[1].testo, "+20");
  EXPECT_EQ(gradienti[2].testo, "-12");
}

// What an author checks a route by: the curve by side and class in its strip
// and on the plan, kilometre posts, each signal with its kind on the axis,
// the line's speed boards beside the train's limit, and, for a compile that
// recorded an error, a red band that says so in words.
TEST(DisegnaScenario, ShowsWhatAnAuthorChecksARouteBy) {
  Scenario t = scenario_di_prova();
  auto cella = [&](int32_t posizione) -> CellaPercorso& {
    return t.percorso[static_cast<size_t>(posizione / 50 + 1)];
  };
  cella(4500).valore_4 = 3;  // kind 1
  cella(5450).valore_4 = 6;  // kind 2
  cella(12000).valore_4 = 6;
  cella(1150) = {TipoCella::kIndicatoreVMax, 1400, 1500, 1500, 0};
  cella(15000) = {TipoCella::kIndicatoreVMax, 2400, 2600, 2600, 0};

  const test::EsitoXml xml = test::controlla_xml(disegna_scenario(t, "route"));
  ASSERT_TRUE(xml.ok()) << xml.errore;
  // The fixture's one curve, class 2 to the right, 3000 to 9000 m.
  const auto curve = test::con_classe(xml, "curve");
  ASSERT_EQ(curve.size(), 1u);
  EXPECT_EQ(test::con_classe(xml, "curve-plan").size(), 1u);
  bool descritta = false;
  for (const auto& e : xml.elementi) {
    descritta =
        descritta || (e.nome == "title" && e.testo ==
                                               "right-hand curve, class 2 (radius 5000 m), 3000 "
                                               "to 9000 m");
  }
  EXPECT_TRUE(descritta);
  EXPECT_EQ(test::con_classe(xml, "km-post").size(), 10u) << "every 2 km of 20";

  const auto tipi = test::con_classe(xml, "signal-kind");
  ASSERT_EQ(tipi.size(), 3u);
  EXPECT_EQ(tipi[0].testo, "1");
  EXPECT_EQ(tipi[1].testo, "2");
  EXPECT_EQ(tipi[2].testo, "2");
  EXPECT_EQ(test::con_classe(xml, "signal-mark").size(), 3u);
  const auto tabelle = test::con_classe(xml, "speed-board-label");
  ASSERT_EQ(tabelle.size(), 2u);
  EXPECT_EQ(tabelle[0].testo, "75");
  EXPECT_EQ(tabelle[1].testo, "130");
  EXPECT_TRUE(test::con_classe(xml, "error-banner").empty());

  const std::vector<std::string> avvisi = {
      "d/L_1-.txt:12:1: error 16: signal on an occupied cell at 4500 m"};
  const test::EsitoXml con_errore = test::controlla_xml(disegna_scenario(t, "route", avvisi));
  ASSERT_TRUE(con_errore.ok()) << con_errore.errore;
  EXPECT_EQ(test::con_classe(con_errore, "error-banner").size(), 1u);
  const auto messaggi = test::con_classe(con_errore, "error-message");
  ASSERT_EQ(messaggi.size(), 1u);
  EXPECT_EQ(messaggi[0].testo, avvisi[0]);
}

TEST(DisegnaScenario, StaysSmallForTheLongestRoute) {
  Scenario t = scenario_di_prova(kLunghezzaMassima);
  const std::string svg = disegna_scenario(t, "long");
  EXPECT_TRUE(test::controlla_xml(svg).ok());
  // One plan point per 50 m of a 1000 km line, and the profiles per cell.
  EXPECT_LT(svg.size(), 2'000'000u);
  const std::string breve = disegna_scenario(scenario_di_prova(), "short");
  EXPECT_LT(breve.size(), 60'000u);
}

TEST(DisegnaScenario, DrawsARouteWithoutPlanView) {
  Scenario t;
  t.dimensiona(0);
  const std::string svg = disegna_scenario(t, "no plan");
  const test::EsitoXml xml = test::controlla_xml(svg);
  ASSERT_TRUE(xml.ok()) << xml.errore;
  EXPECT_TRUE(test::con_classe(xml, "track").empty());
  EXPECT_NE(svg.find("No plan view"), std::string::npos);
  EXPECT_TRUE(test::controlla_xml(disegna_scenario(Scenario{}, "no grid")).ok());
}

}  // namespace
}  // namespace scenario
