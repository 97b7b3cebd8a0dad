#include "route_summary.h"

#include <algorithm>
#include <set>

#include "base/windows_1252.h"

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
        c.segnali.push_back(posizione_oggetto(i));
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
  return c;
}

}  // namespace scenario
