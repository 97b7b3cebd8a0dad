#include "driver/errore.h"

#include <cstdlib>

namespace scenario {

std::string messaggio_errore(std::string_view a) {
  std::string messaggio = " Errore n. ";
  messaggio += a;
  return messaggio;
}

void errore(Piattaforma& piattaforma, std::string_view a) {
  piattaforma.mostra_messaggio(messaggio_errore(a));
  std::exit(1);
}

}  // namespace scenario
