// The plan view of the line is laid one metre at a time: every new point
// continues the step from the point before last to the last point, either
// straight on or turned by a curve's turn value t. The step vector is never
// brought back to unit length: a curved step lengthens it by the factor
// sqrt(1 + t * t), and the next step starts from the lengthened vector. The
// compiled line stores these points bit for bit, so neither the order of the
// operations below nor their 64-bit precision may change.
#pragma once

#include "reader/scenario_tables.h"

namespace scenario {

// Turn value per metre of each curve class 1 to 6 (radius 10000, 5000,
// 2500, 1000, 500 and 333 m); a curve to the left takes it negative.
inline constexpr double kSvoltaClasse[7] = {0.0, 0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

// Both steps compute point `tracciato.prossimo_punto()` from the two points
// before it, in 64-bit floating point, and move on. The origin must be set
// and the point must lie within `tracciato.ultimo_indice()`.
//
// Straight: P(m) = P(m-1) + (dx, dy), with (dx, dy) = P(m-1) - P(m-2).
void passo_rettilineo(Tracciato& tracciato);
// Curved: P(m) = P(m-1) + (dx + t * dy, dy - t * dx); t > 0 bends right.
void passo_curvo(Tracciato& tracciato, double t);

// The same steps, one after the other, up to point `ultimo` included (none
// when the next point lies beyond it): the same arithmetic, the two points
// before each kept at hand rather than read back.
void rettilineo_fino_a(Tracciato& tracciato, int32_t ultimo);
void curvo_fino_a(Tracciato& tracciato, double t, int32_t ultimo);

}  // namespace scenario
