// The line name and the train number of an author's folder: given on the
// command line, or read off the names of the two source texts when the
// folder holds exactly one pair of them (NAME_linea.txt with NAME_NUM-.txt).
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/status.h"

namespace scenario {

struct NomiScenario {
  std::string nome_linea;
  std::string numero_treno;
  bool dalla_cartella = false;  // at least one of the two was read off the file names
};

// Fills `nomi` from `linea` and `treno` where given, and the rest from the
// source texts in `cartella`: the one pair NAME_linea.txt, NAME_NUM-.txt
// that agrees with what was given. When both are given the folder is not
// looked at. A folder that cannot be listed gives its file failure; no pair,
// or more than one, gives an error that lists the texts found. The names are
// not checked here (name_check.h).
Status risolvi_nomi(FileSystem& file_system, const std::string& cartella,
                    const std::optional<std::string>& linea,
                    const std::optional<std::string>& treno, NomiScenario* nomi);

// risolvi_nomi for a command, then the names checked as given ones are: 0;
// 2 when the folder cannot be listed; 64 when no names can be taken or a name
// cannot name a file. Says on `err` which names were taken from the folder,
// and why it stopped.
int nomi_del_comando(FileSystem& file_system, std::string_view comando, const std::string& cartella,
                     const std::optional<std::string>& linea,
                     const std::optional<std::string>& treno, NomiScenario* nomi,
                     std::ostream& err);

// nomi_del_comando on a command's options (`cartella`, `nome_linea`,
// `numero_treno` and whether each name was given), filling in the names.
template <typename Opzioni>
int nomi_delle_opzioni(FileSystem& file_system, std::string_view comando, Opzioni* opzioni,
                       std::ostream& err) {
  NomiScenario nomi;
  const int esito = nomi_del_comando(
      file_system, comando, opzioni->cartella,
      opzioni->nome_linea_dato ? std::optional(opzioni->nome_linea) : std::nullopt,
      opzioni->numero_treno_dato ? std::optional(opzioni->numero_treno) : std::nullopt, &nomi, err);
  opzioni->nome_linea = nomi.nome_linea;
  opzioni->numero_treno = nomi.numero_treno;
  return esito;
}

// 0 when the train text of `nomi` is a file or the line text is missing too
// (the compile then says so with its own code); otherwise 2, naming the
// train text looked for, why it cannot be read (missing, a folder) and the
// source texts the folder does hold, so that a wrong train number writes
// nothing.
int controlla_testo_treno(FileSystem& file_system, std::string_view comando, const NomiFile& nomi,
                          std::ostream& err);

}  // namespace scenario
