#include "driver/messaggi.h"

namespace scenario {
namespace {

// The first line of every message that stops the installation.
constexpr const char* kInstallazioneNonRiuscita = "Installazione non riuscita.\n";

}  // namespace

std::string messaggio_fallimento(const Status& status) {
  std::string messaggio = kInstallazioneNonRiuscita;
  if (status.operazione() == Operazione::kNessuna) return messaggio + status.message();
  messaggio.append("Impossibile ")
      .append(verbo_italiano(status.operazione()))
      .append(" il file\n")
      .append(status.file())
      .append("\nMotivo: ")
      .append(status.motivo());
  return messaggio;
}

std::string messaggio_senza_percorso(int32_t codice_errore) {
  return std::string(kInstallazioneNonRiuscita) +
         "Impossibile compilare lo scenario: dalla descrizione\n"
         "della linea non risulta alcun percorso (codice " +
         std::to_string(codice_errore) +
         ").\n"
         "I file compilati non sono stati scritti.";
}

std::string messaggio_cartella_occupata() {
  return "Un'altra installazione \u00e8 in corso in questa cartella. Riprovare quando sar\u00e0 "
         "terminata.";
}

std::string messaggio_cartella_sconosciuta() {
  return std::string(kInstallazioneNonRiuscita) +
         "Impossibile sapere in quale cartella si trova il programma.";
}

}  // namespace scenario
