#include "source_warnings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numbers>
#include <optional>
#include <set>
#include <tuple>

#include "base/windows_1252.h"
#include "reader/source_records.h"
#include "suggestion.h"

namespace scenario {
namespace {

using G = Gravita;

constexpr std::array kRilievi = {
    TipoRilievo{"unknown-keyword", G::kAvviso,
                "a line begins with a word that is no keyword of its text: the reader passes the "
                "record over",
                "write the keyword as the format reference gives it"},
    TipoRilievo{"missing-comma", G::kAvviso,
                "a number in a record's keyword: a comma is most likely missing, and the fields "
                "are read one place late",
                "put a comma between the keyword and its first field"},
    TipoRilievo{"unknown-section", G::kAvviso, "a section header the text does not have",
                "use the text's own section headers, as the format reference lists them"},
    TipoRilievo{"before-generale", G::kAvviso,
                "records before the [generale] header, which the reader does not read",
                "move them under [generale] or after it"},
    TipoRilievo{"train-no-generale", G::kAvviso,
                "the train text has no [generale] header: the reader reads none of its records",
                "begin the train settings with the header [generale]"},
    TipoRilievo{"short-record", G::kAvviso,
                "a record short of fields, which takes the missing ones from the lines after it",
                kRimedioCampiMancanti},
    TipoRilievo{"out-of-order", G::kAvviso,
                "records of one kind out of kilometre order, two at one position, or a curve or "
                "tunnel that begins before the one before it ends",
                "keep each kind's records in ascending order of position, one at a position: "
                "the reader lays them onto the route in one pass"},
    TipoRilievo{"not-multiple-of-50", G::kAvviso,
                "a position that is not a multiple of 50 m: the record goes into the 50 m cell "
                "it rounds to",
                "put the record on a multiple of 50 m"},
    TipoRilievo{"before-route-start", G::kAvviso,
                "a position before the route's start (0 m, the first station)",
                "positions count from the route's origin, the first station, at 0 m"},
    TipoRilievo{"past-route-end", G::kAvviso,
                "a record, or the end of a curve, tunnel or slowdown, beyond the route's end "
                "(lunghezza percorso)",
                "keep the record within the route, or lengthen the route"},
    TipoRilievo{"curve-length", G::kAvviso,
                "a curve of length 0 or less, or one that turns the line through more than a "
                "full circle",
                "check the curve's length in metres and its class: class 6 turns through a full "
                "circle in 2094 m, class 1 in 62832 m"},
    TipoRilievo{"length", G::kAvviso, "a tunnel or a slowdown that ends where it begins, or before",
                "give its end after its start: a tunnel's second number, a slowdown's length "
                "above 0"},
    TipoRilievo{"steep-gradient", G::kAvviso, "a gradient steeper than 60 per mille, up or down",
                "gradients are in per mille: 60 is a rise of 6 m in 100 m"},
    TipoRilievo{"list-start", G::kAvviso,
                "a gradient, speed-limit or adhesion list that does not begin at 0 m",
                "begin the list with a record at 0 m: its first value also holds before it"},
    TipoRilievo{"clock-range", G::kAvviso,
                "a time of day outside 0-23 h, 0-59 min, 0-59 s, in the clock or a station's "
                "time",
                "write hours from 0 to 23, minutes and seconds from 0 to 59"},
    TipoRilievo{"time-backwards", G::kAvviso,
                "a station's time earlier than the time of the timed station before it",
                "keep the timetable in the train's order with rising times; 0, 0, 0 marks a "
                "station without a timed stop"},
    TipoRilievo{"station-name", G::kAvviso,
                "a station without a name, with another station's name, or with a name longer "
                "than the train card's column (28 characters)",
                "give every station a name of its own, at most 28 characters long"},
    TipoRilievo{"slowdown-speed", G::kAvviso,
                "a slowdown faster than the train's speed limit in force where it begins",
                "give the slowdown a speed below the train's limit there, or check the limit"},
    TipoRilievo{"encoding", G::kAvviso,
                "a text that is not Windows-1252: UTF-8 (each accented letter or degree sign "
                "read as two or three characters), or a byte the code page leaves undefined",
                "save the text as Windows-1252 (ANSI), or read a UTF-8 text with "
                "--input-encoding utf-8"},
    TipoRilievo{"bom", G::kAvviso,
                "a text that begins with a UTF-8 byte-order mark, which the reader takes for "
                "three characters",
                "save the text without a byte-order mark (Windows-1252, ANSI)"},
    TipoRilievo{"missing-fine", G::kAvviso,
                "a text that does not end with the [fine] header: a keyword alone on its last "
                "line would not be read",
                "end the text with the line [fine]"},
    TipoRilievo{"empty-train-text", G::kAvviso,
                "an empty train text: the train gets no timetable, signals, limits or adhesion",
                "write the train text; scenario-tool export gives the package's own as a model"},
    TipoRilievo{"unreadable-text", G::kErrore, "a source text that cannot be read",
                "put the text, named after the line and the train, into the folder"},
    TipoRilievo{"utf-16", G::kErrore, "a text saved as UTF-16, which the reader cannot read",
                "save the text as Windows-1252 (ANSI)"},
    TipoRilievo{"not-windows-1252", G::kErrore,
                "a character of a UTF-8 text that Windows-1252 has no byte for",
                "replace the character by one of the code page (accented Latin letters, the "
                "degree sign, the euro sign...)"},
};

// A finding `id` about the bytes of `file`, at `posizione` when it has one.
Diagnostica rilievo_sul_testo(const std::string& file, std::string_view id,
                              std::optional<PosizioneTesto> posizione, std::string messaggio) {
  const TipoRilievo& tipo = tipo_rilievo(id);
  Diagnostica d{file,
                std::nullopt,
                std::nullopt,
                0,
                std::move(messaggio),
                std::string(tipo.rimedio),
                tipo.gravita,
                std::string(id)};
  if (posizione) {
    d.riga = posizione->riga;
    d.colonna = posizione->colonna;
  }
  return d;
}

char minuscola(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string minuscolo(std::string_view testo) {
  std::string risultato(testo);
  for (char& c : risultato) c = minuscola(c);
  return risultato;
}

std::string_view senza_blank(std::string_view testo) {
  while (!testo.empty() && (testo.front() == ' ' || testo.front() == '\t')) testo.remove_prefix(1);
  while (!testo.empty() && (testo.back() == ' ' || testo.back() == '\t')) testo.remove_suffix(1);
  return testo;
}

std::string citato(std::string_view testo) { return "\"" + stampabile(testo) + "\""; }

std::string metri(int64_t posizione) { return std::to_string(posizione) + " m"; }

bool contiene_minuscolo(std::string_view testo, std::string_view parola) {
  return minuscolo(testo).find(minuscolo(parola)) != std::string::npos;
}

// True when `token` holds the words a record of kind `r` is recognised by.
bool riconosce(const RecordSorgente& r, std::string_view token) {
  for (std::string_view parola : r.parole) {
    if (!contiene_minuscolo(token, parola)) return false;
  }
  for (std::string_view parola : r.parole_esatte) {
    if (token.find(parola) == std::string_view::npos) return false;
  }
  return true;
}

const RecordSorgente* record_riconosciuto(TestoSorgente testo, std::string_view token) {
  for (const RecordSorgente& r : record_sorgente()) {
    if (r.testo == testo && riconosce(r, token)) return &r;
  }
  return nullptr;
}

std::string_view nome_testo(TestoSorgente testo) {
  return testo == TestoSorgente::kLinea ? "line" : "train";
}

TestoSorgente altro(TestoSorgente testo) {
  return testo == TestoSorgente::kLinea ? TestoSorgente::kTreno : TestoSorgente::kLinea;
}

// The headers of a text: its sections', "[generale]" and "[fine]".
std::vector<std::string_view> intestazioni(TestoSorgente testo) {
  std::vector<std::string_view> elenco;
  for (const RecordSorgente& r : record_sorgente()) {
    if (r.testo == testo && std::find(elenco.begin(), elenco.end(), r.sezione) == elenco.end()) {
      elenco.push_back(r.sezione);
    }
  }
  elenco.push_back("[fine]");
  return elenco;
}

// The keywords of a text as its records are written, and for curves every
// side and class.
std::vector<std::string_view> parole_chiave(TestoSorgente testo) {
  static constexpr std::string_view kCurve[] = {"curvad1", "curvad2", "curvad3", "curvad4",
                                                "curvad5", "curvad6", "curvas1", "curvas2",
                                                "curvas3", "curvas4", "curvas5", "curvas6"};
  std::vector<std::string_view> elenco;
  for (const RecordSorgente& r : record_sorgente()) {
    if (r.testo == testo) elenco.push_back(r.parola_chiave);
  }
  if (testo == TestoSorgente::kLinea)
    elenco.insert(elenco.end(), std::begin(kCurve), std::end(kCurve));
  return elenco;
}

std::string forse(std::string_view parola, std::span<const std::string_view> candidati) {
  // The reader tells some words only in lower case ("progressiva", "tre"...).
  for (std::string_view candidato : candidati) {
    if (distanza_modifica(parola, candidato) == 0) {
      return "; write it \"" + std::string(candidato) + "\", in lower case";
    }
  }
  const std::optional<std::string_view> suggerita = suggerisci(parola, candidati);
  return suggerita ? "; did you mean \"" + std::string(*suggerita) + "\"?" : "";
}

int64_t numero(const RecordLetto& r, int32_t indice) {
  const CampoLetto* campo = r.campo(indice);
  return campo != nullptr ? campo->numero : 0;
}

// The warnings of one compile, as they are found.
class Raccolta {
 public:
  explicit Raccolta(const FontiCompilazione& fonti) : fonti_(fonti) {}

  void aggiungi(std::string_view id, const std::string& file, PosizioneTesto posizione,
                std::string messaggio) {
    const TipoRilievo& tipo = tipo_rilievo(id);
    Diagnostica d;
    d.file = fonti_.nome_autore(file);
    if (posizione.riga > 0) d.riga = posizione.riga;
    if (posizione.colonna > 0) d.colonna = posizione.colonna;
    d.messaggio = std::move(messaggio);
    d.rimedio = std::string(tipo.rimedio);
    d.gravita = tipo.gravita;
    d.id = std::string(id);
    trovati_.push_back(std::move(d));
  }
  // At field `indice` of `r` (at its keyword when that field was not read).
  void al_campo(std::string_view id, const RecordLetto& r, int32_t indice, std::string messaggio) {
    const CampoLetto* campo = r.campo(indice);
    aggiungi(id, r.file, campo != nullptr ? campo->posizione : r.posizione, std::move(messaggio));
  }

  Diagnostica& ultimo() { return trovati_.back(); }
  std::vector<Diagnostica> prendi() { return std::move(trovati_); }

 private:
  const FontiCompilazione& fonti_;
  std::vector<Diagnostica> trovati_;
};

TestoSorgente testo_del_file(const FontiCompilazione& fonti, const std::string& file) {
  return file == fonti.compilati.treno || file == fonti.autore.treno ? TestoSorgente::kTreno
                                                                     : TestoSorgente::kLinea;
}

// The tokens the reader passed over that begin a line: unknown keywords and
// headers, records before "[generale]", a train text without it.
void controlla_token(const Osservazioni& osservazioni, const FontiCompilazione& fonti,
                     Raccolta& raccolta) {
  for (const std::string* file : {&fonti.compilati.linea, &fonti.compilati.treno}) {
    const TestoSorgente testo = testo_del_file(fonti, *file);
    std::optional<PosizioneTesto> generale;
    for (const TokenPassato& t : osservazioni.token) {
      if (t.file == *file && contiene_minuscolo(t.testo, kSezioneGenerale)) {
        generale = t.posizione;
        break;
      }
    }
    // Without "[generale]" the line text gives error 102; the train text
    // is read, but holds nothing.
    if (!generale) {
      const bool letto = std::any_of(osservazioni.token.begin(), osservazioni.token.end(),
                                     [&](const TokenPassato& t) { return t.file == *file; });
      if (testo == TestoSorgente::kTreno && letto) {
        raccolta.aggiungi("train-no-generale", *file, {1, 1},
                          "the train text has no [generale] header: none of its records is read");
      }
      continue;
    }
    const std::vector<std::string_view> proprie = intestazioni(testo);
    const std::vector<std::string_view> altrui = intestazioni(altro(testo));
    const std::vector<std::string_view> chiavi = parole_chiave(testo);
    bool prima_segnalata = false;
    for (const TokenPassato& t : osservazioni.token) {
      if (t.file != *file || !t.inizio_riga) continue;
      const std::string_view parola = senza_blank(t.testo);
      if (parola.empty()) continue;
      const bool prima = std::tie(t.posizione.riga, t.posizione.colonna) <
                         std::tie(generale->riga, generale->colonna);
      if (prima) {
        if (!prima_segnalata) {
          raccolta.aggiungi("before-generale", *file, t.posizione,
                            citato(parola) +
                                " stands before [generale]: the reader starts there "
                                "and reads nothing before it");
          prima_segnalata = true;
        }
        continue;
      }
      if (parola.find('[') != std::string_view::npos &&
          parola.find(']') != std::string_view::npos) {
        const std::string minuscola = minuscolo(parola);
        if (std::find(proprie.begin(), proprie.end(), minuscola) != proprie.end()) continue;
        std::string messaggio =
            citato(parola) + " is no section of the " + std::string(nome_testo(testo)) + " text";
        if (std::find(altrui.begin(), altrui.end(), minuscola) != altrui.end()) {
          messaggio +=
              ": it is a section of the " + std::string(nome_testo(altro(testo))) + " text";
        } else {
          messaggio += forse(parola, proprie);
        }
        raccolta.aggiungi("unknown-section", *file, t.posizione, std::move(messaggio));
        continue;
      }
      // A line of dashes or other signs is a separator; a keyword of this
      // text passed over is a curve read without the plan view.
      if (std::none_of(parola.begin(), parola.end(),
                       [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); })) {
        continue;
      }
      // A keyword of this text passed over is a curve read without the plan
      // view, or one whose first field holds a hyphen, which the reader
      // takes for a line of dashes.
      if (const RecordSorgente* r = record_riconosciuto(testo, parola)) {
        if (parola.find('-') != std::string_view::npos) {
          raccolta.aggiungi("unknown-keyword", *file, t.posizione,
                            citato(parola) +
                                " holds \"-\": the reader takes it for a line of "
                                "dashes and passes it over; write \"" +
                                std::string(r->parola_chiave) + "\"");
        }
        continue;
      }
      std::string messaggio = citato(parola) + " is no keyword of the " +
                              std::string(nome_testo(testo)) +
                              " text: the reader passes its "
                              "line over";
      if (const RecordSorgente* r = record_riconosciuto(altro(testo), parola)) {
        messaggio += "; \"" + std::string(r->parola_chiave) + "\" is a record of the " +
                     std::string(nome_testo(altro(testo))) + " text";
      } else {
        messaggio += forse(parola, chiavi);
      }
      if (parola.find('-') != std::string_view::npos) {
        messaggio += "; a first field holding \"-\" is always passed over";
      }
      raccolta.aggiungi("unknown-keyword", *file, t.posizione, std::move(messaggio));
    }
  }
}

// A number among the keyword's words: "segnale 4500" with its comma lost.
void controlla_parola_chiave(const RecordLetto& r, Raccolta& raccolta) {
  if (r.tipo == TipoRecord::kCurva || r.tipo == TipoRecord::kRipetizioneSegnali) return;
  size_t i = 0;
  const std::string_view parola = r.parola;
  while (i < parola.size()) {
    while (i < parola.size() && parola[i] == ' ') ++i;
    size_t fine = i;
    while (fine < parola.size() && parola[fine] != ' ') ++fine;
    const std::string_view pezzo = parola.substr(i, fine - i);
    const bool numero = !pezzo.empty() && std::all_of(pezzo.begin(), pezzo.end(), [](char c) {
      return (c >= '0' && c <= '9') || c == '-' || c == '+';
    }) && pezzo.find_first_of("0123456789") != std::string_view::npos;
    if (numero) {
      raccolta.aggiungi("missing-comma", r.file, r.posizione,
                        "the keyword " + citato(parola) + " holds the number " + citato(pezzo) +
                            ": the reader takes the keyword up to the first comma");
      return;
    }
    i = fine;
  }
}

// The checks of one record kind's list, in the order read.
class Elenco {
 public:
  Elenco(std::string_view nome, Raccolta& raccolta, std::optional<int64_t> lunghezza)
      : nome_(nome), raccolta_(raccolta), lunghezza_(lunghezza) {}

  // The next record of the list, its position in its first field: before
  // the route's start or past its end, off a 50 m mark (unless the reader
  // refuses that itself), out of order.
  void posizione(const RecordLetto& r, bool passo_50 = true) {
    const int64_t p = numero(r, 1);
    if (p < 0) {
      raccolta_.al_campo("before-route-start", r, 1,
                         nome_ + " at " + metri(p) + ": before the route's start");
    } else if (lunghezza_ && p > *lunghezza_) {
      raccolta_.al_campo(
          "past-route-end", r, 1,
          nome_ + " at " + metri(p) + ": past the route's end at " + metri(*lunghezza_));
    }
    if (passo_50 && p % 50 != 0) {
      raccolta_.al_campo("not-multiple-of-50", r, 1,
                         nome_ + " at " + metri(p) + ": not a multiple of 50 m");
    }
    if (precedente_) {
      if (p < precedente_->p) {
        raccolta_.al_campo("out-of-order", r, 1,
                           nome_ + " at " + metri(p) + " comes after the one at " +
                               metri(precedente_->p) + " (line " +
                               std::to_string(precedente_->riga) + ")");
      } else if (p == precedente_->p) {
        raccolta_.al_campo("out-of-order", r, 1,
                           "a second " + nome_ + " at " + metri(p) + " (the first on line " +
                               std::to_string(precedente_->riga) + ")");
      } else if (p < precedente_->fine) {
        raccolta_.al_campo("out-of-order", r, 1,
                           nome_ + " at " + metri(p) + " begins before the one on line " +
                               std::to_string(precedente_->riga) + " ends at " +
                               metri(precedente_->fine));
      }
    }
    precedente_ = Precedente{p, p, r.posizione.riga};
  }

  // The end of the record just given, at field `indice`, for overlaps and
  // the route's end.
  void fine(const RecordLetto& r, int32_t indice, int64_t fine, std::string_view cosa) {
    if (precedente_) precedente_->fine = fine;
    if (lunghezza_ && fine > *lunghezza_ && numero(r, 1) <= *lunghezza_) {
      raccolta_.al_campo("past-route-end", r, indice,
                         std::string(cosa) + " at " + metri(fine) + ": past the route's end at " +
                             metri(*lunghezza_));
    }
  }

  // The first record of a value list holds from 0 m on.
  void inizio_lista(const RecordLetto& r) {
    if (!primo_visto_ && numero(r, 1) != 0) {
      raccolta_.al_campo("list-start", r, 1,
                         "the " + nome_ + " list begins at " + metri(numero(r, 1)) +
                             ": its first value also holds from 0 m");
    }
    primo_visto_ = true;
  }

 private:
  struct Precedente {
    int64_t p;
    int64_t fine;
    int32_t riga;
  };
  std::string nome_;
  Raccolta& raccolta_;
  std::optional<int64_t> lunghezza_;
  std::optional<Precedente> precedente_;
  bool primo_visto_ = false;
};

// How far a curve of class `classe` turns per metre, in radians.
constexpr std::array<double, 7> kSvolta = {0, 0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

int classe_curva(std::string_view parola) {
  for (char cifra = '1'; cifra <= '6'; ++cifra) {
    if (parola.find(cifra) != std::string_view::npos) return cifra - '0';
  }
  return 0;
}

void orario(const RecordLetto& r, int32_t primo, std::string_view di, Raccolta& raccolta) {
  static constexpr std::array<int64_t, 3> kMassimo = {23, 59, 59};
  static constexpr std::array<std::string_view, 3> kUnita = {"hours", "minutes", "seconds"};
  for (int32_t k = 0; k < 3; ++k) {
    const int64_t valore = numero(r, primo + k);
    if (valore < 0 || valore > kMassimo[static_cast<size_t>(k)]) {
      raccolta.al_campo("clock-range", r, primo + k,
                        std::string(kUnita[static_cast<size_t>(k)]) + " " + std::to_string(valore) +
                            " in " + std::string(di) + ": 0 to " +
                            std::to_string(kMassimo[static_cast<size_t>(k)]));
    }
  }
}

std::string tempo(int64_t secondi) {
  char testo[32];
  std::snprintf(testo, sizeof testo, "%lld:%02lld:%02lld", static_cast<long long>(secondi / 3600),
                static_cast<long long>(secondi / 60 % 60), static_cast<long long>(secondi % 60));
  return testo;
}

void controlla_record(const Osservazioni& osservazioni,
                      const std::set<std::tuple<std::string, int32_t, int32_t>>& con_errore,
                      Raccolta& raccolta) {
  std::optional<int64_t> lunghezza;
  for (const RecordLetto& r : osservazioni.record) {
    if (r.tipo == TipoRecord::kLunghezzaPercorso && r.campo(1) != nullptr) lunghezza = numero(r, 1);
  }
  Elenco curve("curve", raccolta, lunghezza), pendenze("gradient", raccolta, lunghezza),
      montagne("tunnel", raccolta, lunghezza), indicatori("speed board", raccolta, lunghezza),
      cartelli("lettered board", raccolta, lunghezza), aderenze("adhesion", raccolta, lunghezza),
      velocita("speed limit", raccolta, lunghezza), stazioni("station", raccolta, lunghezza),
      rallentamenti("slowdown", raccolta, lunghezza), segnali("signal", raccolta, lunghezza),
      abbattimenti("code-cut point", raccolta, lunghezza);
  // The train's limits in force, by position, for the slowdowns.
  std::vector<std::pair<int64_t, int64_t>> limiti;
  std::optional<std::pair<int64_t, int32_t>> orario_precedente;  // seconds, line
  std::map<std::string, int32_t> nomi;                           // station name, line

  for (const RecordLetto& r : osservazioni.record) {
    // A lost comma explains the error a record short of fields gives.
    controlla_parola_chiave(r, raccolta);
    if (!r.completo || con_errore.count({r.file, r.posizione.riga, r.posizione.colonna}) != 0) {
      continue;
    }
    switch (r.tipo) {
      case TipoRecord::kCurva: {
        curve.posizione(r);
        const int64_t l = numero(r, 2);
        curve.fine(r, 2, numero(r, 1) + l, "the curve's end");
        const double giro =
            static_cast<double>(l) * kSvolta[static_cast<size_t>(classe_curva(r.parola))];
        if (l <= 0) {
          raccolta.al_campo("curve-length", r, 2, "curve of length " + metri(l));
        } else if (giro > 2 * std::numbers::pi) {
          raccolta.al_campo(
              "curve-length", r, 2,
              "a curve of class " + std::to_string(classe_curva(r.parola)) + " and " + metri(l) +
                  " turns the line through " +
                  std::to_string(static_cast<int64_t>(std::lround(giro * 180 / std::numbers::pi))) +
                  " degrees");
        }
        break;
      }
      case TipoRecord::kPendenza:
        pendenze.posizione(r);
        pendenze.inizio_lista(r);
        if (std::abs(numero(r, 2)) > 60) {
          raccolta.al_campo("steep-gradient", r, 2,
                            "gradient of " + std::to_string(numero(r, 2)) + " per mille");
        }
        break;
      case TipoRecord::kMontagna:
        montagne.posizione(r);
        montagne.fine(r, 2, numero(r, 2), "the tunnel's end");
        if (numero(r, 2) <= numero(r, 1)) {
          raccolta.al_campo("length", r, 2,
                            "tunnel from " + metri(numero(r, 1)) + " to " + metri(numero(r, 2)));
        }
        break;
      case TipoRecord::kIndicatoriVMax:
        indicatori.posizione(r);
        break;
      case TipoRecord::kCartelloIndicatore:
        cartelli.posizione(r);
        break;
      case TipoRecord::kOrologio:
        orario(r, 1, "the clock", raccolta);
        break;
      case TipoRecord::kAderenza:
        aderenze.posizione(r);
        aderenze.inizio_lista(r);
        break;
      case TipoRecord::kVelocita:
        velocita.posizione(r);
        velocita.inizio_lista(r);
        limiti.emplace_back(numero(r, 1), numero(r, 2));
        break;
      case TipoRecord::kStazione: {
        stazioni.posizione(r, false);  // off a 50 m mark is error 8
        orario(r, 14, "the station's time", raccolta);
        const int64_t secondi = (numero(r, 14) * 60 + numero(r, 15)) * 60 + numero(r, 16);
        if (secondi != 0) {
          // Half a day back is taken for a timetable that runs past midnight.
          if (orario_precedente && secondi < orario_precedente->first &&
              orario_precedente->first - secondi < 12 * 3600) {
            raccolta.al_campo("time-backwards", r, 14,
                              "station time " + tempo(secondi) + " is before " +
                                  tempo(orario_precedente->first) + " (line " +
                                  std::to_string(orario_precedente->second) + ")");
          }
          orario_precedente = {secondi, r.posizione.riga};
        }
        const CampoLetto* campo_nome = r.campo(17);
        const std::string nome(senza_blank(campo_nome != nullptr ? campo_nome->testo : ""));
        if (nome.empty()) {
          raccolta.al_campo("station-name", r, 17, "station without a name");
        } else if (const auto [gia, nuovo] = nomi.emplace(minuscolo(nome), r.posizione.riga);
                   !nuovo) {
          raccolta.al_campo(
              "station-name", r, 17,
              "station name " + citato(nome) + " also on line " + std::to_string(gia->second));
        } else if (nome.size() > kLarghezzaNomeStazione) {
          raccolta.al_campo("station-name", r, 17,
                            "station name " + citato(nome) + " is " + std::to_string(nome.size()) +
                                " characters long: the train card's column holds " +
                                std::to_string(kLarghezzaNomeStazione));
        }
        break;
      }
      case TipoRecord::kRallentamento: {
        rallentamenti.posizione(r);
        const int64_t x = numero(r, 1);
        const int64_t l = numero(r, 3);
        rallentamenti.fine(r, 3, x + l, "the slowdown's end");
        if (l <= 0) raccolta.al_campo("length", r, 3, "slowdown of length " + metri(l));
        // The limit in force: the last limit record at or before the
        // slowdown, else the first one (it holds before itself too).
        std::optional<int64_t> limite;
        for (const auto& [posizione, valore] : limiti) {
          if (posizione <= x || !limite) limite = valore;
          if (posizione > x) break;
        }
        if (limite && numero(r, 2) > *limite) {
          raccolta.al_campo("slowdown-speed", r, 2,
                            "slowdown at " + std::to_string(numero(r, 2)) +
                                " km/h where the train's limit is " + std::to_string(*limite) +
                                " km/h");
        }
        break;
      }
      case TipoRecord::kSegnale:
        segnali.posizione(r);
        break;
      case TipoRecord::kAbbattimento:
        abbattimenti.posizione(r);
        break;
      default:
        break;
    }
  }
}

bool solo_blank(std::string_view testo) {
  return testo.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// The last line of a text that holds anything but blanks, and its number.
std::pair<std::string_view, int32_t> ultima_riga(std::string_view testo) {
  std::string_view ultima;
  int32_t numero_ultima = 0;
  int32_t riga = 1;
  size_t inizio = 0;
  for (size_t i = 0; i <= testo.size(); ++i) {
    if (i == testo.size() || testo[i] == '\r' || testo[i] == '\n') {
      const std::string_view corrente = testo.substr(inizio, i - inizio);
      if (!solo_blank(corrente)) {
        ultima = corrente;
        numero_ultima = riga;
      }
      if (i == testo.size()) break;
      if (testo[i] == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
      ++riga;
      inizio = i + 1;
    }
  }
  return {ultima, numero_ultima};
}

void controlla_fine_testi(const FontiCompilazione& fonti, Raccolta& raccolta) {
  if (fonti.testo_treno && solo_blank(*fonti.testo_treno)) {
    raccolta.aggiungi("empty-train-text", fonti.compilati.treno, {}, "the train text is empty");
  }
  const std::pair<const std::optional<std::string>*, const std::string*> testi[] = {
      {&fonti.testo_linea, &fonti.compilati.linea}, {&fonti.testo_treno, &fonti.compilati.treno}};
  for (const auto& [testo, file] : testi) {
    if (!*testo || solo_blank(**testo)) continue;
    const auto [riga, numero_riga] = ultima_riga(**testo);
    if (minuscolo(senza_blank(riga)) != "[fine]") {
      raccolta.aggiungi("missing-fine", *file, {numero_riga, 1},
                        "the text ends with " + citato(senza_blank(riga)) + ", not with [fine]");
    }
  }
}

// The records short of fields that ended in no error of their own.
void controlla_campi_fuori_riga(
    const Scenario& tabelle, const FontiCompilazione& fonti,
    const std::set<std::tuple<std::string, int32_t, int32_t>>& con_errore, Raccolta& raccolta) {
  for (const DiagnosticaLettura& d : tabelle.campi_fuori_riga) {
    if (con_errore.count({d.file, d.riga, d.colonna}) != 0) continue;
    const std::string parola =
        d.record ? std::string(record_sorgente(*d.record).parola_chiave) : std::string("record");
    std::string intestazione;
    if (fonti.osservazioni != nullptr) {
      for (const RecordLetto& r : fonti.osservazioni->record) {
        if (r.file == d.file && r.posizione.riga == d.riga && r.posizione.colonna == d.colonna) {
          intestazione = intestazione_come_record(r.parola, r.tipo);
        }
      }
    }
    std::string messaggio = intestazione + "the " + parola + " record is short of fields: \"" +
                            std::string(d.nome_campo()) + "\" (field " + std::to_string(d.campo) +
                            ") is missing, and the reader took " + citato(d.testo_campo) +
                            " from line " + std::to_string(d.riga_campo) + ", column " +
                            std::to_string(d.colonna_campo) + " in its place";
    // The missing field would go after the last character of the record's line.
    raccolta.aggiungi("short-record", d.file,
                      {d.riga, colonna_fine_riga(fonti.testo(d.file), d.riga)},
                      std::move(messaggio));
    if (!intestazione.empty()) raccolta.ultimo().rimedio = std::string(kRimedioIntestazione);
  }
}

}  // namespace

std::span<const TipoRilievo> tipi_rilievo() { return kRilievi; }

const TipoRilievo& tipo_rilievo(std::string_view id) {
  for (const TipoRilievo& tipo : kRilievi) {
    if (tipo.id == id) return tipo;
  }
  return kRilievi.front();
}

std::vector<Diagnostica> avvisi_contenuto(const Scenario& tabelle, const FontiCompilazione& fonti) {
  Raccolta raccolta(fonti);
  std::set<std::tuple<std::string, int32_t, int32_t>> con_errore;
  if (fonti.osservazioni != nullptr) {
    for (const ErroreRegistrato& e : fonti.osservazioni->errori) {
      if (e.luogo.riga > 0) con_errore.insert({e.luogo.file, e.luogo.riga, e.luogo.colonna});
    }
    controlla_token(*fonti.osservazioni, fonti, raccolta);
    controlla_record(*fonti.osservazioni, con_errore, raccolta);
  }
  controlla_campi_fuori_riga(tabelle, fonti, con_errore, raccolta);
  controlla_fine_testi(fonti, raccolta);

  std::vector<Diagnostica> avvisi = raccolta.prendi();
  const auto ordine = [&](const Diagnostica& d) {
    const int testo = d.file == fonti.autore.linea ? 0 : d.file == fonti.autore.treno ? 1 : 2;
    return std::tuple(testo, d.riga.value_or(0), d.colonna.value_or(0));
  };
  std::stable_sort(avvisi.begin(), avvisi.end(), [&](const Diagnostica& a, const Diagnostica& b) {
    return ordine(a) < ordine(b);
  });
  return avvisi;
}

std::vector<Diagnostica> avvisi_codifica(const std::string& file, const EsameCodifica& esame,
                                         bool convertito) {
  std::vector<Diagnostica> avvisi;
  const auto aggiungi = [&](std::string_view id, std::optional<PosizioneTesto> posizione,
                            std::string messaggio) {
    avvisi.push_back(rilievo_sul_testo(file, id, posizione, std::move(messaggio)));
  };
  if (esame.bom_utf8) {
    aggiungi("bom", PosizioneTesto{1, 1},
             "the text begins with the UTF-8 byte-order mark EF BB BF");
  }
  if (convertito || !esame.primo_estraneo) return avvisi;
  const CarattereTesto& carattere = *esame.primo_estraneo;
  if (esame.codifica == CodificaTesto::kUtf8) {
    // The character as the author sees it, when the code page has it.
    const std::string pagina = utf8_a_windows_1252(carattere.byte);
    const std::string visto = pagina == "?" ? "" : citato(pagina) + " ";
    aggiungi("encoding", carattere.posizione,
             "the text is UTF-8: " + visto + "(" + byte_esadecimali(carattere.byte) +
                 ") is read as " + citato(carattere.byte) + ", " +
                 std::to_string(carattere.byte.size()) + " characters");
  } else {
    aggiungi("encoding", carattere.posizione,
             "byte " + byte_esadecimali(carattere.byte) +
                 " is no Windows-1252 character: the code page leaves it undefined");
  }
  return avvisi;
}

std::vector<Diagnostica> errori_codifica(const std::string& file, const EsameCodifica& esame,
                                         const TestoConvertito* convertito) {
  std::vector<Diagnostica> errori;
  const auto aggiungi = [&](std::string_view id, std::optional<PosizioneTesto> posizione,
                            std::string messaggio) {
    errori.push_back(rilievo_sul_testo(file, id, posizione, std::move(messaggio)));
  };
  if (esame.codifica == CodificaTesto::kUtf16) {
    aggiungi("utf-16", std::nullopt,
             "the text is UTF-16 (two bytes a character); the reader reads single-byte "
             "Windows-1252 text");
  }
  if (convertito == nullptr) return errori;
  for (const CarattereTesto& c : convertito->rifiutati) {
    if (c.byte.size() == 1) {
      aggiungi("not-windows-1252", c.posizione,
               "byte " + byte_esadecimali(c.byte) + " starts no UTF-8 character");
    } else {
      aggiungi("not-windows-1252", c.posizione,
               "the character " + byte_esadecimali(c.byte) + " has no Windows-1252 byte");
    }
  }
  return errori;
}

}  // namespace scenario
