#include "dump_command.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/windows_1252.h"
#include "diagnostics.h"
#include "exit_codes.h"

namespace scenario {
namespace {

using nlohmann::json;

std::string_view nome_etichetta(EtichettaPunto etichetta) {
  switch (etichetta) {
    case EtichettaPunto::kVuoto:
      return "empty";
    case EtichettaPunto::kIntero16:
      return "int16";
    case EtichettaPunto::kReale64:
      return "float64";
  }
  return "?";
}

// A run of points whose x and y values carry the same pair of tags.
struct TrattoEtichette {
  int32_t da = 0;
  int32_t a = 0;
  EtichettaPunto x = EtichettaPunto::kVuoto;
  EtichettaPunto y = EtichettaPunto::kVuoto;
};

std::vector<TrattoEtichette> tratti_etichette(const LineaCompilata& linea) {
  std::vector<TrattoEtichette> tratti;
  for (int32_t m = 0; m <= linea.lunghezza_tracciato(); ++m) {
    const auto ex = linea.x[static_cast<size_t>(m)].etichetta;
    const auto ey = linea.y[static_cast<size_t>(m)].etichetta;
    if (!tratti.empty() && tratti.back().x == ex && tratti.back().y == ey) {
      tratti.back().a = m;
    } else {
      tratti.push_back({m, m, ex, ey});
    }
  }
  return tratti;
}

struct Estensione {
  bool vuota = true;
  double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
};

// The extent of the points that hold both coordinates.
Estensione estensione(const LineaCompilata& linea) {
  Estensione e;
  for (size_t m = 0; m < linea.x.size(); ++m) {
    if (linea.x[m].etichetta == EtichettaPunto::kVuoto ||
        linea.y[m].etichetta == EtichettaPunto::kVuoto)
      continue;
    const double x = linea.x[m].valore;
    const double y = linea.y[m].valore;
    if (e.vuota) {
      e = {false, x, x, y, y};
    } else {
      e.min_x = std::min(e.min_x, x);
      e.max_x = std::max(e.max_x, x);
      e.min_y = std::min(e.min_y, y);
      e.max_y = std::max(e.max_y, y);
    }
  }
  return e;
}

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

json json_valore(const ValoreTracciato& v) {
  if (v.etichetta == EtichettaPunto::kVuoto) return nullptr;
  if (!std::isfinite(v.valore)) return numero_esatto(v.valore);  // JSON has no infinities
  return v.valore;
}

std::string orario_leggibile(int32_t secondi) {
  if (secondi < 0) return "";
  char testo[32];
  std::snprintf(testo, sizeof testo, "%02d:%02d:%02d", secondi / 3600, secondi / 60 % 60,
                secondi % 60);
  return testo;
}

bool voce_vuota(const VoceRegistro& v) {
  return v.tipo == 0 && v.inizio == 0 && v.fine == 0 && v.progressiva == 0 && v.campo_4 == 0 &&
         v.nome.empty() && v.campo_7 == 0 && v.campo_8 == 0 && v.campo_10 == 0 && v.campo_11 == 0 &&
         v.campo_12 == 0 && v.campo_9 == 0 && v.campo_13 == 0 && v.campo_6 == 0 && v.campo_5 == 0 &&
         v.orario == 0;
}

// What an entry of the record table holds, by its index.
std::string ruolo_voce(size_t indice) {
  switch (indice) {
    case 0:
      return "unused";
    case kVoceProgressivaTre:
    case kVoceProgressivaDue:
    case kVoceProgressivaUno:
      return "kilometre reference";
    case kVoceTrenoPercorso:
      return "braked mass, route length, cars";
    case kVoceLinea:
      return "line: backdrops, name, stamps";
    case kVoceTreno:
      return "train: cab signals, number, sand, clock";
    default:
      return "station or lettered board";
  }
}

// The fields of one cell in their order on disk.
struct CampoCella {
  const char* nome;
  int32_t valore;
};

std::vector<CampoCella> campi_cella(const CellaPercorso& c) {
  return {{"tipo", static_cast<int32_t>(c.tipo)},
          {"valore_1", c.valore_1},
          {"valore_2", c.valore_2},
          {"valore_3", c.valore_3},
          {"valore_4", c.valore_4},
          {"tempo_segnale", c.tempo_segnale},
          {"avviso", c.avviso},
          {"montagna", c.montagna},
          {"velocita_max", c.velocita_max},
          {"pendenza", c.pendenza},
          {"aderenza", c.aderenza}};
}

bool cella_vuota(const CellaPercorso& c) {
  for (const CampoCella& campo : campi_cella(c)) {
    if (campo.valore != 0) return false;
  }
  return true;
}

}  // namespace

std::string numero_esatto(double valore) {
  char testo[64];
  const auto fine = std::to_chars(testo, testo + sizeof testo, valore);
  return std::string(testo, fine.ptr);
}

std::string testo_linea_compilata(const LineaCompilata& linea, size_t dimensione,
                                  int32_t passo_punti) {
  std::ostringstream out;
  const int32_t n = linea.lunghezza_tracciato();
  out << "compiled line: plan view of points 0 to " << n << " (route length "
      << n - kMargineTracciato << " m), " << dimensione << " bytes\n";
  out << "tags:";
  const char* separatore = " ";
  for (const TrattoEtichette& t : tratti_etichette(linea)) {
    out << separatore << descrivi_tratto(t);
    separatore = ", ";
  }
  out << "\n";
  const Estensione e = estensione(linea);
  if (e.vuota) {
    out << "extent: no point holds a value\n";
  } else {
    out << "extent: x " << numero_esatto(e.min_x) << " to " << numero_esatto(e.max_x) << " m, y "
        << numero_esatto(e.min_y) << " to " << numero_esatto(e.max_y) << " m\n";
  }
  if (passo_punti > 0) {
    for (int32_t m = 0; m <= n; m += passo_punti) {
      const ValoreTracciato& x = linea.x[static_cast<size_t>(m)];
      const ValoreTracciato& y = linea.y[static_cast<size_t>(m)];
      out << "point " << m << ": x "
          << (x.etichetta == EtichettaPunto::kVuoto ? "empty" : numero_esatto(x.valore)) << ", y "
          << (y.etichetta == EtichettaPunto::kVuoto ? "empty" : numero_esatto(y.valore)) << "\n";
    }
  }
  return out.str();
}

json json_linea_compilata(const LineaCompilata& linea, size_t dimensione, int32_t passo_punti) {
  json j;
  j["kind"] = "line";
  j["bytes"] = dimensione;
  j["lunghezza_tracciato"] = linea.lunghezza_tracciato();
  j["route_length"] = linea.lunghezza_tracciato() - kMargineTracciato;
  json tags = json::array();
  for (const TrattoEtichette& t : tratti_etichette(linea)) {
    tags.push_back(
        {{"from", t.da}, {"to", t.a}, {"x", nome_etichetta(t.x)}, {"y", nome_etichetta(t.y)}});
  }
  j["tags"] = tags;
  const Estensione e = estensione(linea);
  if (e.vuota) {
    j["extent"] = nullptr;
  } else {
    j["extent"] = {{"min_x", e.min_x}, {"max_x", e.max_x}, {"min_y", e.min_y}, {"max_y", e.max_y}};
  }
  if (passo_punti > 0) {
    json punti = json::array();
    for (int32_t m = 0; m <= linea.lunghezza_tracciato(); m += passo_punti) {
      punti.push_back({{"m", m},
                       {"x", json_valore(linea.x[static_cast<size_t>(m)])},
                       {"y", json_valore(linea.y[static_cast<size_t>(m)])}});
    }
    j["points"] = punti;
  }
  return j;
}

std::string testo_scenario_compilato(const RegistroCompilato& registro, size_t dimensione) {
  std::ostringstream out;
  out << "compiled train scenario: " << registro.size() << " registro entries, " << dimensione
      << " bytes\n";
  for (size_t i = 0; i < registro.size(); ++i) {
    const VoceRegistro& v = registro[i];
    out << "registro[" << i << "] (" << ruolo_voce(i) << ")";
    if (voce_vuota(v)) {
      out << ": empty\n";
      continue;
    }
    out << ": tipo " << int{v.tipo} << ", inizio " << v.inizio << ", fine " << v.fine
        << ", progressiva " << v.progressiva << ", campo_4 " << int{v.campo_4} << ", nome \""
        << windows_1252_a_utf8(v.nome) << "\", campo_7 " << v.campo_7 << ", campo_8 " << v.campo_8
        << ", campo_10 " << v.campo_10 << ", campo_11 " << v.campo_11 << ", campo_12 " << v.campo_12
        << ", campo_9 " << int{v.campo_9} << ", campo_13 " << int{v.campo_13} << ", campo_6 "
        << int{v.campo_6} << ", campo_5 " << int{v.campo_5} << ", orario " << v.orario;
    if (v.orario > 0 && i != kVoceLinea) out << " (" << orario_leggibile(v.orario) << ")";
    out << "\n";
  }
  return out.str();
}

json json_scenario_compilato(const RegistroCompilato& registro, size_t dimensione) {
  json voci = json::array();
  for (size_t i = 0; i < registro.size(); ++i) {
    const VoceRegistro& v = registro[i];
    voci.push_back({{"indice", i},
                    {"tipo", v.tipo},
                    {"inizio", v.inizio},
                    {"fine", v.fine},
                    {"progressiva", v.progressiva},
                    {"campo_4", v.campo_4},
                    {"nome", windows_1252_a_utf8(v.nome)},
                    {"campo_7", v.campo_7},
                    {"campo_8", v.campo_8},
                    {"campo_10", v.campo_10},
                    {"campo_11", v.campo_11},
                    {"campo_12", v.campo_12},
                    {"campo_9", v.campo_9},
                    {"campo_13", v.campo_13},
                    {"campo_6", v.campo_6},
                    {"campo_5", v.campo_5},
                    {"orario", v.orario}});
  }
  return {{"kind", "scenario"}, {"bytes", dimensione}, {"registro", voci}};
}

std::string testo_percorso_compilato(const std::vector<CellaPercorso>& celle, size_t dimensione) {
  std::ostringstream out;
  out << "compiled route grid: " << celle.size() << " cells (ultima_cella " << celle.size() - 1
      << "), " << dimensione << " bytes; cells whose fields are all 0 are left out\n";
  for (size_t i = 0; i < celle.size(); ++i) {
    const CellaPercorso& c = celle[i];
    if (cella_vuota(c)) continue;
    out << "cell " << i << " (" << i * 50 << " m)";
    if (c.tipo != TipoCella::kBinario) out << " " << nome_tipo_cella(c.tipo);
    const char* separatore = ": ";
    for (const CampoCella& campo : campi_cella(c)) {
      if (campo.valore == 0) continue;
      out << separatore << campo.nome << " " << campo.valore;
      separatore = ", ";
    }
    out << "\n";
  }
  return out.str();
}

json json_percorso_compilato(const std::vector<CellaPercorso>& celle, size_t dimensione) {
  json lista = json::array();
  for (size_t i = 0; i < celle.size(); ++i) {
    const CellaPercorso& c = celle[i];
    if (cella_vuota(c)) continue;
    json cella = {{"indice", i}, {"posizione", i * 50}};
    for (const CampoCella& campo : campi_cella(c)) cella[campo.nome] = campo.valore;
    lista.push_back(cella);
  }
  return {{"kind", "grid"},
          {"bytes", dimensione},
          {"ultima_cella", celle.size() - 1},
          {"cells", lista}};
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
  std::string byte;
  if (const Status letto = file_system.ReadFile(opzioni.file, &byte); !letto.ok()) {
    err << "scenario-tool dump: " << letto.message() << "\n";
    return kEsitoFallito;
  }
  Status decodificato;
  json j;
  std::string testo;
  switch (tipo) {
    case TipoFileCompilato::kLinea: {
      LineaCompilata linea;
      decodificato = decodifica_linea(byte, &linea);
      if (!decodificato.ok()) break;
      if (opzioni.json) {
        j = json_linea_compilata(linea, byte.size(), opzioni.passo_punti);
      } else {
        testo = testo_linea_compilata(linea, byte.size(), opzioni.passo_punti);
      }
      break;
    }
    case TipoFileCompilato::kScenario: {
      RegistroCompilato registro;
      decodificato = decodifica_scenario(byte, &registro);
      if (!decodificato.ok()) break;
      if (opzioni.json) {
        j = json_scenario_compilato(registro, byte.size());
      } else {
        testo = testo_scenario_compilato(registro, byte.size());
      }
      break;
    }
    case TipoFileCompilato::kPercorso: {
      std::vector<CellaPercorso> celle;
      decodificato = decodifica_percorso(byte, &celle);
      if (!decodificato.ok()) break;
      if (opzioni.json) {
        j = json_percorso_compilato(celle, byte.size());
      } else {
        testo = testo_percorso_compilato(celle, byte.size());
      }
      break;
    }
  }
  if (!decodificato.ok()) {
    const char* nomi[] = {"compiled line", "compiled train scenario", "compiled route grid"};
    err << "scenario-tool dump: \"" << opzioni.file << "\" is not a "
        << nomi[static_cast<int>(tipo)] << ": " << decodificato.message() << "\n";
    return kEsitoFallito;
  }
  if (opzioni.json) {
    out << j.dump(-1, ' ', false, json::error_handler_t::replace) << "\n";
  } else {
    out << testo;
  }
  return kEsitoRiuscito;
}

}  // namespace scenario
