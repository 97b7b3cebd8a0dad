// Text that came from outside (a name on the command line, a field of a
// source text, a file name) is shown on a terminal only in a form that
// cannot steer it: a carriage return, a bell or an escape sequence in a
// board's lettering must not rewrite the author's screen.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace scenario {

inline constexpr size_t kSenzaTaglio = std::numeric_limits<size_t>::max();

// `utf8` with every control character written out: "\r", "\n", "\t", "\e",
// "\a", and "\xNN" for the other control bytes (C0 and DEL) and for every
// byte that is not part of a well-formed UTF-8 character; the C1 controls
// (U+0080 to U+009F) as the "\xNN" of their two bytes. Text longer than
// `massimo` characters is cut there and ends in "…".
std::string testo_stampabile(std::string_view utf8, size_t massimo = 80);

}  // namespace scenario
