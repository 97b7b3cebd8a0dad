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

std::string messaggio_pacchetto_difettoso(DifettoCarico difetto) {
  std::string messaggio = kInstallazioneNonRiuscita;
  switch (difetto) {
    case DifettoCarico::kAssente:
      return messaggio +
             "Il programma non contiene alcuno scenario da installare.\n"
             "Nessun file \u00e8 stato scritto.";
    case DifettoCarico::kTroncato:
      messaggio +=
          "Il programma \u00e8 incompleto: \u00e8 stato copiato o scaricato solo in parte.\n";
      break;
    case DifettoCarico::kImprontaErrata:
      messaggio +=
          "Il programma \u00e8 danneggiato: lo scenario che contiene non \u00e8 pi\u00f9 quello\n"
          "che vi ha messo il suo autore.\n";
      break;
    case DifettoCarico::kNessuno:
    case DifettoCarico::kVersione:
    case DifettoCarico::kMalformato:
    case DifettoCarico::kTestoMancante:
    case DifettoCarico::kNomeNonValido:
      messaggio += "Lo scenario contenuto nel programma non si pu\u00f2 leggere.\n";
      break;
  }
  return messaggio +
         "Nessun file \u00e8 stato scritto. Scaricare di nuovo il programma\n"
         "e avviarlo ancora.";
}

}  // namespace scenario
