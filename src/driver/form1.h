// The installer's single window object. Loading it performs the whole
// installation of the scenario, with no input: it writes the two source texts
// and the three crew documents, compiles the scenario and ends.
#pragma once

#include <chrono>

#include "base/file_system.h"
#include "driver/platform.h"
#include "reader/scenario_tables.h"

namespace scenario {

// The scenario this package carries.
inline constexpr const char* kNomeLinea = "BELFORTE SELVEN - MELAR";
inline constexpr const char* kNumeroTreno = "8312";
inline constexpr const char* kDidascaliaAttesa = "Attendere";

// Shown when another installation keeps the folder busy for longer than a
// run takes; this one then ends without touching anything.
inline constexpr const char* kMessaggioCartellaOccupata =
    "Un'altra installazione \u00e8 in corso in questa cartella. Riprovare quando sar\u00e0 "
    "terminata.";

// Exit statuses of the installer.
inline constexpr int kUscitaRiuscita = 0;
inline constexpr int kUscitaErrore = 1;      // `errore` ended the run
inline constexpr int kUscitaFallimento = 2;  // a file could not be written, or nothing to compile

class Form1 {
 public:
  Form1(Piattaforma& piattaforma, FileSystem& file_system,
        std::chrono::milliseconds attesa_cartella = kAttesaCartella)
      : piattaforma_(piattaforma), file_system_(file_system), attesa_cartella_(attesa_cartella) {}

  // The load event: runs every step of the installation in order and returns
  // the program's exit status. Numbered errors end the program inside it.
  int carica();

  const Scenario& tabelle() const { return tabelle_; }

 private:
  // Reports a failure nothing else handles: which file, what was being done,
  // and the system's reason.
  int fallimento(const std::string& dettaglio);

  Piattaforma& piattaforma_;
  FileSystem& file_system_;
  std::chrono::milliseconds attesa_cartella_;
  Scenario tabelle_;
};

}  // namespace scenario
