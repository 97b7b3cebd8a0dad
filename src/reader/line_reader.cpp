#include "reader/line_reader.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "base/rounding.h"
#include "reader/plan_view.h"
#include "reader/storers.h"

// Limits the line text's content could push past, and what the reader does
// there (no table is ever written outside its bounds):
//   - A negative route length is refused with error 1, like one above
//     1000000 m: it would size a grid of negative extent.
//   - A curve that runs past the plan view's last computed point
//     (`lunghezza_tracciato` - 2) is clipped there: the line has no track to
//     lay beyond it, and the last two points stay empty as always. The point
//     counter still counts the points it does not compute, so a curve that
//     carries it past the millionth point gives error 103 all the same.
//   - The 81st lettered board would need entry 0 of the record table, which
//     stays cleared: it is refused with error 10 (stations and boards meet in
//     the record table), its position recorded, and the procedure ends as for
//     a board on a taken cell. Eighty boards fill entries 80 down to 1; the
//     train text then cannot store a station (error 10 there).
//   - A lettered board whose cell falls before cell 0 (a position below
//     -75 m) lies outside the grid: error 15, as beyond its end.
//   - Gradient records closer together than one cell near the grid's end push
//     the fill index past `ultima_cella`: the fill goes on counting but writes
//     no cell beyond the grid.

namespace scenario {
namespace {

// A plan point index above this ends the procedure with error 103.
constexpr int32_t kPuntoMassimo = 1000000;

// The fields a code is about, by their index in the record's list.
constexpr CampoErrore kCampoInizio{1};          // the cab-signal repetition's start
constexpr CampoErrore kCampoFine{2};            // and its end
constexpr CampoErrore kCampoLunghezzaCurva{2};  // a curve's length

// Working state of the route section.
struct StatoPercorso {
  int32_t g = 0;               // the gradient in force, per mille
  int64_t k = 0;               // the next cell whose gradient is still to be written
  int32_t e = kPrimoCartello;  // the record-table entry of the next lettered board
  // The next plan point m. It is the plan view's next point to compute up to
  // the last computed one, and counts on alone beyond it.
  int64_t m = 2;
  MontagneDelTesto* montagne = nullptr;
};

// Writes the gradient in force into cell k and moves k on. A gradient holds
// from its own cell up to the cell before the next record's.
bool scrivi_pendenza(LetturaSorgente& lettura, StatoPercorso& stato) {
  if (!lettura.richiedi_griglia()) return false;
  Scenario& tabelle = lettura.tabelle();
  if (stato.k <= tabelle.ultima_cella) {
    tabelle.percorso[static_cast<size_t>(stato.k)].pendenza = low8(int64_t{stato.g} + 100);
  }
  ++stato.k;
  return true;
}

// One record of the general section; the route length, the three kilometre
// references, the three backdrops and the cab-signal repetition.
//
// A route-length record sizes the grid and the plan view, up to 20 141 cells
// and 1 007 001 points, all empty. Nothing else in the general section
// touches either, so a record that a later one overrides would only have
// cleared them for nothing: the length is kept in `lunghezza_valida` and the
// tables are sized once, for the last valid length, when the section ends,
// however it ends (`leggi_generale`). A text of many route-length records
// then costs what its size costs, and leaves exactly what sizing at every
// record left.
Esito impostazione(LetturaSorgente& lettura, std::optional<int32_t>* lunghezza_valida) {
  Scenario& tabelle = lettura.tabelle();
  if (lettura.record(TipoRecord::kLunghezzaPercorso)) {
    int32_t lunghezza = 0;
    if (!lettura.leggi(&lunghezza)) return Esito::kGuasto;
    tabelle.registro[kVoceTrenoPercorso].fine = lunghezza;
    if (lunghezza > kLunghezzaMassima || lunghezza < 0) {
      return lettura.termina(kErroreLunghezzaPercorso, kPrimoCampo);
    }
    *lunghezza_valida = lunghezza;
  }

  const struct {
    TipoRecord tipo;
    int voce;
  } progressive[] = {{TipoRecord::kProgressivaTre, kVoceProgressivaTre},
                     {TipoRecord::kProgressivaDue, kVoceProgressivaDue},
                     {TipoRecord::kProgressivaUno, kVoceProgressivaUno}};
  for (const auto& progressiva : progressive) {
    if (lettura.record(progressiva.tipo)) {
      VoceRegistro& voce = tabelle.registro[progressiva.voce];
      if (!(lettura.leggi(&voce.inizio) && lettura.leggi(&voce.fine) &&
            lettura.leggi(&voce.progressiva))) {
        return Esito::kGuasto;
      }
    }
  }

  VoceRegistro& linea = tabelle.registro[kVoceLinea];
  if (lettura.record(TipoRecord::kSfondoUno) && !lettura.leggi(&linea.inizio)) {
    return Esito::kGuasto;
  }
  if (lettura.record(TipoRecord::kSfondoDue) && !lettura.leggi(&linea.progressiva)) {
    return Esito::kGuasto;
  }
  if (lettura.record(TipoRecord::kSfondoTre) && !lettura.leggi(&linea.fine)) {
    return Esito::kGuasto;
  }

  if (lettura.record(TipoRecord::kRipetizioneSegnali)) {
    VoceRegistro& treno = tabelle.registro[kVoceTreno];
    if (!(lettura.leggi(&treno.inizio) && lettura.leggi(&treno.fine))) return Esito::kGuasto;
    if (treno.inizio % 50 != 0) return lettura.termina(kErroreRipetizioneInizio, kCampoInizio);
    if (treno.fine % 50 != 0) return lettura.termina(kErroreRipetizioneFine, kCampoFine);
    // The digit in the keyword names the code system; a second position of
    // 0 switches the repetition off.
    if (lettura.contiene_esatta("4")) {
      treno.progressiva = 4;
    } else if (lettura.contiene_esatta("9")) {
      treno.progressiva = 9;
    } else {
      return lettura.termina(kErroreCodiceRipetizione);
    }
    if (treno.fine == 0) treno.progressiva = 0;
  }
  return Esito::kProsegui;
}

// The general section, up to and including the first header after it.
Esito record_generali(LetturaSorgente& lettura, std::optional<int32_t>* lunghezza_valida) {
  const std::string& riga = lettura.riga();
  for (;;) {
    if (lettura.fine_file()) return Esito::kProsegui;
    if (!lettura.leggi_token()) return Esito::kGuasto;
    if (lettura.fine_file()) return Esito::kProsegui;
    // Separator lines of dashes are passed over, up to ten in a row.
    for (int i = 0; i < 10; ++i) {
      if (lettura.contiene("-") && !lettura.leggi_token()) return Esito::kGuasto;
    }
    const Esito esito = impostazione(lettura, lunghezza_valida);
    if (esito != Esito::kProsegui) return esito;
    if (lettura.contiene("[") && lettura.contiene("]") && !riga.starts_with('-')) {
      return Esito::kProsegui;
    }
  }
}

// The general section, then the tables sized for the last valid route
// length it gave, whichever way it ended: an error that ends the procedure
// leaves them as that record sized them.
Esito leggi_generale(LetturaSorgente& lettura) {
  std::optional<int32_t> lunghezza_valida;
  const Esito esito = record_generali(lettura, &lunghezza_valida);
  if (lunghezza_valida) lettura.tabelle().dimensiona(*lunghezza_valida);
  return esito;
}

Esito pendenza(LetturaSorgente& lettura, StatoPercorso& stato) {
  int32_t posizione = 0;
  int32_t valore = 0;
  if (!(lettura.leggi(&posizione) && lettura.leggi(&valore))) return Esito::kGuasto;
  if (lettura.oltre_griglia(posizione, 100)) return lettura.oltre_griglia_registra(posizione);
  const int64_t n = arrotonda(posizione / 50.0);
  if (n > 0) {
    do {
      if (!scrivi_pendenza(lettura, stato)) return Esito::kGuasto;
    } while (stato.k < n);
  }
  stato.g = valore;
  return Esito::kProsegui;
}

// Moves the point counter m on to `fino` (inclusive), computing the points
// that lie within the plan view in one run (`corsa(ultimo)` lays the points
// from the next one up to `ultimo`). Beyond the last computed point nothing is
// computed, so the counter moves on in one step, never past the first index
// above the limit. False when it has passed the limit: the procedure ends
// with error 103, with the points up to the limit computed.
template <typename Corsa>
bool avanza_punti(Tracciato& tracciato, int64_t& m, int64_t fino, Corsa corsa) {
  const int64_t ultimo = int64_t{tracciato.ultimo_indice()} - 2;
  const int64_t calcola_fino = std::min({fino, ultimo, int64_t{kPuntoMassimo}});
  if (m <= calcola_fino) {
    corsa(static_cast<int32_t>(calcola_fino));
    m = calcola_fino + 1;
  }
  if (m <= fino) m = std::min(fino + 1, int64_t{kPuntoMassimo} + 1);
  return m <= kPuntoMassimo;
}

// Lays the plan view up to the curve's end: straight up to its start, then
// turning. A curve that begins before the next point (overlapping the one
// before it) has no straight run.
Esito curva(LetturaSorgente& lettura, StatoPercorso& stato) {
  int32_t posizione = 0;
  int32_t lunghezza = 0;
  if (!(lettura.leggi(&posizione) && lettura.leggi(&lunghezza))) return Esito::kGuasto;
  if (lettura.oltre_griglia(posizione, 100)) return lettura.oltre_griglia_registra(posizione);
  int classe = 0;
  for (char cifra = '1'; cifra <= '6' && classe == 0; ++cifra) {
    if (lettura.contiene_esatta(std::string_view(&cifra, 1))) classe = cifra - '0';
  }
  if (classe == 0) return lettura.termina(kErroreCurva);
  const double svolta = lettura.contiene("s") ? -kSvoltaClasse[classe] : kSvoltaClasse[classe];

  Tracciato& tracciato = lettura.tabelle().tracciato;
  // Past the millionth point: on the straight run before the curve its
  // start is at fault, in the curve its length.
  if (!avanza_punti(tracciato, stato.m, posizione,
                    [&](int32_t ultimo) { rettilineo_fino_a(tracciato, ultimo); })) {
    return lettura.termina(kErroreCurva, kPrimoCampo);
  }
  if (!avanza_punti(tracciato, stato.m, int64_t{posizione} + lunghezza,
                    [&](int32_t ultimo) { curvo_fino_a(tracciato, svolta, ultimo); })) {
    return lettura.termina(kErroreCurva, kCampoLunghezzaCurva);
  }
  return Esito::kProsegui;
}

Esito montagna(LetturaSorgente& lettura, MontagneDelTesto& montagne) {
  DatiMontagna dati;
  if (!(lettura.leggi(&dati.inizio) && lettura.leggi(&dati.fine) && lettura.leggi(&dati.tipo))) {
    return Esito::kGuasto;
  }
  if (lettura.oltre_griglia(dati.inizio, 100)) return lettura.oltre_griglia_registra(dati.inizio);
  if (!lettura.richiedi_griglia()) return Esito::kGuasto;
  montagne.memorizza(dati);
  return Esito::kProsegui;
}

Esito indicatore_v_max(LetturaSorgente& lettura) {
  DatiIndicatoreVMax dati;
  if (!(lettura.leggi(&dati.posizione) && lettura.leggi(&dati.vas) && lettura.leggi(&dati.vbs) &&
        lettura.leggi(&dati.vcs) && lettura.leggi(&dati.strisces) && lettura.leggi(&dati.vad) &&
        lettura.leggi(&dati.vbd) && lettura.leggi(&dati.vcd) && lettura.leggi(&dati.strisced))) {
    return Esito::kGuasto;
  }
  if (lettura.oltre_griglia(dati.posizione, 100)) {
    return lettura.oltre_griglia_registra(dati.posizione);
  }
  if (!lettura.richiedi_griglia()) return Esito::kGuasto;
  if (const Rifiuto rifiuto = memo_indicatori_v_max(lettura.tabelle(), dati)) {
    return lettura.termina(*rifiuto, dati.posizione, kPrimoCampo);
  }
  return Esito::kProsegui;
}

// A lettered board marks the cell after its position and keeps its
// lettering in the next free entry, counting down from 80.
Esito cartello_indicatore(LetturaSorgente& lettura, StatoPercorso& stato) {
  Scenario& tabelle = lettura.tabelle();
  int32_t posizione = 0;
  std::string scritta;
  if (!(lettura.leggi(&posizione) && lettura.leggi_testo(&scritta))) return Esito::kGuasto;
  if (lettura.oltre_griglia(posizione, 100)) return lettura.oltre_griglia_registra(posizione);
  // The position check keeps j at most `ultima_cella` - 1; only a negative
  // position can put it before the grid.
  const int64_t j = arrotonda(posizione / 50.0 + 1);
  if (j < 0) return lettura.oltre_griglia_registra(posizione);
  if (!lettura.richiedi_griglia()) return Esito::kGuasto;
  CellaPercorso& cella = tabelle.percorso[static_cast<size_t>(j)];
  if (!cella_libera(cella)) return lettura.termina(kErroreCartelloOccupato, posizione, kPrimoCampo);
  if (stato.e < 1) return lettura.termina(kErroreRegistroPieno, posizione, kRecordIntero);
  cella.tipo = TipoCella::kCartelloIndicatore;
  cella.valore_1 = low16(stato.e);
  tabelle.registro[static_cast<size_t>(stato.e)].nome = std::move(scritta);
  --stato.e;
  return Esito::kProsegui;
}

// One record of the route section. A token may hold several keywords: every
// test is made on it, in this order; the board comes last because it
// overwrites `riga` with its lettering.
Esito record_percorso(LetturaSorgente& lettura, StatoPercorso& stato) {
  Esito esito = Esito::kProsegui;
  if (lettura.record(TipoRecord::kPendenza) &&
      (esito = pendenza(lettura, stato)) != Esito::kProsegui) {
    return esito;
  }
  // Without line output there is no plan view: a curve is a token like any other.
  if (lettura.tabelle().scrivi_linea != 0 && lettura.record(TipoRecord::kCurva) &&
      (esito = curva(lettura, stato)) != Esito::kProsegui) {
    return esito;
  }
  if (lettura.record(TipoRecord::kMontagna) &&
      (esito = montagna(lettura, *stato.montagne)) != Esito::kProsegui) {
    return esito;
  }
  if (lettura.record(TipoRecord::kIndicatoriVMax) &&
      (esito = indicatore_v_max(lettura)) != Esito::kProsegui) {
    return esito;
  }
  if (lettura.record(TipoRecord::kCartelloIndicatore)) return cartello_indicatore(lettura, stato);
  return Esito::kProsegui;
}

// The route section, up to the end of the text or a record beyond the grid.
Esito leggi_percorso(LetturaSorgente& lettura, StatoPercorso& stato) {
  return lettura.leggi_sezione([&] { return record_percorso(lettura, stato); });
}

}  // namespace

Esito leggi_testo_linea(LetturaSorgente& lettura, const std::string& nome,
                        int32_t* cartello_libero) {
  Scenario& tabelle = lettura.tabelle();
  if (!lettura.file_system().Exists(nome)) {
    lettura.registra_sul_testo(kErroreTestoLineaAssente, nome);
    return Esito::kFineProcedura;
  }
  if (!lettura.apri(nome)) return Esito::kGuasto;

  // Everything before "[generale]" is passed over. A text that holds none,
  // an empty one included, is refused.
  for (;;) {
    if (lettura.fine_file()) return lettura.termina_senza_record(kErroreSenzaGenerale);
    if (!lettura.leggi_token()) return Esito::kGuasto;
    if (lettura.fine_file()) return lettura.termina_senza_record(kErroreSenzaGenerale);
    if (lettura.contiene(kSezioneGenerale)) break;
  }

  Esito esito = leggi_generale(lettura);
  if (esito != Esito::kProsegui) return esito;

  progressive_ordina(tabelle);
  tabelle.numero_montagne = 0;
  StatoPercorso stato;
  if (tabelle.scrivi_linea != 0) {
    if (!tabelle.tracciato.esiste()) {
      return lettura.guasto("the plan view needs the route length, which the text does not give");
    }
    // The line starts at the origin heading along +y.
    tabelle.tracciato.imposta_origine();
  }

  MontagneDelTesto montagne(tabelle);
  stato.montagne = &montagne;
  esito = leggi_percorso(lettura, stato);
  montagne.stendi();
  if (esito == Esito::kFineProcedura || esito == Esito::kGuasto) return esito;

  // The end of the text or a record beyond the grid: the line is finished
  // to the end of the grid and the train text follows.
  if (!lettura.chiudi_e_cancella()) return Esito::kGuasto;
  do {
    if (!scrivi_pendenza(lettura, stato)) return Esito::kGuasto;
  } while (stato.k < int64_t{tabelle.ultima_cella} - 2);
  if (tabelle.scrivi_linea != 0) {
    Tracciato& tracciato = tabelle.tracciato;
    rettilineo_fino_a(tracciato, tracciato.ultimo_indice() - 2);
  }
  *cartello_libero = stato.e;
  return Esito::kProsegui;
}

}  // namespace scenario
