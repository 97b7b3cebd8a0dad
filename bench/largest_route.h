// The source texts of the largest scenario the formats allow, for measuring
// the compile step at its limit: a route of 1 000 000 m with a curve, a
// gradient change and a signal about every kilometre, a slow slowdown every
// 50 km, and as many timetable stations as the record table holds.
#pragma once

#include <string>

namespace scenario {

inline constexpr int kStazioniMassime = 78;  // entries 1 to 78; the 79th would meet entry 80

struct TestiSorgente {
  std::string linea;  // the line source text, CR LF lines
  std::string treno;  // the train source text
};

TestiSorgente testi_percorso_massimo();

}  // namespace scenario
