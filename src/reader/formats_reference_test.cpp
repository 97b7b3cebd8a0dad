// The authors' format reference (docs/formats.md) says what the library
// does: its tables of record fields and of error codes must be the ones the
// library's lists give, row for row, so that the reference cannot drift.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>

#include "base/file_system.h"
#include "reader/error_codes.h"
#include "reader/source_records.h"

namespace scenario {
namespace {

std::string leggi_riferimento() {
  std::string testo;
  const Status letto = disk_file_system().ReadFile(BM_FORMATS_DOC, &testo);
  EXPECT_TRUE(letto.ok()) << letto.message();
  return testo;
}

// The text under the heading `titolo` ("## ..."), up to the next heading of
// that level.
std::string sezione(const std::string& documento, std::string_view titolo) {
  const std::string intestazione = "\n" + std::string(titolo) + "\n";
  const size_t inizio = documento.find(intestazione);
  if (inizio == std::string::npos) {
    ADD_FAILURE() << "no section " << titolo;
    return "";
  }
  const size_t corpo = inizio + intestazione.size();
  const size_t fine = documento.find("\n## ", corpo);
  return documento.substr(corpo, fine == std::string::npos ? std::string::npos : fine - corpo + 1);
}

// A table cell: a "|" would end it.
std::string cella(std::string_view testo) {
  std::string risultato;
  for (char c : testo) {
    if (c == '|') risultato += '\\';
    risultato += c;
  }
  return risultato.empty() ? "-" : risultato;
}

std::string elenco_parole(std::span<const std::string_view> parole) {
  std::string testo;
  for (size_t i = 0; i < parole.size(); ++i) {
    if (i > 0) testo += i + 1 == parole.size() ? " and " : ", ";
    testo += "\"" + std::string(parole[i]) + "\"";
  }
  return testo;
}

// One record kind as the reference gives it: heading, section, the words it
// is recognised by, and its fields.
std::string blocco_record(const RecordSorgente& record) {
  std::string testo = "### `" + std::string(record.parola_chiave) + "`\n\n";
  testo += std::string(record.descrizione) + ". Under `" + std::string(record.sezione) + "`; ";
  testo += "a token is one when it holds ";
  if (!record.parole.empty()) testo += elenco_parole(record.parole) + " in any letter case";
  if (!record.parole.empty() && !record.parole_esatte.empty()) testo += ", and ";
  if (!record.parole_esatte.empty()) {
    testo += elenco_parole(record.parole_esatte) + " exactly as written";
  }
  testo += ".\n\n";
  testo += "| # | field | type | unit | range | what the reader does with it |\n";
  testo += "|---|---|---|---|---|---|\n";
  for (size_t i = 0; i < record.campi.size(); ++i) {
    const CampoRecord& campo = record.campi[i];
    testo += "| " + std::to_string(i + 1) + " | `" + std::string(campo.nome) + "` | " +
             std::string(nome_tipo_campo(campo.tipo)) + " | " + cella(campo.unita) + " | " +
             cella(campo.intervallo) + " | " + cella(campo.uso) + " |\n";
  }
  return testo;
}

std::string_view dove(OrigineCodice origine) {
  switch (origine) {
    case OrigineCodice::kTestoLinea:
      return "line text";
    case OrigineCodice::kTestoTreno:
      return "train text";
    case OrigineCodice::kTestiSorgente:
      return "either text";
    case OrigineCodice::kPassataFinale:
      return "finishing pass";
    case OrigineCodice::kSlotRiservati:
      return "reserved slots";
    case OrigineCodice::kSconosciuta:
      break;
  }
  return "?";
}

std::string_view posizione(FormaPosizione forma) {
  switch (forma) {
    case FormaPosizione::kNessuna:
      return "-";
    case FormaPosizione::kMetri:
      return "the record's, in m";
    case FormaPosizione::kCella:
      return "a cell's start, in m";
  }
  return "?";
}

std::string tabella_codici() {
  std::string testo =
      "| code | id | meaning | arises in | position | fix |\n|---|---|---|---|---|---|\n";
  for (const DescrizioneCodice& riga : codici_errore()) {
    testo += "| " + std::to_string(riga.codice) + " | `" + std::string(riga.id) + "` | " +
             cella(riga.significato) + " | " + std::string(dove(riga.origine)) + " | " +
             std::string(posizione(riga.posizione)) + " | " + cella(riga.rimedio) + " |\n";
  }
  return testo;
}

// Every record kind of the text, in the list's order, and no other.
void controlla_testo(const std::string& documento, std::string_view titolo, TestoSorgente testo) {
  const std::string corpo = sezione(documento, titolo);
  std::string attesi;
  size_t blocchi = 0;
  size_t dopo = 0;
  for (const RecordSorgente& record : record_sorgente()) {
    if (record.testo != testo) continue;
    const std::string blocco = blocco_record(record);
    attesi += blocco + "\n";
    ++blocchi;
    const size_t trovato = corpo.find(blocco, dopo);
    EXPECT_NE(trovato, std::string::npos) << "in " << titolo << ", missing or out of order:\n"
                                          << blocco;
    if (trovato != std::string::npos) dopo = trovato + blocco.size();
  }
  size_t titoli = 0;
  for (size_t i = corpo.find("\n### "); i != std::string::npos; i = corpo.find("\n### ", i + 1)) {
    ++titoli;
  }
  EXPECT_EQ(titoli, blocchi) << "every record heading of " << titolo << " is a record kind";
  if (::testing::Test::HasFailure())
    ADD_FAILURE() << "the record kinds of " << titolo << ":\n\n" << attesi;
}

TEST(RiferimentoFormati, GivesEveryRecordOfTheLineTextAsTheReaderReadsIt) {
  controlla_testo(leggi_riferimento(), "## The line source text (`NAME_linea.txt`)",
                  TestoSorgente::kLinea);
}

TEST(RiferimentoFormati, GivesEveryRecordOfTheTrainTextAsTheReaderReadsIt) {
  controlla_testo(leggi_riferimento(), "## The train source text (`NAME_NUM-.txt`)",
                  TestoSorgente::kTreno);
}

TEST(RiferimentoFormati, GivesEveryErrorCodeWithItsFix) {
  const std::string corpo = sezione(leggi_riferimento(), "## Error codes");
  const std::string tabella = tabella_codici();
  EXPECT_NE(corpo.find(tabella), std::string::npos) << "the table of codes:\n\n" << tabella;
  // One table, and no row beside it.
  size_t righe = 0;
  for (size_t i = corpo.find("\n| "); i != std::string::npos; i = corpo.find("\n| ", i + 1)) {
    ++righe;
  }
  EXPECT_EQ(righe, codici_errore().size() + 1);
}

}  // namespace
}  // namespace scenario
