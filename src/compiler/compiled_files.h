// The bytes of the three files the simulator loads: plain little-endian dumps
// of the scenario tables, with no header, count or checksum.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "reader/scenario_tables.h"

namespace scenario {

inline constexpr size_t kByteCella = 15;                  // one route cell in the grid file
inline constexpr size_t kByteVoceSenzaTesto = 34;         // one record entry, its text apart
inline constexpr size_t kLunghezzaMassimaTesto = 0xFFFF;  // a text's 2-byte length

// The compiled line: the x values of points 0 to N, then the y values, each
// as a 2-byte tag and its value: tag 2 and an int16 for the origin points 0
// and 1, tag 5 and a 64-bit float for a computed point, tag 0 alone for a
// point never computed. A fully built plan view takes 20 N - 36 bytes. No
// plan view gives no bytes.
std::string codifica_linea(const Tracciato& tracciato);

// The compiled train scenario: the 87 record entries in index order, each as
// its fields in declared order, the text as a 2-byte length and its bytes.
// A text longer than a 2-byte length can count keeps its first 65535 bytes,
// so that the length always tells where the next field begins.
std::string codifica_registro(const std::array<VoceRegistro, kVociRegistro>& registro);

// The compiled route grid: every cell in index order, 15 bytes each.
std::string codifica_percorso(const std::vector<CellaPercorso>& percorso);

}  // namespace scenario
