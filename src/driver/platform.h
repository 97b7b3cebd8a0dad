// What the installer needs from the operating system, and nothing more: a wait
// window, a message box, and the folder the program file lies in. One file per
// platform implements it (platform_posix.cpp, platform_win32.cpp).
#pragma once

#include <memory>
#include <string>

namespace scenario {

class Piattaforma {
 public:
  virtual ~Piattaforma() = default;

  // Shows the wait window (title `titolo`, one label with `didascalia`) and
  // paints it at once; it stays on the screen until the program ends.
  virtual void mostra_attesa(const std::string& titolo, const std::string& didascalia) = 0;

  // Shows `testo` in a modal message box with an OK button and returns when it
  // is closed.
  virtual void mostra_messaggio(const std::string& testo) = 0;

  // The folder that holds the running program, without a trailing separator
  // (except at a drive root); empty if the system cannot tell.
  virtual std::string cartella_applicazione() = 0;
};

std::unique_ptr<Piattaforma> piattaforma_di_sistema();

// The full name of the running program's own file, as the system reports
// it; empty if the system cannot tell. A package program reads its scenario
// from there.
std::string programma_in_esecuzione();

}  // namespace scenario
