#include "base/name_check.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

TEST(NameCheck, ThePackagesNamesAndOrdinaryNamesPass) {
  for (const char* nome : {"BELFORTE SELVEN - MELAR", "VAL D'ORSINA - PIAN DEL MORO", "Città Alta",
                           "linea.2", "L", "ÉÈÇ€"}) {
    EXPECT_TRUE(controlla_nome_linea(nome).ok())
        << nome << ": " << controlla_nome_linea(nome).message();
  }
  for (const char* numero : {"8312", "R 2291", "1"}) {
    EXPECT_TRUE(controlla_numero_treno(numero).ok()) << numero;
  }
  EXPECT_TRUE(controlla_nome_linea(std::string(kLunghezzaMassimaNomeLinea, 'A')).ok());
  EXPECT_TRUE(controlla_numero_treno(std::string(kLunghezzaMassimaNumeroTreno, '9')).ok());
}

TEST(NameCheck, ABadNameIsRefusedNamingTheCharacterAndItsPlace) {
  const struct {
    std::string nome;
    std::string messaggio;
  } cases[] = {
      {"", "the line name is empty"},
      {"A/B", "the line name \"A/B\" has \"/\" at character 2, which separates folders in a path"},
      {"..\\x", "the line name \"..\\x\" has \"..\" at character 1, which names the folder above"},
      {"A\\B",
       "the line name \"A\\B\" has \"\\\" at character 2, which separates folders in a path"},
      {"Pià..no",
       "the line name \"Pià..no\" has \"..\" at character 4, which names the folder above"},
      {"A\tB", "the line name \"A\\tB\" has the control character \\t at character 2"},
      {"AB\x1b[2J", "the line name \"AB\\e[2J\" has the control character \\e at character 3"},
      {"A\xC2\x9B",
       "the line name \"A\\xC2\\x9B\" has the control character \\xC2\\x9B at character 2"},
      {"A\x7F", "the line name \"A\\x7F\" has the control character \\x7F at character 2"},
      {"A:B",
       "the line name \"A:B\" has \":\" at character 2, which Windows does not allow in a "
       "file name"},
      {"é?",
       "the line name \"é?\" has \"?\" at character 2, which Windows does not allow in a file "
       "name"},
      {"A*",
       "the line name \"A*\" has \"*\" at character 2, which Windows does not allow in a file "
       "name"},
      {"łódź",
       "the line name \"łódź\" has \"ł\" (U+0142) at character 1, which the simulator's code "
       "page (Windows-1252) cannot hold"},
      {"A\xFF", "the line name \"A\\xFF\" has a byte that is not UTF-8 (\\xFF) at character 2"},
      {"A\xC0\xAF",
       "the line name \"A\\xC0\\xAF\" has a byte that is not UTF-8 (\\xC0) at character 2"},
      {"MELAR ",
       "the line name \"MELAR \" ends in a blank at character 6, which Windows drops from "
       "file names"},
      {"MELAR.",
       "the line name \"MELAR.\" ends in a dot at character 6, which Windows drops from "
       "file names"},
      {"con", "the line name \"con\" is the name of a device on Windows"},
      {"NUL.linea", "the line name \"NUL.linea\" is the name of a device on Windows"},
      {"COM1", "the line name \"COM1\" is the name of a device on Windows"},
      {std::string(61, 'A'), "the line name \"" + std::string(61, 'A').substr(0, 80) +
                                 "\" is 61 characters long; at most 60 fit a file name"},
  };
  for (const auto& c : cases) {
    const Status status = controlla_nome_linea(c.nome);
    EXPECT_EQ(status.message(), c.messaggio) << c.nome;
  }
  EXPECT_EQ(
      controlla_numero_treno("83/12").message(),
      "the train number \"83/12\" has \"/\" at character 3, which separates folders in a path");
  EXPECT_EQ(controlla_numero_treno("12345678901").message(),
            "the train number \"12345678901\" is 11 characters long; at most 10 fit a file name");
  EXPECT_EQ(controlla_numero_treno("").message(), "the train number is empty");
}

TEST(NameCheck, AHugeNameIsQuotedShort) {
  const Status status = controlla_nome_linea(std::string(10'000'000, 'A') + "/");
  EXPECT_LT(status.message().size(), 200u);
}

}  // namespace
}  // namespace scenario
