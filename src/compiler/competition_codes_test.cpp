#include "compiler/competition_codes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scenario {
namespace {

Scenario con_nomi(const std::string& numero_treno, const std::string& nome_linea) {
  Scenario tabelle;
  tabelle.registro[kVoceTreno].nome = numero_treno;
  tabelle.registro[kVoceLinea].nome = nome_linea;
  return tabelle;
}

struct Caso {
  std::string numero_treno;
  std::string nome_linea;  // Windows-1252 bytes
  std::string prime_25;
  int16_t og;
  int32_t st;
};

TEST(CodiciGara, SumOverTheFirst25CharactersOfTheKey) {
  const std::vector<Caso> casi = {
      {"1", "AB", "1abaabbccddeeffgghhiillmm", 2496, 33703},
      {"", "", "aabbccddeeffgghhiillmmnno", 2583, 34355},
      {"12", "Ab - Cd", "12ab - cdaabbccddeeffgghh", 2210, 31486},
      {"8312", "BELFORTE SELVEN - MELAR", "8312belforte selven - mel", 2169, 28903},
      // The same name in small letters gives the same codes.
      {"8312", "belforte selven - melar", "8312belforte selven - mel", 2169, 28903},
      // Whatever follows the first 25 characters plays no part.
      {"8312", "BELFORTE SELVEN - MELXYZ", "8312belforte selven - mel", 2169, 28903},
      // 25 characters: no filler; 24: the filler's first "a" at position 25.
      {"1234", "ABCDEFGHIJKLMNOPQRSTU", "1234abcdefghijklmnopqrstu", 2449, 34985},
      {"1234", "ABCDEFGHIJKLMNOPQRST", "1234abcdefghijklmnopqrsta", 2429, 34485},
  };
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.numero_treno + "/" + caso.nome_linea);
    Scenario tabelle = con_nomi(caso.numero_treno, caso.nome_linea);
    EXPECT_EQ(chiave_gara(tabelle).substr(0, 25), caso.prime_25);
    EXPECT_EQ(codice_gara_st(tabelle), caso.st);
    EXPECT_EQ(codice_gara_og(tabelle), caso.og);
  }
}

TEST(CodiciGara, TheTrainNumberComesFirst) {
  Scenario avanti = con_nomi("12", "AB");
  Scenario scambiati = con_nomi("AB", "12");
  EXPECT_NE(codice_gara_st(avanti), codice_gara_st(scambiati));
  EXPECT_EQ(chiave_gara(avanti), std::string("12ab") + std::string(kRiempitivoChiave));
}

TEST(CodiciGara, CharactersBeyondAsciiCountWithTheirWindows1252Codes) {
  // "È" (C8) lowers to "è" (E8).
  Scenario maiuscola = con_nomi("", "\xC8");
  Scenario minuscola = con_nomi("", "\xE8");
  EXPECT_EQ(codice_gara_og(maiuscola), codice_gara_og(minuscola));
  EXPECT_EQ(static_cast<unsigned char>(chiave_gara(maiuscola)[0]), 0xE8);
  // Position 1 holds E8, positions 2 to 25 the filler's first 24 characters:
  // the filler alone (2583) without its 25th, "o".
  EXPECT_EQ(codice_gara_og(maiuscola), 0xE8 + 2583 - 'o');
}

TEST(MinuscoleWindows1252, LowersLettersOnly) {
  const std::vector<std::pair<std::string, std::string>> casi = {
      {"AZaz09 -.'", "azaz09 -.'"},
      {"\xC0\xC9\xD6\xD8\xDE", "\xE0\xE9\xF6\xF8\xFE"},  // À É Ö Ø Þ
      {"\xD7", "\xD7"},                                  // × is no letter
      {"\xDF\xFF", "\xDF\xFF"},                          // ß and ÿ have no capital here
      {"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF"},          // Š Œ Ž Ÿ
      {"\xB0\x80", "\xB0\x80"},                          // ° and € stay
  };
  for (const auto& [testo, atteso] : casi) EXPECT_EQ(minuscole_windows_1252(testo), atteso);
}

}  // namespace
}  // namespace scenario
