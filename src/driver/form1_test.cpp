#include "driver/form1.h"

#include <gtest/gtest.h>

#include <map>

#include "base/file_names.h"
#include "base/memory_file_system.h"
#include "base/name_check.h"
#include "content/builtin_content.h"
#include "util/fake_platform_test_util.h"

namespace scenario {
namespace {

using namespace test;

TEST(Form1, SetsTheScenarioShowsTheWaitWindowFirstAndEndsWithStatus0) {
  PiattaformaFinta piattaforma("cartella");
  MemoryFileSystem memory;
  Form1 form1(piattaforma, memory, contenuto_incorporato());
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
  Form1 form1(piattaforma, memory, contenuto_incorporato());
  ASSERT_EQ(form1.carica(), kUscitaRiuscita);
  EXPECT_EQ(form1.tabelle().codice_errore, 0);
  const NomiFile nomi = contenuto_incorporato().nomi_in("cartella");
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
  Form1 ancora(piattaforma, memory, contenuto_incorporato());
  ASSERT_EQ(ancora.carica(), kUscitaRiuscita);
  EXPECT_TRUE(memory.files() == primi);
}

TEST(Form1, AFileThatCannotBeWrittenStopsTheRunWithItsNameAndReason) {
  PiattaformaFinta piattaforma("cartella");
  MemoryFileSystem memory;
  const NomiFile nomi = contenuto_incorporato().nomi_in("cartella");
  memory.files()[nomi.scheda_treno()] = "earlier card";
  memory.FailWritesTo(nomi.scheda_treno());
  Form1 form1(piattaforma, memory, contenuto_incorporato());
  EXPECT_EQ(form1.carica(), kUscitaFallimento);
  ASSERT_FALSE(piattaforma.eventi.empty());
  EXPECT_EQ(piattaforma.eventi.back(),
            "messaggio:Installazione non riuscita.\nImpossibile scrivere il file\n" +
                nomi.scheda_treno() + "\nMotivo: No space left on device");
  // The earlier card stays whole, and the steps after it did not run.
  EXPECT_EQ(memory.files()[nomi.scheda_treno()], "earlier card");
  EXPECT_EQ(memory.files().count(nomi.percorso_compilato()), 0u);
  EXPECT_EQ(memory.files().count(nomi.testo_linea()), 1u);
}

TEST(Form1, ThePackagesOwnNamesPassTheCheckAnAuthorsNamesMeet) {
  EXPECT_TRUE(controlla_nome_linea(contenuto_incorporato().nome_linea()).ok());
  EXPECT_TRUE(controlla_numero_treno(contenuto_incorporato().numero_treno()).ok());
}

// Another installation holds the folder: this one says so in Italian and
// ends with status 2, touching nothing (not even the leftovers of a killed run).
TEST(Form1, AFolderAnotherInstallationHoldsIsLeftUntouched) {
  PiattaformaFinta piattaforma("cartella");
  MemoryFileSystem memory;
  const NomiFile nomi = contenuto_incorporato().nomi_in("cartella");
  memory.files()[nomi.scheda_treno()] = "earlier card";
  memory.files()[nomi.scheda_treno() + ".part"] = "a killed run's";
  const auto prima = memory.files();
  const FolderLockResult altra = memory.LockFolder("cartella", std::chrono::milliseconds(0));
  ASSERT_EQ(altra.outcome, LockOutcome::kTaken);

  Form1 form1(piattaforma, memory, contenuto_incorporato());
  EXPECT_EQ(form1.carica(), kUscitaFallimento);
  EXPECT_EQ(piattaforma.eventi.back(),
            "messaggio:Un'altra installazione è in corso in questa cartella. Riprovare quando "
            "sarà terminata.");
  EXPECT_TRUE(memory.files() == prima);
}

TEST(Form1, AnUnknownFolderIsReportedNotGuessed) {
  PiattaformaFinta piattaforma("");
  MemoryFileSystem memory;
  Form1 form1(piattaforma, memory, contenuto_incorporato());
  EXPECT_EQ(form1.carica(), kUscitaFallimento);
  ASSERT_EQ(piattaforma.eventi.size(), 2u);
  EXPECT_EQ(piattaforma.eventi[1],
            "messaggio:Installazione non riuscita.\n"
            "Impossibile sapere in quale cartella si trova il programma.");
  EXPECT_TRUE(memory.files().empty());
}

// A disk that accepts the line's source text and keeps nothing of it (as when
// another program takes the file away at once): the reader finds no text.
class TestoLineaPerso : public MemoryFileSystem {
 public:
  explicit TestoLineaPerso(std::string nome) : nome_(std::move(nome)) {}
  Status ReplaceFileWith(const std::string& name, const ProduttoreByte& produci) override {
    if (name != nome_) return MemoryFileSystem::ReplaceFileWith(name, produci);
    class Scarta : public ByteSink {
      Status Append(std::string_view) override { return Status::OK(); }
    } scarta;
    return produci(scarta);
  }

 private:
  std::string nome_;
};

TEST(Form1, NoRouteToCompileStopsTheRunWithTheReadersCode) {
  PiattaformaFinta piattaforma("cartella");
  const NomiFile nomi = contenuto_incorporato().nomi_in("cartella");
  TestoLineaPerso disco(nomi.testo_linea());
  Form1 form1(piattaforma, disco, contenuto_incorporato());
  EXPECT_EQ(form1.carica(), kUscitaFallimento);
  EXPECT_EQ(piattaforma.eventi.back(),
            "messaggio:Installazione non riuscita.\n"
            "Impossibile compilare lo scenario: dalla descrizione\n"
            "della linea non risulta alcun percorso (codice 101).\n"
            "I file compilati non sono stati scritti.");
  // The three papers stay; nothing compiled.
  EXPECT_EQ(disco.files().count(nomi.scheda_treno()), 1u);
  EXPECT_EQ(disco.files().count(nomi.percorso_compilato()), 0u);
  EXPECT_EQ(disco.files().count(nomi.scenario_compilato()), 0u);
}

}  // namespace
}  // namespace scenario
