// The installer killed at any moment (power cut, a player's task manager):
// afterwards every compiled file and every crew document in the folder is
// whole, either the earlier install's or the new one, never a mixture or a
// truncated file; and the next complete run leaves nothing of the killed
// runs behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <thread>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/memory_file_system.h"
#include "content/builtin_content.h"
#include "driver/form1.h"
#include "reliability/installer_process.h"
#include "util/fake_platform_test_util.h"

namespace scenario {
namespace {

using namespace test;

namespace fs = std::filesystem;
using Orologio = std::chrono::steady_clock;

constexpr int kUccisioni = 200;
constexpr uint32_t kSemeUccisioni = 8312;  // BM_KILL_SEED overrides it

bool parziale(const std::string& nome) { return nome.ends_with(".part"); }

std::string versione_precedente(const std::string& nuova) { return "earlier install\r\n" + nuova; }

TEST(UccisioniInstallatore, EveryFileStaysWholeOldOrNewUnderKillsAndTheNextRunLeavesNoTrace) {
  const fs::path cartella = cartella_di_prova("kills");
  struct Rimozione {
    fs::path cartella;
    ~Rimozione() {
      std::error_code ignorato;
      fs::remove_all(cartella, ignorato);
    }
  } rimozione{cartella};
  copia_programma(cartella);

  // The new version, and how long a whole run takes here.
  Orologio::duration durata{};
  for (int i = 0; i < 3; ++i) {
    const auto inizio = Orologio::now();
    const EsitoProcesso esito = esegui_installatore(cartella);
    durata = std::max(durata, Orologio::now() - inizio);
    ASSERT_EQ(esito.stato, 0) << esito.errori;
  }
  const std::map<std::string, std::string> nuovi = contenuto_cartella(cartella);
  ASSERT_EQ(nuovi.size(), 6u);
  std::map<std::string, std::string> vecchi;
  for (const auto& [nome, contenuto] : nuovi) vecchi[nome] = versione_precedente(contenuto);

  uint32_t seme = kSemeUccisioni;
  if (const char* testo = std::getenv("BM_KILL_SEED"))
    seme = static_cast<uint32_t>(std::stoul(testo));
  std::mt19937 caso(seme);
  const auto microsecondi = std::chrono::duration_cast<std::chrono::microseconds>(durata).count();
  std::uniform_int_distribution<int64_t> attesa(0, microsecondi + microsecondi / 5);

  int uccisi = 0, misti = 0, con_parziali = 0;
  std::map<std::string, std::string> stato = nuovi;
  for (int giro = 0; giro < kUccisioni; ++giro) {
    // Back to the earlier install; whatever else the killed runs left stays.
    for (const auto& [nome, contenuto] : vecchi) {
      if (stato[nome] != contenuto) scrivi_file(cartella / nome, contenuto);
    }
    const int64_t ritardo = attesa(caso);
    ProcessoInstallatore processo(cartella, {});
    std::this_thread::sleep_for(std::chrono::microseconds(ritardo));
    const EsitoProcesso esito = processo.uccidi_e_attendi();
    uccisi += esito.ucciso ? 1 : 0;

    stato = contenuto_cartella(cartella);
    int rimasti_vecchi = 0;
    bool ha_parziali = false;
    for (const auto& [nome, contenuto] : stato) ha_parziali = ha_parziali || parziale(nome);
    for (const auto& [nome, contenuto] : nuovi) {
      const auto it = stato.find(nome);
      ASSERT_NE(it, stato.end()) << nome << " is gone after the kill at " << ritardo << " us (seed "
                                 << seme << ", round " << giro << ")";
      ASSERT_TRUE(it->second == contenuto || it->second == vecchi[nome])
          << nome << " is neither the earlier nor the new version after the kill at " << ritardo
          << " us (seed " << seme << ", round " << giro << "): " << it->second.size() << " bytes";
      rimasti_vecchi += it->second == vecchi[nome] ? 1 : 0;
    }
    misti += rimasti_vecchi > 0 && rimasti_vecchi < 6 ? 1 : 0;
    con_parziali += ha_parziali ? 1 : 0;
  }

  // One complete run clears every trace of the killed ones.
  const EsitoProcesso finale = esegui_installatore(cartella);
  EXPECT_EQ(finale.stato, 0) << finale.errori;
  EXPECT_TRUE(contenuto_cartella(cartella) == nuovi)
      << "after a complete run the folder holds more or other than the six new files";

  std::printf(
      "%d runs started (seed %u, whole run %lld us): %d killed, %d with old and new files "
      "side by side, %d left a temporary file\n",
      kUccisioni, seme, static_cast<long long>(microsecondi), uccisi, misti, con_parziali);
  RecordProperty("killed", uccisi);
  RecordProperty("mixed", misti);
  RecordProperty("left_temporary", con_parziali);
  // The kills must land inside the run, not only before or after it.
  EXPECT_GT(misti, 0);
}

// A run that stops before it writes some of its files (here the very first
// write fails) has still removed every leftover temporary file of its eight
// names at its start.
TEST(UccisioniInstallatore, ARunRemovesLeftoverTemporaryFilesEvenWhenItStopsEarly) {
  PiattaformaFinta piattaforma("cartella");
  MemoryFileSystem memoria;
  const NomiFile nomi = contenuto_incorporato().nomi_in("cartella");
  for (const std::string& nome : {nomi.testo_linea(), nomi.testo_treno(), nomi.note(),
                                  nomi.rallentamenti(), nomi.scheda_treno(), nomi.linea_compilata(),
                                  nomi.scenario_compilato(), nomi.percorso_compilato()}) {
    memoria.files()[temporary_name_for(nome, 0x1234abcd5678ef90ull)] = "half a file";
    memoria.files()[nome + ".part"] = "half a file of an earlier version";
  }
  memoria.files()["cartella/other.part"] = "not ours";
  memoria.FailWritesTo(nomi.testo_linea());

  Form1 form1(piattaforma, memoria, contenuto_incorporato());
  EXPECT_EQ(form1.carica(), kUscitaFallimento);
  std::map<std::string, std::string> restano(memoria.files().begin(), memoria.files().end());
  EXPECT_EQ(restano, (std::map<std::string, std::string>{{"cartella/other.part", "not ours"}}));
}

}  // namespace
}  // namespace scenario
