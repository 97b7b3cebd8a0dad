#include "content/builtin_content.h"

#include "content/source_texts.h"
#include "documents/crew_documents.h"

namespace scenario {
namespace {

class ContenutoIncorporato final : public ContenutoPacchetto {
 public:
  std::string_view nome_linea() const override { return "BELFORTE SELVEN - MELAR"; }
  std::string_view numero_treno() const override { return "8312"; }
  bool presente(Documento) const override { return true; }

  Status scrivi(Documento documento, FileSystem& file_system, const NomiFile& nomi) const override {
    switch (documento) {
      case Documento::kTestoLinea:
        return dati_linea(file_system, nomi);
      case Documento::kTestoTreno:
        return dati_treno(file_system, nomi);
      case Documento::kNote:
        return dati_note(file_system, nomi);
      case Documento::kRallentamenti:
        return dati_rallentamenti(file_system, nomi);
      case Documento::kSchedaTreno:
        return dati_scheda(file_system, nomi);
    }
    return Status::OK();
  }
};

}  // namespace

const ContenutoPacchetto& contenuto_incorporato() {
  static const ContenutoIncorporato contenuto;
  return contenuto;
}

}  // namespace scenario
