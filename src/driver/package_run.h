// A package program's run: the installer's, with the scenario read from the
// program's own file instead of carried as constant text. Nothing is
// written before the scenario has been read whole and found sound.
#pragma once

#include <string>

#include "base/file_system.h"
#include "driver/platform.h"

namespace scenario {

// Reads the payload at the end of `programma` (the running program's own
// file) and, when it is sound, installs it as the installer installs its
// own scenario (Form1). A file that cannot be read or a payload that cannot
// be installed is told to the player and gives kUscitaFallimento, with
// nothing written.
int installa_pacchetto(Piattaforma& piattaforma, FileSystem& file_system,
                       const std::string& programma);

}  // namespace scenario
