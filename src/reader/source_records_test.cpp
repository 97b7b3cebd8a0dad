#include "reader/source_records.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "reader/source_reading.h"
#include "util/reader_test_util.h"

namespace scenario {
namespace {

using namespace test;

// A valid value for every field of every kind, in the list's order.
const std::map<TipoRecord, std::vector<std::string>> kValori = {
    {TipoRecord::kLunghezzaPercorso, {"20000"}},
    {TipoRecord::kProgressivaUno, {"0", "20000", "1"}},
    {TipoRecord::kProgressivaDue, {"0", "0", "0"}},
    {TipoRecord::kProgressivaTre, {"0", "0", "0"}},
    {TipoRecord::kSfondoUno, {"80000"}},
    {TipoRecord::kSfondoDue, {"65000"}},
    {TipoRecord::kSfondoTre, {"1"}},
    {TipoRecord::kRipetizioneSegnali, {"100", "250"}},
    {TipoRecord::kCurva, {"1000", "100"}},
    {TipoRecord::kPendenza, {"1000", "5"}},
    {TipoRecord::kMontagna, {"1000", "1200", "11"}},
    {TipoRecord::kIndicatoriVMax, {"1150", "70", "75", "75", "0", "", "", "", "0"}},
    {TipoRecord::kCartelloIndicatore, {"1000", "(GALLERIA)(Km.3+100)"}},
    {TipoRecord::kNumeroVetture, {"5"}},
    {TipoRecord::kMassaFrenata, {"110"}},
    {TipoRecord::kSabbia, {"100"}},
    {TipoRecord::kOrologio, {"17", "22", "0"}},
    {TipoRecord::kAderenza, {"0", "80"}},
    {TipoRecord::kVelocita, {"0", "75"}},
    {TipoRecord::kStazione,
     {"1000", "12", "200", "1", "1", "0", "4", "1", "0", "2", "1", "1", "30", "17", "23", "0",
      "VAL FONDA"}},
    {TipoRecord::kRallentamento, {"6000", "30", "300", "1", "0", "0"}},
    {TipoRecord::kSegnale, {"4500", "1", "3", "4", "0", "0", "0", "0", "0", "0", "0"}},
    {TipoRecord::kAbbattimento, {"1000", "3"}},
};

std::string riga_record(const RecordSorgente& record, const std::vector<std::string>& valori) {
  std::string riga(record.parola_chiave);
  for (const std::string& valore : valori) riga += ",  " + valore;
  return riga;
}

// A run of the reader with `riga` standing where a record of its kind
// stands, followed by the lines `dopo`. The record is on line 3 of its text.
Prova leggi_con(const RecordSorgente& record, const std::string& riga,
                const std::vector<std::string>& dopo = {}) {
  Prova prova;
  std::vector<std::string> righe = {"[generale]"};
  if (record.testo == TestoSorgente::kLinea) {
    // The route length comes first: the route records need the grid.
    righe.push_back(record.tipo == TipoRecord::kLunghezzaPercorso ? "sfondo tre,    1"
                                                                  : "lunghezza percorso,    20000");
    if (record.sezione != kSezioneGenerale) righe.push_back("[curve]");
    righe.push_back(riga);
    righe.insert(righe.end(), dopo.begin(), dopo.end());
    righe.insert(righe.end(), {"[curve]", "[fine]"});
    prova.linea(crlf(righe)).treno(testo_treno());
  } else {
    righe.push_back("numero vetture,    5");
    righe.push_back(riga);
    righe.insert(righe.end(), dopo.begin(), dopo.end());
    righe.push_back("[fine]");
    prova.linea(testo_linea(20000)).treno(crlf(righe));
  }
  return prova.esegui();
}

int32_t riga_del_record(const RecordSorgente& record) {
  return record.testo == TestoSorgente::kLinea && record.sezione != kSezioneGenerale ? 4 : 3;
}

// Every kind's keyword, as the package writes it, is recognised as that kind
// and as no other kind of its text; a field's name is its record's once.
TEST(RecordSorgente, EachKeywordIsRecognisedAsItsOwnKindOnly) {
  std::set<TipoRecord> elencati;
  for (const RecordSorgente& record : record_sorgente()) {
    SCOPED_TRACE(record.parola_chiave);
    EXPECT_TRUE(elencati.insert(record.tipo).second);
    EXPECT_EQ(&record_sorgente(record.tipo), &record);
    EXPECT_EQ(kValori.at(record.tipo).size(), record.campi.size());
    std::set<std::string_view> nomi;
    for (const CampoRecord& campo : record.campi) {
      EXPECT_TRUE(nomi.insert(campo.nome).second) << campo.nome;
      EXPECT_FALSE(campo.uso.empty()) << campo.nome;
    }

    MemoryFileSystem disco;
    disco.files()["testo"] = std::string(record.parola_chiave) + ",  1\r\n";
    Scenario tabelle;
    LetturaSorgente lettura(tabelle, disco);
    ASSERT_TRUE(lettura.apri("testo") && lettura.leggi_token());
    for (const RecordSorgente& altro : record_sorgente()) {
      if (altro.testo != record.testo) continue;
      EXPECT_EQ(lettura.record(altro.tipo), altro.tipo == record.tipo) << altro.parola_chiave;
    }
  }
  EXPECT_EQ(elencati.size(), kValori.size());
}

// A full record followed by a token of no kind: the reader takes exactly the
// listed fields, none from the next line, and meets no failure.
TEST(RecordSorgente, TheReaderTakesExactlyTheListedFields) {
  for (const RecordSorgente& record : record_sorgente()) {
    SCOPED_TRACE(record.parola_chiave);
    const Prova prova = leggi_con(record, riga_record(record, kValori.at(record.tipo)), {"x"});
    EXPECT_NE(prova.tabelle.codice_errore, kErroreLettura)
        << prova.tabelle.ultima_diagnostica.dettaglio;
    EXPECT_TRUE(prova.tabelle.campi_fuori_riga.empty());
  }
}

// A record short of its last field takes it from the next line: a number
// field fails there, naming the field; a text field takes the line's text,
// and the record is noted as short.
TEST(RecordSorgente, ARecordShortOfItsLastFieldTakesItFromTheNextLine) {
  for (const RecordSorgente& record : record_sorgente()) {
    SCOPED_TRACE(record.parola_chiave);
    std::vector<std::string> valori = kValori.at(record.tipo);
    valori.pop_back();
    const Prova prova = leggi_con(record, riga_record(record, valori), {"x"});
    const int32_t riga = riga_del_record(record);
    const int32_t ultimo = static_cast<int32_t>(record.campi.size());
    const Scenario& tabelle = prova.tabelle;
    const DiagnosticaLettura* diagnostica = &tabelle.ultima_diagnostica;
    if (record.campi.back().tipo == TipoCampo::kTesto) {
      ASSERT_EQ(tabelle.campi_fuori_riga.size(), 1u);
      diagnostica = &tabelle.campi_fuori_riga[0];
    } else {
      EXPECT_EQ(tabelle.codice_errore, kErroreLettura);
      EXPECT_TRUE(tabelle.campi_fuori_riga.empty());
    }
    EXPECT_EQ(diagnostica->record, record.tipo);
    EXPECT_EQ(diagnostica->riga, riga);
    EXPECT_EQ(diagnostica->colonna, 1);
    EXPECT_EQ(diagnostica->campo, ultimo);
    EXPECT_EQ(diagnostica->nome_campo(), record.campi.back().nome);
    EXPECT_EQ(diagnostica->riga_campo, riga + 1);
    EXPECT_EQ(diagnostica->colonna_campo, 1);
    EXPECT_EQ(diagnostica->testo_campo, "x");
  }
}

// Every number field is read in its listed width: the largest value of the
// width is taken, one more is a reading failure at that field.
TEST(RecordSorgente, TheReaderReadsEveryFieldInItsListedWidth) {
  const std::map<TipoCampo, std::pair<std::string, std::string>> estremi = {
      {TipoCampo::kInt32, {"2147483647", "2147483648"}},
      {TipoCampo::kInt16, {"32767", "32768"}},
      {TipoCampo::kByte, {"255", "256"}},
  };
  for (const RecordSorgente& record : record_sorgente()) {
    for (size_t k = 0; k < record.campi.size(); ++k) {
      const CampoRecord& campo = record.campi[k];
      if (campo.tipo == TipoCampo::kTesto) continue;
      SCOPED_TRACE(std::string(record.parola_chiave) + " " + std::string(campo.nome));
      const int32_t indice = static_cast<int32_t>(k) + 1;
      std::vector<std::string> valori = kValori.at(record.tipo);

      valori[k] = estremi.at(campo.tipo).first;
      const Prova preso = leggi_con(record, riga_record(record, valori));
      const DiagnosticaLettura& d = preso.tabelle.ultima_diagnostica;
      // (A speed limit that large is read, but does not fit its cells'
      // byte: that failure names the field too, after the reading.)
      const bool di_lettura = d.dettaglio.starts_with("line ");
      EXPECT_FALSE(preso.tabelle.codice_errore == kErroreLettura && d.campo == indice && di_lettura)
          << d.dettaglio;

      valori[k] = estremi.at(campo.tipo).second;
      const Prova rifiutato = leggi_con(record, riga_record(record, valori));
      const DiagnosticaLettura& r = rifiutato.tabelle.ultima_diagnostica;
      EXPECT_EQ(rifiutato.tabelle.codice_errore, kErroreLettura);
      EXPECT_EQ(r.record, record.tipo);
      EXPECT_EQ(r.campo, indice) << r.dettaglio;
      EXPECT_EQ(r.testo_campo, valori[k]);
    }
  }
}

TEST(RecordSorgente, AFailureNamesTheRecordAndTheFieldAndWhereBothBegin) {
  Prova prova;
  prova.linea(testo_linea(20000))
      .treno(crlf({"[generale]", "segnale,    4500,   1, 3, 4x,  0, 0,    0,  0,0,0, 0"}))
      .esegui();
  const DiagnosticaLettura& d = prova.tabelle.ultima_diagnostica;
  EXPECT_EQ(prova.tabelle.codice_errore, kErroreLettura);
  EXPECT_EQ(d.file, prova.nomi.testo_treno());
  EXPECT_EQ(d.record, TipoRecord::kSegnale);
  EXPECT_EQ(d.riga, 2);
  EXPECT_EQ(d.colonna, 1);
  EXPECT_EQ(d.campo, 4);
  EXPECT_EQ(d.nome_campo(), "s2");
  EXPECT_EQ(d.riga_campo, 2);
  EXPECT_EQ(d.colonna_campo, 27);
  EXPECT_EQ(d.testo_campo, "4x");
  EXPECT_EQ(d.dettaglio, "line 2, column 27: \"4x\" is not a whole number");
  EXPECT_EQ(d.motivo, "is not a whole number");

  // An error in the content names the record and the field it is about: a
  // station's position off a 50 m mark, its length not a multiple of 100.
  Prova stazione_fuori;
  stazione_fuori.linea(testo_linea(20000)).treno(testo_treno({stazione(125, 12, 200)})).esegui();
  const DiagnosticaLettura& s = stazione_fuori.tabelle.ultima_diagnostica;
  EXPECT_EQ(stazione_fuori.tabelle.codice_errore, kErrorePosizioneStazione);
  EXPECT_EQ(s.record, TipoRecord::kStazione);
  EXPECT_EQ(s.campo, 1);
  EXPECT_EQ(s.nome_campo(), "progressiva");
  EXPECT_EQ(s.riga_campo, 6);
  EXPECT_EQ(s.colonna_campo, 12);
  EXPECT_EQ(s.testo_campo, "125");
  Prova lunghezza_storta;
  lunghezza_storta.linea(testo_linea(20000)).treno(testo_treno({stazione(150, 12, 250)})).esegui();
  const DiagnosticaLettura& l = lunghezza_storta.tabelle.ultima_diagnostica;
  EXPECT_EQ(lunghezza_storta.tabelle.codice_errore, kErroreLunghezzaStazione);
  EXPECT_EQ(l.nome_campo(), "lunghezza");
  EXPECT_EQ(l.colonna_campo, 22);

  // An error about the record as a whole names no field.
  Prova senza_classe;
  senza_classe.linea(testo_linea(20000, {"curvad,  2300,  300"})).treno(testo_treno()).esegui();
  EXPECT_EQ(senza_classe.tabelle.codice_errore, kErroreCurva);
  EXPECT_EQ(senza_classe.tabelle.ultima_diagnostica.record, TipoRecord::kCurva);
  EXPECT_EQ(senza_classe.tabelle.ultima_diagnostica.campo, 0);

  // A token of no kind, and a text as a whole, name no record.
  Prova senza_generale;
  senza_generale.linea(crlf({"[curve]"})).esegui();
  EXPECT_EQ(senza_generale.tabelle.codice_errore, kErroreSenzaGenerale);
  EXPECT_EQ(senza_generale.tabelle.ultima_diagnostica.record, std::nullopt);
}

}  // namespace
}  // namespace scenario
