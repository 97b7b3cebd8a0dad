// Runs the whole compile step on two arbitrary source texts held in memory,
// and checks what must hold after it whatever the texts said. The fuzzer, the
// replay of its findings and the tests of hostile values all go through here,
// so that a finding reproduces in a plain test exactly as the fuzzer met it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/file_names.h"
#include "base/memory_file_system.h"
#include "base/status.h"
#include "compiler/compile_step.h"
#include "reader/scenario_tables.h"

namespace scenario::test {

// The two source texts of one trial. A text that is absent has no file at all.
struct TestiProva {
  std::optional<std::string_view> linea;
  std::optional<std::string_view> treno;
};

// One fuzzer input: the line text up to the first NUL byte, the train text
// after it. An input without a NUL byte is a line text alone, with no train
// text in the folder.
TestiProva dividi_ingresso(std::string_view dati);

// The folder, the tables and the outcome of one compile on a memory disk.
struct ProvaCompilazione {
  NomiFile nomi{"cartella", "BELFORTE SELVEN - MELAR", "8312"};
  MemoryFileSystem file_system;
  Scenario tabelle;
  RisultatoCompilazione risultato;
  Status status;
};

// Writes the texts into the memory folder under the names of the run and
// compiles them as the installer does, with the switch 1.
void compila_testi(const TestiProva& testi, ProvaCompilazione* prova);

// What must hold after any compile: the description of the first broken
// rule, or an empty text when all hold.
std::string controlla_invarianti(const ProvaCompilazione& prova);

// The compiled files of a completed compile read back as the tables they
// were written from, and the tables read back write the same bytes again:
// the description of the first difference, or an empty text.
std::string controlla_rilettura(const ProvaCompilazione& prova);

// The rules of the tables alone, as the readers leave them (part of the above).
std::string controlla_tabelle(const Scenario& tabelle);

// Only the two readers (`memorizza_dati`) on the texts, with the switch
// `scrivi_linea`; the outcome is in `prova->tabelle`.
void leggi_testi(const TestiProva& testi, int32_t scrivi_linea, ProvaCompilazione* prova);

}  // namespace scenario::test
