#include "driver/package_run.h"

#include <gtest/gtest.h>

#include <string>

#include "base/memory_file_system.h"
#include "content/builtin_content.h"
#include "content/payload_format.h"
#include "driver/form1.h"
#include "driver/messaggi.h"
#include "util/fake_platform_test_util.h"

namespace scenario {
namespace {

using namespace test;

const std::string kProgramma = "cartella/pacchetto";
const std::string kProgrammaNudo =
    "\x7f"
    "ELF the bare package program";

// The package's own scenario as an author gets it from the tool's export:
// the five files, byte for byte as the installer writes them.
Carico carico_incorporato() {
  const ContenutoPacchetto& incorporato = contenuto_incorporato();
  MemoryFileSystem memoria;
  const NomiFile nomi = incorporato.nomi_in("esportato");
  Carico carico;
  carico.nome_linea = incorporato.nome_linea();
  carico.numero_treno = incorporato.numero_treno();
  for (const Documento documento : kDocumentiDellaCorsa) {
    EXPECT_TRUE(incorporato.scrivi(documento, memoria, nomi).ok());
    carico[documento] = memoria.files()[nome_documento(documento, nomi)];
  }
  return carico;
}

std::string programma_con(const Carico& carico) {
  std::string byte;
  EXPECT_TRUE(componi_carico(carico, &byte).ok());
  return kProgrammaNudo + byte;
}

// The built-in scenario, carried as a payload, installs what the installer
// installs: the same events on the screen, the same files, the same bytes.
TEST(PackageRun, InstallsWhatTheInstallerInstallsForTheSameScenario) {
  PiattaformaFinta installatore("cartella");
  MemoryFileSystem atteso;
  atteso.files()[kProgramma] = programma_con(carico_incorporato());
  Form1 form1(installatore, atteso, contenuto_incorporato());
  ASSERT_EQ(form1.carica(), kUscitaRiuscita);

  PiattaformaFinta pacchetto("cartella");
  MemoryFileSystem memoria;
  memoria.files()[kProgramma] = atteso.files()[kProgramma];
  ASSERT_EQ(installa_pacchetto(pacchetto, memoria, kProgramma), kUscitaRiuscita);
  EXPECT_EQ(pacchetto.eventi, installatore.eventi);
  EXPECT_EQ(memoria.files().size(), 7u);
  EXPECT_TRUE(memoria.files() == atteso.files());
}

// A document the author left out is not written; the rest of the run is the
// same.
TEST(PackageRun, LeavesOutTheDocumentsThePayloadDoesNotCarry) {
  Carico carico = carico_incorporato();
  carico[Documento::kNote].reset();
  carico[Documento::kRallentamenti].reset();
  PiattaformaFinta piattaforma("cartella");
  MemoryFileSystem memoria;
  memoria.files()[kProgramma] = programma_con(carico);
  ASSERT_EQ(installa_pacchetto(piattaforma, memoria, kProgramma), kUscitaRiuscita);
  const NomiFile nomi = contenuto_incorporato().nomi_in("cartella");
  EXPECT_EQ(memoria.files().count(nomi.note()), 0u);
  EXPECT_EQ(memoria.files().count(nomi.rallentamenti()), 0u);
  EXPECT_EQ(memoria.files().count(nomi.scheda_treno()), 1u);
  EXPECT_EQ(memoria.files().count(nomi.scenario_compilato()), 1u);
  EXPECT_EQ(memoria.files().size(), 5u);
}

// Whatever is wrong with the program's file, the player is told in Italian,
// the wait window never comes up, the exit status is 2 and the folder holds
// what it held before.
TEST(PackageRun, RefusesADamagedProgramBeforeTouchingAnyFile) {
  const std::string sano = programma_con(carico_incorporato());
  std::string alterato = sano;
  alterato[kProgrammaNudo.size() + 100] ^= 0x01;
  const struct {
    const char* caso;
    std::string programma;
    std::string messaggio;
  } casi[] = {
      {"the bare program", kProgrammaNudo, messaggio_pacchetto_difettoso(DifettoCarico::kAssente)},
      {"one byte changed", alterato, messaggio_pacchetto_difettoso(DifettoCarico::kImprontaErrata)},
      {"cut short", sano.substr(0, sano.size() - 1000),
       messaggio_pacchetto_difettoso(DifettoCarico::kTroncato)},
  };
  for (const auto& caso : casi) {
    PiattaformaFinta piattaforma("cartella");
    MemoryFileSystem memoria;
    memoria.files()[kProgramma] = caso.programma;
    memoria.files()["cartella/altro.txt"] = "a player's file";
    const auto prima = memoria.files();
    EXPECT_EQ(installa_pacchetto(piattaforma, memoria, kProgramma), kUscitaFallimento) << caso.caso;
    EXPECT_EQ(piattaforma.eventi, std::vector<std::string>{"messaggio:" + caso.messaggio})
        << caso.caso;
    EXPECT_TRUE(memoria.files() == prima) << caso.caso;
  }

  PiattaformaFinta piattaforma("cartella");
  MemoryFileSystem memoria;
  EXPECT_EQ(installa_pacchetto(piattaforma, memoria, kProgramma), kUscitaFallimento);
  ASSERT_EQ(piattaforma.eventi.size(), 1u);
  EXPECT_NE(piattaforma.eventi[0].find("Impossibile aprire il file\ncartella/pacchetto"),
            std::string::npos)
      << piattaforma.eventi[0];
  EXPECT_TRUE(memoria.files().empty());
}

}  // namespace
}  // namespace scenario
