#include "reader/source_reading.h"

#include <utility>

namespace scenario {
namespace {

char minuscola(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool LetturaSorgente::apri(const std::string& nome) {
  campi_.reset();
  testo_.clear();
  nome_ = nome;
  inizio_record_ = PosizioneTesto{};
  Status esito = file_system_.ReadFile(nome, &testo_);
  if (!esito.ok()) {
    guasto_ = esito.message();
    return false;
  }
  campi_.emplace(testo_);
  return true;
}

bool LetturaSorgente::chiudi_e_cancella() {
  campi_.reset();
  testo_.clear();
  Status esito = file_system_.RemoveFile(nome_);
  if (!esito.ok()) {
    guasto_ = esito.message();
    return false;
  }
  return true;
}

bool LetturaSorgente::fine_file() const { return !campi_ || campi_->fine_file(); }

bool LetturaSorgente::pronta() {
  if (!guasto_.empty()) return false;
  if (!campi_) guasto_ = "no source text is open";
  return guasto_.empty();
}

bool LetturaSorgente::esito_lettura(const Status& esito) {
  if (!esito.ok()) guasto_ = esito.message();
  return esito.ok();
}

bool LetturaSorgente::leggi_token() {
  if (!pronta()) return false;
  const bool letto = esito_lettura(campi_->leggi_testo(&riga_));
  inizio_record_ = campi_->posizione_campo();
  return letto;
}

bool LetturaSorgente::leggi(int32_t* numero) {
  return pronta() && esito_lettura(campi_->leggi_int32(numero));
}

bool LetturaSorgente::leggi(int16_t* numero) {
  return pronta() && esito_lettura(campi_->leggi_int16(numero));
}

bool LetturaSorgente::leggi(uint8_t* numero) {
  return pronta() && esito_lettura(campi_->leggi_byte(numero));
}

bool LetturaSorgente::leggi_testo(std::string* testo) {
  return pronta() && esito_lettura(campi_->leggi_testo(testo));
}

bool LetturaSorgente::contiene(std::string_view parola) const {
  const std::string& riga = riga_;
  if (parola.size() > riga.size()) return false;
  for (size_t inizio = 0; inizio + parola.size() <= riga.size(); ++inizio) {
    size_t i = 0;
    while (i < parola.size() && minuscola(riga[inizio + i]) == minuscola(parola[i])) ++i;
    if (i == parola.size()) return true;
  }
  return false;
}

bool LetturaSorgente::contiene_esatta(std::string_view parola) const {
  return riga_.find(parola) != std::string::npos;
}

bool LetturaSorgente::oltre_griglia(int64_t posizione, int64_t margine) const {
  // ultima_cella < (posizione + margine) / 50, without a division.
  return static_cast<int64_t>(tabelle_.ultima_cella) * 50 < posizione + margine;
}

bool LetturaSorgente::richiedi_griglia() {
  if (tabelle_.percorso_dimensionato()) return true;
  if (guasto_.empty()) guasto_ = "the record needs the route grid before the route length was read";
  return false;
}

void LetturaSorgente::registra(int32_t codice) {
  tabelle_.codice_errore = codice;
  tabelle_.ultima_diagnostica =
      DiagnosticaLettura{nome_, inizio_record_.riga, inizio_record_.colonna, ""};
}

void LetturaSorgente::registra_sul_testo(int32_t codice, const std::string& file) {
  tabelle_.codice_errore = codice;
  tabelle_.ultima_diagnostica = DiagnosticaLettura{file, 0, 0, ""};
}

Esito LetturaSorgente::oltre_griglia_registra(int32_t posizione) {
  registra(kErroreFuoriGriglia);
  tabelle_.posizione_errore = posizione;
  return Esito::kFineSezione;
}

Esito LetturaSorgente::termina(int32_t codice) {
  if (!chiudi_e_cancella()) return Esito::kGuasto;
  registra(codice);
  return Esito::kFineProcedura;
}

Esito LetturaSorgente::termina(int32_t codice, int32_t posizione) {
  if (!chiudi_e_cancella()) return Esito::kGuasto;
  registra(codice);
  tabelle_.posizione_errore = posizione;
  return Esito::kFineProcedura;
}

Esito LetturaSorgente::termina_rifiuto(int32_t posizione) {
  return termina(tabelle_.codice_errore, posizione);
}

Esito LetturaSorgente::termina_senza_record(int32_t codice) {
  if (!chiudi_e_cancella()) return Esito::kGuasto;
  registra_sul_testo(codice, nome_);
  return Esito::kFineProcedura;
}

Esito LetturaSorgente::guasto(std::string dettaglio) {
  if (guasto_.empty()) guasto_ = std::move(dettaglio);
  return Esito::kGuasto;
}

void LetturaSorgente::registra_guasto(const std::string& aggiunta) {
  campi_.reset();
  testo_.clear();
  registra(kErroreLettura);
  tabelle_.ultima_diagnostica.dettaglio = guasto_ + aggiunta;
}

}  // namespace scenario
