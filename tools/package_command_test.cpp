#include "package_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/file_names.h"
#include "base/memory_file_system.h"
#include "compile_command.h"
#include "content/payload_format.h"
#include "driver/form1.h"
#include "driver/package_run.h"
#include "exit_codes.h"
#include "util/fake_platform_test_util.h"
#include "util/tool_texts_test_util.h"

namespace scenario {
namespace {

// A line name with blanks, a hyphen and an apostrophe, as authors write them.
const NomiFile kAutore{"autore", "VAL D'ORSA - PIANELLO", "2047"};
const std::string kUscita = "consegna/val-d-orsa";

OpzioniPacchetto opzioni(Bersaglio bersaglio = bersaglio_di_sistema()) {
  OpzioniPacchetto o;
  o.cartella = kAutore.cartella;
  o.nome_linea = kAutore.nome_linea;
  o.numero_treno = kAutore.numero_treno;
  o.uscita = kUscita;
  o.bersaglio = bersaglio;
  return o;
}

// The small scenario with two of its three crew documents.
MemoryFileSystem cartella_autore() {
  MemoryFileSystem fs;
  fs.files()[kAutore.testo_linea()] = test::testo_linea_prova();
  fs.files()[kAutore.testo_treno()] = test::testo_treno_prova();
  fs.files()[kAutore.note()] = "Linea di montagna, \xb0 gradi.\r\n";
  fs.files()[kAutore.scheda_treno()] = "Treno 2047\r\n";
  return fs;
}

struct Uscite {
  int esito;
  std::string out;
  std::string err;
};

Uscite esegui(MemoryFileSystem& fs, const OpzioniPacchetto& o) {
  std::ostringstream out, err;
  const int esito = comando_package(fs, o, out, err);
  return {esito, out.str(), err.str()};
}

// The program is the bare one for the system asked for, with the author's
// files appended byte for byte; the missing document is named in a warning.
TEST(ComandoPackage, AppendsTheAuthorsFilesToTheBareProgram) {
  for (const Bersaglio bersaglio : {Bersaglio::kLinux, Bersaglio::kWindows}) {
    const std::string_view nudo = programma_pacchetto(bersaglio);
    if (nudo.empty()) continue;  // told apart in the next test
    MemoryFileSystem fs = cartella_autore();
    const auto autore = fs.files();
    const Uscite u = esegui(fs, opzioni(bersaglio));
    ASSERT_EQ(u.esito, kEsitoRiuscito) << u.err;
    EXPECT_EQ(u.err, kAutore.rallentamenti() +
                         ": warning: not found; the package leaves this crew document out\n");
    EXPECT_NE(u.out.find("wrote " + kUscita + " for " + std::string(nome_bersaglio(bersaglio))),
              std::string::npos)
        << u.out;

    const std::string& programma = fs.files()[kUscita];
    ASSERT_GT(programma.size(), nudo.size());
    EXPECT_EQ(std::string_view(programma).substr(0, nudo.size()), nudo);
    EXPECT_EQ(fs.executable(kUscita), bersaglio == Bersaglio::kLinux);
    Carico carico;
    ASSERT_TRUE(leggi_carico(programma, &carico).ok());
    EXPECT_EQ(carico.nome_linea, kAutore.nome_linea);
    EXPECT_EQ(carico.numero_treno, kAutore.numero_treno);
    for (const Documento documento : kDocumentiDellaCorsa) {
      const auto file = autore.find(nome_documento(documento, kAutore));
      if (file == autore.end()) {
        EXPECT_FALSE(carico[documento]);
      } else {
        EXPECT_EQ(carico[documento], file->second);
      }
    }
  }
}

TEST(ComandoPackage, SaysWhenItCarriesNoProgramForTheSystem) {
  for (const Bersaglio bersaglio : {Bersaglio::kLinux, Bersaglio::kWindows}) {
    MemoryFileSystem fs = cartella_autore();
    const Uscite u = esegui(fs, opzioni(bersaglio));
    if (!programma_pacchetto(bersaglio).empty()) {
      EXPECT_EQ(u.esito, kEsitoRiuscito) << u.err;
      continue;
    }
    EXPECT_EQ(u.esito, kEsitoFallito);
    EXPECT_NE(
        u.err.find("carries no " + std::string(nome_bersaglio(bersaglio)) + " package program"),
        std::string::npos)
        << u.err;
    EXPECT_EQ(fs.files().count(kUscita), 0u);
  }
  // The tool always carries a program for the system it runs on.
  EXPECT_FALSE(programma_pacchetto(bersaglio_di_sistema()).empty());
}

// The package, run as a player runs it, installs the author's files and
// compiles them to the bytes `compile` writes for the same texts.
TEST(ComandoPackage, ThePackageInstallsWhatCompileCompiles) {
  MemoryFileSystem fs = cartella_autore();
  ASSERT_EQ(esegui(fs, opzioni()).esito, kEsitoRiuscito);
  OpzioniCompila compila;
  compila.cartella = kAutore.cartella;
  compila.nome_linea = kAutore.nome_linea;
  compila.numero_treno = kAutore.numero_treno;
  compila.uscita = "compilati";
  ASSERT_EQ(compila_cartella(fs, fs, compila).esito, kEsitoRiuscito);

  test::PiattaformaFinta piattaforma("consegna");
  MemoryFileSystem gioco;
  gioco.files()[kUscita] = fs.files()[kUscita];
  ASSERT_EQ(installa_pacchetto(piattaforma, gioco, kUscita), kUscitaRiuscita);
  const NomiFile installati{"consegna", kAutore.nome_linea, kAutore.numero_treno};
  const NomiFile compilati{"compilati", kAutore.nome_linea, kAutore.numero_treno};
  EXPECT_EQ(gioco.files()[installati.linea_compilata()], fs.files()[compilati.linea_compilata()]);
  EXPECT_EQ(gioco.files()[installati.scenario_compilato()],
            fs.files()[compilati.scenario_compilato()]);
  EXPECT_EQ(gioco.files()[installati.percorso_compilato()],
            fs.files()[compilati.percorso_compilato()]);
  EXPECT_EQ(gioco.files()[installati.note()], fs.files()[kAutore.note()]);
  EXPECT_EQ(gioco.files().count(installati.rallentamenti()), 0u);
  EXPECT_EQ(gioco.files().count(installati.testo_linea()), 0u);
  EXPECT_EQ(gioco.files().size(), 6u);  // the program, two documents, three compiled files
}

// Every refusal writes nothing and leaves an earlier file at --out as it was.
TEST(ComandoPackage, RefusesAndWritesNothing) {
  const struct {
    const char* caso;
    std::function<void(MemoryFileSystem&, OpzioniPacchetto&)> cambia;
    int esito;
    std::string su_stderr;
  } casi[] = {
      {"an error code in the texts",
       [](MemoryFileSystem& fs, OpzioniPacchetto&) {
         fs.files()[kAutore.testo_treno()] =
             test::sostituisci(test::testo_treno_prova(), "segnale,    5450", "segnale,    4500");
       },
       kEsitoFallito,
       kAutore.testo_treno() + ":18:13: error 16: signal on an occupied cell at 4500 m\n"},
      {"a reserved slot taken",
       [](MemoryFileSystem& fs, OpzioniPacchetto&) {
         fs.files()[kAutore.testo_treno()] =
             test::sostituisci(test::testo_treno_prova(), "segnale,    4500,   1, 3, 4",
                               "segnale,       0,   1, 3, 4");
       },
       kEsitoFallito, "scenario-tool package: error 1250"},
      {"no train text",
       [](MemoryFileSystem& fs, OpzioniPacchetto&) { fs.files().erase(kAutore.testo_treno()); },
       kEsitoFallito, "scenario-tool package: "},
      {"a text over the bound",
       [](MemoryFileSystem& fs, OpzioniPacchetto&) {
         fs.files()[kAutore.note()] = std::string(kMassimoFileCarico + 1, 'x');
       },
       kEsitoFallito, "scenario-tool package: "},
      {"--out already there",
       [](MemoryFileSystem& fs, OpzioniPacchetto&) { fs.files()[kUscita] = "earlier"; },
       kEsitoFallito, "\"" + kUscita + "\" already exists; give --force to replace it"},
      {"a line name that reaches out",
       [](MemoryFileSystem&, OpzioniPacchetto& o) { o.nome_linea = "../VAL"; }, kEsitoUso,
       "scenario-tool package: "},
  };
  for (const auto& caso : casi) {
    MemoryFileSystem fs = cartella_autore();
    OpzioniPacchetto o = opzioni();
    caso.cambia(fs, o);
    const auto prima = fs.files();
    const Uscite u = esegui(fs, o);
    EXPECT_EQ(u.esito, caso.esito) << caso.caso << "\n" << u.err;
    EXPECT_NE(u.err.find(caso.su_stderr), std::string::npos) << caso.caso << "\n" << u.err;
    EXPECT_TRUE(fs.files() == prima) << caso.caso;
  }

  MemoryFileSystem fs = cartella_autore();
  fs.files()[kUscita] = "earlier";
  OpzioniPacchetto o = opzioni();
  o.forza = true;
  ASSERT_EQ(esegui(fs, o).esito, kEsitoRiuscito);
  EXPECT_GT(fs.files()[kUscita].size(), programma_pacchetto(bersaglio_di_sistema()).size());
}

}  // namespace
}  // namespace scenario
