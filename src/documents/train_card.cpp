#include "documents/crew_documents.h"

namespace scenario {

// The train card's text arrives with its own change; until then nothing is written.
Status dati_scheda(FileSystem&, const NomiFile&) { return Status::OK(); }

}  // namespace scenario
