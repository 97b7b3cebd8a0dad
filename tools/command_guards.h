// What the commands check before they touch a file: names that can be used,
// a folder that is one, and, for the commands that write into a folder, that
// no other run writes into it at the same time.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"

namespace scenario {

// A whole line for the terminal: every control character written out, nothing cut.
std::string riga_stampabile(std::string_view testo);

// 0, or 64 (the command line was wrong) with the reason on `err`.
int controlla_nomi(std::string_view comando, const std::string& nome_linea,
                   const std::string& numero_treno, std::ostream& err);

// 0, or 2 with the reason on `err` when `cartella` is missing, not a folder,
// not searchable or a name too long.
int controlla_cartella(FileSystem& file_system, std::string_view comando,
                       const std::string& cartella, std::ostream& err);

// 0 when `cartella` is a folder or could be made, with every missing level
// above it (said on `err`); otherwise 2 with the reason on `err`.
int prepara_cartella(FileSystem& file_system, std::string_view comando, const std::string& cartella,
                     std::ostream& err);

// The folder part of a file's name; "." for a name without one.
std::string cartella_di(const std::string& file);

// The folder held for one command while it writes `nomi` into it.
struct CartellaRiservata {
  int esito = 0;  // 0 when held; otherwise 2, with the reason on `err`
  std::unique_ptr<FolderLock> blocco;
};

// Locks `cartella` (waiting a few seconds for another run to end) and
// removes the temporary files that killed runs left of `nomi`.
CartellaRiservata riserva_cartella(FileSystem& file_system, std::string_view comando,
                                   const std::string& cartella,
                                   const std::vector<std::string>& nomi, std::ostream& err);

}  // namespace scenario
