// Measures the whole installer against the least any installer could cost:
// copying its six output files into an empty folder with `cp`. Each round
// runs the installer, as a process, in a fresh folder, then copies the files
// it left into another fresh folder; the medians and their ratio are printed,
// of the wall time and of the processor time (user and system) each process
// took: on a machine busy with other work the wall time mostly measures the
// wait for a core, the processor time much less so.
// Target: the installer within one and a half times the copy.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kGiri = 15;
constexpr size_t kFileProdotti = 6;
constexpr double kObiettivoRapporto = 1.5;
const char* const kProgramma = "belforte-melar-8312";

struct Tempi {
  double muro = -1;       // wall time, ms
  double processore = 0;  // user and system time, ms
};

// Runs `argomenti` (the first one a path, or a name looked up in PATH) with
// standard error discarded, and returns its times; the wall time is negative
// when it could not be started or did not end with status 0.
Tempi esegui(const std::vector<std::string>& argomenti) {
  std::vector<char*> argv;
  for (const std::string& a : argomenti) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t azioni;
  posix_spawn_file_actions_init(&azioni);
  posix_spawn_file_actions_addopen(&azioni, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

  const auto inizio = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int errore = posix_spawnp(&pid, argv[0], &azioni, nullptr, argv.data(), environ);
  int stato = 0;
  rusage uso{};
  if (errore == 0) wait4(pid, &stato, 0, &uso);
  const auto fine = std::chrono::steady_clock::now();
  posix_spawn_file_actions_destroy(&azioni);

  if (errore != 0) {
    std::fprintf(stderr, "%s: cannot start: %s\n", argv[0], std::strerror(errore));
    return {};
  }
  if (!WIFEXITED(stato) || WEXITSTATUS(stato) != 0) {
    std::fprintf(stderr, "%s: ended with status %d\n", argv[0],
                 WIFEXITED(stato) ? WEXITSTATUS(stato) : 128 + WTERMSIG(stato));
    return {};
  }
  const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return {std::chrono::duration<double, std::milli>(fine - inizio).count(),
          ms(uso.ru_utime) + ms(uso.ru_stime)};
}

fs::path cartella_nuova(const fs::path& base, const std::string& nome) {
  const fs::path cartella = base / nome;
  fs::remove_all(cartella);
  fs::create_directories(cartella);
  return cartella;
}

double mediana(std::vector<double> valori) {
  std::sort(valori.begin(), valori.end());
  return valori[valori.size() / 2];
}

}  // namespace

int main() {
  const fs::path base = fs::temp_directory_path() / ("bm_bench_" + std::to_string(getpid()));
  std::vector<Tempi> installatore;
  std::vector<Tempi> copia;
  size_t byte_prodotti = 0;
  int risultato = 0;

  for (int giro = 0; giro < kGiri && risultato == 0; ++giro) {
    const fs::path cartella = cartella_nuova(base, "installer");
    const fs::path programma = cartella / kProgramma;
    fs::copy_file(BM_INSTALLER_PATH, programma);
    const Tempi t_installatore = esegui({programma.string()});
    if (t_installatore.muro < 0) {
      risultato = 1;
      break;
    }

    std::vector<std::string> comando{"cp"};
    byte_prodotti = 0;
    for (const auto& voce : fs::directory_iterator(cartella)) {
      if (voce.path().filename() == kProgramma) continue;
      comando.push_back(voce.path().string());
      byte_prodotti += voce.file_size();
    }
    if (comando.size() != kFileProdotti + 1) {
      std::fprintf(stderr, "the installer left %zu files, not %zu\n", comando.size() - 1,
                   kFileProdotti);
      risultato = 1;
      break;
    }
    comando.push_back(cartella_nuova(base, "copy").string());
    const Tempi t_copia = esegui(comando);
    if (t_copia.muro < 0) {
      risultato = 1;
      break;
    }
    installatore.push_back(t_installatore);
    copia.push_back(t_copia);
  }
  std::error_code ignorato;
  fs::remove_all(base, ignorato);

  if (risultato != 0) {
    std::printf("installer run: no measurement (it needs the scenario content and the reader)\n");
    return risultato;
  }
  std::printf("installer run vs copying its %zu files (%zu bytes), median of %d rounds:\n",
              kFileProdotti, byte_prodotti, kGiri);
  for (const auto& [nome, campo] :
       {std::pair{"wall time", &Tempi::muro}, std::pair{"processor time", &Tempi::processore}}) {
    std::vector<double> i, c;
    for (const Tempi& t : installatore) i.push_back(t.*campo);
    for (const Tempi& t : copia) c.push_back(t.*campo);
    const double m_installatore = mediana(i);
    const double m_copia = mediana(c);
    std::printf("  %s: installer %.2f ms, cp %.2f ms, ratio %.2f (target <= %.1f)\n", nome,
                m_installatore, m_copia, m_installatore / m_copia, kObiettivoRapporto);
  }
  return 0;
}
