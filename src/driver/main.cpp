// The installer: started from a folder, with no input at all, it installs the
// scenario it carries into that folder and ends.
#include "base/file_system.h"
#include "content/builtin_content.h"
#include "driver/form1.h"
#include "driver/platform.h"

int main() {
  auto piattaforma = scenario::piattaforma_di_sistema();
  scenario::Form1 form1(*piattaforma, scenario::disk_file_system(),
                        scenario::contenuto_incorporato());
  return form1.carica();
}
