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
  record_ = nullptr;
  campo_ = 0;
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
  record_ = nullptr;
  campo_ = 0;
  const bool letto = esito_lettura(campi_->leggi_testo(&riga_));
  inizio_record_ = campi_->posizione_campo();
  return letto;
}

bool LetturaSorgente::record(TipoRecord tipo) {
  const RecordSorgente& r = record_sorgente(tipo);
  for (std::string_view parola : r.parole) {
    if (!contiene(parola)) return false;
  }
  for (std::string_view parola : r.parole_esatte) {
    if (!contiene_esatta(parola)) return false;
  }
  record_ = &r;
  campo_ = 0;
  fuori_riga_ = false;
  return true;
}

template <typename Lettura>
bool LetturaSorgente::leggi_campo(Lettura&& lettura) {
  if (!pronta()) return false;
  ++campo_;
  const Status esito = lettura();
  const PosizioneTesto posizione = campi_->posizione_campo();
  if (!esito.ok()) {
    campo_guasto_ = campo_;
    posizione_guasto_ = posizione;
    testo_guasto_ = std::string(campi_->testo_campo());
  } else if (posizione.riga > inizio_record_.riga && !fuori_riga_) {
    fuori_riga_ = true;
    DiagnosticaLettura campo = diagnostica_record();
    campo.campo = campo_;
    campo.riga_campo = posizione.riga;
    campo.colonna_campo = posizione.colonna;
    campo.testo_campo = std::string(campi_->testo_campo());
    tabelle_.campi_fuori_riga.push_back(std::move(campo));
  }
  return esito_lettura(esito);
}

bool LetturaSorgente::leggi(int32_t* numero) {
  return leggi_campo([&] { return campi_->leggi_int32(numero); });
}

bool LetturaSorgente::leggi(int16_t* numero) {
  return leggi_campo([&] { return campi_->leggi_int16(numero); });
}

bool LetturaSorgente::leggi(uint8_t* numero) {
  return leggi_campo([&] { return campi_->leggi_byte(numero); });
}

bool LetturaSorgente::leggi_testo(std::string* testo) {
  return leggi_campo([&] { return campi_->leggi_testo(testo); });
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

DiagnosticaLettura LetturaSorgente::diagnostica_record() const {
  DiagnosticaLettura diagnostica{nome_, inizio_record_.riga, inizio_record_.colonna, ""};
  if (record_ != nullptr) diagnostica.record = record_->tipo;
  return diagnostica;
}

void LetturaSorgente::registra(int32_t codice) {
  tabelle_.codice_errore = codice;
  tabelle_.ultima_diagnostica = diagnostica_record();
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
  DiagnosticaLettura& diagnostica = tabelle_.ultima_diagnostica;
  diagnostica.dettaglio = guasto_ + aggiunta;
  if (campo_guasto_ > 0) {
    diagnostica.campo = campo_guasto_;
    diagnostica.riga_campo = posizione_guasto_.riga;
    diagnostica.colonna_campo = posizione_guasto_.colonna;
    diagnostica.testo_campo = testo_guasto_;
  }
}

}  // namespace scenario
