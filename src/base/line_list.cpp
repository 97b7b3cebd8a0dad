#include "base/line_list.h"

#include <algorithm>

#include "base/windows_1252.h"

namespace scenario {

size_t righe_prima_del_marcatore(ListaRighe lista) {
  const size_t voci = std::min(lista.size(), kVociLista);
  for (size_t i = 0; i < voci; ++i) {
    if (lista[i] == kFineLista) return i;
  }
  return voci;
}

std::string testo_lista(ListaRighe lista) {
  std::string testo;
  const size_t righe = righe_prima_del_marcatore(lista);
  for (size_t i = 0; i < righe; ++i) {
    aggiungi_windows_1252(lista[i], testo);
    testo += "\r\n";
  }
  return testo;
}

Status scrivi_lista(FileSystem& file_system, const std::string& nome, ListaRighe lista) {
  return file_system.ReplaceFile(nome, testo_lista(lista));
}

}  // namespace scenario
