#include "reader/train_reader.h"

#include <limits>

#include "base/rounding.h"
#include "reader/storers.h"

// Limits the train text's content could push past, and what the reader does
// there (no table is ever written outside its bounds):
//   - Speed limit and adhesion before the first record of their list: the
//     first record's value holds from cell 0 as well, so that no cell before
//     it is left with a limit of 0 km/h or no adhesion. (The lists of a
//     valid text start at 0, where this changes nothing.)
//   - Speed-limit and adhesion records closer together than one cell near the
//     grid's end push the fill index past `ultima_cella`: the fill goes on
//     counting but writes no cell beyond the grid.
//   - A code-cut point whose cell falls before cell 0 (a position below
//     -25 m) lies outside the grid: error 15, as beyond its end.
//   - A station of a kind below 25 whose stop point would lie beyond the grid
//     (a length that carries its end past the grid) is refused with error 15
//     and its position, like a station whose position lies beyond the grid:
//     the train section ends and its closing fills run. Its approach marks
//     and stop point are not written; its entry keeps the fields read, as
//     with every refused station. A station of kind 25 or above marks no cell
//     and is accepted whatever its length.
//   - A station extent or a time of day that does not fit a 32-bit integer
//     is a reading failure (error 25), as any arithmetic overflow.
//   - Stations take entries 1 upward and stop (error 10) one entry short of
//     the next lettered board's entry. Without boards a timetable holds at
//     most 78 stations: the 79th is written into entry 79 and then refused,
//     and entry 80 never holds a station. When the line text stored 80
//     boards, entry 1 is a board's: the first station is refused with error
//     10 before anything of it is written.

namespace scenario {
namespace {

// The fields a code is about, by their index in the record's list.
constexpr CampoErrore kCampoLunghezzaStazione{3};
constexpr CampoErrore kCampoLunghezzaRallentamento{3};  // `l`
constexpr CampoErrore kCampoPreavviso{5};               // `f_ta`
constexpr CampoErrore kCampoLimite{2};                  // a speed-limit record's limit

// A slowdown's refusal is about its start, but for the end cell (its length)
// and the cells before the warning board (asked for by `f_ta`).
CampoErrore campo_del_rifiuto(int32_t codice) {
  if (codice == kErroreFineRallentamentoOccupato) return kCampoLunghezzaRallentamento;
  if (codice == kErrorePreavvisoOccupato) return kCampoPreavviso;
  return kPrimoCampo;
}

// Working state of the train section.
struct StatoTreno {
  int32_t s = 1;               // the record-table entry of the next station
  int32_t e = kPrimoCartello;  // the entry the next lettered board would have taken
  int64_t kv = 0;              // the next cell whose speed limit is still to be written
  int64_t ka = 0;              // the next cell whose adhesion is still to be written
  int32_t w = 0;               // the speed limit in force, km/h
  int32_t a = 0;               // the adhesion in force
  bool w_letto = false;        // a speed-limit record has been read
  DiagnosticaLettura luogo_w;  // the field that gave `w`, for a limit too high to store
  bool a_letto = false;        // an adhesion record has been read
};

bool scrivi_velocita(LetturaSorgente& lettura, StatoTreno& stato) {
  if (!lettura.richiedi_griglia()) return false;
  Scenario& tabelle = lettura.tabelle();
  if (stato.kv <= tabelle.ultima_cella) {
    // Stored in units of 5 km/h, in one byte: a limit above 1277 km/h (or
    // below -2) does not fit and is a reading failure.
    const int64_t unita = arrotonda(stato.w / 5.0);
    if (unita < 0 || unita > 255) {
      lettura.guasto("the speed limit " + std::to_string(stato.w) +
                         " km/h does not fit a byte in units of 5 km/h",
                     stato.luogo_w, "does not fit a byte in units of 5 km/h (0 to 1277 km/h)");
      return false;
    }
    tabelle.percorso[static_cast<size_t>(stato.kv)].velocita_max = static_cast<uint8_t>(unita);
  }
  ++stato.kv;
  return true;
}

bool scrivi_aderenza(LetturaSorgente& lettura, StatoTreno& stato) {
  if (!lettura.richiedi_griglia()) return false;
  Scenario& tabelle = lettura.tabelle();
  if (stato.ka <= tabelle.ultima_cella) {
    tabelle.percorso[static_cast<size_t>(stato.ka)].aderenza = low8(stato.a);
  }
  ++stato.ka;
  return true;
}

// A speed limit holds from its own cell up to the cell before the next
// record's; the fill never writes the grid's last cell.
Esito velocita(LetturaSorgente& lettura, StatoTreno& stato) {
  int32_t posizione = 0;
  int32_t limite = 0;
  if (!(lettura.leggi(&posizione) && lettura.leggi(&limite))) return Esito::kGuasto;
  if (lettura.oltre_griglia(posizione, 100)) return lettura.oltre_griglia_registra(posizione);
  if (!stato.w_letto) {
    stato.w = limite;
    stato.luogo_w = lettura.luogo_campo(kCampoLimite);
  }
  stato.w_letto = true;
  const int64_t n = arrotonda(posizione / 50.0);
  if (n > 0) {
    do {
      if (stato.kv >= lettura.tabelle().ultima_cella) break;
      if (!scrivi_velocita(lettura, stato)) return Esito::kGuasto;
    } while (stato.kv < n);
  }
  stato.w = limite;
  stato.luogo_w = lettura.luogo_campo(kCampoLimite);
  return Esito::kProsegui;
}

Esito aderenza(LetturaSorgente& lettura, StatoTreno& stato) {
  int32_t posizione = 0;
  int32_t valore = 0;
  if (!(lettura.leggi(&posizione) && lettura.leggi(&valore))) return Esito::kGuasto;
  if (lettura.oltre_griglia(posizione, 100)) return lettura.oltre_griglia_registra(posizione);
  if (!stato.a_letto) stato.a = valore;
  stato.a_letto = true;
  const int64_t n = arrotonda(posizione / 50.0);
  if (n > 0) {
    do {
      if (!scrivi_aderenza(lettura, stato)) return Esito::kGuasto;
    } while (stato.ka < n);
  }
  stato.a = valore;
  return Esito::kProsegui;
}

Esito segnale(LetturaSorgente& lettura) {
  DatiSegnale dati;
  if (!(lettura.leggi(&dati.posizione) && lettura.leggi(&dati.sx) && lettura.leggi(&dati.s1) &&
        lettura.leggi(&dati.s2) && lettura.leggi(&dati.s3) && lettura.leggi(&dati.rapp) &&
        lettura.leggi(&dati.dx) && lettura.leggi(&dati.d1) && lettura.leggi(&dati.d2) &&
        lettura.leggi(&dati.d3) && lettura.leggi(&dati.tempo))) {
    return Esito::kGuasto;
  }
  if (lettura.oltre_griglia(dati.posizione, 100)) {
    return lettura.oltre_griglia_registra(dati.posizione);
  }
  if (!lettura.richiedi_griglia()) return Esito::kGuasto;
  if (const Rifiuto rifiuto = memo_segnale(lettura.tabelle(), dati)) {
    return lettura.termina(*rifiuto, dati.posizione, kPrimoCampo);
  }
  return Esito::kProsegui;
}

Esito rallentamento(LetturaSorgente& lettura) {
  DatiRallentamento dati;
  if (!(lettura.leggi(&dati.x) && lettura.leggi(&dati.v) && lettura.leggi(&dati.l) &&
        lettura.leggi(&dati.f_tt) && lettura.leggi(&dati.f_ta) && lettura.leggi(&dati.d_v))) {
    return Esito::kGuasto;
  }
  if (lettura.oltre_griglia(dati.x, 100)) return lettura.oltre_griglia_registra(dati.x);
  if (!lettura.richiedi_griglia()) return Esito::kGuasto;
  if (const Rifiuto rifiuto = memo_rallentamento(lettura.tabelle(), dati)) {
    return lettura.termina(*rifiuto, dati.x, campo_del_rifiuto(*rifiuto));
  }
  return Esito::kProsegui;
}

// A code-cut point goes into the cell that starts at its position, with its
// value (kind 12) or without one (kind 13, for a value of 0 or below).
Esito abbattimento(LetturaSorgente& lettura) {
  int32_t posizione = 0;
  int32_t valore = 0;
  if (!(lettura.leggi(&posizione) && lettura.leggi(&valore))) return Esito::kGuasto;
  if (lettura.oltre_griglia(posizione, 100)) return lettura.oltre_griglia_registra(posizione);
  // The position check keeps j at most `ultima_cella` - 2; only a negative
  // position can put it before the grid.
  const int64_t j = arrotonda(posizione / 50.0);
  if (j < 0) return lettura.oltre_griglia_registra(posizione);
  if (!lettura.richiedi_griglia()) return Esito::kGuasto;
  CellaPercorso& cella = lettura.tabelle().percorso[static_cast<size_t>(j)];
  if (!cella_libera(cella))
    return lettura.termina(kErroreAbbattimentoOccupato, posizione, kPrimoCampo);
  if (valore > 0) {
    cella.tipo = TipoCella::kAbbattimentoConValore;
    cella.valore_1 = low16(valore);
  } else {
    cella.tipo = TipoCella::kAbbattimentoSenzaValore;
  }
  return Esito::kProsegui;
}

bool in_int32(int64_t valore) {
  return valore >= std::numeric_limits<int32_t>::min() &&
         valore <= std::numeric_limits<int32_t>::max();
}

// A timetable station: its entry, its extent, and for kinds below 25 its
// stop point (kind 10 in the cell before the end of its area) and, but for
// kinds 5 and 6, the approach marks 81 to 84 in the four cells before that.
Esito stazione(LetturaSorgente& lettura, StatoTreno& stato) {
  Scenario& tabelle = lettura.tabelle();
  if (stato.s > stato.e) return lettura.termina(kErroreRegistroPieno);
  VoceRegistro& voce = tabelle.registro[static_cast<size_t>(stato.s)];

  int32_t posizione = 0;
  if (!lettura.leggi(&posizione)) return Esito::kGuasto;
  voce.progressiva = posizione;
  if (lettura.oltre_griglia(posizione, 800)) return lettura.oltre_griglia_registra(posizione);
  if (posizione % 50 != 0) {
    return lettura.termina(kErrorePosizioneStazione, posizione, kPrimoCampo);
  }

  int32_t lunghezza = 0;
  if (!(lettura.leggi(&voce.tipo) && lettura.leggi(&lunghezza))) return Esito::kGuasto;
  if (lunghezza % 100 != 0) {
    return lettura.termina(kErroreLunghezzaStazione, posizione, kCampoLunghezzaStazione);
  }

  int32_t ore = 0;
  int32_t minuti = 0;
  int32_t secondi = 0;
  if (!(lettura.leggi(&voce.campo_4) && lettura.leggi(&voce.campo_5) &&
        lettura.leggi(&voce.campo_6) && lettura.leggi(&voce.campo_7) &&
        lettura.leggi(&voce.campo_8) && lettura.leggi(&voce.campo_9) &&
        lettura.leggi(&voce.campo_10) && lettura.leggi(&voce.campo_11) &&
        lettura.leggi(&voce.campo_12) && lettura.leggi(&voce.campo_13) && lettura.leggi(&ore) &&
        lettura.leggi(&minuti) && lettura.leggi(&secondi) && lettura.leggi_testo(&voce.nome))) {
    return Esito::kGuasto;
  }
  const int64_t orario = (int64_t{ore} * 60 + minuti) * 60 + secondi;
  if (!in_int32(orario)) return lettura.guasto("the station's time of day overflows");
  voce.orario = static_cast<int32_t>(orario);

  // The station's area: a stop of kind 5 or 6 ends 150 m past its position,
  // kinds 7 and 8 reach a whole length either side, the others half a
  // length, with 50 m more at the end when its sixth field is set.
  int64_t inizio = 0;
  int64_t fine = 0;
  if (voce.tipo == 5 || voce.tipo == 6) {
    inizio = int64_t{posizione} - lunghezza;
    fine = int64_t{posizione} + 150;
    voce.campo_6 = 0;
  } else if (voce.tipo == 7 || voce.tipo == 8) {
    inizio = int64_t{posizione} - lunghezza;
    fine = int64_t{posizione} + lunghezza;
    voce.campo_6 = 0;
  } else {
    inizio = int64_t{posizione} - lunghezza / 2;
    fine = int64_t{posizione} + lunghezza / 2 + (voce.campo_6 != 0 ? 50 : 0);
  }
  if (!in_int32(inizio) || !in_int32(fine)) {
    return lettura.guasto("the station's area overflows");
  }
  voce.inizio = static_cast<int32_t>(inizio);
  voce.fine = static_cast<int32_t>(fine);

  if (lunghezza < 600) voce.campo_5 = 0;
  if (stato.s == 1) {
    tabelle.registro[1].campo_6 = 0;
    tabelle.registro[1].campo_5 = 0;
  }

  if (voce.tipo < 25) {
    const double fermata = voce.fine / 50.0 - 1;
    if (arrotonda(fermata) > tabelle.ultima_cella) return lettura.oltre_griglia_registra(posizione);
    if (!lettura.richiedi_griglia()) return Esito::kGuasto;
    if (voce.tipo != 5 && voce.tipo != 6) {
      for (int i = 1; i <= 4; ++i) {
        const double marca = voce.fine / 50.0 - i - 1;
        if (marca > 1) tabelle.percorso[static_cast<size_t>(arrotonda(marca))].avviso = 80 + i;
      }
    }
    if (fermata <= 1) return lettura.termina(kErroreFermataIniziale, kCampoLunghezzaStazione);
    CellaPercorso& cella = tabelle.percorso[static_cast<size_t>(arrotonda(fermata))];
    cella.tipo = TipoCella::kFermata;
    cella.valore_1 = low16(stato.s);
  }

  if (stato.s > 1 && inizio - 350 < tabelle.registro[static_cast<size_t>(stato.s - 1)].fine) {
    return lettura.termina(kErroreStazioniVicine, posizione, kPrimoCampo);
  }
  ++stato.s;
  if (stato.s >= stato.e) return lettura.termina(kErroreRegistroPieno);
  return Esito::kProsegui;
}

// One record of the train section: every test is made on the same token, in
// this order.
Esito record_treno(LetturaSorgente& lettura, StatoTreno& stato) {
  Scenario& tabelle = lettura.tabelle();
  Esito esito = Esito::kProsegui;
  if (lettura.record(TipoRecord::kMassaFrenata) &&
      !lettura.leggi(&tabelle.registro[kVoceTrenoPercorso].inizio)) {
    return Esito::kGuasto;
  }
  if (lettura.record(TipoRecord::kNumeroVetture) &&
      !lettura.leggi(&tabelle.registro[kVoceTrenoPercorso].progressiva)) {
    return Esito::kGuasto;
  }
  if (lettura.record(TipoRecord::kVelocita) &&
      (esito = velocita(lettura, stato)) != Esito::kProsegui) {
    return esito;
  }
  if (lettura.record(TipoRecord::kAderenza) &&
      (esito = aderenza(lettura, stato)) != Esito::kProsegui) {
    return esito;
  }
  if (lettura.record(TipoRecord::kOrologio)) {
    VoceRegistro& treno = tabelle.registro[kVoceTreno];
    if (!(lettura.leggi(&treno.campo_10) && lettura.leggi(&treno.campo_11) &&
          lettura.leggi(&treno.campo_12))) {
      return Esito::kGuasto;
    }
  }
  if (lettura.record(TipoRecord::kSabbia) &&
      !lettura.leggi(&tabelle.registro[kVoceTreno].campo_7)) {
    return Esito::kGuasto;
  }
  if (lettura.record(TipoRecord::kSegnale) && (esito = segnale(lettura)) != Esito::kProsegui) {
    return esito;
  }
  if (lettura.record(TipoRecord::kRallentamento) &&
      (esito = rallentamento(lettura)) != Esito::kProsegui) {
    return esito;
  }
  if (lettura.record(TipoRecord::kAbbattimento) &&
      (esito = abbattimento(lettura)) != Esito::kProsegui) {
    return esito;
  }
  if (lettura.record(TipoRecord::kStazione)) return stazione(lettura, stato);
  return Esito::kProsegui;
}

// The train section, up to the end of the text or a record beyond the grid.
Esito leggi_sezione_treno(LetturaSorgente& lettura, StatoTreno& stato) {
  return lettura.leggi_sezione([&] { return record_treno(lettura, stato); });
}

}  // namespace

Esito leggi_testo_treno(LetturaSorgente& lettura, const std::string& nome, int32_t cartello_libero,
                        const std::string& testo_linea) {
  Scenario& tabelle = lettura.tabelle();
  if (!lettura.apri(nome)) return Esito::kGuasto;
  // Everything before "[generale]" is passed over; a text without it (an
  // empty one included) simply holds no train records.
  while (!lettura.fine_file()) {
    if (!lettura.leggi_token()) return Esito::kGuasto;
    if (lettura.contiene(kSezioneGenerale)) break;
  }

  StatoTreno stato;
  stato.e = cartello_libero;
  const Esito esito = leggi_sezione_treno(lettura, stato);
  if (esito == Esito::kFineProcedura || esito == Esito::kGuasto) return esito;

  // The end of the text or a record beyond the grid: the speed limits and
  // the adhesion are carried to the grid's end, leaving its last three cells.
  if (!lettura.chiudi_e_cancella()) return Esito::kGuasto;
  do {
    if (!scrivi_velocita(lettura, stato)) return Esito::kGuasto;
  } while (stato.kv < int64_t{tabelle.ultima_cella} - 2);
  do {
    if (!scrivi_aderenza(lettura, stato)) return Esito::kGuasto;
  } while (stato.ka < int64_t{tabelle.ultima_cella} - 2);

  // The kilometre references, as the kilometre sort left them, must stand on
  // 50 m marks.
  for (int voce = kVoceProgressivaTre; voce <= kVoceProgressivaUno; ++voce) {
    const VoceRegistro& progressiva = tabelle.registro[static_cast<size_t>(voce)];
    if (progressiva.inizio % 50 != 0 || progressiva.fine % 50 != 0) {
      lettura.registra_sul_testo(kErroreProgressive, testo_linea);
      break;
    }
  }
  return Esito::kProsegui;
}

}  // namespace scenario
