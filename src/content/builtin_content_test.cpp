#include "content/builtin_content.h"

#include <gtest/gtest.h>

#include <string>

#include "base/memory_file_system.h"
#include "content/source_texts.h"
#include "documents/crew_documents.h"

namespace scenario {
namespace {

TEST(ContenutoIncorporato, NamesTheLineAndTheTrain) {
  const ContenutoPacchetto& contenuto = contenuto_incorporato();
  EXPECT_EQ(contenuto.nome_linea(), "BELFORTE SELVEN - MELAR");
  EXPECT_EQ(contenuto.numero_treno(), "8312");
  const NomiFile nomi = contenuto.nomi_in("app");
  EXPECT_EQ(nomi.scheda_treno(),
            componi_nome("app", {"BELFORTE SELVEN - MELAR", "_", "8312", "_", "scheda_treno.txt"}));
}

// Each of the five files of a run is written, under its own name, by its own
// writer: the bytes are those the writer puts there.
TEST(ContenutoIncorporato, WritesEachFileOfARunWithItsWriter) {
  const ContenutoPacchetto& contenuto = contenuto_incorporato();
  const NomiFile nomi = contenuto.nomi_in("app");
  const struct {
    Documento documento;
    Status (*scrittore)(FileSystem&, const NomiFile&);
    std::string nome;
  } attesi[] = {
      {Documento::kTestoLinea, dati_linea, nomi.testo_linea()},
      {Documento::kTestoTreno, dati_treno, nomi.testo_treno()},
      {Documento::kNote, dati_note, nomi.note()},
      {Documento::kRallentamenti, dati_rallentamenti, nomi.rallentamenti()},
      {Documento::kSchedaTreno, dati_scheda, nomi.scheda_treno()},
  };
  ASSERT_EQ(std::size(attesi), kDocumentiDellaCorsa.size());
  for (size_t i = 0; i < kDocumentiDellaCorsa.size(); ++i) {
    const auto& atteso = attesi[i];
    SCOPED_TRACE(atteso.nome);
    EXPECT_EQ(kDocumentiDellaCorsa[i], atteso.documento) << "the order of a run";
    EXPECT_EQ(nome_documento(atteso.documento, nomi), atteso.nome);
    EXPECT_TRUE(contenuto.presente(atteso.documento));

    MemoryFileSystem scritto;
    ASSERT_TRUE(contenuto.scrivi(atteso.documento, scritto, nomi).ok());
    MemoryFileSystem diretto;
    ASSERT_TRUE(atteso.scrittore(diretto, nomi).ok());
    ASSERT_EQ(scritto.files().size(), 1u);
    EXPECT_EQ(scritto.files(), diretto.files());
  }
}

}  // namespace
}  // namespace scenario
