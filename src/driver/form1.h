// The installer's single window object. Loading it performs the whole
// installation of the scenario, with no input: it writes the two source texts
// and the three crew documents, compiles the scenario and ends.
#pragma once

#include "base/file_system.h"
#include "driver/platform.h"
#include "reader/scenario_tables.h"

namespace scenario {

// The scenario this package carries.
inline constexpr const char* kNomeLinea = "BELFORTE SELVEN - MELAR";
inline constexpr const char* kNumeroTreno = "8312";
inline constexpr const char* kDidascaliaAttesa = "Attendere";

// Exit statuses of the installer.
inline constexpr int kUscitaRiuscita = 0;
inline constexpr int kUscitaErrore = 1;      // `errore` ended the run
inline constexpr int kUscitaFallimento = 2;  // a file could not be written, or nothing to compile

class Form1 {
 public:
  Form1(Piattaforma& piattaforma, FileSystem& file_system)
      : piattaforma_(piattaforma), file_system_(file_system) {}

  // The load event: runs every step of the installation in order and returns
  // the program's exit status. Numbered errors end the program inside it.
  int carica();

  const Scenario& tabelle() const { return tabelle_; }

 private:
  // Shows the player why the installation stopped (messaggi.h) and gives the
  // exit status of a failure.
  int fallimento(const std::string& messaggio);

  Piattaforma& piattaforma_;
  FileSystem& file_system_;
  Scenario tabelle_;
};

}  // namespace scenario
