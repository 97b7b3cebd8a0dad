// Feeds arbitrary bytes to the readers of the three compiled files and to
// the authors' dump: as a compiled line, a compiled train scenario and a
// compiled route grid. Any crash, any sanitizer report and any broken rule
// of `prova_dump` (a file that decodes but writes back other bytes, JSON that
// does not parse) is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "reliability/dump_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view byte(reinterpret_cast<const char*>(data), size);
  const std::string violazione = scenario::test::prova_dump(byte);
  if (!violazione.empty()) {
    std::fprintf(stderr, "broken rule: %s\n", violazione.c_str());
    std::abort();
  }
  return 0;
}
