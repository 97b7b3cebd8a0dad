#include "compiler/compile_step.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/memory_file_system.h"

namespace scenario {
namespace {

const NomiFile kNomi{"dir", "BELFORTE SELVEN - MELAR", "8312"};

// The tables as the readers leave them for a 1 km route (cells 0 to 160,
// plan-view points 0 to 8000), built by hand.
Scenario tabelle_lette(int32_t scrivi_linea = 1) {
  Scenario tabelle;
  tabelle.nome_linea = kNomi.nome_linea;
  tabelle.numero_treno = kNomi.numero_treno;
  tabelle.scrivi_linea = scrivi_linea;
  tabelle.registro[kVoceLinea].nome = kNomi.nome_linea;
  tabelle.registro[kVoceTreno].nome = kNomi.numero_treno;
  tabelle.dimensiona(1000);
  if (tabelle.tracciato.esiste()) {
    tabelle.tracciato.imposta_origine();
    while (tabelle.tracciato.prossimo_punto() <= tabelle.lunghezza_tracciato - 2) {
      tabelle.tracciato.aggiungi_punto(0.0, tabelle.tracciato.prossimo_punto());
    }
  }
  return tabelle;
}

// A folder holding the compiled files of an earlier run.
MemoryFileSystem con_file_precedenti() {
  MemoryFileSystem memory;
  memory.files()[kNomi.linea_compilata()] = "old line";
  memory.files()[kNomi.scenario_compilato()] = "old sim";
  memory.files()[kNomi.percorso_compilato()] = "old grid";
  return memory;
}

std::string byte(std::initializer_list<int> valori) {
  std::string risultato;
  for (int v : valori) risultato.push_back(static_cast<char>(v));
  return risultato;
}

TEST(CompletaCompilazione, StampsStoresTheCodesAndWritesLineScenarioAndGridInThatOrder) {
  Scenario tabelle = tabelle_lette();
  MemoryFileSystem memory = con_file_precedenti();
  RisultatoCompilazione risultato;
  ASSERT_TRUE(completa_compilazione(tabelle, memory, kNomi, &risultato).ok());
  EXPECT_EQ(risultato.esito, EsitoCompilazione::kCompletata);
  EXPECT_EQ(risultato.file_scritti,
            (std::vector<std::string>{kNomi.linea_compilata(), kNomi.scenario_compilato(),
                                      kNomi.percorso_compilato()}));

  EXPECT_EQ(tabelle.registro[kVoceLinea].campo_7, 610);
  EXPECT_EQ(tabelle.registro[kVoceLinea].orario, 28903);
  EXPECT_EQ(tabelle.percorso[1].valore_1, 5121);
  EXPECT_EQ(tabelle.percorso[1].valore_2, 2169);

  const std::string& griglia = memory.files().at(kNomi.percorso_compilato());
  ASSERT_EQ(griglia.size(), 161 * 15u);
  EXPECT_EQ(griglia.substr(16, 4), byte({0x01, 0x14, 0x79, 0x08}));

  // Entry 85 holds the 23-character line name: its campo_7 follows the text,
  // its orario ends the entry.
  const std::string& registro = memory.files().at(kNomi.scenario_compilato());
  ASSERT_EQ(registro.size(), 2958u + 23 + 4);
  const size_t voce_85 = 85 * 34;
  EXPECT_EQ(registro.substr(voce_85 + 16 + 23, 2), byte({0x62, 0x02}));
  EXPECT_EQ(registro.substr(voce_85 + 30 + 23, 4), byte({0xE7, 0x70, 0, 0}));

  EXPECT_EQ(memory.files().at(kNomi.linea_compilata()).size(), 20 * 8000u - 36);
}

TEST(CompletaCompilazione, WithoutTheLineSwitchTheEarlierCompiledLineStays) {
  Scenario tabelle = tabelle_lette(0);
  MemoryFileSystem memory = con_file_precedenti();
  RisultatoCompilazione risultato;
  ASSERT_TRUE(completa_compilazione(tabelle, memory, kNomi, &risultato).ok());
  EXPECT_EQ(risultato.esito, EsitoCompilazione::kCompletata);
  EXPECT_EQ(risultato.file_scritti,
            (std::vector<std::string>{kNomi.scenario_compilato(), kNomi.percorso_compilato()}));
  EXPECT_EQ(memory.files().at(kNomi.linea_compilata()), "old line");
  EXPECT_EQ(memory.files().at(kNomi.percorso_compilato()).size(), 161 * 15u);
}

struct CasoSlot {
  std::string nome;
  std::function<void(Scenario&)> prepara;
};

TEST(CompletaCompilazione, AnOccupiedStampSlotGives1250AndWritesNothing) {
  const std::vector<CasoSlot> casi = {
      {"line entry campo_7", [](Scenario& t) { t.registro[kVoceLinea].campo_7 = 1; }},
      {"cell 1 valore_1", [](Scenario& t) { t.percorso[1].valore_1 = 7; }},
      {"the pass puts a trio point on cell 1",
       [](Scenario& t) {
         t.percorso[8].tipo = TipoCella::kInizioRallentamento;
         t.percorso[8].valore_1 = 110;
         t.percorso[10].tipo = TipoCella::kFineRallentamento;
         t.percorso[3].tipo = TipoCella::kFermata;
         t.percorso[2].tipo = TipoCella::kSegnale;
       }},
      {"the pass puts the point before a signal at cell 3 on cell 1",
       [](Scenario& t) {
         t.percorso[3].tipo = TipoCella::kSegnale;
         t.percorso[2].tipo = TipoCella::kFermata;
         t.percorso[23].tipo = TipoCella::kAvvisoRallentamento;
       }},
  };
  for (const CasoSlot& caso : casi) {
    SCOPED_TRACE(caso.nome);
    Scenario tabelle = tabelle_lette();
    caso.prepara(tabelle);
    MemoryFileSystem memory = con_file_precedenti();
    const auto prima = memory.files();
    RisultatoCompilazione risultato;
    ASSERT_TRUE(completa_compilazione(tabelle, memory, kNomi, &risultato).ok());
    EXPECT_EQ(risultato.esito, EsitoCompilazione::kErrore1250);
    EXPECT_TRUE(risultato.file_scritti.empty());
    EXPECT_EQ(memory.files(), prima);
    EXPECT_NE(tabelle.percorso[1].valore_1, 5121);
  }
}

TEST(CompletaCompilazione, AnOccupiedCodeSlotGives1251AfterTheStampsAndWritesNothing) {
  const std::vector<CasoSlot> casi = {
      {"line entry orario", [](Scenario& t) { t.registro[kVoceLinea].orario = 5; }},
      {"cell 1 valore_2", [](Scenario& t) { t.percorso[1].valore_2 = 3; }},
  };
  for (const CasoSlot& caso : casi) {
    SCOPED_TRACE(caso.nome);
    Scenario tabelle = tabelle_lette();
    caso.prepara(tabelle);
    MemoryFileSystem memory = con_file_precedenti();
    const auto prima = memory.files();
    const int32_t orario = tabelle.registro[kVoceLinea].orario;
    const int16_t valore_2 = tabelle.percorso[1].valore_2;
    RisultatoCompilazione risultato;
    ASSERT_TRUE(completa_compilazione(tabelle, memory, kNomi, &risultato).ok());
    EXPECT_EQ(risultato.esito, EsitoCompilazione::kErrore1251);
    EXPECT_TRUE(risultato.file_scritti.empty());
    EXPECT_EQ(memory.files(), prima);
    // The stamps are set in memory, the codes are not.
    EXPECT_EQ(tabelle.registro[kVoceLinea].campo_7, 610);
    EXPECT_EQ(tabelle.percorso[1].valore_1, 5121);
    EXPECT_EQ(tabelle.registro[kVoceLinea].orario, orario);
    EXPECT_EQ(tabelle.percorso[1].valore_2, valore_2);
  }
}

TEST(CompletaCompilazione, WithoutAGridNothingIsFinishedStampedOrWritten) {
  Scenario tabelle;
  tabelle.scrivi_linea = 1;
  tabelle.codice_errore = 101;
  MemoryFileSystem memory = con_file_precedenti();
  const auto prima = memory.files();
  RisultatoCompilazione risultato;
  ASSERT_TRUE(completa_compilazione(tabelle, memory, kNomi, &risultato).ok());
  EXPECT_EQ(risultato.esito, EsitoCompilazione::kNessunaGriglia);
  EXPECT_TRUE(risultato.file_scritti.empty());
  EXPECT_EQ(memory.files(), prima);
  EXPECT_EQ(tabelle.registro[kVoceLinea].campo_7, 0);
  EXPECT_EQ(tabelle.codice_errore, 101);
}

TEST(CompletaCompilazione, AFileThatCannotBeWrittenIsReportedAndStopsTheFilesAfterIt) {
  Scenario tabelle = tabelle_lette();
  MemoryFileSystem memory = con_file_precedenti();
  memory.FailWritesTo(kNomi.scenario_compilato());
  RisultatoCompilazione risultato;
  const Status status = completa_compilazione(tabelle, memory, kNomi, &risultato);
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.message().find(kNomi.scenario_compilato()), std::string::npos);
  EXPECT_NE(status.message().find("No space left on device"), std::string::npos);
  EXPECT_EQ(risultato.file_scritti, std::vector<std::string>{kNomi.linea_compilata()});
  EXPECT_EQ(memory.files().at(kNomi.scenario_compilato()), "old sim");
  EXPECT_EQ(memory.files().at(kNomi.percorso_compilato()), "old grid");
}

TEST(MemorizzaPercorso, CopiesItsSwitchClearsTheErrorAndTheRecordTable) {
  Scenario tabelle;
  tabelle.codice_errore = 25;
  for (VoceRegistro& voce : tabelle.registro) {
    voce.tipo = 7;
    voce.nome = "x";
    voce.orario = 99;
  }
  MemoryFileSystem memory;
  RisultatoCompilazione risultato;
  const NomiFile nomi{"dir", "L", "1"};
  // Two minimal source texts, so that the reader records no error of its own.
  memory.files()[nomi.testo_linea()] = "[generale]\r\nlunghezza percorso,    1000\r\n[fine]\r\n";
  memory.files()[nomi.testo_treno()] = "[generale]\r\n[fine]\r\n";
  ASSERT_TRUE(memorizza_percorso(1, tabelle, memory, nomi, &risultato).ok());
  EXPECT_EQ(tabelle.scrivi_linea, 1);
  EXPECT_EQ(tabelle.codice_errore, 0);
  EXPECT_EQ(tabelle.registro[0].tipo, 0);
  EXPECT_EQ(tabelle.registro[0].nome, "");
  EXPECT_EQ(tabelle.registro[86].orario, 0);
}

TEST(MemorizzaPercorso, WithNoSourceTextsThereIsNoGridAndNothingIsWritten) {
  // A grid left in the tables from before does not pass for this compile's.
  Scenario tabelle = tabelle_lette();
  MemoryFileSystem memory;
  RisultatoCompilazione risultato;
  ASSERT_TRUE(memorizza_percorso(1, tabelle, memory, kNomi, &risultato).ok());
  EXPECT_EQ(risultato.esito, EsitoCompilazione::kNessunaGriglia);
  EXPECT_TRUE(risultato.file_scritti.empty());
  EXPECT_TRUE(memory.files().empty());
}

}  // namespace
}  // namespace scenario
