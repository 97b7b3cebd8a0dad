#include "scenario_names.h"

#include <vector>

#include "command_guards.h"
#include "exit_codes.h"

namespace scenario {
namespace {

// The tails of the two source texts' names: NAME_linea.txt and NAME_NUM-.txt.
constexpr std::string_view kCodaTestoLinea = "_linea.txt";
constexpr std::string_view kCodaTestoTreno = "-.txt";

bool testo_linea(std::string_view voce) {
  return voce.size() > kCodaTestoLinea.size() && voce.ends_with(kCodaTestoLinea);
}

bool testo_treno(std::string_view voce) {
  return voce.size() > kCodaTestoTreno.size() && voce.ends_with(kCodaTestoTreno);
}

// The source texts among a folder's files, quoted, for a message: the first
// twenty, and how many more a crowded folder holds.
std::string elenco_testi(const std::vector<std::string>& voci) {
  constexpr size_t kMostrati = 20;
  std::string s;
  size_t trovati = 0;
  for (const std::string& v : voci) {
    if (!testo_linea(v) && !testo_treno(v)) continue;
    if (++trovati <= kMostrati) s += (s.empty() ? "\"" : ", \"") + v + "\"";
  }
  if (trovati > kMostrati) s += " and " + std::to_string(trovati - kMostrati) + " more";
  return s.empty() ? "none" : s;
}

struct Coppia {
  std::string linea;
  std::string treno;
};

// Every pair NAME_linea.txt, NAME_NUM-.txt among the files: a train text
// pairs with each line text whose NAME begins its name followed by "_".
std::vector<Coppia> coppie(const std::vector<std::string>& voci) {
  std::vector<Coppia> trovate;
  for (const std::string& linea : voci) {
    if (!testo_linea(linea)) continue;
    const std::string nome = linea.substr(0, linea.size() - kCodaTestoLinea.size());
    for (const std::string& treno : voci) {
      if (!testo_treno(treno) || treno.size() <= nome.size() + 1 + kCodaTestoTreno.size() ||
          !treno.starts_with(nome) || treno[nome.size()] != '_') {
        continue;
      }
      trovate.push_back({nome, treno.substr(nome.size() + 1, treno.size() - nome.size() - 1 -
                                                                 kCodaTestoTreno.size())});
    }
  }
  return trovate;
}

}  // namespace

Status risolvi_nomi(FileSystem& file_system, const std::string& cartella,
                    const std::optional<std::string>& linea,
                    const std::optional<std::string>& treno, NomiScenario* nomi) {
  if (linea && treno) {
    *nomi = {*linea, *treno, false};
    return Status::OK();
  }
  std::vector<std::string> voci;
  if (Status elencate = file_system.ListFiles(cartella, &voci); !elencate.ok()) return elencate;
  std::vector<Coppia> adatte;
  for (Coppia& c : coppie(voci)) {
    if ((!linea || *linea == c.linea) && (!treno || *treno == c.treno)) {
      adatte.push_back(std::move(c));
    }
  }
  if (adatte.size() == 1) {
    *nomi = {adatte[0].linea, adatte[0].treno, true};
    return Status::OK();
  }
  const std::string mancanti = linea   ? "--train-number"
                               : treno ? "--line-name"
                                       : "--line-name and --train-number";
  std::string perche;
  if (!adatte.empty()) {
    perche = "it holds more than one pair of source texts";
  } else {
    perche = "it holds no line text NAME_linea.txt with a train text NAME_NUM-.txt";
    if (linea) perche += " for the line \"" + *linea + "\"";
    if (treno) perche += " for the train \"" + *treno + "\"";
  }
  return Status::Error("no " + mancanti + " given, and the folder \"" + cartella +
                       "\" cannot tell: " + perche + " (source texts found: " + elenco_testi(voci) +
                       "); give " + mancanti + " to choose");
}

int nomi_del_comando(FileSystem& file_system, std::string_view comando, const std::string& cartella,
                     const std::optional<std::string>& linea,
                     const std::optional<std::string>& treno, NomiScenario* nomi,
                     std::ostream& err) {
  if (!linea || !treno) {
    if (const int cartella_errata = controlla_cartella(file_system, comando, cartella, err)) {
      return cartella_errata;
    }
  }
  const Status risolti = risolvi_nomi(file_system, cartella, linea, treno, nomi);
  if (!risolti.ok()) {
    err << "scenario-tool " << comando << ": " << riga_stampabile(risolti.message()) << "\n";
    return risolti.operazione() == Operazione::kNessuna ? kEsitoUso : kEsitoFallito;
  }
  if (nomi->dalla_cartella) {
    err << "scenario-tool " << comando << ": taking line name \""
        << riga_stampabile(nomi->nome_linea) << "\" and train number \""
        << riga_stampabile(nomi->numero_treno) << "\" from " << riga_stampabile(cartella) << "\n";
  }
  return controlla_nomi(comando, nomi->nome_linea, nomi->numero_treno, err);
}

int controlla_testo_treno(FileSystem& file_system, std::string_view comando, const NomiFile& nomi,
                          std::ostream& err) {
  if (file_system.Exists(nomi.testo_treno()) || !file_system.Exists(nomi.testo_linea())) {
    return kEsitoRiuscito;
  }
  // Why it cannot be read, in the system's words: missing, or a folder.
  std::string contenuto;
  const Status letto = file_system.ReadFileUpTo(nomi.testo_treno(), 0, &contenuto);
  std::vector<std::string> voci;
  const bool elencate = file_system.ListFiles(nomi.cartella, &voci).ok();
  err << "scenario-tool " << comando << ": the train text \"" << riga_stampabile(nomi.testo_treno())
      << "\" cannot be read (" << riga_stampabile(letto.ok() ? "empty" : letto.motivo())
      << "); nothing written";
  if (elencate)
    err << " (source texts in the folder: " << riga_stampabile(elenco_testi(voci)) << ")";
  err << "\n";
  return kEsitoFallito;
}

}  // namespace scenario
