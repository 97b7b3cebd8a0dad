#include "driver/errore.h"

#include <gtest/gtest.h>

#include "util/fake_platform_test_util.h"

namespace scenario {
namespace {

using namespace test;

TEST(Errore, MessageKeepsItsLeadingAndTrailingBlank) {
  EXPECT_EQ(messaggio_errore("1250"), " Errore n. 1250");
  EXPECT_EQ(messaggio_errore("1251"), " Errore n. 1251");
  EXPECT_EQ(messaggio_errore(""), " Errore n. ");
}

#ifndef _WIN32
TEST(ErroreDeathTest, ShowsTheMessageAndEndsTheProgramWithStatus1) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  PiattaformaFinta piattaforma("dir");
  EXPECT_EXIT(
      {
        class SuStderr : public PiattaformaFinta {
         public:
          using PiattaformaFinta::PiattaformaFinta;
          void mostra_messaggio(const std::string& testo) override {
            std::fprintf(stderr, "[%s]\n", testo.c_str());
          }
        } mostra("dir");
        errore(mostra, "1250");
      },
      testing::ExitedWithCode(1), "\\[ Errore n\\. 1250\\]");
}
#endif

}  // namespace
}  // namespace scenario
