#include "dump_command.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <concepts>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>
#include <vector>

#include "base/windows_1252.h"
#include "compiler/compiled_files.h"
#include "compiler/compiled_meaning.h"
#include "exit_codes.h"

namespace scenario {
namespace {

using Json = nlohmann::ordered_json;

// The output, handed to the stream in pieces: a dump of the longest line
// lists a million points, and none of it is held whole.
class Uscita {
 public:
  explicit Uscita(std::ostream& out) : out_(out) {}
  ~Uscita() { svuota(); }
  Uscita(const Uscita&) = delete;
  Uscita& operator=(const Uscita&) = delete;

  Uscita& operator<<(std::string_view testo) {
    pezzo_ += testo;
    if (pezzo_.size() >= kPezzo) svuota();
    return *this;
  }
  Uscita& operator<<(int64_t numero) { return *this << std::string_view(std::to_string(numero)); }
  // Only a JSON value itself: a text would otherwise turn into one.
  template <std::same_as<Json> J>
  Uscita& operator<<(const J& j) {
    return *this << std::string_view(j.dump(-1, ' ', false, Json::error_handler_t::replace));
  }

 private:
  static constexpr size_t kPezzo = size_t{64} << 10;
  void svuota() {
    out_.write(pezzo_.data(), static_cast<std::streamsize>(pezzo_.size()));
    pezzo_.clear();
  }
  std::ostream& out_;
  std::string pezzo_;
};

// The positions asked for, in metres.
struct Intervallo {
  int64_t da;
  int64_t a;
  bool contiene(int64_t posizione) const { return posizione >= da && posizione <= a; }
  bool limitato() const {
    return da != std::numeric_limits<int64_t>::min() || a != std::numeric_limits<int64_t>::max();
  }
  Json json_da() const { return da == std::numeric_limits<int64_t>::min() ? Json() : Json(da); }
  Json json_a() const { return a == std::numeric_limits<int64_t>::max() ? Json() : Json(a); }
  std::string testo() const {
    std::string t;
    if (da != std::numeric_limits<int64_t>::min()) t += " from " + std::to_string(da) + " m";
    if (a != std::numeric_limits<int64_t>::max()) t += " to " + std::to_string(a) + " m";
    return t;
  }
};

// A text as a JSON string. Every text shown is UTF-8 already (the file's
// texts are converted from Windows-1252), so only the quote, the backslash
// and the control characters need escapes.
std::string stringa_json(std::string_view testo) {
  std::string json = "\"";
  for (const char c : testo) {
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      json += escape;
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::string stringa_o_nulla(std::string_view testo) {
  return testo.empty() ? "null" : stringa_json(testo);
}

// One field as JSON: the stored value (`memorizzato`, already JSON), what it
// holds, its unit and the value in that unit (a number, the packed figures by
// name, a name or a text). Written by hand: a grid has 220 000 of them.
std::string json_campo(const Lettura& l, std::string_view memorizzato) {
  std::string campo = "{\"value\":";
  campo += memorizzato;
  campo += ",\"meaning\":" + stringa_o_nulla(l.significato);
  campo += ",\"unit\":" + stringa_o_nulla(l.unita);
  campo += ",\"converted\":";
  switch (l.forma) {
    case Lettura::Forma::kInutilizzato:
      campo += "null";
      break;
    case Lettura::Forma::kNumero:
      campo += std::to_string(l.numero);
      break;
    case Lettura::Forma::kParti:
      campo += "{" + stringa_json(l.parti[0].nome) + ":" + std::to_string(l.parti[0].valore) + "," +
               stringa_json(l.parti[1].nome) + ":" + std::to_string(l.parti[1].valore) + "}";
      break;
    case Lettura::Forma::kNome:
    case Lettura::Forma::kOrario:
    case Lettura::Forma::kTesto:
      campo += stringa_json(l.testo);
      break;
  }
  return campo + "}";
}

template <typename T>
constexpr bool kTesto = tipo_disco<T>() == TipoDisco::kTesto;

// Every field of a cell or an entry as JSON, under its name: `leggi(campo)`
// tells what it holds.
template <typename Record, typename Leggi>
std::string json_campi(const Record& record, Leggi leggi) {
  std::string json = "{";
  visita_campi(record, [&](auto campo, const auto& valore) {
    std::string memorizzato;
    if constexpr (kTesto<std::remove_cvref_t<decltype(valore)>>) {
      memorizzato = stringa_json(windows_1252_a_utf8(valore));
    } else {
      memorizzato = std::to_string(numero_campo(valore));
    }
    if (json.size() > 1) json += ",";
    json += stringa_json(descrizione(campo).nome) + ":" + json_campo(leggi(campo), memorizzato);
  });
  return json + "}";
}

// Every field of a cell or an entry that is not 0 or empty, one line each:
// "  velocita_max: speed limit 75 km/h (stored 15)".
template <typename Record, typename Leggi>
void testo_campi(const Record& record, Leggi leggi, Uscita& u) {
  visita_campi(record, [&](auto campo, const auto& valore) {
    using T = std::remove_cvref_t<decltype(valore)>;
    if (valore == T{}) return;
    std::string memorizzato;
    if constexpr (kTesto<T>) {
      memorizzato = std::to_string(valore.size()) + " bytes";
    } else {
      memorizzato = std::to_string(numero_campo(valore));
    }
    u << "  " << descrizione(campo).nome << ": " << testo_lettura(leggi(campo)) << " (stored "
      << memorizzato << ")\n";
  });
}

// The head of a JSON document whose last member, `lista`, is an array
// written element by element after it.
void apri_json(const Json& testa, std::string_view lista, Uscita& u) {
  const std::string s = testa.dump();
  u << std::string_view(s).substr(0, s.size() - 1) << ",\"" << lista << "\":[";
}

// --- The route grid --------------------------------------------------------

void dump_percorso(const std::vector<CellaPercorso>& celle, size_t dimensione,
                   const Intervallo& intervallo, bool json, Uscita& u) {
  if (json) {
    Json testa;
    testa["kind"] = "grid";
    testa["bytes"] = dimensione;
    testa["ultima_cella"] = celle.size() - 1;
    testa["from"] = intervallo.json_da();
    testa["to"] = intervallo.json_a();
    apri_json(testa, "cells", u);
  } else {
    u << "compiled route grid: " << static_cast<int64_t>(celle.size()) << " cells (ultima_cella "
      << static_cast<int64_t>(celle.size()) - 1 << "), " << static_cast<int64_t>(dimensione)
      << " bytes\n";
    u << "the cells that hold anything" << intervallo.testo()
      << "; each field by its meaning, then as stored; fields that are 0 left out\n";
  }
  const char* separatore = "";
  for (size_t i = 0; i < celle.size(); ++i) {
    const int64_t posizione = static_cast<int64_t>(i) * 50;
    if (!intervallo.contiene(posizione) || celle[i] == CellaPercorso{}) continue;
    const auto leggi = [&](CampoCella campo) { return leggi_cella(celle, i, campo); };
    if (json) {
      u << separatore << "{\"index\":" << static_cast<int64_t>(i) << ",\"position\":" << posizione
        << ",\"fields\":" << json_campi(celle[i], leggi) << "}";
      separatore = ",";
    } else {
      u << "cell " << static_cast<int64_t>(i) << " (" << posizione << " m)\n";
      testo_campi(celle[i], leggi, u);
    }
  }
  if (json) u << "]}\n";
}

// --- The record table ------------------------------------------------------

void dump_scenario(const RegistroCompilato& registro, size_t dimensione,
                   const Intervallo& intervallo, bool json, Uscita& u) {
  if (json) {
    Json testa;
    testa["kind"] = "scenario";
    testa["bytes"] = dimensione;
    testa["from"] = intervallo.json_da();
    testa["to"] = intervallo.json_a();
    apri_json(testa, "entries", u);
  } else {
    u << "compiled train scenario: " << static_cast<int64_t>(registro.size())
      << " registro entries, " << static_cast<int64_t>(dimensione) << " bytes\n";
    u << "every entry by its use";
    if (intervallo.limitato()) u << ", the stations" << intervallo.testo();
    u << "; each field by its meaning, then as stored; fields that are 0 left out\n";
  }
  const std::array<UsoVoce, kVociRegistro> usi = usi_voci(registro);
  const char* separatore = "";
  for (size_t i = 0; i < registro.size(); ++i) {
    // A station outside the range is left out; every other entry is shown.
    if (usi[i] == UsoVoce::kStazione && !intervallo.contiene(registro[i].progressiva)) continue;
    const std::string_view uso = significato_uso(usi[i]).nome;
    // A run of empty entries takes one line of text.
    if (!json && registro[i] == VoceRegistro{}) {
      size_t ultima = i;
      while (ultima + 1 < registro.size() && registro[ultima + 1] == VoceRegistro{} &&
             usi[ultima + 1] == usi[i]) {
        ++ultima;
      }
      u << "registro[" << static_cast<int64_t>(i) << "]";
      if (ultima > i) u << " to [" << static_cast<int64_t>(ultima) << "]";
      u << ": " << uso << ", empty\n";
      i = ultima;
      continue;
    }
    const auto leggi = [&](CampoVoce campo) { return leggi_voce(registro[i], usi[i], campo); };
    if (json) {
      u << separatore << "{\"index\":" << static_cast<int64_t>(i)
        << ",\"use\":" << stringa_json(uso) << ",\"fields\":" << json_campi(registro[i], leggi)
        << "}";
      separatore = ",";
    } else {
      u << "registro[" << static_cast<int64_t>(i) << "]: " << uso << "\n";
      testo_campi(registro[i], leggi, u);
    }
  }
  if (json) u << "]}\n";
}

// --- The plan view ---------------------------------------------------------

std::string_view nome_etichetta(EtichettaPunto etichetta) {
  return descrizione_etichetta(etichetta).nome;
}

// A run of points whose x and y values carry the same pair of tags.
struct TrattoEtichette {
  int32_t da = 0;
  int32_t a = 0;
  EtichettaPunto x = EtichettaPunto::kVuoto;
  EtichettaPunto y = EtichettaPunto::kVuoto;
};

struct Estensione {
  bool vuota = true;
  double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
  void aggiungi(double x, double y) {
    if (vuota) {
      *this = {false, x, x, y, y};
      return;
    }
    min_x = std::min(min_x, x);
    max_x = std::max(max_x, x);
    min_y = std::min(min_y, y);
    max_y = std::max(max_y, y);
  }
};

std::string descrivi_tratto(const TrattoEtichette& t) {
  std::string testo = t.da == t.a ? "point " + std::to_string(t.da)
                                  : "points " + std::to_string(t.da) + "-" + std::to_string(t.a);
  testo += " ";
  if (t.x == t.y) {
    testo += nome_etichetta(t.x);
  } else {
    testo += "x " + std::string(nome_etichetta(t.x)) + " / y " + std::string(nome_etichetta(t.y));
  }
  return testo;
}

Json json_tratto(const TrattoEtichette& t) {
  return {{"from", t.da}, {"to", t.a}, {"x", nome_etichetta(t.x)}, {"y", nome_etichetta(t.y)}};
}

// A value of the plan view as JSON: null when empty, a string for what JSON
// cannot hold (infinities, not-a-number), else the shortest number that
// reads back the same. Written by hand: a listing has a million of them.
std::string json_valore(const ValoreTracciato& v) {
  if (v.etichetta == EtichettaPunto::kVuoto) return "null";
  if (!std::isfinite(v.valore)) return "\"" + numero_esatto(v.valore) + "\"";
  return numero_esatto(v.valore);
}

std::string testo_valore(const ValoreTracciato& v) {
  return v.etichetta == EtichettaPunto::kVuoto ? "empty" : numero_esatto(v.valore) + " m";
}

void dump_linea(const VistaLinea& vista, size_t dimensione, const Intervallo& intervallo,
                int32_t passo_punti, bool json, Uscita& u) {
  const int32_t n = vista.ultimo_punto();
  const int32_t primo = static_cast<int32_t>(std::clamp<int64_t>(intervallo.da, 0, n + 1));
  const int32_t ultimo = static_cast<int32_t>(std::clamp<int64_t>(intervallo.a, -1, n));
  if (json) {
    Json testa;
    testa["kind"] = "line";
    testa["bytes"] = dimensione;
    testa["lunghezza_tracciato"] = n;
    testa["route_length"] = n - kMargineTracciato;
    testa["from"] = intervallo.json_da();
    testa["to"] = intervallo.json_a();
    apri_json(testa, "tags", u);
  } else {
    u << "compiled line: plan view of points 0 to " << int64_t{n} << " (route length "
      << int64_t{n} - kMargineTracciato << " m), " << static_cast<int64_t>(dimensione)
      << " bytes\n";
    if (intervallo.limitato()) {
      u << "points" << intervallo.testo() << " (" << int64_t{primo} << " to " << int64_t{ultimo}
        << ")\n";
    }
    u << "tags:";
  }

  // The runs of tags and the extent, in one pass over the points shown; the
  // runs are written as they end.
  const char* separatore = json ? "" : " ";
  const auto chiudi_tratto = [&](const TrattoEtichette& t) {
    if (json) {
      u << separatore << json_tratto(t);
      separatore = ",";
    } else {
      u << separatore << descrivi_tratto(t);
      separatore = ", ";
    }
  };
  Estensione estensione;
  std::optional<TrattoEtichette> tratto;
  VistaLinea::Serie serie_x = vista.serie_x();
  VistaLinea::Serie serie_y = vista.serie_y();
  for (int32_t m = 0; m <= ultimo; ++m) {
    const ValoreTracciato x = serie_x.prossimo();
    const ValoreTracciato y = serie_y.prossimo();
    if (m < primo) continue;
    if (tratto && tratto->x == x.etichetta && tratto->y == y.etichetta) {
      tratto->a = m;
    } else {
      if (tratto) chiudi_tratto(*tratto);
      tratto = TrattoEtichette{m, m, x.etichetta, y.etichetta};
    }
    if (x.etichetta != EtichettaPunto::kVuoto && y.etichetta != EtichettaPunto::kVuoto) {
      estensione.aggiungi(x.valore, y.valore);
    }
  }
  if (tratto) chiudi_tratto(*tratto);

  if (json) {
    u << "],\"extent\":";
    if (estensione.vuota) {
      u << "null";
    } else {
      u << Json{{"min_x", estensione.min_x},
                {"max_x", estensione.max_x},
                {"min_y", estensione.min_y},
                {"max_y", estensione.max_y}};
    }
  } else {
    u << "\n";
    if (estensione.vuota) {
      u << "extent: no point holds a value\n";
    } else {
      u << "extent: x " << numero_esatto(estensione.min_x) << " to "
        << numero_esatto(estensione.max_x) << " m, y " << numero_esatto(estensione.min_y) << " to "
        << numero_esatto(estensione.max_y) << " m\n";
    }
  }

  if (passo_punti > 0) {
    if (json) u << ",\"points\":[";
    separatore = "";
    serie_x = vista.serie_x();
    serie_y = vista.serie_y();
    for (int32_t m = 0; m <= ultimo; ++m) {
      const ValoreTracciato x = serie_x.prossimo();
      const ValoreTracciato y = serie_y.prossimo();
      if (m < primo || (m - primo) % passo_punti != 0) continue;
      if (json) {
        u << separatore << "{\"m\":" << int64_t{m} << ",\"x\":" << json_valore(x)
          << ",\"y\":" << json_valore(y) << "}";
        separatore = ",";
      } else {
        u << "point " << int64_t{m} << ": x " << testo_valore(x) << ", y " << testo_valore(y)
          << "\n";
      }
    }
    if (json) u << "]";
  }
  if (json) u << "}\n";
}

// The file's bytes decoded and shown; a failure says why the file does not
// fit its layout.
Status mostra(TipoFileCompilato tipo, std::string_view byte, const OpzioniDump& opzioni,
              Uscita& u) {
  const Intervallo intervallo{opzioni.da, opzioni.a};
  switch (tipo) {
    case TipoFileCompilato::kLinea: {
      VistaLinea vista;
      if (Status s = VistaLinea::apri(byte, &vista); !s.ok()) return s;
      dump_linea(vista, byte.size(), intervallo, opzioni.passo_punti, opzioni.json, u);
      return Status::OK();
    }
    case TipoFileCompilato::kScenario: {
      RegistroCompilato registro;
      if (Status s = decodifica_scenario(byte, &registro); !s.ok()) return s;
      dump_scenario(registro, byte.size(), intervallo, opzioni.json, u);
      return Status::OK();
    }
    case TipoFileCompilato::kPercorso: {
      std::vector<CellaPercorso> celle;
      if (Status s = decodifica_percorso(byte, &celle); !s.ok()) return s;
      dump_percorso(celle, byte.size(), intervallo, opzioni.json, u);
      return Status::OK();
    }
  }
  return Status::OK();
}

}  // namespace

std::string numero_esatto(double valore) {
  char testo[64];
  const auto fine = std::to_chars(testo, testo + sizeof testo, valore);
  return std::string(testo, fine.ptr);
}

int comando_dump(FileSystem& file_system, const OpzioniDump& opzioni, std::ostream& out,
                 std::ostream& err) {
  TipoFileCompilato tipo;
  if (opzioni.tipo) {
    tipo = *opzioni.tipo;
  } else if (!tipo_da_nome(opzioni.file, &tipo)) {
    err << "scenario-tool dump: cannot tell the kind of \"" << opzioni.file
        << "\" from its name (_linea.dat, .sim or .dat); give it with --kind line|scenario|grid\n";
    return kEsitoUso;
  }
  if (opzioni.da > opzioni.a) {
    err << "scenario-tool dump: --from " << opzioni.da << " lies after --to " << opzioni.a << "\n";
    return kEsitoUso;
  }
  // No file larger than the largest of its kind is read at all.
  std::string byte;
  const Status letto = file_system.ReadFileUpTo(opzioni.file, dimensione_massima(tipo), &byte);
  if (!letto.ok()) {
    err << "scenario-tool dump: " << letto.message() << "\n";
    return kEsitoFallito;
  }
  Uscita u(out);
  if (const Status decodificato = mostra(tipo, byte, opzioni, u); !decodificato.ok()) {
    err << "scenario-tool dump: \"" << opzioni.file << "\" is not a " << nome_file_compilato(tipo)
        << ": " << decodificato.message() << "\n";
    return kEsitoFallito;
  }
  return kEsitoRiuscito;
}

}  // namespace scenario
