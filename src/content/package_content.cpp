#include "content/package_content.h"

#include <utility>

namespace scenario {

std::string nome_documento(Documento documento, const NomiFile& nomi) {
  switch (documento) {
    case Documento::kTestoLinea:
      return nomi.testo_linea();
    case Documento::kTestoTreno:
      return nomi.testo_treno();
    case Documento::kNote:
      return nomi.note();
    case Documento::kRallentamenti:
      return nomi.rallentamenti();
    case Documento::kSchedaTreno:
      return nomi.scheda_treno();
  }
  return "";
}

NomiFile ContenutoPacchetto::nomi_in(std::string cartella) const {
  return NomiFile{std::move(cartella), std::string(nome_linea()), std::string(numero_treno())};
}

}  // namespace scenario
