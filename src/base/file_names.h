// The names of the files of a run. Every name is the application folder, one
// separator, and the pieces joined as they stand: the line name goes in with
// its blanks and hyphen, and the separator is appended whatever the folder
// already ends with (a drive root such as "C:\" gives two).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace scenario {

#ifdef _WIN32
inline constexpr char kSeparatore = '\\';
#else
inline constexpr char kSeparatore = '/';
#endif

std::string componi_nome(std::string_view cartella, std::initializer_list<std::string_view> pezzi);

// The folder, the line name and the train number of one scenario, and the
// eight file names derived from them.
struct NomiFile {
  std::string cartella;
  std::string nome_linea;
  std::string numero_treno;

  std::string testo_linea() const;         // NAME_linea.txt
  std::string testo_treno() const;         // NAME_NUM-.txt
  std::string note() const;                // NAME_NUM_note.txt
  std::string rallentamenti() const;       // NAME_NUM_rallentamenti.txt
  std::string scheda_treno() const;        // NAME_NUM_scheda_treno.txt
  std::string linea_compilata() const;     // NAME_linea.dat
  std::string scenario_compilato() const;  // NAME_NUM.sim
  std::string percorso_compilato() const;  // NAME_NUM.dat
};

}  // namespace scenario
