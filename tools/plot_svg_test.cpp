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
