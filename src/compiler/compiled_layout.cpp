#include "compiler/compiled_layout.h"

namespace scenario {
namespace {

bool finisce_con(std::string_view testo, std::string_view coda) {
  return testo.size() >= coda.size() && testo.substr(testo.size() - coda.size()) == coda;
}

}  // namespace

std::string_view nome_file_compilato(TipoFileCompilato tipo) {
  switch (tipo) {
    case TipoFileCompilato::kLinea:
      return "compiled line";
    case TipoFileCompilato::kScenario:
      return "compiled train scenario";
    case TipoFileCompilato::kPercorso:
      return "compiled route grid";
  }
  return "compiled file";
}

bool tipo_da_nome(std::string_view nome, TipoFileCompilato* tipo) {
  if (finisce_con(nome, "_linea.dat")) {
    *tipo = TipoFileCompilato::kLinea;
  } else if (finisce_con(nome, ".sim")) {
    *tipo = TipoFileCompilato::kScenario;
  } else if (finisce_con(nome, ".dat")) {
    *tipo = TipoFileCompilato::kPercorso;
  } else {
    return false;
  }
  return true;
}

const DescrizioneEtichetta* descrizione_etichetta(uint16_t codice) {
  for (const DescrizioneEtichetta& d : kEtichette) {
    if (static_cast<uint16_t>(d.etichetta) == codice) return &d;
  }
  return nullptr;
}

const DescrizioneEtichetta& descrizione_etichetta(EtichettaPunto etichetta) {
  return *descrizione_etichetta(static_cast<uint16_t>(etichetta));
}

uint64_t dimensione_minima(TipoFileCompilato tipo) {
  switch (tipo) {
    case TipoFileCompilato::kLinea:
      return 2 * uint64_t{kPuntiMinimi} * kByteEtichetta;
    case TipoFileCompilato::kScenario:
      return kVociRegistro * kByteVoceSenzaTesto;
    case TipoFileCompilato::kPercorso:
      return kCelleMinime * kByteCella;
  }
  return 0;
}

uint64_t dimensione_massima(TipoFileCompilato tipo) {
  switch (tipo) {
    case TipoFileCompilato::kLinea:
      return byte_linea_completa(kPuntiMassimi - 1);
    case TipoFileCompilato::kScenario:
      return kVociRegistro * (kByteVoceSenzaTesto + kLunghezzaMassimaTesto);
    case TipoFileCompilato::kPercorso:
      return kCelleMassime * kByteCella;
  }
  return 0;
}

}  // namespace scenario
