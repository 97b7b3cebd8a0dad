#include "reader/plan_view.h"

#include <gtest/gtest.h>

#include <cmath>

namespace scenario {
namespace {

TEST(PianoDelTracciato, StraightStepsContinueAlongTheStartingHeading) {
  Tracciato tracciato;
  tracciato.crea(10);
  tracciato.imposta_origine();
  for (int m = 2; m <= 10; ++m) passo_rettilineo(tracciato);
  for (int m = 0; m <= 10; ++m) {
    EXPECT_EQ(tracciato.x(m), 0.0) << m;
    EXPECT_EQ(tracciato.y(m), m) << m;
  }
}

TEST(PianoDelTracciato, ACurveTurnsTheStepAndLengthensIt) {
  Tracciato tracciato;
  tracciato.crea(6);
  tracciato.imposta_origine();
  passo_rettilineo(tracciato);  // point 2: (0, 2)
  passo_curvo(tracciato, kSvoltaClasse[6]);
  passo_curvo(tracciato, kSvoltaClasse[6]);
  EXPECT_DOUBLE_EQ(tracciato.x(3), 0.003);
  EXPECT_EQ(tracciato.y(3), 3.0);
  EXPECT_DOUBLE_EQ(tracciato.x(4), 0.009);
  EXPECT_DOUBLE_EQ(tracciato.y(4), 3.999991);
  // Each curved step lengthens the step vector by sqrt(1 + t^2), and the next
  // one starts from the lengthened vector: it is never renormalised.
  auto passo = [&](int m) {
    return std::hypot(tracciato.x(m) - tracciato.x(m - 1), tracciato.y(m) - tracciato.y(m - 1));
  };
  EXPECT_DOUBLE_EQ(passo(3), std::sqrt(1 + 0.003 * 0.003));
  EXPECT_DOUBLE_EQ(passo(4), 1 + 0.003 * 0.003);

  // A left-hand curve mirrors it.
  Tracciato sinistra;
  sinistra.crea(4);
  sinistra.imposta_origine();
  passo_curvo(sinistra, -kSvoltaClasse[6]);
  passo_curvo(sinistra, -kSvoltaClasse[6]);
  EXPECT_DOUBLE_EQ(sinistra.x(3), -0.009);
  EXPECT_DOUBLE_EQ(sinistra.y(3), 2.999991);
}

}  // namespace
}  // namespace scenario
