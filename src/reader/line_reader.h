// The first phase of `memorizza_dati`: the line source text. It sizes the
// route grid, stores the line-wide settings, lays gradients, mountain
// stretches, speed boards and lettered boards onto the grid and builds the
// plan view from the curves, then deletes the text.
#pragma once

#include <cstdint>
#include <string>

#include "reader/source_reading.h"

namespace scenario {

// Reads the line text `nome`. Returns `prosegui` when the train text is to
// be read next (the line text was read to its end, or a record beyond the
// grid ended it), `fine_procedura` when an error ends `memorizza_dati`, and
// `guasto` on a reading failure. `cartello_libero` receives the entry of the
// record table that the next lettered board would take: 80 minus the number
// of boards stored, which bounds the train's stations.
Esito leggi_testo_linea(LetturaSorgente& lettura, const std::string& nome,
                        int32_t* cartello_libero);

}  // namespace scenario
