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
  chiudi_osservazione();
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
  chiudi_osservazione();
  record_ = nullptr;
  campo_ = 0;
  const bool letto = esito_lettura(campi_->leggi_testo(&riga_));
  inizio_record_ = campi_->posizione_campo();
  if (osservatore_ != nullptr && letto) {
    token_aperto_ = true;
    token_riconosciuto_ = false;
    token_.file = nome_;
    token_.posizione = inizio_record_;
    token_.testo = riga_;
    token_.inizio_riga = campi_->campo_a_inizio_riga();
  }
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
  if (osservatore_ != nullptr) {
    // A token may begin records of several kinds, one after the other.
    if (record_aperto_) osservatore_->record_letto(letto_);
    token_riconosciuto_ = true;
    record_aperto_ = true;
    letto_.file = nome_;
    letto_.tipo = tipo;
    letto_.posizione = inizio_record_;
    letto_.parola = riga_;
    letto_.campi.clear();
    letto_.completo = r.campi.empty();
  }
  return true;
}

void LetturaSorgente::chiudi_osservazione() {
  if (osservatore_ == nullptr) return;
  if (record_aperto_) osservatore_->record_letto(letto_);
  if (token_aperto_ && !token_riconosciuto_) osservatore_->token_passato(token_);
  record_aperto_ = false;
  token_aperto_ = false;
}

template <typename Lettura>
bool LetturaSorgente::leggi_campo(Lettura&& lettura) {
  if (!pronta()) return false;
  ++campo_;
  const Status esito = lettura();
  const PosizioneTesto posizione = campi_->posizione_campo();
  if (campo_ >= 1 && static_cast<size_t>(campo_) <= kCampiMassimi) {
    posizioni_campi_[static_cast<size_t>(campo_ - 1)] = posizione;
    testi_campi_[static_cast<size_t>(campo_ - 1)] = campi_->testo_campo();
  }
  if (!esito.ok()) {
    campo_guasto_ = campo_;
    posizione_guasto_ = posizione;
    testo_guasto_ = std::string(campi_->testo_campo());
    motivo_guasto_ = campi_->motivo_errore();
  } else {
    if (posizione.riga > inizio_record_.riga && !fuori_riga_) {
      fuori_riga_ = true;
      tabelle_.campi_fuori_riga.push_back(diagnostica_record(CampoErrore{campo_}));
    }
    if (osservatore_ != nullptr && record_aperto_) {
      letto_.campi.push_back(CampoLetto{campo_, posizione, std::string(campi_->testo_campo())});
      letto_.completo = record_ != nullptr && static_cast<size_t>(campo_) >= record_->campi.size();
    }
  }
  return esito_lettura(esito);
}

void LetturaSorgente::annota_numero(int64_t numero) {
  if (osservatore_ != nullptr && record_aperto_ && !letto_.campi.empty()) {
    letto_.campi.back().numero = numero;
  }
}

bool LetturaSorgente::leggi(int32_t* numero) {
  const bool letto = leggi_campo([&] { return campi_->leggi_int32(numero); });
  if (letto) annota_numero(*numero);
  return letto;
}

bool LetturaSorgente::leggi(int16_t* numero) {
  const bool letto = leggi_campo([&] { return campi_->leggi_int16(numero); });
  if (letto) annota_numero(*numero);
  return letto;
}

bool LetturaSorgente::leggi(uint8_t* numero) {
  const bool letto = leggi_campo([&] { return campi_->leggi_byte(numero); });
  if (letto) annota_numero(*numero);
  return letto;
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

DiagnosticaLettura LetturaSorgente::diagnostica_record(CampoErrore campo) const {
  DiagnosticaLettura diagnostica{nome_, inizio_record_.riga, inizio_record_.colonna, ""};
  if (record_ != nullptr) diagnostica.record = record_->tipo;
  const int32_t indice = campo.indice;
  if (indice >= 1 && indice <= campo_ && static_cast<size_t>(indice) <= kCampiMassimi) {
    const auto i = static_cast<size_t>(indice - 1);
    diagnostica.campo = indice;
    diagnostica.riga_campo = posizioni_campi_[i].riga;
    diagnostica.colonna_campo = posizioni_campi_[i].colonna;
    diagnostica.testo_campo = std::string(testi_campi_[i]);
  }
  return diagnostica;
}

void LetturaSorgente::notifica_errore() {
  if (osservatore_ == nullptr) return;
  osservatore_->errore_registrato(ErroreRegistrato{
      tabelle_.codice_errore, tabelle_.posizione_errore, tabelle_.ultima_diagnostica});
}

void LetturaSorgente::registra(int32_t codice, const DiagnosticaLettura& luogo) {
  tabelle_.codice_errore = codice;
  tabelle_.ultima_diagnostica = luogo;
}

void LetturaSorgente::registra_sul_testo(int32_t codice, const std::string& file) {
  chiudi_osservazione();
  registra(codice, DiagnosticaLettura{file, 0, 0, ""});
  notifica_errore();
}

Esito LetturaSorgente::oltre_griglia_registra(int32_t posizione) {
  chiudi_osservazione();
  registra(kErroreFuoriGriglia, diagnostica_record(kPrimoCampo));
  tabelle_.posizione_errore = posizione;
  notifica_errore();
  return Esito::kFineSezione;
}

Esito LetturaSorgente::termina(int32_t codice, CampoErrore campo) {
  const DiagnosticaLettura luogo = diagnostica_record(campo);
  if (!chiudi_e_cancella()) return Esito::kGuasto;
  registra(codice, luogo);
  notifica_errore();
  return Esito::kFineProcedura;
}

Esito LetturaSorgente::termina(int32_t codice, int32_t posizione, CampoErrore campo) {
  const DiagnosticaLettura luogo = diagnostica_record(campo);
  if (!chiudi_e_cancella()) return Esito::kGuasto;
  registra(codice, luogo);
  tabelle_.posizione_errore = posizione;
  notifica_errore();
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

Esito LetturaSorgente::guasto(std::string dettaglio, DiagnosticaLettura luogo, std::string motivo) {
  if (guasto_.empty() && !luogo_guasto_) {
    luogo.motivo = std::move(motivo);
    luogo_guasto_ = std::move(luogo);
  }
  return guasto(std::move(dettaglio));
}

void LetturaSorgente::registra_guasto(const std::string& aggiunta) {
  chiudi_osservazione();
  campi_.reset();
  testo_.clear();
  DiagnosticaLettura luogo = luogo_guasto_ ? *luogo_guasto_ : diagnostica_record();
  luogo.dettaglio = guasto_ + aggiunta;
  if (campo_guasto_ > 0 && !luogo_guasto_) {
    luogo.campo = campo_guasto_;
    luogo.riga_campo = posizione_guasto_.riga;
    luogo.colonna_campo = posizione_guasto_.colonna;
    luogo.testo_campo = testo_guasto_;
    luogo.motivo = motivo_guasto_;
  }
  registra(kErroreLettura, luogo);
  notifica_errore();
}

}  // namespace scenario
