#include "reader/plan_view.h"

namespace scenario {

void passo_rettilineo(Tracciato& tracciato) {
  const int32_t m = tracciato.prossimo_punto();
  const double dx = tracciato.x(m - 1) - tracciato.x(m - 2);
  const double dy = tracciato.y(m - 1) - tracciato.y(m - 2);
  tracciato.aggiungi_punto(tracciato.x(m - 1) + dx, tracciato.y(m - 1) + dy);
}

void passo_curvo(Tracciato& tracciato, double t) {
  const int32_t m = tracciato.prossimo_punto();
  const double dx = tracciato.x(m - 1) - tracciato.x(m - 2);
  const double dy = tracciato.y(m - 1) - tracciato.y(m - 2);
  tracciato.aggiungi_punto(tracciato.x(m - 1) + (dx + t * dy), tracciato.y(m - 1) + (dy - t * dx));
}

}  // namespace scenario
