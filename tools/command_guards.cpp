#include "command_guards.h"

#include "base/name_check.h"
#include "base/printable_text.h"
#include "exit_codes.h"

namespace scenario {

std::string riga_stampabile(std::string_view testo) {
  return testo_stampabile(testo, kSenzaTaglio);
}

int controlla_nomi(std::string_view comando, const std::string& nome_linea,
                   const std::string& numero_treno, std::ostream& err) {
  for (const Status& controllo :
       {controlla_nome_linea(nome_linea), controlla_numero_treno(numero_treno)}) {
    if (!controllo.ok()) {
      err << "scenario-tool " << comando << ": " << controllo.message() << "\n";
      return kEsitoUso;
    }
  }
  return kEsitoRiuscito;
}

int controlla_cartella(FileSystem& file_system, std::string_view comando,
                       const std::string& cartella, std::ostream& err) {
  const Status controllo = file_system.CheckFolder(cartella);
  if (controllo.ok()) return kEsitoRiuscito;
  err << "scenario-tool " << comando << ": " << riga_stampabile(controllo.message()) << "\n";
  return kEsitoFallito;
}

int prepara_cartella(FileSystem& file_system, std::string_view comando, const std::string& cartella,
                     std::ostream& err) {
  const Status controllo = file_system.CheckFolder(cartella);
  if (controllo.ok()) return kEsitoRiuscito;
  if (const Status fatta = file_system.CreateFolders(cartella); !fatta.ok()) {
    // The folder itself is said in the words every command uses for it; a
    // level above it that stands in the way is named.
    const Status& detto = fatta.file() == cartella ? controllo : fatta;
    err << "scenario-tool " << comando << ": " << riga_stampabile(detto.message()) << "\n";
    return kEsitoFallito;
  }
  err << "scenario-tool " << comando << ": made the folder \"" << riga_stampabile(cartella)
      << "\"\n";
  return controlla_cartella(file_system, comando, cartella, err);
}

std::string cartella_di(const std::string& file) {
#ifdef _WIN32
  const size_t taglio = file.find_last_of("\\/");
#else
  const size_t taglio = file.find_last_of('/');
#endif
  if (taglio == std::string::npos) return ".";
  return taglio == 0 ? file.substr(0, 1) : file.substr(0, taglio);
}

CartellaRiservata riserva_cartella(FileSystem& file_system, std::string_view comando,
                                   const std::string& cartella,
                                   const std::vector<std::string>& nomi, std::ostream& err) {
  CartellaRiservata riservata;
  FolderLockResult blocco = file_system.LockFolder(cartella, kAttesaCartella);
  if (blocco.outcome == LockOutcome::kBusy) {
    err << "scenario-tool " << comando << ": another run is writing into the folder \""
        << riga_stampabile(cartella) << "\"; try again when it has finished\n";
    riservata.esito = kEsitoFallito;
    return riservata;
  }
  if (blocco.outcome != LockOutcome::kTaken) {
    err << "scenario-tool " << comando << ": " << riga_stampabile(blocco.status.message()) << "\n";
    riservata.esito = kEsitoFallito;
    return riservata;
  }
  if (const Status pulizia = file_system.RemoveLeftovers(nomi); !pulizia.ok()) {
    err << "scenario-tool " << comando << ": " << riga_stampabile(pulizia.message()) << "\n";
    riservata.esito = kEsitoFallito;
    return riservata;
  }
  riservata.blocco = std::move(blocco.lock);
  return riservata;
}

}  // namespace scenario
