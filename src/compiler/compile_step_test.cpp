#include "compiler/compile_step.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"

namespace scenario {
namespace {

TEST(MemorizzaPercorso, CopiesItsSwitchClearsTheErrorAndTheRecordTable) {
  Scenario tabelle;
  tabelle.codice_errore = 25;
  for (voce_registro& voce : tabelle.registro) {
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

}  // namespace
}  // namespace scenario
