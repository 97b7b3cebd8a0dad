// Runs the real installer as a separate process, as a player does: the
// program file copied into a folder of its own and started there with no
// arguments, from another working folder. The fault and kill tests use it to
// meet the disk as the installer meets it. Linux only.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>

namespace scenario::test {

// The unprivileged user (and group) a test that runs as root starts the
// installer as, so that the permissions of the folder and its files count.
inline constexpr uid_t kUtenteSenzaPrivilegi = 65534;

inline constexpr const char* kNomeProgramma = "belforte-melar-8312";

struct OpzioniAvvio {
  bool senza_privilegi = true;         // run as kUtenteSenzaPrivilegi when root
  rlim_t limite_file = RLIM_INFINITY;  // largest file the run may write (SIGXFSZ ignored)
};

struct EsitoProcesso {
  int stato = -1;       // exit status, or 128 + the signal that ended it
  bool ucciso = false;  // ended by a signal
  std::string errori;   // everything it wrote on standard error
};

bool eseguito_come_root();

// A fresh, empty folder under the system's temporary folder, owned by the
// unprivileged user when the test runs as root.
std::filesystem::path cartella_di_prova(const std::string& nome);

// Copies the installer into `cartella`, readable and runnable by everyone.
void copia_programma(const std::filesystem::path& cartella);

// A started installer, ended by `attendi` or `uccidi_e_attendi`.
class ProcessoInstallatore {
 public:
  ProcessoInstallatore(const std::filesystem::path& cartella, const OpzioniAvvio& opzioni);
  ~ProcessoInstallatore();
  ProcessoInstallatore(const ProcessoInstallatore&) = delete;
  ProcessoInstallatore& operator=(const ProcessoInstallatore&) = delete;

  EsitoProcesso attendi();
  EsitoProcesso uccidi_e_attendi();  // SIGKILL, then wait

 private:
  pid_t pid_ = -1;
  std::filesystem::path errori_;
};

// Runs the installer copied into `cartella` to its end.
EsitoProcesso esegui_installatore(const std::filesystem::path& cartella,
                                  const OpzioniAvvio& opzioni = {});

// Every file of `cartella` but the program itself, name to contents.
std::map<std::string, std::string> contenuto_cartella(const std::filesystem::path& cartella);

// Writes `contenuto` to `nome` (for setting up an earlier install).
void scrivi_file(const std::filesystem::path& nome, const std::string& contenuto);

}  // namespace scenario::test
