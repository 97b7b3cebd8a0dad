#include "route_summary.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "base/windows_1252.h"
#include "reader/plan_view.h"

namespace scenario {
namespace {

// A point object in cell i was laid from position (i - 1) * 50.
int32_t posizione_oggetto(size_t cella) { return static_cast<int32_t>(cella) * 50 - 50; }

}  // namespace

RiassuntoPercorso riassumi_percorso(const Scenario& t) {
  RiassuntoPercorso c;
  const auto& celle = t.percorso;
  const int32_t fine_griglia = std::max<int32_t>(0, t.ultima_cella * 50 - kMargineTracciato);
  c.lunghezza = t.registro[kVoceTrenoPercorso].fine;
  if (c.lunghezza <= 0 || c.lunghezza > t.ultima_cella * 50) c.lunghezza = fine_griglia;
  if (c.lunghezza <= 0) c.lunghezza = t.ultima_cella * 50;

  std::set<int> voci_cartello;
  for (size_t i = 0; i < celle.size(); ++i) {
    const CellaPercorso& cella = celle[i];
    switch (cella.tipo) {
      case TipoCella::kSegnale:
        c.segnali.push_back({posizione_oggetto(i), (cella.valore_4 % 10) / 3, cella.valore_4});
        break;
      case TipoCella::kIndicatoreVMax:
        c.indicatori.push_back({posizione_oggetto(i),
                                {cella.valore_1 / 20, cella.valore_2 / 20, cella.valore_3 / 20}});
        break;
      case TipoCella::kCartelloIndicatore:
        if (cella.valore_1 >= 1 && cella.valore_1 < kVociRegistro) {
          voci_cartello.insert(cella.valore_1);
          c.cartelli.push_back(
              {posizione_oggetto(i),
               windows_1252_a_utf8(t.registro[static_cast<size_t>(cella.valore_1)].nome)});
        }
        break;
      case TipoCella::kInizioRallentamento: {
        size_t e = i + 1;
        while (e < celle.size() && celle[e].tipo != TipoCella::kFineRallentamento) ++e;
        if (e < celle.size())
          c.rallentamenti.push_back({posizione_oggetto(i), posizione_oggetto(e), cella.valore_1});
        break;
      }
      default:
        break;
    }
    // A mountain stretch marks the cells that start at its first metre and
    // end at its last.
    if (cella.montagna != 0) {
      const int32_t da = static_cast<int32_t>(i) * 50;
      if (!c.gallerie.empty() && c.gallerie.back().a == da &&
          c.gallerie.back().valore == cella.montagna) {
        c.gallerie.back().a = da + 50;
      } else {
        c.gallerie.push_back({da, da + 50, cella.montagna});
      }
    }
    c.pendenza.push_back(static_cast<int32_t>(cella.pendenza) - 100);
    c.velocita.push_back(static_cast<int32_t>(cella.velocita_max) * 5);
  }
  // Stations fill the entries upward from 1; lettered boards fill them
  // downward from 80, so the stations end at the first empty or board entry.
  for (int e = 1; e < kPrimoCartello + 1; ++e) {
    const VoceRegistro& v = t.registro[static_cast<size_t>(e)];
    if (voci_cartello.count(e) != 0 || (v.tipo == 0 && v.nome.empty() && v.progressiva == 0)) break;
    c.stazioni.push_back({v.progressiva, windows_1252_a_utf8(v.nome)});
  }
  if (t.tracciato.esiste()) {
    c.curve =
        curve_del_tracciato(t.tracciato, std::min(t.tracciato.prossimo_punto() - 1, c.lunghezza));
  }
  return c;
}

std::vector<CurvaRiassunta> curve_del_tracciato(const Tracciato& tr, int32_t ultimo) {
  std::vector<CurvaRiassunta> curve;
  ultimo = std::min(ultimo, tr.prossimo_punto() - 1);
  bool in_curva = false;
  for (int32_t m = 2; m <= ultimo; ++m) {
    const double ax = tr.x(m - 1) - tr.x(m - 2), ay = tr.y(m - 1) - tr.y(m - 2);
    const double bx = tr.x(m) - tr.x(m - 1), by = tr.y(m) - tr.y(m - 1);
    const double quadrato = ax * ax + ay * ay;
    // Point m was laid with (bx, by) = (ax + t * ay, ay - t * ax).
    const double svolta = quadrato > 0 ? (ay * bx - ax * by) / quadrato : 0.0;
    int32_t classe = 0;
    for (int32_t k = 1; k <= 6; ++k) {
      if (std::abs(std::abs(svolta) - kSvoltaClasse[k]) < kSvoltaClasse[k] / 4) classe = k;
    }
    const bool destra = svolta > 0;
    // A curve (p, l) lays its points p + 1 to p + l: it turns from metre p.
    if (in_curva && classe == curve.back().classe && destra == curve.back().destra) {
      curve.back().a = m;
    } else if (classe != 0) {
      curve.push_back({m - 1, m, classe, destra});
    }
    in_curva = classe != 0;
  }
  return curve;
}

}  // namespace scenario
