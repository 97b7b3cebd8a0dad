#include "reliability/installer_process.h"

#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace scenario::test {
namespace {

namespace fs = std::filesystem;

std::atomic<int> processi_avviati{0};

EsitoProcesso raccogli(pid_t pid, const fs::path& errori) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
  }
  EsitoProcesso esito;
  esito.ucciso = WIFSIGNALED(status);
  esito.stato = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  std::ifstream in(errori, std::ios::binary);
  esito.errori.assign(std::istreambuf_iterator<char>(in), {});
  return esito;
}

}  // namespace

bool eseguito_come_root() { return geteuid() == 0; }

fs::path cartella_di_prova(const std::string& nome) {
  const fs::path cartella =
      fs::temp_directory_path() / ("bm_" + nome + "_" + std::to_string(getpid()));
  fs::remove_all(cartella);
  fs::create_directories(cartella);
  if (eseguito_come_root() &&
      chown(cartella.c_str(), kUtenteSenzaPrivilegi, kUtenteSenzaPrivilegi) != 0) {
    throw std::runtime_error("chown " + cartella.string());
  }
  return cartella;
}

void copia_programma(const fs::path& cartella) {
  const fs::path programma = cartella / kNomeProgramma;
  fs::copy_file(BM_INSTALLER_PATH, programma, fs::copy_options::overwrite_existing);
  fs::permissions(programma, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
}

ProcessoInstallatore::ProcessoInstallatore(const fs::path& cartella, const OpzioniAvvio& opzioni) {
  errori_ = fs::temp_directory_path() /
            ("bm_stderr_" + std::to_string(getpid()) + "_" + std::to_string(++processi_avviati));
  const fs::path programma = cartella / kNomeProgramma;
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork");
  if (pid_ != 0) return;

  // The child: only async-signal-safe work from here to exec.
  if (std::freopen(errori_.c_str(), "w", stderr) == nullptr) _exit(124);
  if (chdir("/") != 0) _exit(126);
  if (opzioni.limite_file != RLIM_INFINITY) {
    // A write past the limit fails with EFBIG instead of killing the process.
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limite{opzioni.limite_file, opzioni.limite_file};
    if (setrlimit(RLIMIT_FSIZE, &limite) != 0) _exit(123);
  }
  if (opzioni.senza_privilegi && geteuid() == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(kUtenteSenzaPrivilegi) != 0 ||
        setuid(kUtenteSenzaPrivilegi) != 0) {
      _exit(125);
    }
  }
  execl(programma.c_str(), programma.c_str(), static_cast<char*>(nullptr));
  _exit(127);
}

ProcessoInstallatore::~ProcessoInstallatore() {
  if (pid_ > 0) uccidi_e_attendi();
  std::error_code ignorato;
  fs::remove(errori_, ignorato);
}

EsitoProcesso ProcessoInstallatore::attendi() {
  const EsitoProcesso esito = raccogli(pid_, errori_);
  pid_ = -1;
  return esito;
}

EsitoProcesso ProcessoInstallatore::uccidi_e_attendi() {
  kill(pid_, SIGKILL);
  return attendi();
}

EsitoProcesso esegui_installatore(const fs::path& cartella, const OpzioniAvvio& opzioni) {
  ProcessoInstallatore processo(cartella, opzioni);
  return processo.attendi();
}

std::map<std::string, std::string> contenuto_cartella(const fs::path& cartella) {
  std::map<std::string, std::string> file;
  for (const auto& voce : fs::directory_iterator(cartella)) {
    const std::string nome = voce.path().filename().string();
    if (nome == kNomeProgramma) continue;
    if (voce.is_directory()) {
      file[nome + "/"] = "";
      continue;
    }
    // Read in one block: the compiled line alone has some 2 MB, and the kill
    // test reads the folder after every kill.
    std::string& contenuto = file[nome];
    contenuto.resize(static_cast<size_t>(voce.file_size()));
    std::ifstream in(voce.path(), std::ios::binary);
    in.read(contenuto.data(), static_cast<std::streamsize>(contenuto.size()));
    contenuto.resize(static_cast<size_t>(in.gcount()));
  }
  return file;
}

void scrivi_file(const fs::path& nome, const std::string& contenuto) {
  std::ofstream out(nome, std::ios::binary | std::ios::trunc);
  out << contenuto;
  out.close();
  if (!out) throw std::runtime_error("writing " + nome.string());
}

}  // namespace scenario::test
