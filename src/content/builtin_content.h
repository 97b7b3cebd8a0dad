// The package's own scenario: the line "BELFORTE SELVEN - MELAR", its train
// 8312, and the five files of a run written from the line lists the package
// carries as constant text.
#pragma once

#include "content/package_content.h"

namespace scenario {

const ContenutoPacchetto& contenuto_incorporato();

}  // namespace scenario
