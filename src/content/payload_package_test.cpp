#include "content/payload_package.h"

#include <gtest/gtest.h>

#include <string>

#include "base/memory_file_system.h"

namespace scenario {
namespace {

Carico carico_senza_note() {
  Carico carico;
  carico.nome_linea = "VAL D'ORSA - PIANELLO";
  carico.numero_treno = "2047";
  carico[Documento::kTestoLinea] = std::string("[generale]\r\n\xb0\0", 14);
  carico[Documento::kTestoTreno] = "[generale]\r\n[fine]\r\n";
  carico[Documento::kRallentamenti] = "";
  carico[Documento::kSchedaTreno] = "scheda\r\n";
  return carico;
}

// Each file goes to its name with the author's bytes as they were, an empty
// one included; a file the author did not have is not written, and an
// earlier file of its name stays as it was.
TEST(ContenutoCarico, WritesTheCarriedBytesUnderTheirNamesAndNothingElse) {
  const Carico carico = carico_senza_note();
  const ContenutoCarico contenuto(carico);
  const NomiFile nomi = contenuto.nomi_in("gioco");
  MemoryFileSystem memoria;
  memoria.files()[nomi.note()] = "earlier notes";
  for (const Documento documento : kDocumentiDellaCorsa) {
    EXPECT_EQ(contenuto.presente(documento), carico[documento].has_value());
    ASSERT_TRUE(contenuto.scrivi(documento, memoria, nomi).ok());
  }
  EXPECT_EQ(memoria.files().size(), 5u);
  EXPECT_EQ(memoria.files()[nomi.note()], "earlier notes");
  for (const Documento documento : kDocumentiDellaCorsa) {
    if (carico[documento]) {
      EXPECT_EQ(memoria.files()[nome_documento(documento, nomi)], *carico[documento]);
    }
  }
}

TEST(ContenutoCarico, ReadsTheProgramFileAndItsPayload) {
  std::string byte;
  ASSERT_TRUE(componi_carico(carico_senza_note(), &byte).ok());
  MemoryFileSystem memoria;
  memoria.files()["gioco/pacchetto"] =
      "\x7f"
      "ELF program" +
      byte;
  memoria.files()["gioco/nudo"] =
      "\x7f"
      "ELF program";

  ProgrammaLetto letto = leggi_programma(memoria, "gioco/pacchetto");
  ASSERT_TRUE(letto.ok()) << letto.formato.dettaglio;
  EXPECT_EQ(letto.carico.nome_linea, "VAL D'ORSA - PIANELLO");
  EXPECT_EQ(letto.carico[Documento::kSchedaTreno], "scheda\r\n");

  letto = leggi_programma(memoria, "gioco/nudo");
  EXPECT_TRUE(letto.lettura.ok());
  EXPECT_EQ(letto.formato.difetto, DifettoCarico::kAssente);

  letto = leggi_programma(memoria, "gioco/assente");
  EXPECT_FALSE(letto.lettura.ok());
  EXPECT_EQ(letto.lettura.file(), "gioco/assente");
}

}  // namespace
}  // namespace scenario
