#include "documents/crew_documents.h"

namespace scenario {

// The documents' text arrives with its own change; until then nothing is written.
Status dati_note(FileSystem&, const NomiFile&) { return Status::OK(); }
Status dati_rallentamenti(FileSystem&, const NomiFile&) { return Status::OK(); }
Status dati_scheda(FileSystem&, const NomiFile&) { return Status::OK(); }

}  // namespace scenario
