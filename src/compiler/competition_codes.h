// The two competition codes every compiled scenario carries: plain sums of
// character codes over a 25-character key made of the train number and the
// line name, so that two scenarios with the same train on the same line get
// the same codes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "reader/scenario_tables.h"

namespace scenario {

// Pads a short key, so that the first 25 characters always exist: the
// letters a to o without j and k, each doubled.
inline constexpr std::string_view kRiempitivoChiave = "aabbccddeeffgghhiillmmnnoo";
inline constexpr int kCaratteriChiave = 25;

// Lower-cases Windows-1252 text: A-Z and the accented capitals (but not the
// multiplication sign) become their small letters, as do S, OE and Z with
// caron and Y with diaeresis; every other byte stays.
std::string minuscole_windows_1252(std::string_view testo);

// The key: the lower-cased train number (`registro` entry 86), then the
// lower-cased line name (entry 85), then the filler. Windows-1252 bytes.
std::string chiave_gara(const Scenario& tabelle);

// The plain sum of the codes of the key's first 25 characters, 0 to 6375.
int16_t codice_gara_og(const Scenario& tabelle);

// The sum of i times the code of the key's i-th character, i = 1 to 25,
// 0 to 82875.
int32_t codice_gara_st(const Scenario& tabelle);

}  // namespace scenario
