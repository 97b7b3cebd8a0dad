// `scenario-tool dump FILE [--json] [--from M] [--to M]`: shows what the
// simulator will load from a compiled file, every field by its meaning and
// unit with the stored value beside it.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

#include "base/file_system.h"
#include "compiler/compiled_layout.h"

namespace scenario {

struct OpzioniDump {
  std::string file;
  std::optional<TipoFileCompilato> tipo;  // absent: told by the file name
  bool json = false;
  int32_t passo_punti = 0;  // list every this many plan-view points; 0 lists none
  // Only the grid's cells, the plan view's points and the stations between
  // these positions, in metres, are shown.
  int64_t da = std::numeric_limits<int64_t>::min();
  int64_t a = std::numeric_limits<int64_t>::max();
};

// Prints the decoded file on `out`, as text or as one line of JSON written
// piece by piece, and returns the exit status: 0; 2 when the file cannot be
// read, is larger than the largest file of its kind or does not fit its
// layout; 64 when its kind can be told neither from its name nor from
// `tipo`, or the range is empty.
int comando_dump(FileSystem& file_system, const OpzioniDump& opzioni, std::ostream& out,
                 std::ostream& err);

// A number as the shortest text that reads back to the same double.
std::string numero_esatto(double valore);

}  // namespace scenario
