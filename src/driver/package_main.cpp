// A package program: the installer with an author's scenario appended to
// its file. Started from a folder, with no input but its own file, it
// installs that scenario into the folder and ends. The bare program, with
// nothing appended, says so and installs nothing.
#include "base/file_system.h"
#include "driver/package_run.h"
#include "driver/platform.h"

int main() {
  auto piattaforma = scenario::piattaforma_di_sistema();
  return scenario::installa_pacchetto(*piattaforma, scenario::disk_file_system(),
                                      scenario::programma_in_esecuzione());
}
