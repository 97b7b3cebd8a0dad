#include "driver/form1.h"

#include <gtest/gtest.h>

#include <map>

#include "base/file_names.h"
#include "base/memory_file_system.h"
#include "base/name_check.h"
#include "util/fake_platform_test_util.h"

namespace scenario {
namespace {

using namespace test;

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

// A whole run leaves the three papers and the three compiled files, and no
// error is recorded anywhere on the way for the content the package carries.
TEST(Form1, LeavesExactlyTheSixFilesOfThePackageWithNoErrorRecorded) {
  PiattaformaFinta piattaforma("cartella");
  MemoryFileSystem memory;
  Form1 form1(piattaforma, memory);
  ASSERT_EQ(form1.carica(), kUscitaRiuscita);
  EXPECT_EQ(form1.tabelle().codice_errore, 0);
  const NomiFile nomi{"cartella", kNomeLinea, kNumeroTreno};
  std::map<std::string, size_t> dimensioni;
  for (const auto& [nome, contenuto] : memory.files()) dimensioni[nome] = contenuto.size();
  ASSERT_EQ(dimensioni.size(), 6u);
  EXPECT_EQ(dimensioni.count(nomi.note()), 1u);
  EXPECT_EQ(dimensioni.count(nomi.rallentamenti()), 1u);
  EXPECT_EQ(dimensioni.count(nomi.scheda_treno()), 1u);
  EXPECT_EQ(dimensioni[nomi.linea_compilata()], 2139964u);
  EXPECT_EQ(dimensioni[nomi.percorso_compilato()], 32115u);
  EXPECT_EQ(dimensioni.count(nomi.scenario_compilato()), 1u);

  // A second run in the same folder gives the same bytes.
  const auto primi = memory.files();
  Form1 ancora(piattaforma, memory);
  ASSERT_EQ(ancora.carica(), kUscitaRiuscita);
  EXPECT_TRUE(memory.files() == primi);
}

TEST(Form1, AFileThatCannotBeWrittenStopsTheRunWithItsNameAndReason) {
  PiattaformaFinta piattaforma("cartella");
  MemoryFileSystem memory;
  const NomiFile nomi{"cartella", kNomeLinea, kNumeroTreno};
  memory.files()[nomi.scheda_treno()] = "earlier card";
  memory.FailWritesTo(nomi.scheda_treno());
  Form1 form1(piattaforma, memory);
  EXPECT_EQ(form1.carica(), kUscitaFallimento);
  ASSERT_FALSE(piattaforma.eventi.empty());
  EXPECT_NE(piattaforma.eventi.back().find(nomi.scheda_treno()), std::string::npos)
      << piattaforma.eventi.back();
  EXPECT_NE(piattaforma.eventi.back().find("No space left on device"), std::string::npos);
  // The earlier card stays whole, and the steps after it did not run.
  EXPECT_EQ(memory.files()[nomi.scheda_treno()], "earlier card");
  EXPECT_EQ(memory.files().count(nomi.percorso_compilato()), 0u);
  EXPECT_EQ(memory.files().count(nomi.testo_linea()), 1u);
}

TEST(Form1, ThePackagesOwnNamesPassTheCheckAnAuthorsNamesMeet) {
  EXPECT_TRUE(controlla_nome_linea(kNomeLinea).ok());
  EXPECT_TRUE(controlla_numero_treno(kNumeroTreno).ok());
}

// Another installation holds the folder: this one says so in Italian and
// ends with status 2, touching nothing (not even the leftovers of a killed run).
TEST(Form1, AFolderAnotherInstallationHoldsIsLeftUntouched) {
  PiattaformaFinta piattaforma("cartella");
  MemoryFileSystem memory;
  const NomiFile nomi{"cartella", kNomeLinea, kNumeroTreno};
  memory.files()[nomi.scheda_treno()] = "earlier card";
  memory.files()[nomi.scheda_treno() + ".part"] = "a killed run's";
  const auto prima = memory.files();
  const FolderLockResult altra = memory.LockFolder("cartella", std::chrono::milliseconds(0));
  ASSERT_EQ(altra.outcome, LockOutcome::kTaken);

  Form1 form1(piattaforma, memory);
  EXPECT_EQ(form1.carica(), kUscitaFallimento);
  EXPECT_EQ(piattaforma.eventi.back(), std::string("messaggio:") + kMessaggioCartellaOccupata);
  EXPECT_EQ(piattaforma.eventi.back(),
            "messaggio:Un'altra installazione è in corso in questa cartella. Riprovare quando "
            "sarà terminata.");
  EXPECT_TRUE(memory.files() == prima);
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
