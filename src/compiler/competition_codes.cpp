#include "compiler/competition_codes.h"

namespace scenario {
namespace {

unsigned char minuscola(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
    return static_cast<unsigned char>(c + 0x20);  // À-Þ, not ×
  switch (c) {
    case 0x8A:  // Š
    case 0x8C:  // Œ
    case 0x8E:  // Ž
      return static_cast<unsigned char>(c + 0x10);
    case 0x9F:  // Ÿ
      return 0xFF;
    default:
      return c;
  }
}

// Sums the codes of the key's first 25 characters, each times its position
// (counted from 1) when `pesata`. The key is always longer than 25
// characters thanks to the filler.
int32_t somma_chiave(const Scenario& tabelle, bool pesata) {
  const std::string chiave = chiave_gara(tabelle);
  int32_t somma = 0;
  for (int32_t i = 1; i <= kCaratteriChiave; ++i) {
    const int32_t codice = static_cast<unsigned char>(chiave[static_cast<size_t>(i - 1)]);
    somma += (pesata ? i : 1) * codice;
  }
  return somma;
}

}  // namespace

std::string minuscole_windows_1252(std::string_view testo) {
  std::string risultato(testo);
  for (char& c : risultato) c = static_cast<char>(minuscola(static_cast<unsigned char>(c)));
  return risultato;
}

std::string chiave_gara(const Scenario& tabelle) {
  std::string chiave =
      minuscole_windows_1252(tabelle.registro[kVoceTreno].nome + tabelle.registro[kVoceLinea].nome);
  chiave += kRiempitivoChiave;
  return chiave;
}

int16_t codice_gara_og(const Scenario& tabelle) {
  return static_cast<int16_t>(somma_chiave(tabelle, false));
}

int32_t codice_gara_st(const Scenario& tabelle) { return somma_chiave(tabelle, true); }

}  // namespace scenario
