#include "check_command.h"

#include "scenario_names.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <set>
#include <tuple>

#include "author_texts.h"
#include "base/file_names.h"
#include "base/memory_file_system.h"
#include "command_guards.h"
#include "compile_command.h"
#include "compile_observations.h"
#include "exit_codes.h"
#include "source_warnings.h"

namespace scenario {
namespace {

// One compile of the current copies of the texts, in memory.
struct Giro {
  Scenario tabelle;
  RisultatoCompilazione risultato;
  Osservazioni osservazioni;
};

void compila(const NomiFile& nomi, const std::string& linea, const std::string& treno, Giro& giro) {
  MemoryFileSystem memoria;
  memoria.files()[nomi.testo_linea()] = linea;
  memoria.files()[nomi.testo_treno()] = treno;
  giro.tabelle.nome_linea = nomi.nome_linea;
  giro.tabelle.numero_treno = nomi.numero_treno;
  // A memory disk does not fail: the outcome is in the tables.
  (void)memorizza_percorso(1, giro.tabelle, memoria, nomi, &giro.risultato, &giro.osservazioni);
}

// A diagnostic already reported: the same code (or id) at the same place.
using Chiave = std::tuple<std::string, int32_t, int32_t, std::string>;
Chiave chiave(const Diagnostica& d) {
  return {d.file, d.riga.value_or(0), d.colonna.value_or(0), d.id};
}

// The error of a reserved slot the compile step found taken, at the record
// that took it when one did.
Diagnostica errore_slot(const Giro& giro, const FontiCompilazione& fonti,
                        const RecordLetto** record) {
  const int32_t codice = giro.risultato.esito == EsitoCompilazione::kErrore1250
                             ? kErroreSlotTimbri
                             : kErroreSlotCodiciGara;
  const DescrizioneCodice riga = descrivi_codice(codice);
  Diagnostica d;
  d.codice = codice;
  d.id = std::string(riga.id);
  std::string messaggio = messaggio_esito(giro.risultato.esito, giro.tabelle);
  // "error 1250: " is said by the code at the end of the line.
  const std::string inizio = "error " + std::to_string(codice) + ": ";
  if (messaggio.starts_with(inizio)) messaggio.erase(0, inizio.size());
  d.messaggio = std::move(messaggio);
  d.rimedio = std::string(riga.rimedio);
  *record = record_in_cella_riservata(giro.osservazioni);
  if (*record != nullptr) {
    d.file = fonti.nome_autore((*record)->file);
    const CampoLetto* posizione = (*record)->campo(1);
    d.riga = (*record)->posizione.riga;
    d.colonna = posizione != nullptr ? posizione->posizione.colonna : (*record)->posizione.colonna;
  }
  return d;
}

}  // namespace

void svuota_riga(std::string& testo, int32_t riga) {
  const std::optional<size_t> inizio = inizio_riga(testo, riga);
  if (!inizio) return;
  const size_t i = *inizio;
  size_t fine = i;
  while (fine < testo.size() && testo[fine] != '\r' && testo[fine] != '\n') ++fine;
  testo.erase(i, fine - i);
}

EsitoControllo controlla_cartella(FileSystem& autore, const OpzioniControllo& opzioni) {
  EsitoControllo esito;
  const NomiFile nomi{opzioni.cartella, opzioni.nome_linea, opzioni.numero_treno};
  std::vector<Diagnostica> trovate;
  std::set<Chiave> viste;
  const auto aggiungi = [&](Diagnostica d) {
    if (viste.insert(chiave(d)).second) trovate.push_back(std::move(d));
  };

  // The texts, as the compile will read them.
  TestoAutore testi[] = {leggi_testo_autore(autore, nomi.testo_linea(), opzioni.utf8),
                         leggi_testo_autore(autore, nomi.testo_treno(), opzioni.utf8)};
  for (const TestoAutore& t : testi) {
    for (const auto* elenco : {&t.errori, &t.avvisi}) {
      for (const Diagnostica& d : *elenco) aggiungi(d);
    }
    if (!t.lettura.ok()) {
      const bool linea = &t == &testi[0];
      Diagnostica d;
      d.file = t.nome;
      if (linea && !autore.Exists(t.nome)) {
        const DescrizioneCodice riga = descrivi_codice(kErroreTestoLineaAssente);
        d.codice = riga.codice;
        d.id = std::string(riga.id);
        d.messaggio = std::string(riga.significato);
        d.rimedio = std::string(riga.rimedio);
      } else {
        const TipoRilievo& tipo = tipo_rilievo("unreadable-text");
        d.id = std::string(tipo.id);
        d.messaggio = "the " + std::string(linea ? "line" : "train") +
                      " text cannot be read: " + stampabile(t.lettura.message());
        d.rimedio = std::string(tipo.rimedio);
      }
      aggiungi(std::move(d));
    }
    if (!t.leggibile()) esito.testo_illeggibile = true;
  }

  if (!esito.testo_illeggibile) {
    std::string linea = *testi[0].testo;
    std::string treno = *testi[1].testo;
    Giro giro;
    for (esito.giri = 1;; ++esito.giri) {
      giro = Giro{};
      compila(nomi, linea, treno, giro);
      const FontiCompilazione fonti{{nomi.testo_linea(), nomi.testo_treno()},
                                    {nomi.testo_linea(), nomi.testo_treno()},
                                    linea,
                                    treno,
                                    &giro.osservazioni};
      const bool griglia = giro.tabelle.percorso_dimensionato();
      // The reader's errors: each record that gave one is emptied for the
      // next round, so that the reader reads on past it.
      int nuovi = 0;
      for (const ErroreRegistrato& e : giro.osservazioni.errori) {
        if (descrivi_codice(e.codice).origine == OrigineCodice::kPassataFinale) continue;
        Diagnostica d = diagnostica_errore(e, giro.tabelle, fonti);
        if (!viste.insert(chiave(d)).second) continue;
        trovate.push_back(std::move(d));
        if (griglia && e.luogo.riga > 0) {
          svuota_riga(e.luogo.file == nomi.testo_linea() ? linea : treno, e.luogo.riga);
          ++nuovi;
        }
      }
      if (griglia && (giro.risultato.esito == EsitoCompilazione::kErrore1250 ||
                      giro.risultato.esito == EsitoCompilazione::kErrore1251)) {
        const RecordLetto* record = nullptr;
        Diagnostica d = errore_slot(giro, fonti, &record);
        if (viste.insert(chiave(d)).second) {
          trovate.push_back(std::move(d));
          if (record != nullptr) {
            svuota_riga(record->file == nomi.testo_linea() ? linea : treno, record->posizione.riga);
            ++nuovi;
          }
        }
      }
      // Each round's warnings: a record emptied for a later round may carry
      // one that explains its error (a keyword that lost its comma).
      for (Diagnostica& d : avvisi_contenuto(giro.tabelle, fonti)) aggiungi(std::move(d));
      if (!griglia || nuovi == 0) break;
      if (esito.giri == kGiriMassimi) {
        esito.giri_esauriti = true;
        break;
      }
    }

    // The last round read all it could: the finishing pass's failures, each
    // one (the tables keep only the last).
    const FontiCompilazione fonti{{nomi.testo_linea(), nomi.testo_treno()},
                                  {nomi.testo_linea(), nomi.testo_treno()},
                                  linea,
                                  treno,
                                  &giro.osservazioni};
    for (const ErroreRegistrato& e : giro.osservazioni.errori) {
      if (descrivi_codice(e.codice).origine != OrigineCodice::kPassataFinale) continue;
      aggiungi(diagnostica_errore(e, giro.tabelle, fonti));
    }
  }

  // In the order of the texts, line by line; what belongs to no line first.
  const auto ordine = [&](const Diagnostica& d) {
    const int testo = d.file == nomi.testo_linea() ? 0 : d.file == nomi.testo_treno() ? 1 : 2;
    return std::tuple(testo, d.riga.value_or(0), d.colonna.value_or(0));
  };
  std::stable_sort(trovate.begin(), trovate.end(), [&](const Diagnostica& a, const Diagnostica& b) {
    return ordine(a) < ordine(b);
  });
  esito.diagnostiche = std::move(trovate);
  for (const Diagnostica& d : esito.diagnostiche) {
    (d.gravita == Gravita::kErrore ? esito.errori : esito.avvisi) += 1;
  }
  if (esito.testo_illeggibile) {
    esito.esito = kEsitoFallito;
  } else if (esito.errori > 0 || (opzioni.werror && esito.avvisi > 0)) {
    esito.esito = kEsitoErroreCodice;
  } else {
    esito.esito = kEsitoRiuscito;
  }
  return esito;
}

int comando_check(FileSystem& file_system, const OpzioniControllo& date, std::ostream& out,
                  std::ostream& err) {
  OpzioniControllo opzioni = date;
  if (const int nomi_errati = nomi_delle_opzioni(file_system, "check", &opzioni, err)) {
    return nomi_errati;
  }
  if (const int cartella_errata = controlla_cartella(file_system, "check", opzioni.cartella, err)) {
    return cartella_errata;
  }
  const EsitoControllo esito = controlla_cartella(file_system, opzioni);
  if (opzioni.json) {
    nlohmann::json diagnostics = nlohmann::json::array();
    for (const Diagnostica& d : esito.diagnostiche) diagnostics.push_back(json_diagnostica(d));
    const nlohmann::json j = {
        {"diagnostics", diagnostics}, {"errors", esito.errori}, {"warnings", esito.avvisi}};
    out << j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    return esito.esito;
  }
  for (const Diagnostica& d : esito.diagnostiche) {
    out << riga_stampabile(riga_controllo(d)) << "\n";
    if (!d.rimedio.empty()) out << "    hint: " << d.rimedio << "\n";
  }
  if (esito.giri_esauriti) {
    out << "check stopped after " << esito.giri
        << " compiles with errors still turning up: mend these and check again\n";
  }
  const auto conta = [](int n, const char* parola) {
    return std::to_string(n) + " " + parola + (n == 1 ? "" : "s");
  };
  out << conta(esito.errori, "error") << ", " << conta(esito.avvisi, "warning") << "\n";
  return esito.esito;
}

}  // namespace scenario
