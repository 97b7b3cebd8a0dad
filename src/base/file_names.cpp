#include "base/file_names.h"

namespace scenario {

std::string componi_nome(std::string_view cartella, std::initializer_list<std::string_view> pezzi) {
  std::string nome(cartella);
  nome += kSeparatore;
  for (std::string_view pezzo : pezzi) nome += pezzo;
  return nome;
}

std::string NomiFile::testo_linea() const {
  return componi_nome(cartella, {nome_linea, "_linea.txt"});
}
std::string NomiFile::testo_treno() const {
  return componi_nome(cartella, {nome_linea, "_", numero_treno, "-.txt"});
}
std::string NomiFile::note() const {
  return componi_nome(cartella, {nome_linea, "_", numero_treno, "_", "note.txt"});
}
std::string NomiFile::rallentamenti() const {
  return componi_nome(cartella, {nome_linea, "_", numero_treno, "_", "rallentamenti.txt"});
}
std::string NomiFile::scheda_treno() const {
  return componi_nome(cartella, {nome_linea, "_", numero_treno, "_", "scheda_treno.txt"});
}
std::string NomiFile::linea_compilata() const {
  return componi_nome(cartella, {nome_linea, "_linea.dat"});
}
std::string NomiFile::scenario_compilato() const {
  return componi_nome(cartella, {nome_linea, "_", numero_treno, ".sim"});
}
std::string NomiFile::percorso_compilato() const {
  return componi_nome(cartella, {nome_linea, "_", numero_treno, ".dat"});
}

}  // namespace scenario
