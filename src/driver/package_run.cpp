#include "driver/package_run.h"

#include <utility>

#include "content/payload_package.h"
#include "driver/form1.h"
#include "driver/messaggi.h"

namespace scenario {

int installa_pacchetto(Piattaforma& piattaforma, FileSystem& file_system,
                       const std::string& programma) {
  if (programma.empty()) {
    piattaforma.mostra_messaggio(messaggio_cartella_sconosciuta());
    return kUscitaFallimento;
  }
  ProgrammaLetto letto = leggi_programma(file_system, programma);
  if (!letto.lettura.ok()) {
    piattaforma.mostra_messaggio(messaggio_fallimento(letto.lettura));
    return kUscitaFallimento;
  }
  if (!letto.formato.ok()) {
    piattaforma.mostra_messaggio(messaggio_pacchetto_difettoso(letto.formato.difetto));
    return kUscitaFallimento;
  }
  const ContenutoCarico contenuto(std::move(letto.carico));
  Form1 form1(piattaforma, file_system, contenuto);
  return form1.carica();
}

}  // namespace scenario
