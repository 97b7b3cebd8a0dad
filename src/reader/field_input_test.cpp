#include "reader/field_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scenario {
namespace {

// One read of a sequence: 't' text, 'l' int32, 'i' int16, 'b' byte.
struct Lettura {
  char tipo;
  std::string atteso;  // the text read, or the number in decimal; "!" for a failure
  bool fine_dopo;  // the end of the text is reached after this read (not checked after a failure)
};

std::string leggi(LettoreCampi& lettore, char tipo) {
  Status esito;
  std::string risultato;
  if (tipo == 't') {
    esito = lettore.leggi_testo(&risultato);
  } else if (tipo == 'l') {
    int32_t n = -7;
    esito = lettore.leggi_int32(&n);
    risultato = std::to_string(n);
  } else if (tipo == 'i') {
    int16_t n = -7;
    esito = lettore.leggi_int16(&n);
    risultato = std::to_string(n);
  } else {
    uint8_t n = 7;
    esito = lettore.leggi_byte(&n);
    risultato = std::to_string(n);
  }
  return esito.ok() ? risultato : "!";
}

TEST(LettoreCampi, DelimitsFieldsAsTheReadersExpect) {
  struct Caso {
    const char* nome;
    std::string testo;
    std::vector<Lettura> letture;
  } casi[] = {
      {"keyword and numbers, padding next to commas",
       "pendenza,  2100,   20\r\n",
       {{'t', "pendenza", false}, {'l', "2100", false}, {'l', "20", true}}},
      {"keyword with blanks is one text field",
       "lunghezza percorso,    100000\r\n",
       {{'t', "lunghezza percorso", false}, {'l', "100000", true}}},
      {"numbers separated only by blanks, trailing blank before the line end",
       "orologio,    17              22            0 \r\n",
       {{'t', "orologio", false}, {'l', "17", false}, {'l', "22", false}, {'l', "0", true}}},
      {"blanks between a number and its comma",
       "ripetizione segnali 4 codici,    0    ,0\r\n",
       {{'t', "ripetizione segnali 4 codici", false}, {'l', "0", false}, {'l', "0", true}}},
      {"the same read as text drops the padding",
       "x,    0    ,0\r\n",
       {{'t', "x", false}, {'t', "0", false}, {'t', "0", true}}},
      {"empty numeric fields read as 0",
       "indicatori_vmax,  1150,  70,  ,  ,  0\r\n",
       {{'t', "indicatori_vmax", false},
        {'l', "1150", false},
        {'l', "70", false},
        {'l', "0", false},
        {'l', "0", false},
        {'l', "0", true}}},
      {"text runs to the end of the line with blanks, '-', ''' and '.'",
       "stazione,  0, S. MARIA D'ERBE - BASSA\r\n[fine]\r\n",
       {{'t', "stazione", false},
        {'l', "0", false},
        {'t', "S. MARIA D'ERBE - BASSA", false},
        {'t', "[fine]", true}}},
      {"lettering with inner blanks and a degree sign",
       "cartello_indicatore,  4650,   (A 3\xB0  )(Km.9+2)\r\n",
       {{'t', "cartello_indicatore", false},
        {'l', "4650", false},
        {'t', "(A 3\xB0  )(Km.9+2)", true}}},
      {"trailing blanks of a text field are padding", "[fine]   \r\n", {{'t', "[fine]", true}}},
      {"reading goes on across line ends",
       "a,1\r\nb,2\r\n",
       {{'t', "a", false}, {'l', "1", false}, {'t', "b", false}, {'l', "2", true}}},
      {"an empty line is one empty field",
       "a\r\n\r\nb\r\n",
       {{'t', "a", false}, {'t', "", false}, {'t', "b", true}}},
      {"lone LF and lone CR end lines too",
       "a\nb\rc",
       {{'t', "a", false}, {'t', "b", false}, {'t', "c", true}}},
      {"the last field may end at the end of the text",
       "x,  -18",
       {{'t', "x", false}, {'l', "-18", true}}},
      {"a double quote is an ordinary character",
       "\"a,b\"\r\n",
       {{'t', "\"a", false}, {'t', "b\"", true}}},
      {"a sign and leading zeros", "+0042,-0\r\n", {{'l', "42", false}, {'l', "0", true}}},
      {"a letter in a number fails", "1x,2\r\n", {{'l', "!", false}}},
      {"a fraction fails", "2.5\r\n", {{'l', "!", false}}},
      {"a lone sign fails", "-,2\r\n", {{'l', "!", false}}},
      {"a keyword read as a number fails", "[montagne]\r\n", {{'l', "!", false}}},
      {"int32 limits",
       "2147483647,-2147483648,2147483648\r\n",
       {{'l', "2147483647", false}, {'l', "-2147483648", false}, {'l', "!", false}}},
      {"a number far too long for any target", "99999999999999999999999\r\n", {{'l', "!", false}}},
      {"int16 limits",
       "32767,-32768,32768\r\n",
       {{'i', "32767", false}, {'i', "-32768", false}, {'i', "!", false}}},
      {"byte limits",
       "255,0,256,-1\r\n",
       {{'b', "255", false}, {'b', "0", false}, {'b', "!", false}}},
      {"reading past the end fails", "a\r\n", {{'t', "a", true}, {'t', "!", true}}},
      {"a number past the end fails", "", {{'l', "!", true}}},
      {"blanks up to the end of the text are an empty field",
       "a,   ",
       {{'t', "a", false}, {'l', "0", true}}},
  };
  for (const Caso& caso : casi) {
    LettoreCampi lettore(caso.testo);
    for (size_t n = 0; n < caso.letture.size(); ++n) {
      const Lettura& attesa = caso.letture[n];
      EXPECT_EQ(leggi(lettore, attesa.tipo), attesa.atteso) << caso.nome << ", read " << n;
      if (attesa.atteso != "!") {
        EXPECT_EQ(lettore.fine_file(), attesa.fine_dopo) << caso.nome << ", read " << n;
      }
    }
  }
}

TEST(LettoreCampi, KnowsWhereEveryFieldBegins) {
  const std::string testo = "pendenza,  2100,   20\r\n  orologio,    17   22 \r\n,\r\n";
  LettoreCampi lettore(testo);
  std::string campo;
  int32_t numero = 0;
  struct Atteso {
    bool testo;
    int32_t riga, colonna;
  } attesi[] = {{true, 1, 1},   {false, 1, 12}, {false, 1, 20}, {true, 2, 3},
                {false, 2, 16}, {false, 2, 21}, {false, 3, 1},  {false, 3, 2}};
  for (const Atteso& a : attesi) {
    ASSERT_TRUE((a.testo ? lettore.leggi_testo(&campo) : lettore.leggi_int32(&numero)).ok());
    EXPECT_EQ(lettore.posizione_campo().riga, a.riga) << a.colonna;
    EXPECT_EQ(lettore.posizione_campo().colonna, a.colonna) << a.riga;
  }
  EXPECT_TRUE(lettore.fine_file());
}

TEST(LettoreCampi, FailuresNameTheFieldAndWhereItStands) {
  LettoreCampi lettore("a,\r\n   12b3, 4\r\n");
  std::string campo;
  int32_t numero = 0;
  ASSERT_TRUE(lettore.leggi_testo(&campo).ok());
  ASSERT_TRUE(lettore.leggi_int32(&numero).ok());  // the empty field after "a,"
  Status esito = lettore.leggi_int32(&numero);
  EXPECT_FALSE(esito.ok());
  EXPECT_EQ(esito.message(), "line 2, column 4: \"12b3\" is not a whole number");
  EXPECT_EQ(lettore.posizione_campo().riga, 2);
  EXPECT_EQ(lettore.posizione_campo().colonna, 4);

  LettoreCampi corto("x\r\n");
  ASSERT_TRUE(corto.leggi_testo(&campo).ok());
  esito = corto.leggi_testo(&campo);
  EXPECT_EQ(esito.message(), "line 2, column 1: reading past the end of the text");

  LettoreCampi grande("256");
  uint8_t byte = 0;
  EXPECT_EQ(grande.leggi_byte(&byte).message(),
            "line 1, column 1: \"256\" does not fit a byte (0 to 255)");
}

}  // namespace
}  // namespace scenario
