// The train source text of train 8312 as the package carries it: every line
// of the file in order, the end marker last.
#pragma once

#include "base/line_list.h"

namespace scenario {

ListaRighe righe_treno();

}  // namespace scenario
