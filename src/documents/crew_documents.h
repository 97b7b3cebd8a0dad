// The three papers a driver is handed for the run: the line notes, the
// slowdown order and the train card. Fixed text, written into the folder.
#pragma once

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/status.h"

namespace scenario {

Status dati_note(FileSystem& file_system, const NomiFile& nomi);
Status dati_rallentamenti(FileSystem& file_system, const NomiFile& nomi);
Status dati_scheda(FileSystem& file_system, const NomiFile& nomi);

}  // namespace scenario
