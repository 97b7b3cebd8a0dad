#include "reader/scenario_tables.h"

#include "base/rounding.h"

namespace scenario {

void Tracciato::crea(int32_t ultimo_indice) {
  x_.assign(static_cast<size_t>(ultimo_indice) + 1, 0.0);
  y_.assign(static_cast<size_t>(ultimo_indice) + 1, 0.0);
  prossimo_ = 0;
}

void Tracciato::imposta_origine() {
  x_[0] = 0.0;
  y_[0] = 0.0;
  x_[1] = 0.0;
  y_[1] = 1.0;
  prossimo_ = 2;
}

void Tracciato::aggiungi_punto(double x, double y) {
  x_[static_cast<size_t>(prossimo_)] = x;
  y_[static_cast<size_t>(prossimo_)] = y;
  ++prossimo_;
}

void Scenario::dimensiona(int32_t lunghezza_percorso) {
  lunghezza_tracciato = lunghezza_percorso + kMargineTracciato;
  ultima_cella = static_cast<int32_t>(arrotonda(lunghezza_tracciato / 50.0));
  percorso.assign(static_cast<size_t>(ultima_cella) + 1, CellaPercorso{});
  tracciato = Tracciato();
  if (scrivi_linea != 0) tracciato.crea(lunghezza_tracciato);
}

std::string_view DiagnosticaLettura::nome_campo() const {
  if (!record || campo < 1) return {};
  const std::span<const CampoRecord> campi = record_sorgente(*record).campi;
  if (static_cast<size_t>(campo) > campi.size()) return {};
  return campi[static_cast<size_t>(campo) - 1].nome;
}

}  // namespace scenario
