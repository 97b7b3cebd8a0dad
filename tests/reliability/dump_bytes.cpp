#include "reliability/dump_bytes.h"

#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "base/memory_file_system.h"
#include "compiler/compiled_files.h"
#include "dump_command.h"
#include "exit_codes.h"

namespace scenario::test {
namespace {

// Whether `byte` decodes as a file of `tipo`, and if so whether it writes
// back unchanged.
std::string rilettura(TipoFileCompilato tipo, std::string_view byte, bool* decodificato) {
  std::string riscritto;
  Status status;
  switch (tipo) {
    case TipoFileCompilato::kLinea: {
      LineaCompilata linea;
      status = decodifica_linea(byte, &linea);
      if (status.ok()) riscritto = codifica_linea(linea);
      break;
    }
    case TipoFileCompilato::kScenario: {
      RegistroCompilato registro;
      status = decodifica_scenario(byte, &registro);
      if (status.ok()) riscritto = codifica_registro(registro);
      break;
    }
    case TipoFileCompilato::kPercorso: {
      std::vector<CellaPercorso> celle;
      status = decodifica_percorso(byte, &celle);
      if (status.ok()) riscritto = codifica_percorso(celle);
      break;
    }
  }
  *decodificato = status.ok();
  if (!status.ok()) return status.message().empty() ? "a refusal without a reason" : "";
  if (riscritto != byte) return "it decodes but writes back other bytes";
  return {};
}

std::string mostra(TipoFileCompilato tipo, bool decodificato, MemoryFileSystem& fs, bool json,
                   int64_t da, int64_t a) {
  OpzioniDump opzioni;
  opzioni.file = "file";
  opzioni.tipo = tipo;
  opzioni.json = json;
  opzioni.passo_punti = 997;
  opzioni.da = da;
  opzioni.a = a;
  std::ostringstream out, err;
  const int esito = comando_dump(fs, opzioni, out, err);
  if (!decodificato) {
    if (esito != kEsitoFallito || !out.str().empty() || err.str().empty())
      return "dump showed a file that does not decode";
    return {};
  }
  if (esito != kEsitoRiuscito) return "dump refused a file that decodes: " + err.str();
  if (json && !nlohmann::json::accept(out.str())) return "dump wrote JSON that does not parse";
  return {};
}

}  // namespace

std::string prova_dump(std::string_view byte) {
  MemoryFileSystem fs;
  fs.files()["file"] = std::string(byte);
  for (TipoFileCompilato tipo :
       {TipoFileCompilato::kLinea, TipoFileCompilato::kScenario, TipoFileCompilato::kPercorso}) {
    const std::string nome(nome_file_compilato(tipo));
    bool decodificato = false;
    if (std::string v = rilettura(tipo, byte, &decodificato); !v.empty()) return nome + ": " + v;
    // Text and JSON whole, and text over a stretch. A grid is shown over its
    // first kilometre only (its reading and writing back cover every cell): each
    // cell is shown by the same code, and a grid of 20 000 cells would make
    // megabytes of text and JSON at every execution.
    const int64_t fine = tipo == TipoFileCompilato::kPercorso ? 1000 : INT64_MAX;
    const struct {
      bool json;
      int64_t da;
      int64_t a;
    } modi[] = {{false, INT64_MIN, fine}, {true, INT64_MIN, fine}, {false, 100, 1050}};
    for (const auto& modo : modi) {
      if (std::string v = mostra(tipo, decodificato, fs, modo.json, modo.da, modo.a); !v.empty())
        return nome + ": " + v;
    }
  }
  return {};
}

}  // namespace scenario::test
