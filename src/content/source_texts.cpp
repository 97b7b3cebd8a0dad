#include "content/source_texts.h"

#include "base/line_list.h"
#include "content/line_source.h"
#include "content/train_source.h"

namespace scenario {

Status dati_linea(FileSystem& file_system, const NomiFile& nomi) {
  return scrivi_lista(file_system, nomi.testo_linea(), righe_linea());
}

Status dati_treno(FileSystem& file_system, const NomiFile& nomi) {
  return scrivi_lista(file_system, nomi.testo_treno(), righe_treno());
}

}  // namespace scenario
