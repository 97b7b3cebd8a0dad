// Writes the package's own two source texts, joined by a NUL byte as the
// fuzzer splits its input, into the folder named on the command line: the
// richest seed the fuzzer can start from.
#include <cstdio>
#include <fstream>
#include <string>

#include "base/memory_file_system.h"
#include "content/builtin_content.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  scenario::MemoryFileSystem disco;
  const scenario::ContenutoPacchetto& contenuto = scenario::contenuto_incorporato();
  const scenario::NomiFile nomi = contenuto.nomi_in("cartella");
  for (const scenario::Status& status :
       {contenuto.scrivi(scenario::Documento::kTestoLinea, disco, nomi),
        contenuto.scrivi(scenario::Documento::kTestoTreno, disco, nomi)}) {
    if (!status.ok()) {
      std::fprintf(stderr, "%s\n", status.message().c_str());
      return 1;
    }
  }
  std::string linea, treno;
  (void)disco.ReadFile(nomi.testo_linea(), &linea);
  (void)disco.ReadFile(nomi.testo_treno(), &treno);
  const std::string nome = std::string(argv[1]) + "/belforte-melar-8312";
  std::ofstream out(nome, std::ios::binary);
  out << linea << '\0' << treno;
  out.close();
  if (!out) {
    std::fprintf(stderr, "writing \"%s\" failed\n", nome.c_str());
    return 1;
  }
  return 0;
}
