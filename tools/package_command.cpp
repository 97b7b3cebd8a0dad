#include "package_command.h"

#include <string_view>
#include <vector>

#include "base/file_names.h"
#include "base/memory_file_system.h"
#include "command_guards.h"
#include "compile_command.h"
#include "content/payload_format.h"
#include "diagnostics.h"
#include "exit_codes.h"
#include "scenario_names.h"

namespace scenario {
namespace {

constexpr std::string_view kComando = "package";

std::ostream& avvia(std::ostream& err) { return err << "scenario-tool " << kComando << ": "; }

}  // namespace

int comando_package(FileSystem& file_system, const OpzioniPacchetto& date, std::ostream& out,
                    std::ostream& err) {
  OpzioniPacchetto opzioni = date;
  if (const int nomi_errati = nomi_delle_opzioni(file_system, kComando, &opzioni, err)) {
    return nomi_errati;
  }
  if (const int cartella_errata =
          controlla_cartella(file_system, kComando, opzioni.cartella, err)) {
    return cartella_errata;
  }
  const std::string_view programma = programma_pacchetto(opzioni.bersaglio);
  if (programma.empty()) {
    avvia(err) << "this scenario-tool carries no " << nome_bersaglio(opzioni.bersaglio)
               << " package program: it was built without that system's compiler; use a "
                  "scenario-tool that carries it\n";
    return kEsitoFallito;
  }
  const std::string cartella_uscita = cartella_di(opzioni.uscita);
  if (const int uscita_errata = prepara_cartella(file_system, kComando, cartella_uscita, err)) {
    return uscita_errata;
  }

  // Every file is read once, and the texts compiled are the bytes packed.
  const NomiFile nomi{opzioni.cartella, opzioni.nome_linea, opzioni.numero_treno};
  Carico carico;
  carico.nome_linea = opzioni.nome_linea;
  carico.numero_treno = opzioni.numero_treno;
  for (const Documento documento : kDocumentiDellaCorsa) {
    const std::string nome = nome_documento(documento, nomi);
    const bool testo = documento == Documento::kTestoLinea || documento == Documento::kTestoTreno;
    if (!testo && !file_system.Exists(nome)) {
      err << riga_stampabile(nome) << ": warning: not found; the package leaves this crew "
          << "document out\n";
      continue;
    }
    std::string byte;
    if (const Status letto = file_system.ReadFileUpTo(nome, kMassimoFileCarico, &byte);
        !letto.ok()) {
      avvia(err) << riga_stampabile(letto.message()) << "\n";
      return kEsitoFallito;
    }
    carico[documento] = std::move(byte);
  }

  // The texts compiled in memory as the package program will compile them,
  // with check's warnings: a scenario that records an error, or stops, is
  // not packed.
  MemoryFileSystem memoria;
  memoria.files()[nomi.testo_linea()] = *carico[Documento::kTestoLinea];
  memoria.files()[nomi.testo_treno()] = *carico[Documento::kTestoTreno];
  OpzioniCompila compila;
  compila.cartella = opzioni.cartella;
  compila.nome_linea = opzioni.nome_linea;
  compila.numero_treno = opzioni.numero_treno;
  const CompilazioneAutore prova = compila_cartella(memoria, memoria, compila);
  // The warnings check gives are printed and allowed; an error stops the package.
  stampa_diagnostiche(prova.avvisi, err);
  stampa_diagnostiche(prova.diagnostiche, err);
  if (prova.esito != kEsitoRiuscito) {
    const std::string fatale = messaggio_esito(prova.risultato.esito, prova.tabelle);
    if (!fatale.empty()) avvia(err) << riga_stampabile(fatale) << "\n";
    avvia(err) << "the texts do not compile cleanly; no package written\n";
    return kEsitoFallito;
  }

  std::string scenario;
  if (const LetturaCarico composto = componi_carico(carico, &scenario); !composto.ok()) {
    avvia(err) << riga_stampabile(composto.dettaglio) << "\n";
    return kEsitoFallito;
  }
  if (!opzioni.forza && file_system.Exists(opzioni.uscita)) {
    avvia(err) << "\"" << riga_stampabile(opzioni.uscita)
               << "\" already exists; give --force to replace it\n";
    return kEsitoFallito;
  }
  const CartellaRiservata riservata =
      riserva_cartella(file_system, kComando, cartella_uscita, {opzioni.uscita}, err);
  if (riservata.esito != kEsitoRiuscito) return riservata.esito;
  const ProduttoreByte produci = [&](ByteSink& sink) {
    if (Status s = sink.Append(programma); !s.ok()) return s;
    return sink.Append(scenario);
  };
  // A Linux program runs only with its mark; Windows tells programs by name.
  const Status scritto = opzioni.bersaglio == Bersaglio::kLinux
                             ? file_system.ReplaceExecutableWith(opzioni.uscita, produci)
                             : file_system.ReplaceFileWith(opzioni.uscita, produci);
  if (!scritto.ok()) {
    avvia(err) << riga_stampabile(scritto.message()) << "\n";
    return kEsitoFallito;
  }
  out << "wrote " << riga_stampabile(opzioni.uscita) << " for " << nome_bersaglio(opzioni.bersaglio)
      << " (" << programma.size() + scenario.size() << " bytes), carrying";
  for (const Documento documento : kDocumentiDellaCorsa) {
    if (carico[documento]) out << "\n  " << riga_stampabile(nome_documento(documento, nomi));
  }
  out << "\n";
  return kEsitoRiuscito;
}

}  // namespace scenario
