// The exit statuses of scenario-tool, the same for every command. For check:
// 0 no error (warnings allowed), 1 errors (or warnings under --werror), 2 a
// text that cannot be read.
#pragma once

namespace scenario {

inline constexpr int kEsitoRiuscito = 0;  // done, and the scenario recorded no error code
inline constexpr int kEsitoErroreCodice =
    1;  // done, but the reader or the finishing pass recorded a code
inline constexpr int kEsitoFallito = 2;  // stopped: nothing (or nothing more) written
inline constexpr int kEsitoUso = 64;     // the command line was wrong (EX_USAGE)

}  // namespace scenario
