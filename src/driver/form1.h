// The installer's single window object. Loading it performs the whole
// installation of the scenario, with no input: it writes the two source texts
// and the three crew documents of the content it installs, compiles the
// scenario and ends.
#pragma once

#include <chrono>

#include "base/file_system.h"
#include "content/package_content.h"
#include "driver/platform.h"
#include "reader/scenario_tables.h"

namespace scenario {

inline constexpr const char* kDidascaliaAttesa = "Attendere";

// Exit statuses of the installer.
inline constexpr int kUscitaRiuscita = 0;
inline constexpr int kUscitaErrore = 1;      // `errore` ended the run
inline constexpr int kUscitaFallimento = 2;  // a file could not be written, or nothing to compile

class Form1 {
 public:
  // `contenuto` is what the run installs; it must outlive the window.
  // `attesa_cartella` is how long the run waits for another one in the same
  // folder to end.
  Form1(Piattaforma& piattaforma, FileSystem& file_system, const ContenutoPacchetto& contenuto,
        std::chrono::milliseconds attesa_cartella = kAttesaCartella)
      : piattaforma_(piattaforma),
        file_system_(file_system),
        contenuto_(contenuto),
        attesa_cartella_(attesa_cartella) {}

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
  const ContenutoPacchetto& contenuto_;
  std::chrono::milliseconds attesa_cartella_;
  Scenario tabelle_;
};

}  // namespace scenario
