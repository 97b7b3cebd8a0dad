#include "reliability/compile_texts.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "reader/error_codes.h"

#include "compiler/compiled_files.h"

#include "reader/memorizza_dati.h"

namespace scenario::test {
namespace {

// Bytes of one plan-view element in the compiled line: a 2-byte tag and its value.
size_t byte_elemento(EtichettaPunto etichetta) {
  switch (etichetta) {
    case EtichettaPunto::kVuoto:
      return 2;
    case EtichettaPunto::kIntero16:
      return 4;
    case EtichettaPunto::kReale64:
      return 10;
  }
  return 0;
}

size_t byte_attesi_linea(const Tracciato& tracciato) {
  size_t serie = 0;
  for (int32_t m = 0; m <= tracciato.ultimo_indice(); ++m)
    serie += byte_elemento(tracciato.etichetta(m));
  return 2 * serie;  // the x series, then the y series
}

size_t byte_attesi_registro(const Scenario& tabelle) {
  size_t totale = 0;
  for (const VoceRegistro& voce : tabelle.registro) {
    totale += 34 + std::min<size_t>(voce.nome.size(), 0xFFFF);
  }
  return totale;
}

// The size of file `nome`, or -1 when there is none.
int64_t dimensione(const ProvaCompilazione& prova, const std::string& nome) {
  const auto& file = prova.file_system.files();
  const auto it = file.find(nome);
  return it == file.end() ? -1 : static_cast<int64_t>(it->second.size());
}

}  // namespace

TestiProva dividi_ingresso(std::string_view dati) {
  const size_t separatore = dati.find('\0');
  if (separatore == std::string_view::npos) return {dati, std::nullopt};
  return {dati.substr(0, separatore), dati.substr(separatore + 1)};
}

namespace {

// The texts into the memory folder, the names of the run into the tables.
void prepara(const TestiProva& testi, ProvaCompilazione* prova) {
  if (testi.linea)
    prova->file_system.files()[prova->nomi.testo_linea()] = std::string(*testi.linea);
  if (testi.treno)
    prova->file_system.files()[prova->nomi.testo_treno()] = std::string(*testi.treno);
  prova->tabelle.nome_linea = prova->nomi.nome_linea;
  prova->tabelle.numero_treno = prova->nomi.numero_treno;
}

}  // namespace

void compila_testi(const TestiProva& testi, ProvaCompilazione* prova) {
  prepara(testi, prova);
  prova->status =
      memorizza_percorso(1, prova->tabelle, prova->file_system, prova->nomi, &prova->risultato);
}

std::string controlla_invarianti(const ProvaCompilazione& prova) {
  const Scenario& t = prova.tabelle;
  const NomiFile& nomi = prova.nomi;
  if (!prova.status.ok())
    return "a memory disk never fails, yet the compile said: " + prova.status.message();
  if (prova.file_system.files().count(nomi.testo_linea()) != 0)
    return "the line source text was not deleted";
  if (std::string violazione = controlla_tabelle(t); !violazione.empty()) return violazione;

  const int64_t linea = dimensione(prova, nomi.linea_compilata());
  const int64_t registro = dimensione(prova, nomi.scenario_compilato());
  const int64_t griglia = dimensione(prova, nomi.percorso_compilato());
  if (prova.risultato.esito != EsitoCompilazione::kCompletata) {
    if (linea >= 0 || registro >= 0 || griglia >= 0)
      return "a stopped compile wrote a compiled file";
    return {};
  }
  if (griglia != static_cast<int64_t>(15 * t.percorso.size())) {
    return "grid file of " + std::to_string(griglia) + " bytes for " +
           std::to_string(t.percorso.size()) + " cells";
  }
  if (registro != static_cast<int64_t>(byte_attesi_registro(t))) {
    return "train scenario file of " + std::to_string(registro) + " bytes, the table makes " +
           std::to_string(byte_attesi_registro(t));
  }
  if (linea != static_cast<int64_t>(byte_attesi_linea(t.tracciato))) {
    return "compiled line of " + std::to_string(linea) + " bytes, the plan view makes " +
           std::to_string(byte_attesi_linea(t.tracciato));
  }
  return {};
}

std::string controlla_rilettura(const ProvaCompilazione& prova) {
  const Scenario& t = prova.tabelle;
  const auto& file = prova.file_system.files();
  if (prova.risultato.esito != EsitoCompilazione::kCompletata) return {};

  const std::string& byte_registro = file.at(prova.nomi.scenario_compilato());
  RegistroCompilato registro;
  if (Status s = decodifica_scenario(byte_registro, &registro); !s.ok())
    return "the train scenario does not read back: " + s.message();
  for (size_t i = 0; i < registro.size(); ++i) {
    VoceRegistro scritta = t.registro[i];
    scritta.nome.resize(std::min<size_t>(scritta.nome.size(), 0xFFFF));
    if (registro[i] != scritta) return "record entry " + std::to_string(i) + " reads back changed";
  }
  if (codifica_registro(registro) != byte_registro) return "the train scenario writes back changed";

  const std::string& byte_griglia = file.at(prova.nomi.percorso_compilato());
  std::vector<CellaPercorso> celle;
  if (Status s = decodifica_percorso(byte_griglia, &celle); !s.ok())
    return "the route grid does not read back: " + s.message();
  if (celle != t.percorso) return "the route grid reads back changed";
  if (codifica_percorso(celle) != byte_griglia) return "the route grid writes back changed";

  const auto linea_scritta = file.find(prova.nomi.linea_compilata());
  if (linea_scritta == file.end()) return {};
  LineaCompilata linea;
  if (Status s = decodifica_linea(linea_scritta->second, &linea); !s.ok())
    return "the compiled line does not read back: " + s.message();
  if (linea.lunghezza_tracciato() != t.tracciato.ultimo_indice())
    return "the compiled line reads back with another length";
  for (int32_t m = 0; m <= t.tracciato.ultimo_indice(); ++m) {
    const EtichettaPunto e = t.tracciato.etichetta(m);
    const bool vuoto = e == EtichettaPunto::kVuoto;
    const ValoreTracciato x{e, vuoto ? 0.0 : t.tracciato.x(m)};
    const ValoreTracciato y{e, vuoto ? 0.0 : t.tracciato.y(m)};
    if (linea.x[static_cast<size_t>(m)] != x || linea.y[static_cast<size_t>(m)] != y)
      return "plan-view point " + std::to_string(m) + " reads back changed";
  }
  if (codifica_linea(linea) != linea_scritta->second)
    return "the compiled line writes back changed";
  return {};
}

std::string controlla_tabelle(const Scenario& t) {
  // Only a code the readers, the storers and the finishing pass can record.
  if (t.codice_errore != 0 && !codice_registrabile(t.codice_errore)) {
    return "unknown error code " + std::to_string(t.codice_errore);
  }
  if (t.registro[0] != VoceRegistro{}) return "record entry 0 was written";
  if (t.montagna_inizio[0] != 0 || t.montagna_fine[0] != 0) return "mountain stretch 0 was written";
  if (t.numero_montagne < 0 || t.numero_montagne > 80) {
    return "mountain count " + std::to_string(t.numero_montagne) + " outside 0 to 80";
  }
  if (t.percorso_dimensionato() && t.percorso.size() != static_cast<size_t>(t.ultima_cella) + 1) {
    return "the grid has " + std::to_string(t.percorso.size()) + " cells, the last index is " +
           std::to_string(t.ultima_cella);
  }
  if (t.tracciato.esiste() && t.tracciato.ultimo_indice() != t.lunghezza_tracciato) {
    return "the plan view ends at " + std::to_string(t.tracciato.ultimo_indice()) + ", not at " +
           std::to_string(t.lunghezza_tracciato);
  }
  // A reading failure is told with its field cut short and made printable.
  const std::string& dettaglio = t.ultima_diagnostica.dettaglio;
  if (dettaglio.size() > 1500)
    return "a reading failure of " + std::to_string(dettaglio.size()) + " bytes";
  for (char c : dettaglio) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return "a raw control byte in a message";
  }
  return {};
}

void leggi_testi(const TestiProva& testi, int32_t scrivi_linea, ProvaCompilazione* prova) {
  prepara(testi, prova);
  prova->tabelle.scrivi_linea = scrivi_linea;
  memorizza_dati(prova->tabelle, prova->file_system, prova->nomi);
}

}  // namespace scenario::test
