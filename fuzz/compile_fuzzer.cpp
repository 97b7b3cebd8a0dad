// Feeds arbitrary pairs of source texts through the whole compile step: the
// field input, both readers, the storers, the finishing pass and the builders
// of the compiled files, on a memory disk. Any crash, any sanitizer report and
// any broken rule of `controlla_invarianti` is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "reliability/compile_texts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view dati(reinterpret_cast<const char*>(data), size);
  scenario::test::ProvaCompilazione prova;
  scenario::test::compila_testi(scenario::test::dividi_ingresso(dati), &prova);
  const std::string violazione = scenario::test::controlla_invarianti(prova);
  if (!violazione.empty()) {
    std::fprintf(stderr, "broken rule after the compile: %s\n", violazione.c_str());
    std::abort();
  }
  return 0;
}
