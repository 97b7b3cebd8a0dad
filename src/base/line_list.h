// A line list: the ordered lines of one text file the package writes (a
// source text or a crew document), with room for 1001 entries and ended by
// the end marker. The marker tells the writer where the file ends and is never
// written; a line that only resembles it is written like any other.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "base/file_system.h"
#include "base/status.h"

namespace scenario {

inline constexpr std::string_view kFineLista = "riferimento fine del file";
inline constexpr size_t kVociLista = 1001;

using ListaRighe = std::span<const std::string_view>;

// The lines of `lista` before the end marker (at most 1001 entries looked at),
// each converted from UTF-8 to Windows-1252 and ended by CR LF.
std::string testo_lista(ListaRighe lista);

// The number of lines before the end marker: the marker's index.
size_t righe_prima_del_marcatore(ListaRighe lista);

// Writes the file `nome` with exactly the lines of `lista`, replacing an
// earlier file of that name entirely, or leaving it as it was on failure.
Status scrivi_lista(FileSystem& file_system, const std::string& nome, ListaRighe lista);

}  // namespace scenario
