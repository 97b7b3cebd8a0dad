#include "reader/field_input.h"

#include <limits>

#include "base/printable_text.h"
#include "base/windows_1252.h"

namespace scenario {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Digits beyond this many cannot fit any target: the value is out of range.
constexpr size_t kCifreMassime = 18;

}  // namespace

void LettoreCampi::avanza() {
  const char c = corrente();
  ++pos_;
  if (c == '\r') {
    // CR LF is one line end; the LF is taken with its CR.
    if (pos_ < testo_.size() && testo_[pos_] == '\n') ++pos_;
  }
  if (c == '\r' || c == '\n') {
    ++riga_;
    colonna_ = 1;
  } else {
    ++colonna_;
  }
}

Status LettoreCampi::errore(std::string_view campo, std::string_view motivo) {
  motivo_ = motivo;
  std::string messaggio =
      "line " + std::to_string(campo_.riga) + ", column " + std::to_string(campo_.colonna) + ": ";
  // The field as the author would see it, cut short: a field can run to the
  // end of a large text, and may hold control bytes.
  constexpr size_t kCaratteriMostrati = 80;
  if (!campo.empty()) {
    const std::string_view inizio = campo.substr(0, kCaratteriMostrati + 1);
    messaggio += "\"" + testo_stampabile(windows_1252_a_utf8(inizio), kCaratteriMostrati) + "\" ";
  }
  messaggio += motivo;
  return Status::Error(std::move(messaggio));
}

Status LettoreCampi::inizia_campo() {
  campo_ = PosizioneTesto{riga_, colonna_};
  testo_campo_ = {};
  campo_a_inizio_riga_ = a_capo_;
  if (fine_file()) return errore("", "reading past the end of the text");
  while (!fine_file() && is_blank(corrente())) avanza();
  campo_ = PosizioneTesto{riga_, colonna_};
  return Status::OK();
}

void LettoreCampi::consuma_delimitatore() {
  a_capo_ = !fine_file() && a_fine_riga();
  if (!fine_file() && (corrente() == ',' || a_fine_riga())) avanza();
}

Status LettoreCampi::leggi_testo(std::string* campo) {
  Status avvio = inizia_campo();
  if (!avvio.ok()) return avvio;
  const size_t inizio = pos_;
  while (!fine_file() && corrente() != ',' && !a_fine_riga()) avanza();
  size_t fine = pos_;
  while (fine > inizio && is_blank(testo_[fine - 1])) --fine;
  testo_campo_ = testo_.substr(inizio, fine - inizio);
  campo->assign(testo_campo_);
  consuma_delimitatore();
  return Status::OK();
}

Status LettoreCampi::leggi_numero(int64_t minimo, int64_t massimo, const char* tipo,
                                  int64_t* numero) {
  Status avvio = inizia_campo();
  if (!avvio.ok()) return avvio;
  const size_t inizio = pos_;
  while (!fine_file() && corrente() != ',' && !a_fine_riga() && !is_blank(corrente())) avanza();
  const std::string_view campo = testo_.substr(inizio, pos_ - inizio);
  testo_campo_ = campo;
  // A number that ended at a blank takes the comma or line end after its
  // blanks as its delimiter; anything else begins the next field.
  while (!fine_file() && is_blank(corrente())) avanza();
  consuma_delimitatore();

  if (campo.empty()) {
    *numero = 0;
    return Status::OK();
  }
  size_t i = 0;
  const bool negativo = campo[0] == '-';
  if (campo[0] == '-' || campo[0] == '+') i = 1;
  if (i == campo.size()) return errore(campo, "is not a whole number");
  for (size_t j = i; j < campo.size(); ++j) {
    if (!is_digit(campo[j])) return errore(campo, "is not a whole number");
  }
  while (i + 1 < campo.size() && campo[i] == '0') ++i;  // leading zeros carry no magnitude
  const std::string fuori = std::string("does not fit ") + tipo;
  if (campo.size() - i > kCifreMassime) return errore(campo, fuori);
  int64_t valore = 0;
  for (; i < campo.size(); ++i) valore = valore * 10 + (campo[i] - '0');
  if (negativo) valore = -valore;
  if (valore < minimo || valore > massimo) return errore(campo, fuori);
  *numero = valore;
  return Status::OK();
}

Status LettoreCampi::leggi_int32(int32_t* numero) {
  int64_t valore = 0;
  Status esito = leggi_numero(std::numeric_limits<int32_t>::min(),
                              std::numeric_limits<int32_t>::max(), "a 32-bit integer", &valore);
  if (esito.ok()) *numero = static_cast<int32_t>(valore);
  return esito;
}

Status LettoreCampi::leggi_int16(int16_t* numero) {
  int64_t valore = 0;
  Status esito = leggi_numero(std::numeric_limits<int16_t>::min(),
                              std::numeric_limits<int16_t>::max(), "a 16-bit integer", &valore);
  if (esito.ok()) *numero = static_cast<int16_t>(valore);
  return esito;
}

Status LettoreCampi::leggi_byte(uint8_t* numero) {
  int64_t valore = 0;
  Status esito = leggi_numero(0, 255, "a byte (0 to 255)", &valore);
  if (esito.ok()) *numero = static_cast<uint8_t>(valore);
  return esito;
}

}  // namespace scenario
