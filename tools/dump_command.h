// `scenario-tool dump FILE [--json]`: shows what the simulator will load from
// a compiled file, every field by its name.
#pragma once

#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "compiled_files.h"

namespace scenario {

struct OpzioniDump {
  std::string file;
  std::optional<TipoFileCompilato> tipo;  // absent: told by the file name
  bool json = false;
  int32_t passo_punti = 0;  // list every this many plan-view points; 0 lists none
};

// Prints the decoded file on `out` (text or one line of JSON) and returns the
// exit status: 0, 2 when the file cannot be read or does not fit its layout,
// 64 when its kind can be told neither from its name nor from `tipo`.
int comando_dump(FileSystem& file_system, const OpzioniDump& opzioni, std::ostream& out,
                 std::ostream& err);

// The readable forms, for the command and its tests. `dimensione` is the
// file's size in bytes.
std::string testo_linea_compilata(const LineaCompilata& linea, size_t dimensione,
                                  int32_t passo_punti);
std::string testo_scenario_compilato(const RegistroCompilato& registro, size_t dimensione);
std::string testo_percorso_compilato(const std::vector<CellaPercorso>& celle, size_t dimensione);

nlohmann::json json_linea_compilata(const LineaCompilata& linea, size_t dimensione,
                                    int32_t passo_punti);
nlohmann::json json_scenario_compilato(const RegistroCompilato& registro, size_t dimensione);
nlohmann::json json_percorso_compilato(const std::vector<CellaPercorso>& celle, size_t dimensione);

// A number as the shortest text that reads back to the same double.
std::string numero_esatto(double valore);

}  // namespace scenario
