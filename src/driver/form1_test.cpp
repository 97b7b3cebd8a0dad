#include "driver/form1.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"
#include "driver/fake_platform.h"

namespace scenario {
namespace {

TEST(Form1, SetsTheScenarioShowsTheWaitWindowFirstAndEndsWithStatus0) {
  PiattaformaFinta piattaforma("cartella");
  MemoryFileSystem memory;
  Form1 form1(piattaforma, memory);
  EXPECT_EQ(form1.carica(), kUscitaRiuscita);
  EXPECT_EQ(form1.tabelle().nome_linea, "BELFORTE SELVEN - MELAR");
  EXPECT_EQ(form1.tabelle().numero_treno, "8312");
  EXPECT_EQ(form1.tabelle().scrivi_linea, 1);
  ASSERT_FALSE(piattaforma.eventi.empty());
  EXPECT_EQ(piattaforma.eventi.front(), "attesa:BELFORTE SELVEN - MELAR:Attendere");
}

TEST(Form1, AnUnknownFolderIsReportedNotGuessed) {
  PiattaformaFinta piattaforma("");
  MemoryFileSystem memory;
  Form1 form1(piattaforma, memory);
  EXPECT_EQ(form1.carica(), kUscitaFallimento);
  ASSERT_EQ(piattaforma.eventi.size(), 2u);
  EXPECT_EQ(piattaforma.eventi[1].rfind("messaggio:Installation failed: ", 0), 0u);
  EXPECT_TRUE(memory.files().empty());
}

}  // namespace
}  // namespace scenario
