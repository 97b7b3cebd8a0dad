#include "source_encoding.h"

#include <gtest/gtest.h>

#include "suggestion.h"

namespace scenario {
namespace {

TEST(EsameCodifica, TellsTheEncodingAndWhereItsFirstForeignCharacterStands) {
  using C = CodificaTesto;
  const struct {
    const char* nome;
    std::string testo;
    CodificaTesto codifica;
    bool bom;
    int32_t riga;  // of the first foreign character; 0 for none
    int32_t colonna;
  } casi[] = {
      {"plain ASCII", "a,\r\nb, 1\r\n", C::kWindows1252, false, 0, 0},
      {"a degree sign in Windows-1252", "x\r\nSASSO 1\xB0\r\n", C::kWindows1252, false, 0, 0},
      {"a byte the code page leaves undefined", "ab\r\nc\x81\r\n", C::kWindows1252, false, 2, 2},
      {"UTF-8, after a lone CR and a lone LF", "a\rb\nSASSO 1\xC2\xB0\r\n", C::kUtf8, false, 3, 8},
      {"UTF-8 columns count characters", "\xC3\xA8\xC3\xA8,\r\n", C::kUtf8, false, 1, 1},
      {"UTF-8 with its mark", "\xEF\xBB\xBFx\xE2\x82\xAC", C::kUtf8, true, 1, 2},
      {"a mark on ASCII", "\xEF\xBB\xBF[generale]", C::kUtf8, true, 0, 0},
      {"UTF-8 broken by a Windows-1252 byte", "\xC3\xA8 \xE8", C::kWindows1252, false, 0, 0},
      {"an overlong UTF-8 form", "\xC0\xAF", C::kWindows1252, false, 0, 0},
      {"UTF-16 little-endian with its mark", std::string("\xFF\xFEx\0", 4), C::kUtf16, false, 0, 0},
      {"UTF-16 big-endian with its mark", std::string("\xFE\xFF\0x", 4), C::kUtf16, false, 0, 0},
      {"UTF-16 without a mark", std::string("a\0b\0,\0", 6), C::kUtf16, false, 0, 0},
      {"one NUL in a text", std::string("abc\0defgh", 9), C::kWindows1252, false, 0, 0},
  };
  for (const auto& caso : casi) {
    SCOPED_TRACE(caso.nome);
    const EsameCodifica esame = esamina_codifica(caso.testo);
    EXPECT_EQ(esame.codifica, caso.codifica);
    EXPECT_EQ(esame.bom_utf8, caso.bom);
    ASSERT_EQ(esame.primo_estraneo.has_value(), caso.riga > 0);
    if (caso.riga > 0) {
      EXPECT_EQ(esame.primo_estraneo->posizione.riga, caso.riga);
      EXPECT_EQ(esame.primo_estraneo->posizione.colonna, caso.colonna);
    }
  }
}

TEST(ConvertiDaUtf8, GivesTheCodePagesBytesAndRefusesWhatItLacks) {
  const TestoConvertito t = converti_da_utf8(
      "\xEF\xBB\xBF"
      "1\xC2\xB0 \xE2\x82\xAC\r\nx\xE2\x86\x92y \xFF");
  EXPECT_EQ(t.testo, "1\xB0 \x80\r\nx?y ?");
  ASSERT_EQ(t.rifiutati.size(), 2u);
  EXPECT_EQ(t.rifiutati[0].posizione.riga, 2);
  EXPECT_EQ(t.rifiutati[0].posizione.colonna, 2);
  EXPECT_EQ(t.rifiutati[0].byte, "\xE2\x86\x92");
  EXPECT_EQ(t.rifiutati[1].posizione.colonna, 5);
  EXPECT_EQ(t.rifiutati[1].byte, "\xFF");
  EXPECT_EQ(converti_da_utf8("a ? b").rifiutati.size(), 0u);  // a question mark of its own
}

TEST(Suggerimento, OffersTheNearestKnownWordWhenItIsNearEnough) {
  const std::string_view parole[] = {"stazione", "segnale", "rallentamento",
                                     "velocita", "sabbia",  "curvad6"};
  const struct {
    const char* scritta;
    const char* attesa;  // nullptr: no suggestion
  } casi[] = {
      {"stazone", "stazione"}, {"segnal", "segnale"}, {"rallentamneto", "rallentamento"},
      {"curvd6", "curvad6"},   {"SEGNALE", nullptr},  {"sabia", "sabbia"},
      {"treno", nullptr},      {"xyz", nullptr},
  };
  for (const auto& caso : casi) {
    const std::optional<std::string_view> suggerita = suggerisci(caso.scritta, parole);
    if (caso.attesa == nullptr) {
      EXPECT_FALSE(suggerita.has_value()) << caso.scritta << " -> " << *suggerita;
    } else {
      EXPECT_EQ(suggerita, caso.attesa) << caso.scritta;
    }
  }
  EXPECT_EQ(distanza_modifica("rallentamneto", "rallentamento"), 1u);  // two neighbours swapped
  EXPECT_EQ(distanza_modifica("", "abc"), 3u);
}

}  // namespace
}  // namespace scenario
