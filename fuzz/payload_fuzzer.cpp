// Feeds arbitrary bytes to the package program's payload reader, twice: as
// a program file as it stands, and with a correct checksum and trailer put
// after them, so that the reader's checks of the header and the files are
// reached and not only its checksum. Any crash, any sanitizer report, and
// any payload accepted that does not write back to exactly its own bytes is
// a finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/sha256.h"
#include "content/payload_format.h"

namespace {

void prova(std::string_view programma) {
  scenario::Carico carico;
  const scenario::LetturaCarico letto = scenario::leggi_carico(programma, &carico);
  if (!letto.ok()) return;
  std::string di_nuovo;
  const scenario::LetturaCarico composto = scenario::componi_carico(carico, &di_nuovo);
  if (!composto.ok() || !programma.ends_with(di_nuovo)) {
    std::fprintf(stderr, "broken rule: an accepted payload does not write back to its bytes (%s)\n",
                 composto.dettaglio.c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view byte(reinterpret_cast<const char*>(data), size);
  prova(byte);

  const scenario::ImprontaSha256 impronta = scenario::sha256(byte);
  std::string sigillato(byte);
  sigillato.append(reinterpret_cast<const char*>(impronta.data()), impronta.size());
  const uint64_t lunghezza = sigillato.size() + 16;
  sigillato += "SCNCODA1";
  for (int i = 0; i < 8; ++i) sigillato += static_cast<char>(lunghezza >> (8 * i));
  prova(sigillato);
  return 0;
}
