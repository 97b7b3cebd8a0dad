#include "package_programs.h"

// Each carried program lies in the tool's read-only data between two
// symbols, put there by the assembler (package_programs.S.in).
#ifdef BM_PORTA_LINUX
extern "C" const char bm_programma_linux_inizio[];
extern "C" const char bm_programma_linux_fine[];
#endif
#ifdef BM_PORTA_WINDOWS
extern "C" const char bm_programma_windows_inizio[];
extern "C" const char bm_programma_windows_fine[];
#endif

namespace scenario {

Bersaglio bersaglio_di_sistema() {
#ifdef _WIN32
  return Bersaglio::kWindows;
#else
  return Bersaglio::kLinux;
#endif
}

std::string_view nome_bersaglio(Bersaglio bersaglio) {
  return bersaglio == Bersaglio::kWindows ? "windows" : "linux";
}

std::optional<Bersaglio> bersaglio_di_nome(std::string_view nome) {
  if (nome == "linux") return Bersaglio::kLinux;
  if (nome == "windows") return Bersaglio::kWindows;
  return std::nullopt;
}

std::string_view programma_pacchetto(Bersaglio bersaglio) {
  switch (bersaglio) {
    case Bersaglio::kLinux:
#ifdef BM_PORTA_LINUX
      return std::string_view(
          bm_programma_linux_inizio,
          static_cast<size_t>(bm_programma_linux_fine - bm_programma_linux_inizio));
#else
      break;
#endif
    case Bersaglio::kWindows:
#ifdef BM_PORTA_WINDOWS
      return std::string_view(
          bm_programma_windows_inizio,
          static_cast<size_t>(bm_programma_windows_fine - bm_programma_windows_inizio));
#else
      break;
#endif
  }
  return std::string_view();
}

}  // namespace scenario
