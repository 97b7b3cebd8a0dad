#include "reader/plan_view.h"

namespace scenario {
namespace {

// Steps from point `prossimo_punto()` up to `ultimo`; `passo` turns the step
// vector (dx, dy) from the point before last to the last point into the
// next point's offset from the last.
template <typename Passo>
void passi_fino_a(Tracciato& tracciato, int32_t ultimo, Passo passo) {
  int32_t m = tracciato.prossimo_punto();
  if (m > ultimo) return;
  double x0 = tracciato.x(m - 2), y0 = tracciato.y(m - 2);
  double x1 = tracciato.x(m - 1), y1 = tracciato.y(m - 1);
  for (; m <= ultimo; ++m) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    double x = 0, y = 0;
    passo(x1, y1, dx, dy, x, y);
    tracciato.aggiungi_punto(x, y);
    x0 = x1;
    y0 = y1;
    x1 = x;
    y1 = y;
  }
}

}  // namespace

void rettilineo_fino_a(Tracciato& tracciato, int32_t ultimo) {
  passi_fino_a(tracciato, ultimo,
               [](double x1, double y1, double dx, double dy, double& x, double& y) {
                 x = x1 + dx;
                 y = y1 + dy;
               });
}

void curvo_fino_a(Tracciato& tracciato, double t, int32_t ultimo) {
  passi_fino_a(tracciato, ultimo,
               [t](double x1, double y1, double dx, double dy, double& x, double& y) {
                 x = x1 + (dx + t * dy);
                 y = y1 + (dy - t * dx);
               });
}

void passo_rettilineo(Tracciato& tracciato) {
  rettilineo_fino_a(tracciato, tracciato.prossimo_punto());
}

void passo_curvo(Tracciato& tracciato, double t) {
  curvo_fino_a(tracciato, t, tracciato.prossimo_punto());
}

}  // namespace scenario
