// The second phase of `memorizza_dati`: the train source text. It stores the
// train settings, fills every route cell's speed limit and adhesion, places
// code-cut points, stores the timetable with each station's extent, stop
// point and approach marks, hands signals and slowdowns to their storers,
// deletes the text and checks the kilometre references.
#pragma once

#include <cstdint>
#include <string>

#include "reader/source_reading.h"

namespace scenario {

// Reads the train text `nome`. `cartello_libero` is the record-table entry
// the line text's next lettered board would have taken: stations may not
// reach it. `testo_linea` names the line text, which the kilometre references
// came from. Returns `fine_procedura` when an error ends `memorizza_dati`,
// `guasto` on a reading failure, and `prosegui` otherwise.
Esito leggi_testo_treno(LetturaSorgente& lettura, const std::string& nome, int32_t cartello_libero,
                        const std::string& testo_linea);

}  // namespace scenario
