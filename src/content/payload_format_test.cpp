#include "content/payload_format.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/sha256.h"

namespace scenario {
namespace {

// A payload with every field filled, its texts holding the bytes an author's
// files may hold: CR LF, Windows-1252's degree sign, a NUL.
Carico carico_completo() {
  Carico carico;
  carico.nome_linea = "VAL D'ORSA - PIANELLO";
  carico.numero_treno = "2047";
  carico[Documento::kTestoLinea] =
      std::string("[generale]\r\nlunghezza percorso, 9000\r\n\xb0", 39);
  carico[Documento::kTestoTreno] = std::string("[generale]\r\n\0[fine]\r\n", 21);
  carico[Documento::kNote] = "note\r\n";
  carico[Documento::kRallentamenti] = "";
  carico[Documento::kSchedaTreno] = "scheda\r\n";
  return carico;
}

std::string composto(const Carico& carico) {
  std::string byte;
  const LetturaCarico esito = componi_carico(carico, &byte);
  EXPECT_TRUE(esito.ok()) << esito.dettaglio;
  return byte;
}

void attende_uguali(const Carico& letto, const Carico& atteso) {
  EXPECT_EQ(letto.nome_linea, atteso.nome_linea);
  EXPECT_EQ(letto.numero_treno, atteso.numero_treno);
  for (const Documento documento : kDocumentiDellaCorsa) {
    EXPECT_EQ(letto[documento], atteso[documento]) << static_cast<int>(documento);
  }
}

constexpr std::string_view kProgramma =
    "\x7f"
    "ELF the bare program's bytes";

TEST(Carico, ReadsBackWhatWasWrittenAfterAProgram) {
  Carico parziale = carico_completo();
  parziale[Documento::kNote].reset();
  parziale[Documento::kSchedaTreno].reset();
  for (const Carico& carico : {carico_completo(), parziale}) {
    const std::string programma = std::string(kProgramma) + composto(carico);
    Carico letto;
    const LetturaCarico esito = leggi_carico(programma, &letto);
    ASSERT_TRUE(esito.ok()) << esito.dettaglio;
    attende_uguali(letto, carico);
  }
}

// The layout authors and other tools rely on: header, files in the order of a
// run, checksum, trailer with the payload's length at the very end.
TEST(Carico, LaysOutTheFieldsInTheirOrder) {
  Carico carico;
  carico.nome_linea = "AB";
  carico.numero_treno = "7";
  carico[Documento::kTestoTreno] = "T";
  carico[Documento::kTestoLinea] = "LL";
  const std::string byte = composto(carico);
  const std::string corpo = std::string(
                                "SCNPACCO\x01\x00\x02\x00"
                                "AB\x01\x00"
                                "7\x02",
                                18) +
                            std::string(
                                "\x00\x02\x00\x00\x00"
                                "LL\x01\x01\x00\x00\x00"
                                "T",
                                13);
  ASSERT_EQ(byte.size(), corpo.size() + 32 + 16);
  EXPECT_EQ(byte.substr(0, corpo.size()), corpo);
  const ImprontaSha256 impronta = sha256(corpo);
  EXPECT_EQ(byte.substr(corpo.size(), 32),
            std::string(reinterpret_cast<const char*>(impronta.data()), 32));
  EXPECT_EQ(byte.substr(corpo.size() + 32),
            std::string("SCNCODA1\x4f\x00\x00\x00\x00\x00\x00\x00", 16));
}

// One byte changed anywhere in the payload, a copy cut short anywhere, and a
// program that carries nothing are each refused, each with its own reason.
TEST(Carico, RefusesDamagedCopies) {
  const std::string carico = composto(carico_completo());
  const std::string programma = std::string(kProgramma) + carico;
  const size_t inizio = kProgramma.size();
  for (size_t i = inizio; i < programma.size(); ++i) {
    std::string alterato = programma;
    alterato[i] = static_cast<char>(alterato[i] ^ 0x20);
    Carico letto;
    const LetturaCarico esito = leggi_carico(alterato, &letto);
    // Header, files and checksum are covered by the checksum; without the
    // trailer's marker the payload is one cut short; a changed length points
    // to bytes that are not the payload.
    const size_t coda = programma.size() - 16;
    if (i < coda + 8) {
      const DifettoCarico atteso =
          i < coda ? DifettoCarico::kImprontaErrata : DifettoCarico::kTroncato;
      ASSERT_EQ(esito.difetto, atteso) << "byte " << i - inizio << ": " << esito.dettaglio;
    }
    ASSERT_FALSE(esito.ok()) << "byte " << i - inizio;
    EXPECT_TRUE(letto.nome_linea.empty());
  }
  // Cut anywhere after the header's marker and version, the copy is told as
  // cut short; before it, as carrying nothing.
  for (size_t tenuti = 0; tenuti < programma.size(); ++tenuti) {
    Carico letto;
    const LetturaCarico esito = leggi_carico(std::string_view(programma).substr(0, tenuti), &letto);
    const DifettoCarico atteso =
        tenuti < inizio + 10 ? DifettoCarico::kAssente : DifettoCarico::kTroncato;
    ASSERT_EQ(esito.difetto, atteso) << tenuti << " bytes kept";
  }
  Carico letto;
  EXPECT_EQ(leggi_carico(kProgramma, &letto).difetto, DifettoCarico::kAssente);
  EXPECT_EQ(leggi_carico("", &letto).difetto, DifettoCarico::kAssente);
}

// A payload whose checksum is right but whose content breaks a rule: what a
// careless or hostile writer could produce. Each is built by hand, sealed
// with a correct checksum and trailer, and refused for its own reason.
TEST(Carico, RefusesWellSealedPayloadsThatBreakTheRules) {
  const auto sigilla = [](const std::string& corpo) {
    const ImprontaSha256 impronta = sha256(corpo);
    std::string byte = corpo + std::string(reinterpret_cast<const char*>(impronta.data()), 32);
    const uint64_t lunghezza = byte.size() + 16;
    byte += "SCNCODA1";
    for (int i = 0; i < 8; ++i) byte += static_cast<char>(lunghezza >> (8 * i));
    return std::string(kProgramma) + byte;
  };
  const auto intestazione = [](std::string_view nome, std::string_view numero, int file,
                               int versione = 1) {
    std::string byte = "SCNPACCO";
    byte += static_cast<char>(versione);
    byte += '\0';
    byte += static_cast<char>(nome.size());
    byte += '\0';
    byte += nome;
    byte += static_cast<char>(numero.size());
    byte += '\0';
    byte += numero;
    byte += static_cast<char>(file);
    return byte;
  };
  const auto file = [](int tipo, std::string_view byte, uint32_t lunghezza) {
    std::string campo(1, static_cast<char>(tipo));
    for (int i = 0; i < 4; ++i) campo += static_cast<char>(lunghezza >> (8 * i));
    return campo + std::string(byte);
  };
  const auto testi = [&file] { return file(0, "L", 1) + file(1, "T", 1); };
  const struct {
    const char* caso;
    std::string programma;
    DifettoCarico atteso;
  } casi[] = {
      {"sound", sigilla(intestazione("LINEA", "12", 2) + testi()), DifettoCarico::kNessuno},
      {"version 2", sigilla(intestazione("LINEA", "12", 2, 2) + testi()), DifettoCarico::kVersione},
      {"six files", sigilla(intestazione("LINEA", "12", 6) + testi()), DifettoCarico::kMalformato},
      {"fewer files than counted", sigilla(intestazione("LINEA", "12", 3) + testi()),
       DifettoCarico::kMalformato},
      {"bytes left over", sigilla(intestazione("LINEA", "12", 2) + testi() + "x"),
       DifettoCarico::kMalformato},
      {"unknown kind", sigilla(intestazione("LINEA", "12", 3) + testi() + file(5, "", 0)),
       DifettoCarico::kMalformato},
      {"a kind twice", sigilla(intestazione("LINEA", "12", 3) + testi() + file(1, "U", 1)),
       DifettoCarico::kMalformato},
      {"out of the order of a run",
       sigilla(intestazione("LINEA", "12", 2) + file(1, "T", 1) + file(0, "L", 1)),
       DifettoCarico::kMalformato},
      {"a length past the end",
       sigilla(intestazione("LINEA", "12", 2) + file(0, "L", 1) + file(1, "T", 1000)),
       DifettoCarico::kMalformato},
      {"a file over a megabyte",
       sigilla(intestazione("LINEA", "12", 2) + file(0, "L", 1) +
               file(1, std::string((1 << 20) + 1, 'x'), (1 << 20) + 1)),
       DifettoCarico::kMalformato},
      {"no train text", sigilla(intestazione("LINEA", "12", 1) + file(0, "L", 1)),
       DifettoCarico::kTestoMancante},
      {"no line text", sigilla(intestazione("LINEA", "12", 1) + file(1, "T", 1)),
       DifettoCarico::kTestoMancante},
      {"a line name reaching out", sigilla(intestazione("../LINEA", "12", 2) + testi()),
       DifettoCarico::kNomeNonValido},
      {"an empty train number", sigilla(intestazione("LINEA", "", 2) + testi()),
       DifettoCarico::kNomeNonValido},
      {"a trailer longer than the file",
       [&] {
         std::string p = sigilla(intestazione("LINEA", "12", 2) + testi());
         p[p.size() - 2] = 1;
         return p;
       }(),
       DifettoCarico::kTroncato},
      {"a payload length shorter than checksum and trailer",
       std::string(kProgramma) + std::string(40, 'x') + "SCNCODA1" +
           std::string("\x20\0\0\0\0\0\0\0", 8),
       DifettoCarico::kMalformato},
  };
  for (const auto& caso : casi) {
    Carico letto;
    const LetturaCarico esito = leggi_carico(caso.programma, &letto);
    EXPECT_EQ(esito.difetto, caso.atteso) << caso.caso << ": " << esito.dettaglio;
    EXPECT_EQ(esito.ok(), !letto.nome_linea.empty()) << caso.caso;
  }
}

// The writer refuses what the reader would refuse, so that the tool never
// builds a package its program will not install.
TEST(Carico, WriterRefusesWhatTheReaderWould) {
  const struct {
    const char* caso;
    std::function<void(Carico&)> cambia;
    DifettoCarico atteso;
  } casi[] = {
      {"no line text", [](Carico& c) { c[Documento::kTestoLinea].reset(); },
       DifettoCarico::kTestoMancante},
      {"a name with a separator", [](Carico& c) { c.nome_linea = "A/B"; },
       DifettoCarico::kNomeNonValido},
      {"a train number too long", [](Carico& c) { c.numero_treno = "12345678901"; },
       DifettoCarico::kNomeNonValido},
      {"a document over a megabyte",
       [](Carico& c) { c[Documento::kNote] = std::string((1 << 20) + 1, 'x'); },
       DifettoCarico::kMalformato},
  };
  for (const auto& caso : casi) {
    Carico carico = carico_completo();
    caso.cambia(carico);
    std::string byte = "untouched";
    const LetturaCarico esito = componi_carico(carico, &byte);
    EXPECT_EQ(esito.difetto, caso.atteso) << caso.caso;
    EXPECT_EQ(byte, "untouched") << caso.caso;
  }
}

}  // namespace
}  // namespace scenario
