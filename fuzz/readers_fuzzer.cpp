// A fast target for the field input and the two readers: the same input as
// the compile fuzzer (line text up to the first NUL byte, train text after
// it), but only on small routes, and without the finishing pass and the
// compiled files, so that each execution costs microseconds and the readers'
// corners are reached in millions of executions.
//
// The field input reads the line text field after field, the field types
// chosen by the text's own bytes; it must always move on, never pass the end,
// and tell every failure short and printable. The readers then run with the
// plan view off or on (a short one), chosen by the input's length, and the
// tables must keep every rule of `controlla_tabelle`.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "reader/field_input.h"
#include "reliability/compile_texts.h"

namespace {

// Routes longer than this are left to the compile fuzzer.
constexpr int32_t kPercorsoCorto = 5000;

[[noreturn]] void violazione(const std::string& regola) {
  std::fprintf(stderr, "broken rule: %s\n", regola.c_str());
  std::abort();
}

bool contiene(std::string_view testo, std::string_view parola) {
  for (size_t i = 0; i + parola.size() <= testo.size(); ++i) {
    size_t j = 0;
    while (j < parola.size() && (testo[i + j] | 0x20) == parola[j]) ++j;
    if (j == parola.size()) return true;
  }
  return false;
}

// True when a route-length record of the text asks for a long route (as far
// as a plain scan of its fields can tell; the readers' own rules differ a
// little, which costs only speed).
bool percorso_lungo(std::string_view linea) {
  scenario::LettoreCampi campi(linea);
  std::string campo;
  while (!campi.fine_file() && campi.leggi_testo(&campo).ok()) {
    if (!contiene(campo, "lunghezza") || !contiene(campo, "percorso")) continue;
    int32_t lunghezza = 0;
    if (!campi.fine_file() && campi.leggi_int32(&lunghezza).ok() && lunghezza > kPercorsoCorto) {
      return true;
    }
  }
  return false;
}

void leggi_campi(std::string_view testo) {
  scenario::LettoreCampi campi(testo);
  size_t letture = 0;
  scenario::PosizioneTesto prima{0, 0};
  while (!campi.fine_file()) {
    if (++letture > testo.size() + 1) violazione("the field input does not move on");
    const auto scelta = static_cast<unsigned char>(testo[letture % testo.size()]) % 4;
    std::string campo;
    int32_t n32 = 0;
    int16_t n16 = 0;
    uint8_t n8 = 0;
    const scenario::Status letto = scelta == 0   ? campi.leggi_testo(&campo)
                                   : scelta == 1 ? campi.leggi_int32(&n32)
                                   : scelta == 2 ? campi.leggi_int16(&n16)
                                                 : campi.leggi_byte(&n8);
    const scenario::PosizioneTesto ora = campi.posizione_campo();
    if (ora.riga < prima.riga || (ora.riga == prima.riga && ora.colonna < prima.colonna)) {
      violazione("a field begins before the one read before it");
    }
    prima = ora;
    if (campo.size() > testo.size()) violazione("a field longer than the text");
    if (!letto.ok()) {
      if (letto.message().size() > 1000)
        violazione("a failure told in " + std::to_string(letto.message().size()) + " bytes");
      for (char c : letto.message()) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
          violazione("a raw control byte in a failure");
      }
    }
  }
  std::string dopo;
  if (campi.leggi_testo(&dopo).ok()) violazione("a field read past the end of the text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view dati(reinterpret_cast<const char*>(data), size);
  const scenario::test::TestiProva testi = scenario::test::dividi_ingresso(dati);
  if (testi.linea && percorso_lungo(*testi.linea)) return -1;
  if (testi.linea && !testi.linea->empty()) leggi_campi(*testi.linea);

  scenario::test::ProvaCompilazione prova;
  scenario::test::leggi_testi(testi, static_cast<int32_t>(size % 2), &prova);
  if (std::string regola = scenario::test::controlla_tabelle(prova.tabelle); !regola.empty()) {
    violazione(regola);
  }
  return 0;
}
