// Runs the installer as a player does: the program file copied into a folder
// of its own and started there, with no arguments.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Esito {
  int stato = -1;
  std::string stderr_text;
};

// Copies the installer into `cartella` and runs it there, from another
// working folder, as `utente` when the test runs as root and a uid is given.
Esito esegui_in(const fs::path& cartella, uid_t utente = 0) {
  const fs::path programma = cartella / "belforte-melar-8312";
  fs::copy_file(BM_INSTALLER_PATH, programma, fs::copy_options::overwrite_existing);
  fs::permissions(programma, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
  const fs::path errori = fs::temp_directory_path() / ("bm_stderr_" + std::to_string(getpid()));
  const pid_t pid = fork();
  if (pid == 0) {
    FILE* out = std::freopen(errori.c_str(), "w", stderr);
    (void)out;
    if (chdir("/") != 0) _exit(126);
    if (utente != 0 && geteuid() == 0) {
      if (setgid(utente) != 0 || setuid(utente) != 0) _exit(125);
    }
    execl(programma.c_str(), programma.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  Esito esito;
  esito.stato = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  std::ifstream in(errori);
  esito.stderr_text.assign(std::istreambuf_iterator<char>(in), {});
  fs::remove(errori);
  return esito;
}

fs::path cartella_nuova(const std::string& nome) {
  const fs::path cartella =
      fs::temp_directory_path() / ("bm_run_" + nome + "_" + std::to_string(getpid()));
  fs::remove_all(cartella);
  fs::create_directories(cartella);
  return cartella;
}

std::set<std::string> file_in(const fs::path& cartella) {
  std::set<std::string> nomi;
  for (const auto& voce : fs::directory_iterator(cartella))
    nomi.insert(voce.path().filename().string());
  return nomi;
}

TEST(InstallerRun, RunsInAFreshFolderAndLeavesTheSixFilesOfThePackage) {
  const fs::path cartella = cartella_nuova("fresh");
  const Esito esito = esegui_in(cartella);
  EXPECT_EQ(esito.stato, 0) << esito.stderr_text;
  EXPECT_EQ(esito.stderr_text, "Attendere\n");
  const std::set<std::string> attesi = {
      "belforte-melar-8312",
      "BELFORTE SELVEN - MELAR_8312_note.txt",
      "BELFORTE SELVEN - MELAR_8312_rallentamenti.txt",
      "BELFORTE SELVEN - MELAR_8312_scheda_treno.txt",
      "BELFORTE SELVEN - MELAR_linea.dat",
      "BELFORTE SELVEN - MELAR_8312.sim",
      "BELFORTE SELVEN - MELAR_8312.dat",
  };
  EXPECT_EQ(file_in(cartella), attesi);
  EXPECT_EQ(fs::file_size(cartella / "BELFORTE SELVEN - MELAR_linea.dat"), 2139964u);
  EXPECT_EQ(fs::file_size(cartella / "BELFORTE SELVEN - MELAR_8312.dat"), 32115u);
  fs::remove_all(cartella);
}

// Write permission only bites for an ordinary user: as root the test runs the
// installer as "nobody".
TEST(InstallerRun, AFolderThatCannotBeWrittenGivesAClearReportAndStatus2) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to run the installer as another user";
  const fs::path cartella = cartella_nuova("readonly");
  fs::permissions(cartella, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
  const Esito esito = esegui_in(cartella, 65534);
  EXPECT_EQ(esito.stato, 2) << esito.stderr_text;
  EXPECT_NE(esito.stderr_text.find("BELFORTE SELVEN - MELAR_linea.txt"), std::string::npos)
      << esito.stderr_text;
  EXPECT_NE(esito.stderr_text.find("Permission denied"), std::string::npos) << esito.stderr_text;
  EXPECT_EQ(file_in(cartella), std::set<std::string>{"belforte-melar-8312"});
  fs::remove_all(cartella);
}

}  // namespace
