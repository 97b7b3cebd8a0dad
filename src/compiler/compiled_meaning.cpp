#include "compiler/compiled_meaning.h"

#include <algorithm>

#include "base/windows_1252.h"

namespace scenario {
namespace {

using C = Conversione;
using S = SignificatoCampo;

constexpr S kNonUsato{};
constexpr S kVelocita{"speed", C::kNumero, "km/h"};
constexpr S kDV{"d_v of the slowdown record"};
constexpr S kFTT{"f_tt of the slowdown record"};

// A signal packs its figures pairwise, the left group's times 10 plus the
// right group's; a speed board packs each rank's two speeds.
constexpr SignificatoTipoCella kTipi[] = {
    {TipoCella::kBinario, "plain track", {}, {}, PosizioneRecord::kNessuna},
    {TipoCella::kSegnale,
     "signal",
     {{{"signal figures", C::kCoppia10, "", {"s1", "d1"}},
       {"signal figures", C::kCoppia10, "", {"s2", "d2"}},
       {"signal figures", C::kCoppia10, "", {"s3", "d3"}},
       {"signal figures", C::kCoppia10, "", {"rapp", "sx*3+dx"}}}},
     {"signal time"},
     PosizioneRecord::kCellaPrima},
    {TipoCella::kFineRallentamento,
     "slowdown end",
     {{kVelocita, kDV, kFTT, kNonUsato}},
     {},
     PosizioneRecord::kCellaPrima},
    {TipoCella::kInizioRallentamento,
     "slowdown start",
     {{kVelocita, kDV, kFTT, kNonUsato}},
     {},
     PosizioneRecord::kCellaPrima},
    {TipoCella::kAvvisoRallentamento,
     "slowdown warning board",
     {{kVelocita, kDV, kNonUsato, kNonUsato}},
     {},
     PosizioneRecord::kCellaPrima},
    {TipoCella::kPreavvisoRallentamento,
     "cell before a slowdown warning board",
     {{{"cells to the warning board"},
       {"cells to the warning board (when d_v is set)"},
       kNonUsato,
       kNonUsato}},
     {},
     PosizioneRecord::kNessuna},
    {TipoCella::kIndicatoreVMax,
     "speed board",
     {{{"rank A speeds", C::kCoppia20, "km/h", {"s", "d"}},
       {"rank B speeds", C::kCoppia20, "km/h", {"s", "d"}},
       {"rank C speeds", C::kCoppia20, "km/h", {"s", "d"}},
       {"stripes", C::kCoppia10, "", {"strisces", "strisced"}}}},
     {},
     PosizioneRecord::kCellaPrima},
    {TipoCella::kFermata,
     "station stop point",
     {{{"the station's registro entry"}, kNonUsato, kNonUsato, kNonUsato}},
     {},
     PosizioneRecord::kNessuna},
    {TipoCella::kMarcaMontagna, "mountain marker", {}, {}, PosizioneRecord::kNessuna},
    {TipoCella::kAbbattimentoConValore,
     "code-cut point with a value",
     {{{"code-cut value"}, kNonUsato, kNonUsato, kNonUsato}},
     {},
     PosizioneRecord::kCella},
    {TipoCella::kAbbattimentoSenzaValore,
     "code-cut point without a value",
     {},
     {},
     PosizioneRecord::kCella},
    {TipoCella::kCartelloIndicatore,
     "lettered board",
     {{{"the board's registro entry"}, kNonUsato, kNonUsato, kNonUsato}},
     {},
     PosizioneRecord::kCellaPrima},
};

constexpr S kStazione[16] = {
    {"station kind"},
    {"start of the station area", C::kNumero, "m"},
    {"end of the station area", C::kNumero, "m"},
    {"station position", C::kNumero, "m"},
    {"group A, first flag"},
    {"station name", C::kTesto},
    {"group B, first value"},
    {"group B, second value"},
    {"group C, first value"},
    {"group C, second value"},
    {"group C, third value"},
    {"group B, third value"},
    {"stop time", C::kNumero, "s"},
    {"group A, third flag (the station area ends 50 m later)"},
    {"group A, second flag"},
    {"scheduled time", C::kOrario},
};

constexpr S kCartello[16] = {
    {}, {}, {}, {}, {}, {"lettering", C::kTesto}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {},
};

constexpr S kProgressiva[16] = {
    {},
    {"first position", C::kNumero, "m"},
    {"second position (100 m more when the flag is 1)", C::kNumero, "m"},
    {"flag"},
};

constexpr S kTrenoPercorso[16] = {
    {},
    {"braked-mass percentage", C::kNumero, "%"},
    {"route length", C::kNumero, "m"},
    {"number of cars"},
};

constexpr S kLinea[16] = {
    {},
    {"backdrop uno"},
    {"backdrop tre"},
    {"backdrop due"},
    {},
    {"line name", C::kTesto},
    {"the compile step's stamp"},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {"st competition code"},
};

constexpr S kTreno[16] = {
    {},
    {"cab-signal repetition, first position", C::kNumero, "m"},
    {"cab-signal repetition, second position", C::kNumero, "m"},
    {"cab-signal code system (4 or 9; 0 = off)"},
    {},
    {"train number", C::kTesto},
    {"sand"},
    {},
    {"clock at the start, hours", C::kNumero, "h"},
    {"clock at the start, minutes", C::kNumero, "min"},
    {"clock at the start, seconds", C::kNumero, "s"},
};

template <size_t... kIndice>
constexpr std::array<S, 16> tabella(const S (&campi)[16], std::index_sequence<kIndice...>) {
  return {{campi[kIndice]...}};
}
constexpr std::array<S, 16> tabella(const S (&campi)[16]) {
  return tabella(campi, std::make_index_sequence<16>());
}

const SignificatoUsoVoce kUsi[] = {
    {UsoVoce::kNessuno, "unused", {}},
    {UsoVoce::kStazione, "station", tabella(kStazione)},
    {UsoVoce::kCartello, "lettered board", tabella(kCartello)},
    {UsoVoce::kProgressiva, "kilometre reference", tabella(kProgressiva)},
    {UsoVoce::kTrenoPercorso, "train and route", tabella(kTrenoPercorso)},
    {UsoVoce::kLinea, "line", tabella(kLinea)},
    {UsoVoce::kTreno, "train", tabella(kTreno)},
};

const SignificatoTipoCella* tipo_cella(TipoCella tipo) {
  for (const SignificatoTipoCella& t : kTipi) {
    if (t.tipo == tipo) return &t;
  }
  return nullptr;
}

template <typename Record, typename Campo>
int64_t numero_di(const Record& record, Campo campo) {
  int64_t numero = 0;
  visita_campi(record, [&](Campo c, const auto& valore) {
    if constexpr (tipo_disco<std::remove_cvref_t<decltype(valore)>>() != TipoDisco::kTesto) {
      if (c == campo) numero = numero_campo(valore);
    }
  });
  return numero;
}

// A stored number read by what the field holds.
Lettura leggi(const SignificatoCampo& s, int64_t numero) {
  Lettura l;
  l.significato = s.significato;
  l.unita = s.unita;
  if (s.significato.empty()) return l;
  switch (s.conversione) {
    case C::kNumero:
      l.forma = Lettura::Forma::kNumero;
      l.numero = numero;
      break;
    case C::kPer5:
      l.forma = Lettura::Forma::kNumero;
      l.numero = numero * 5;
      break;
    case C::kMeno100:
      l.forma = Lettura::Forma::kNumero;
      l.numero = numero - 100;
      break;
    case C::kOrario:
      if (numero < 0) {
        l.forma = Lettura::Forma::kNumero;
        l.numero = numero;
        l.unita = "s";
      } else {
        l.forma = Lettura::Forma::kOrario;
        l.testo = orario_leggibile(numero);
      }
      break;
    case C::kCoppia10:
      l.forma = Lettura::Forma::kParti;
      l.parti = {{{s.parti[0], numero / 10}, {s.parti[1], numero % 10}}};
      break;
    case C::kCoppia20:
      l.forma = Lettura::Forma::kParti;
      l.parti = {{{s.parti[0], numero / 20}, {s.parti[1], numero % 20 * 5}}};
      break;
    case C::kTipoCella:
      l.forma = Lettura::Forma::kNome;
      l.testo = nome_tipo_cella(static_cast<TipoCella>(numero));
      break;
    case C::kTesto:
      l.forma = Lettura::Forma::kTesto;
      break;
  }
  return l;
}

// An approach mark: 81 to 84 on the four cells before a station's stop
// point, and (sx × 3 + dx) × 10 + k on the cell 100 × k m before a signal.
Lettura leggi_avviso(std::span<const CellaPercorso> celle, size_t indice, int64_t avviso) {
  Lettura l;
  l.unita = "m";
  const int64_t davanti = avviso - 80;
  if (davanti >= 1 && davanti <= 4 && indice + static_cast<size_t>(davanti) < celle.size() &&
      celle[indice + static_cast<size_t>(davanti)].tipo == TipoCella::kFermata) {
    l.forma = Lettura::Forma::kNumero;
    l.significato = "station approach, distance to the stop point";
    l.numero = davanti * 50;
  } else if (avviso % 10 >= 1 && avviso % 10 <= 4) {
    l.forma = Lettura::Forma::kParti;
    l.significato = "signal approach";
    l.parti = {{{"sx*3+dx", avviso / 10}, {"distance to the signal", avviso % 10 * 100}}};
  } else {
    l.forma = Lettura::Forma::kNumero;
    l.significato = "approach mark";
    l.unita = "";
    l.numero = avviso;
  }
  return l;
}

}  // namespace

std::span<const SignificatoTipoCella> tipi_cella() { return kTipi; }

std::string_view nome_tipo_cella(TipoCella tipo) {
  const SignificatoTipoCella* t = tipo_cella(tipo);
  return t != nullptr ? t->nome : "unknown kind";
}

SignificatoCampo significato_fisso(CampoCella campo) {
  switch (campo) {
    case CampoCella::kTipo:
      return {"kind", C::kTipoCella};
    case CampoCella::kAvviso:
      return {"approach mark"};
    case CampoCella::kMontagna:
      return {"mountain-stretch kind (0 = open air)"};
    case CampoCella::kVelocitaMax:
      return {"speed limit", C::kPer5, "km/h"};
    case CampoCella::kPendenza:
      return {"gradient", C::kMeno100, "\u2030"};
    case CampoCella::kAderenza:
      return {"adhesion"};
    default:
      return {};
  }
}

std::span<const SignificatoUsoVoce> usi_voce() { return kUsi; }

const SignificatoUsoVoce& significato_uso(UsoVoce uso) { return kUsi[static_cast<size_t>(uso)]; }

std::array<UsoVoce, kVociRegistro> usi_voci(const RegistroCompilato& registro) {
  const auto con_numeri = [](const VoceRegistro& voce) {
    bool numeri = false;
    visita_campi(voce, [&](CampoVoce, const auto& valore) {
      if constexpr (tipo_disco<std::remove_cvref_t<decltype(valore)>>() != TipoDisco::kTesto) {
        numeri = numeri || numero_campo(valore) != 0;
      }
    });
    return numeri;
  };
  size_t ultima_stazione = 0;
  for (size_t i = 1; i <= static_cast<size_t>(kPrimoCartello); ++i) {
    if (con_numeri(registro[i])) ultima_stazione = i;
  }
  std::array<UsoVoce, kVociRegistro> usi{};
  for (size_t i = 1; i <= static_cast<size_t>(kPrimoCartello); ++i) {
    if (registro[i] == VoceRegistro{}) continue;
    usi[i] = i <= ultima_stazione ? UsoVoce::kStazione : UsoVoce::kCartello;
  }
  usi[kVoceProgressivaTre] = usi[kVoceProgressivaDue] = usi[kVoceProgressivaUno] =
      UsoVoce::kProgressiva;
  usi[kVoceTrenoPercorso] = UsoVoce::kTrenoPercorso;
  usi[kVoceLinea] = UsoVoce::kLinea;
  usi[kVoceTreno] = UsoVoce::kTreno;
  return usi;
}

Lettura leggi_cella(std::span<const CellaPercorso> celle, size_t indice, CampoCella campo) {
  const CellaPercorso& cella = celle[indice];
  const int64_t numero = numero_di(cella, campo);
  const SignificatoTipoCella* tipo = tipo_cella(cella.tipo);
  switch (campo) {
    case CampoCella::kValore1:
    case CampoCella::kValore2:
    case CampoCella::kValore3:
    case CampoCella::kValore4: {
      if (indice == kCellaTimbri && campo == CampoCella::kValore1)
        return leggi(kTimbroCella, numero);
      if (indice == kCellaTimbri && campo == CampoCella::kValore2) return leggi(kCodiceOg, numero);
      if (tipo == nullptr) return leggi(kNonUsato, numero);
      const size_t n = static_cast<size_t>(campo) - static_cast<size_t>(CampoCella::kValore1);
      return leggi(tipo->valori[n], numero);
    }
    case CampoCella::kTempoSegnale:
      return leggi(tipo != nullptr ? tipo->tempo_segnale : kNonUsato, numero);
    case CampoCella::kAvviso:
      return leggi_avviso(celle, indice, numero);
    case CampoCella::kTipo: {
      Lettura l = leggi(significato_fisso(campo), numero);
      if (tipo != nullptr && tipo->posizione != PosizioneRecord::kNessuna) {
        const int64_t cella_record = static_cast<int64_t>(indice) -
                                     (tipo->posizione == PosizioneRecord::kCellaPrima ? 1 : 0);
        l.testo += ", record at " + std::to_string(cella_record * 50) + " m";
      }
      return l;
    }
    default:
      return leggi(significato_fisso(campo), numero);
  }
}

Lettura leggi_voce(const VoceRegistro& voce, UsoVoce uso, CampoVoce campo) {
  const SignificatoCampo& s = significato_uso(uso).campi[static_cast<size_t>(campo)];
  Lettura l = leggi(s, numero_di(voce, campo));
  if (l.forma == Lettura::Forma::kTesto) l.testo = windows_1252_a_utf8(voce.nome);
  return l;
}

std::string testo_lettura(const Lettura& l) {
  std::string testo(l.significato);
  const std::string unita = l.unita.empty() ? "" : " " + std::string(l.unita);
  switch (l.forma) {
    case Lettura::Forma::kInutilizzato:
      return "not used here";
    case Lettura::Forma::kNumero:
      return testo + " " + std::to_string(l.numero) + unita;
    case Lettura::Forma::kParti:
      return testo + ": " + std::string(l.parti[0].nome) + " " + std::to_string(l.parti[0].valore) +
             ", " + std::string(l.parti[1].nome) + " " + std::to_string(l.parti[1].valore) + unita;
    case Lettura::Forma::kNome:
      return l.testo;
    case Lettura::Forma::kOrario:
      return testo + " " + l.testo;
    case Lettura::Forma::kTesto:
      return testo + " \"" + l.testo + "\"";
  }
  return testo;
}

std::string orario_leggibile(int64_t secondi) {
  const auto due_cifre = [](int64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
  return due_cifre(secondi / 3600) + ":" + due_cifre(secondi / 60 % 60) + ":" +
         due_cifre(secondi % 60);
}

}  // namespace scenario
