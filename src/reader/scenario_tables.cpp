#include "reader/scenario_tables.h"

#include "base/rounding.h"

namespace scenario {

void Tracciato::crea(int32_t ultimo_indice) {
  ultimo_ = ultimo_indice;
  blocco_ = LargeBlock(2 * punti() * sizeof(double));
  prossimo_ = 0;
}

void Tracciato::imposta_origine() {
  double* xs = coordinate();
  double* ys = xs + punti();
  xs[0] = 0.0;
  ys[0] = 0.0;
  xs[1] = 0.0;
  ys[1] = 1.0;
  prossimo_ = 2;
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
