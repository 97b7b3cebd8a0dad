#include "compile_command.h"

#include <nlohmann/json.hpp>

#include "author_folder.h"
#include "author_texts.h"
#include "base/file_names.h"
#include "base/memory_file_system.h"
#include "command_guards.h"
#include "exit_codes.h"
#include "scenario_names.h"
#include "source_warnings.h"

namespace scenario {
namespace {

using nlohmann::json;

json json_esito(EsitoCompilazione esito) {
  switch (esito) {
    case EsitoCompilazione::kCompletata:
      return nullptr;
    case EsitoCompilazione::kErrore1250:
      return 1250;
    case EsitoCompilazione::kErrore1251:
      return 1251;
    case EsitoCompilazione::kNessunaGriglia:
      return "nogrid";
  }
  return nullptr;
}

}  // namespace

json json_diagnostica(const Diagnostica& d) {
  return {{"file", d.file.empty() ? json(nullptr) : json(d.file)},
          {"line", d.riga ? json(*d.riga) : json(nullptr)},
          {"column", d.colonna ? json(*d.colonna) : json(nullptr)},
          {"severity", d.gravita == Gravita::kAvviso ? "warning" : "error"},
          {"id", d.id},
          {"code", d.codice != 0 ? json(d.codice) : json(nullptr)},
          {"message", d.messaggio},
          {"hint", d.rimedio.empty() ? json(nullptr) : json(d.rimedio)}};
}

CompilazioneAutore compila_cartella(FileSystem& autore, FileSystem& uscita,
                                    const OpzioniCompila& opzioni) {
  CompilazioneAutore c;
  const NomiFile sorgenti{opzioni.cartella, opzioni.nome_linea, opzioni.numero_treno};
  const NomiFile nomi{opzioni.uscita.empty() ? opzioni.cartella : opzioni.uscita,
                      opzioni.nome_linea, opzioni.numero_treno};
  c.testo_linea = sorgenti.testo_linea();
  c.testo_treno = sorgenti.testo_treno();

  // The texts are taken in first, for their encoding. A text that cannot be
  // read is left to the compile, which records it as the installer would.
  TestoAutore linea = leggi_testo_autore(autore, c.testo_linea, opzioni.utf8);
  TestoAutore treno = leggi_testo_autore(autore, c.testo_treno, opzioni.utf8);
  for (const TestoAutore* t : {&linea, &treno}) {
    c.errori_testo.insert(c.errori_testo.end(), t->errori.begin(), t->errori.end());
    if (!opzioni.senza_avvisi) c.avvisi.insert(c.avvisi.end(), t->avvisi.begin(), t->avvisi.end());
  }
  if (!c.errori_testo.empty()) {
    c.esito = kEsitoFallito;
    return c;
  }

  // Converted texts are compiled from memory, the author's files stay as
  // they are.
  MemoryFileSystem convertiti;
  const bool da_memoria = linea.convertito || treno.convertito;
  for (const TestoAutore* t : {&linea, &treno}) {
    if (da_memoria && t->leggibile()) convertiti.files()[t->nome] = *t->testo;
  }
  CartellaAutore cartella(
      da_memoria ? static_cast<FileSystem&>(convertiti) : autore, uscita,
      {{nomi.testo_linea(), c.testo_linea}, {nomi.testo_treno(), c.testo_treno}});

  c.tabelle.nome_linea = opzioni.nome_linea;
  c.tabelle.numero_treno = opzioni.numero_treno;
  c.scrittura = memorizza_percorso(opzioni.senza_tracciato ? 0 : 1, c.tabelle, cartella, nomi,
                                   &c.risultato, &c.osservazioni);
  FontiCompilazione fonti{{c.testo_linea, c.testo_treno},
                          {nomi.testo_linea(), nomi.testo_treno()},
                          linea.testo,
                          treno.testo,
                          &c.osservazioni};
  c.diagnostiche = diagnostiche(c.tabelle, fonti);
  if (!opzioni.senza_avvisi) {
    const std::vector<Diagnostica> contenuto = avvisi_contenuto(c.tabelle, fonti);
    c.avvisi.insert(c.avvisi.end(), contenuto.begin(), contenuto.end());
  }

  if (!c.scrittura.ok() || c.risultato.esito != EsitoCompilazione::kCompletata) {
    c.esito = kEsitoFallito;
  } else if (c.tabelle.codice_errore != 0) {
    c.esito = kEsitoErroreCodice;
  } else {
    c.esito = kEsitoRiuscito;
  }
  return c;
}

int comando_compile(FileSystem& file_system, const OpzioniCompila& date, std::ostream& out,
                    std::ostream& err) {
  OpzioniCompila opzioni = date;
  if (const int nomi_errati = nomi_delle_opzioni(file_system, "compile", &opzioni, err)) {
    return nomi_errati;
  }
  if (const int cartella_errata =
          controlla_cartella(file_system, "compile", opzioni.cartella, err)) {
    return cartella_errata;
  }
  if (const int senza_treno = controlla_testo_treno(
          file_system, "compile",
          NomiFile{opzioni.cartella, opzioni.nome_linea, opzioni.numero_treno}, err)) {
    return senza_treno;
  }
  if (!opzioni.uscita.empty()) {
    if (const int uscita_errata = prepara_cartella(file_system, "compile", opzioni.uscita, err)) {
      return uscita_errata;
    }
  }
  // Two compiles into one folder take turns: the files a run says it wrote
  // are all its own.
  const NomiFile nomi{opzioni.uscita.empty() ? opzioni.cartella : opzioni.uscita,
                      opzioni.nome_linea, opzioni.numero_treno};
  const CartellaRiservata riservata = riserva_cartella(
      file_system, "compile", nomi.cartella,
      {nomi.linea_compilata(), nomi.scenario_compilato(), nomi.percorso_compilato()}, err);
  if (riservata.esito != kEsitoRiuscito) return riservata.esito;

  const CompilazioneAutore c = compila_cartella(file_system, file_system, opzioni);
  // The warnings first, then what the compile recorded.
  stampa_diagnostiche(c.avvisi, err);
  stampa_diagnostiche(c.errori_testo, err);
  if (!c.errori_testo.empty()) err << "scenario-tool compile: nothing compiled\n";
  stampa_diagnostiche(c.diagnostiche, err);
  const std::string fatale =
      c.errori_testo.empty() ? messaggio_esito(c.risultato.esito, c.tabelle) : "";
  if (!fatale.empty()) err << "scenario-tool compile: " << riga_stampabile(fatale) << "\n";
  if (!c.scrittura.ok()) {
    err << "scenario-tool compile: " << riga_stampabile(c.scrittura.message()) << "\n";
  }

  if (opzioni.json) {
    json diagnostics = json::array();
    for (const auto* elenco : {&c.errori_testo, &c.diagnostiche}) {
      for (const Diagnostica& d : *elenco) diagnostics.push_back(json_diagnostica(d));
    }
    json warnings = json::array();
    for (const Diagnostica& d : c.avvisi) warnings.push_back(json_diagnostica(d));
    const json j = {{"codice_errore", c.tabelle.codice_errore},
                    {"posizione_errore", c.tabelle.posizione_errore},
                    {"fatal", json_esito(c.risultato.esito)},
                    {"files", c.risultato.file_scritti},
                    {"diagnostics", diagnostics},
                    {"warnings", warnings},
                    {"error", c.scrittura.ok() ? json(nullptr) : json(c.scrittura.message())},
                    {"exit_status", c.esito}};
    out << j.dump(-1, ' ', false, json::error_handler_t::replace) << "\n";
  } else {
    for (const std::string& file : c.risultato.file_scritti) {
      out << "wrote " << riga_stampabile(file) << "\n";
    }
  }
  return c.esito;
}

}  // namespace scenario
