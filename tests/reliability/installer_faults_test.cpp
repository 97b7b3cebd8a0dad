// The real installer meets a disk that refuses it: a read-only folder, a
// folder where a file's name is taken by a folder, a full disk, a target that
// cannot be replaced. Each time it must say which file, what it was doing and
// why on standard error, end with a non-zero status, leave every file of an
// earlier install that it had not yet replaced exactly as it was, and leave
// no temporary file behind.
//
// The tests run the installer as an unprivileged user when they run as root
// (as in CI), so that permissions bite as they do for a player.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/memory_file_system.h"
#include "content/builtin_content.h"
#include "content/source_texts.h"
#include "driver/form1.h"
#include "driver/messaggi.h"
#include "reliability/installer_process.h"

namespace scenario {
namespace {

// True when `testo` holds `atteso` with the run's own number, sixteen
// lowercase hex digits, in place of "XXXXXXXXXXXXXXXX" (where it has them).
bool contiene_con_numero(const std::string& testo, const std::string& atteso) {
  const size_t cifre = atteso.find("XXXXXXXXXXXXXXXX");
  if (cifre == std::string::npos) return testo.find(atteso) != std::string::npos;
  const std::string prima = atteso.substr(0, cifre), dopo = atteso.substr(cifre + 16);
  for (size_t at = testo.find(prima); at != std::string::npos; at = testo.find(prima, at + 1)) {
    const std::string numero = testo.substr(at + prima.size(), 16);
    if (numero.size() == 16 && numero.find_first_not_of("0123456789abcdef") == std::string::npos &&
        testo.compare(at + prima.size() + 16, dopo.size(), dopo) == 0) {
      return true;
    }
  }
  return false;
}

using namespace test;

namespace fs = std::filesystem;

// The eight files of a run in the order the run writes them; the first two
// are the source texts, which the compile step reads back and deletes.
std::vector<std::string> file_in_ordine() {
  const NomiFile nomi = contenuto_incorporato().nomi_in("");
  std::vector<std::string> nomi_file;
  for (const std::string& nome : {nomi.testo_linea(), nomi.testo_treno(), nomi.note(),
                                  nomi.rallentamenti(), nomi.scheda_treno(), nomi.linea_compilata(),
                                  nomi.scenario_compilato(), nomi.percorso_compilato()}) {
    nomi_file.push_back(nome.substr(1));  // without the separator after the empty folder
  }
  return nomi_file;
}

constexpr size_t kPrimoProdotto = 2;  // the files before it are the source texts
constexpr size_t kPrimoCompilato = 5;

// An earlier install whose six files all differ from what this run writes,
// so that every file shows whether it was replaced.
std::string versione_precedente(const std::string& nuova) { return "earlier install\r\n" + nuova; }

class GuastiInstallatore : public ::testing::Test {
 protected:
  void SetUp() override { Prepara(cartella_di_prova(nome_del_test())); }

  // Installs once into `cartella` to learn the new files, then turns them
  // into an earlier install.
  void Prepara(const fs::path& cartella) {
    cartella_ = cartella;
    copia_programma(cartella_);
    const EsitoProcesso prima = esegui_installatore(cartella_);
    ASSERT_EQ(prima.stato, 0) << prima.errori;
    nuovi_ = contenuto_cartella(cartella_);
    for (size_t i = kPrimoProdotto; i < ordine_.size(); ++i) {
      ASSERT_EQ(nuovi_.count(ordine_[i]), 1u) << ordine_[i] << " missing after a complete run";
    }
    ASSERT_EQ(nuovi_.size(), ordine_.size() - kPrimoProdotto);
    for (const auto& [nome, contenuto] : nuovi_) {
      scrivi_file(cartella_ / nome, versione_precedente(contenuto));
    }
  }

  void TearDown() override {
    if (cartella_.empty()) return;
    fs::permissions(cartella_, fs::perms::owner_all);
    std::error_code ignorato;
    fs::remove_all(cartella_, ignorato);
  }

  static std::string nome_del_test() {
    return ::testing::UnitTest::GetInstance()->current_test_info()->name();
  }

  fs::path percorso(size_t indice) const { return cartella_ / ordine_[indice]; }

  // What the folder must hold after a run that failed on file `guasto`: the
  // files before it new, the file itself and those after it as they were.
  // The source texts the run wrote stay when it stopped before the compile
  // step read them.
  std::map<std::string, std::string> atteso_dopo_guasto(size_t guasto) const {
    std::map<std::string, std::string> atteso;
    for (size_t i = 0; i < ordine_.size(); ++i) {
      const std::string& nome = ordine_[i];
      if (i < kPrimoProdotto) {
        if (i < guasto && guasto < kPrimoCompilato) atteso[nome] = sorgente_scritta(i);
        continue;
      }
      atteso[nome] = i < guasto ? nuovi_.at(nome) : versione_precedente(nuovi_.at(nome));
    }
    return atteso;
  }

  // A source text as the run writes it.
  std::string sorgente_scritta(size_t indice) const {
    MemoryFileSystem memoria;
    const NomiFile nomi = contenuto_incorporato().nomi_in("");
    EXPECT_TRUE((indice == 0 ? dati_linea(memoria, nomi) : dati_treno(memoria, nomi)).ok());
    std::string testo;
    EXPECT_TRUE(
        memoria.ReadFile(indice == 0 ? nomi.testo_linea() : nomi.testo_treno(), &testo).ok());
    return testo;
  }

  // The report a failure on file `indice` must give. Creating and writing
  // meet the file's temporary copy, "NAME.<16 hex digits>.part", and name it.
  std::string rapporto(Operazione azione, size_t indice, const std::string& motivo) const {
    const bool temporaneo = azione == Operazione::kCreazione || azione == Operazione::kScrittura;
    return messaggio_fallimento(Status::IOError(
        azione, percorso(indice).string() + (temporaneo ? ".XXXXXXXXXXXXXXXX.part" : ""), motivo));
  }
  bool ha_rapporto(const std::string& errori, Operazione azione, size_t indice,
                   const std::string& motivo) const {
    return contiene_con_numero(errori, rapporto(azione, indice, motivo));
  }

  void VerificaGuasto(const EsitoProcesso& esito, size_t guasto, Operazione azione,
                      const std::string& motivo,
                      const std::map<std::string, std::string>& estranei = {}) {
    EXPECT_FALSE(esito.ucciso) << esito.errori;
    EXPECT_NE(esito.stato, 0) << esito.errori;
    EXPECT_TRUE(ha_rapporto(esito.errori, azione, guasto, motivo))
        << "expected: " << rapporto(azione, guasto, motivo) << "\ngot: " << esito.errori;
    std::map<std::string, std::string> atteso = atteso_dopo_guasto(guasto);
    for (const auto& [nome, contenuto] : estranei) {
      if (nome.ends_with("/"))
        atteso.erase(nome.substr(0, nome.size() - 1));  // a folder in its place
      atteso[nome] = contenuto;
    }
    const auto dopo = contenuto_cartella(cartella_);
    for (const auto& [nome, contenuto] : dopo) {
      EXPECT_EQ(atteso.count(nome), 1u) << "unexpected file left: " << nome;
    }
    for (const auto& [nome, contenuto] : atteso) {
      const auto it = dopo.find(nome);
      ASSERT_NE(it, dopo.end()) << nome << " is gone";
      EXPECT_TRUE(it->second == contenuto)
          << nome << " is neither untouched nor the new version where expected ("
          << it->second.size() << " bytes, expected " << contenuto.size() << ")";
    }
  }

  const std::vector<std::string> ordine_ = file_in_ordine();
  fs::path cartella_;
  std::map<std::string, std::string> nuovi_;
};

TEST_F(GuastiInstallatore, AReadOnlyFolderStopsTheFirstWriteAndChangesNothing) {
  fs::permissions(cartella_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                 fs::perms::group_exec | fs::perms::others_read |
                                 fs::perms::others_exec);
  const EsitoProcesso esito = esegui_installatore(cartella_);
  VerificaGuasto(esito, 0, Operazione::kCreazione, "Permission denied");
  // Word for word, as the player reads it: the file it could not create is
  // the line text's temporary copy.
  const std::string atteso =
      "Attendere\nInstallazione non riuscita.\nImpossibile creare il file\n" +
      (cartella_ / "BELFORTE SELVEN - MELAR_linea.txt").string() +
      ".XXXXXXXXXXXXXXXX.part\nMotivo: Permission denied\n";
  EXPECT_EQ(esito.errori.size(), atteso.size()) << esito.errori;
  EXPECT_TRUE(esito.errori.starts_with("Attendere\n") && contiene_con_numero(esito.errori, atteso))
      << esito.errori;
}

// Each of the eight names in turn is taken by a folder (with a file in it, as
// a player's stray folder would be): the run stops at that file.
TEST_F(GuastiInstallatore, AFolderInPlaceOfAnyFileStopsTheRunAtThatFile) {
  const auto precedente = contenuto_cartella(cartella_);
  for (size_t guasto = 0; guasto < ordine_.size(); ++guasto) {
    SCOPED_TRACE(ordine_[guasto]);
    for (const auto& [nome, contenuto] : contenuto_cartella(cartella_))
      fs::remove(cartella_ / nome);
    for (const auto& [nome, contenuto] : precedente) scrivi_file(cartella_ / nome, contenuto);
    fs::remove(percorso(guasto));
    fs::create_directory(percorso(guasto));
    scrivi_file(percorso(guasto) / "keep.txt", "a player's own file\r\n");
    if (eseguito_come_root()) {
      ASSERT_EQ(chown(percorso(guasto).c_str(), kUtenteSenzaPrivilegi, kUtenteSenzaPrivilegi), 0);
    }

    const EsitoProcesso esito = esegui_installatore(cartella_);
    VerificaGuasto(esito, guasto, Operazione::kSostituzione, "Is a directory",
                   {{ordine_[guasto] + "/", ""}});
    EXPECT_TRUE(fs::exists(percorso(guasto) / "keep.txt"));
    fs::remove_all(percorso(guasto));
    if (HasFatalFailure()) return;
  }
}

// The full disk, first as a file-size limit: the compiled line (some 2 MB) is
// the first file larger than the limit.
TEST_F(GuastiInstallatore, AFileSizeLimitStopsTheFirstFileThatDoesNotFit) {
  OpzioniAvvio opzioni;
  opzioni.limite_file = 1 << 20;
  const EsitoProcesso esito = esegui_installatore(cartella_, opzioni);
  VerificaGuasto(esito, kPrimoCompilato, Operazione::kScrittura, "File too large");
}

// The full disk as a player meets it: a small file system with room for the
// earlier install and one megabyte more. Needs the right to mount (root in a
// private mount namespace); skipped where the container does not give it.
class DiscoPieno : public GuastiInstallatore {
 protected:
  void SetUp() override {
    const fs::path cartella = cartella_di_prova(nome_del_test());
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", cartella.c_str(), "tmpfs", 0, "size=64m,mode=0755") != 0) {
      fs::remove_all(cartella);
      GTEST_SKIP() << "cannot mount a small file system here";
    }
    montato_ = cartella;
    if (eseguito_come_root()) {
      ASSERT_EQ(chown(cartella.c_str(), kUtenteSenzaPrivilegi, kUtenteSenzaPrivilegi), 0);
    }
    Prepara(cartella);
    if (HasFatalFailure()) return;
    struct statvfs stato {};
    ASSERT_EQ(statvfs(cartella.c_str(), &stato), 0);
    const uint64_t usati = (stato.f_blocks - stato.f_bfree) * stato.f_frsize;
    const std::string dimensione = "size=" + std::to_string(usati + (1 << 20));
    ASSERT_EQ(mount(nullptr, cartella.c_str(), nullptr, MS_REMOUNT, dimensione.c_str()), 0)
        << dimensione;
  }

  void TearDown() override {
    if (!montato_.empty()) umount2(montato_.c_str(), MNT_DETACH);
    GuastiInstallatore::TearDown();
  }

  fs::path montato_;
};

TEST_F(DiscoPieno, AFullDiskStopsTheFirstFileThatDoesNotFit) {
  const EsitoProcesso esito = esegui_installatore(cartella_);
  VerificaGuasto(esito, kPrimoCompilato, Operazione::kScrittura, "No space left on device");
}

// Sets or clears the immutable attribute, which not even root may override.
bool imposta_immutabile(const fs::path& nome, bool immutabile) {
  const int fd = open(nome.c_str(), O_RDONLY);
  if (fd < 0) return false;
  int attributi = 0;
  bool riuscito = ioctl(fd, FS_IOC_GETFLAGS, &attributi) == 0;
  if (riuscito) {
    attributi = immutabile ? (attributi | FS_IMMUTABLE_FL) : (attributi & ~FS_IMMUTABLE_FL);
    riuscito = ioctl(fd, FS_IOC_SETFLAGS, &attributi) == 0;
  }
  close(fd);
  return riuscito;
}

// Linux has no mandatory lock on a file a program holds open. What stops a
// replacement is the folder: an immutable file, or, in a folder with the
// sticky bit (as shared folders have), a file that belongs to someone else.
TEST_F(GuastiInstallatore, AnImmutableTargetStopsTheRunAtThatFile) {
  const size_t guasto = kPrimoCompilato + 1;  // the compiled train scenario
  if (!imposta_immutabile(percorso(guasto), true)) {
    GTEST_SKIP() << "this file system or user cannot make a file immutable";
  }
  const EsitoProcesso esito = esegui_installatore(cartella_);
  const bool tolto = imposta_immutabile(percorso(guasto), false);
  VerificaGuasto(esito, guasto, Operazione::kSostituzione, "Operation not permitted");
  EXPECT_TRUE(tolto);
}

TEST_F(GuastiInstallatore, InASharedFolderAnotherUsersFileStopsTheRunAtThatFile) {
  if (!eseguito_come_root()) GTEST_SKIP() << "needs two users";
  const size_t guasto = kPrimoProdotto;  // the line notes, the first document
  for (const auto& voce : fs::directory_iterator(cartella_)) {
    ASSERT_EQ(chown(voce.path().c_str(), kUtenteSenzaPrivilegi, kUtenteSenzaPrivilegi), 0);
  }
  ASSERT_EQ(chown(percorso(guasto).c_str(), 0, 0), 0);
  ASSERT_EQ(chown(cartella_.c_str(), 0, 0), 0);
  fs::permissions(cartella_, fs::perms::all | fs::perms::sticky_bit);
  const EsitoProcesso esito = esegui_installatore(cartella_);
  VerificaGuasto(esito, guasto, Operazione::kSostituzione, "Operation not permitted");
}

// On Linux a read-only file in a folder the user may write is replaced (only
// the folder's permission counts), and a file another program holds open and
// locked is replaced too: the holder keeps reading the whole earlier file, the
// next program that opens the name gets the whole new one. Never a mixture.
TEST_F(GuastiInstallatore, AReadOnlyOrOpenAndLockedTargetIsStillReplacedWhole) {
  const size_t sola_lettura = kPrimoCompilato + 1;
  const size_t aperto = kPrimoCompilato + 2;
  fs::permissions(percorso(sola_lettura),
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const int fd = open(percorso(aperto).c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);

  const EsitoProcesso esito = esegui_installatore(cartella_);
  EXPECT_EQ(esito.stato, 0) << esito.errori;
  const auto dopo = contenuto_cartella(cartella_);
  EXPECT_TRUE(dopo == nuovi_) << "not every file is the new version";

  const std::string vecchio = versione_precedente(nuovi_.at(ordine_[aperto]));
  std::string letto(vecchio.size() + 1, '\0');
  const ssize_t n = pread(fd, letto.data(), letto.size(), 0);
  close(fd);
  letto.resize(n < 0 ? 0 : static_cast<size_t>(n));
  EXPECT_TRUE(letto == vecchio) << "the holder no longer reads the whole earlier file";
}

}  // namespace
}  // namespace scenario
