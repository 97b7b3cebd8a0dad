// The installer in a folder set up against it, as an attacker or an unlucky
// player would: links and other things planted where it puts its temporary
// files (at the fixed names of earlier versions, and at the run's own names
// right after its sweep), a folder another installation holds, and two or
// three installations started together. Every run must either leave the
// package's exact files and say so, or fail and say so; nothing outside the
// folder may change.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/memory_file_system.h"
#include "content/builtin_content.h"
#include "driver/form1.h"
#include "reliability/installer_process.h"
#include "util/fake_platform_test_util.h"
#include "util/trap_disk_test_util.h"

namespace scenario {
namespace {

// The package's own names, as an author would give them.
const std::string kNomeLinea(contenuto_incorporato().nome_linea());
const std::string kNumeroTreno(contenuto_incorporato().numero_treno());

using namespace test;

namespace fs = std::filesystem;

std::vector<std::string> otto_nomi(const std::string& cartella) {
  const NomiFile nomi{cartella, kNomeLinea, kNumeroTreno};
  return {nomi.testo_linea(),        nomi.testo_treno(),       nomi.note(),
          nomi.rallentamenti(),      nomi.scheda_treno(),      nomi.linea_compilata(),
          nomi.scenario_compilato(), nomi.percorso_compilato()};
}

// The six files a run leaves, by name without the folder, from a run in memory.
std::map<std::string, std::string> file_del_pacchetto() {
  PiattaformaFinta piattaforma("c");
  MemoryFileSystem memoria;
  Form1 form1(piattaforma, memoria, contenuto_incorporato());
  EXPECT_EQ(form1.carica(), kUscitaRiuscita);
  std::map<std::string, std::string> file;
  for (const auto& [nome, contenuto] : memoria.files()) file[nome.substr(2)] = contenuto;
  return file;
}

std::string leggi(const fs::path& file) { return leggi_tutto(file); }

std::map<std::string, std::string> voci(const fs::path& cartella) {
  return test::voci(cartella, kNomeProgramma);
}

class InstallatoreOstile : public ::testing::Test {
 protected:
  void SetUp() override {
    cartella_ = cartella_di_prova(::testing::UnitTest::GetInstance()->current_test_info()->name());
    // A file of the player's outside the folder, which the installer (run as
    // the unprivileged user) could write if it followed a link to it.
    esterno_ = cartella_.string() + "-esterno";
    scrivi_file(esterno_, "the player's own file");
    fs::permissions(esterno_, fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec |
                                                 fs::perms::others_exec));
    pacchetto_ = file_del_pacchetto();
  }
  void TearDown() override {
    std::error_code ignorato;
    fs::remove_all(cartella_, ignorato);
    fs::remove(esterno_, ignorato);
    fs::remove(esterno_.string() + "-assente", ignorato);
  }

  std::string pianta(Esca esca, const fs::path& nome) { return test::pianta(esca, nome, esterno_); }

  void VerificaEsterno() const {
    EXPECT_EQ(leggi(esterno_), "the player's own file");
    EXPECT_FALSE(fs::exists(esterno_.string() + "-assente"));
  }

  fs::path cartella_;
  fs::path esterno_;
  std::map<std::string, std::string> pacchetto_;
};

TEST_F(InstallatoreOstile, WhatStandsAtTheOldTemporaryNamesIsNeitherFollowedNorWaitedFor) {
  copia_programma(cartella_);
  std::map<std::string, std::string> atteso = pacchetto_;
  int i = 0;
  for (const std::string& nome : otto_nomi(cartella_.string())) {
    const fs::path parziale = nome + ".part";
    const std::string resta = pianta(kEsche[i++ % std::size(kEsche)], parziale);
    if (!resta.empty()) atteso[parziale.filename().string()] = resta;
  }
  const auto inizio = std::chrono::steady_clock::now();
  const EsitoProcesso esito = esegui_installatore(cartella_);
  EXPECT_LT(std::chrono::steady_clock::now() - inizio, std::chrono::seconds(5));
  EXPECT_EQ(esito.stato, 0) << esito.errori;
  EXPECT_TRUE(voci(cartella_) == atteso);
  VerificaEsterno();
}

TEST_F(InstallatoreOstile, WhatIsPlantedAtTheRunsOwnTemporaryNamesAfterTheSweepIsPassedBy) {
  constexpr uint64_t kIdCorsa = 0x5ca1ab1e00000000ull;
  std::map<std::string, std::string> atteso = pacchetto_;
  DiscoConTrappole disco(kIdCorsa, [&] {
    int i = 0;
    for (const std::string& nome : otto_nomi(cartella_.string())) {
      const fs::path trappola = temporary_name_for(nome, kIdCorsa);
      const std::string resta = pianta(kEsche[i++ % std::size(kEsche)], trappola);
      atteso[trappola.filename().string()] = resta.empty() ? leggi(esterno_) : resta;
    }
  });
  PiattaformaFinta piattaforma(cartella_.string());
  Form1 form1(piattaforma, disco, contenuto_incorporato());
  EXPECT_EQ(form1.carica(), kUscitaRiuscita) << piattaforma.eventi.back();
  EXPECT_TRUE(voci(cartella_) == atteso);
  VerificaEsterno();
}

TEST_F(InstallatoreOstile, AFolderAnotherRunHoldsIsLeftUntouchedWithAMessageInItalian) {
  copia_programma(cartella_);
  scrivi_file(cartella_ / "BELFORTE SELVEN - MELAR_8312.sim", "earlier install");
  scrivi_file(cartella_ / "BELFORTE SELVEN - MELAR_8312.sim.part", "a killed run's");
  const auto prima = voci(cartella_);
  const int tenuta = ::open(cartella_.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(tenuta, 0);
  ASSERT_EQ(::flock(tenuta, LOCK_EX), 0);

  const auto inizio = std::chrono::steady_clock::now();
  const EsitoProcesso esito = esegui_installatore(cartella_);
  const auto attesa = std::chrono::steady_clock::now() - inizio;
  ::close(tenuta);
  EXPECT_EQ(esito.stato, 2);
  EXPECT_NE(esito.errori.find("Un'altra installazione è in corso in questa cartella. Riprovare "
                              "quando sarà terminata."),
            std::string::npos)
      << esito.errori;
  EXPECT_GE(attesa, kAttesaCartella);
  EXPECT_TRUE(voci(cartella_) == prima);
}

// Installations started together take turns: each ends with status 0 and the
// folder holds exactly the package's files after every round.
TEST_F(InstallatoreOstile, InstallationsStartedTogetherEachLeaveThePackagesExactFiles) {
  copia_programma(cartella_);
#ifdef __SANITIZE_ADDRESS__
  constexpr int kGiri = 15;  // a sanitized run takes some ten times as long
#else
  constexpr int kGiri = 50;
#endif
  int falliti = 0;
  for (const int insieme : {2, 3}) {
    for (int giro = 0; giro < kGiri; ++giro) {
      std::vector<std::unique_ptr<ProcessoInstallatore>> processi;
      for (int k = 0; k < insieme; ++k) {
        processi.push_back(std::make_unique<ProcessoInstallatore>(cartella_, OpzioniAvvio{}));
      }
      for (auto& processo : processi) {
        const EsitoProcesso esito = processo->attendi();
        // A run that fails must say so; with the lock none should.
        EXPECT_EQ(esito.stato, 0) << insieme << " together, round " << giro << ": " << esito.errori;
        falliti += esito.stato != 0 ? 1 : 0;
      }
      ASSERT_TRUE(voci(cartella_) == pacchetto_)
          << insieme << " together, round " << giro << ": the folder holds other files";
    }
  }
  EXPECT_EQ(falliti, 0);
}

}  // namespace
}  // namespace scenario
