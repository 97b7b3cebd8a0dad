#include "documents/crew_documents.h"

namespace scenario {

// The slowdown order's text arrives with its own change; until then nothing is written.
Status dati_rallentamenti(FileSystem&, const NomiFile&) { return Status::OK(); }

}  // namespace scenario
