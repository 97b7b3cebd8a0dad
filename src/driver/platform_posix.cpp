// On Linux the installer runs from a terminal or a script: the "window" is its
// caption on standard error, and so is the message box.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/printable_text.h"
#include "driver/platform.h"

namespace scenario {
namespace {

class PiattaformaPosix : public Piattaforma {
 public:
  void mostra_attesa(const std::string&, const std::string& didascalia) override {
    std::fprintf(stderr, "%s\n", didascalia.c_str());
    std::fflush(stderr);
  }

  // A message names files, and a file name may hold any byte but "/": its
  // control bytes are written out, so that it cannot steer the terminal. The
  // message's own lines stay lines.
  void mostra_messaggio(const std::string& testo) override {
    std::string_view resto = testo;
    for (;;) {
      const size_t a_capo = resto.find('\n');
      std::fprintf(stderr, "%s\n", testo_stampabile(resto.substr(0, a_capo), kSenzaTaglio).c_str());
      if (a_capo == std::string_view::npos) break;
      resto.remove_prefix(a_capo + 1);
    }
    std::fflush(stderr);
  }

  std::string cartella_applicazione() override {
    const std::string programma = programma_in_esecuzione();
    if (programma.empty()) return std::string();
    return std::filesystem::path(programma).parent_path().string();
  }
};

}  // namespace

std::unique_ptr<Piattaforma> piattaforma_di_sistema() {
  return std::make_unique<PiattaformaPosix>();
}

std::string programma_in_esecuzione() {
  std::error_code ec;
  const std::filesystem::path programma = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : programma.string();
}

}  // namespace scenario
