#include "author_texts.h"

#include "source_warnings.h"

namespace scenario {

TestoAutore leggi_testo_autore(FileSystem& file_system, const std::string& nome, bool utf8) {
  TestoAutore t;
  t.nome = nome;
  std::string byte;
  t.lettura = file_system.ReadFile(nome, &byte);
  if (!t.lettura.ok()) return t;

  const EsameCodifica esame = esamina_codifica(byte);
  if (esame.codifica == CodificaTesto::kUtf16) {
    t.errori = errori_codifica(nome, esame, nullptr);
    return t;
  }
  if (utf8) {
    TestoConvertito convertito = converti_da_utf8(byte);
    t.errori = errori_codifica(nome, esame, &convertito);
    t.testo = std::move(convertito.testo);
    t.convertito = true;
  } else {
    t.testo = std::move(byte);
  }
  t.avvisi = avvisi_codifica(nome, esame, t.convertito);
  return t;
}

}  // namespace scenario
