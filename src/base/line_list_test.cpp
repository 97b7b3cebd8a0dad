#include "base/line_list.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "base/memory_file_system.h"

namespace scenario {
namespace {

TEST(LineList, WritesEveryLineBeforeTheMarkerWithCrLf) {
  const std::string_view lista[] = {"",
                                    "riferimento fine del file ",
                                    "Riferimento fine del file",
                                    "90\xC2\xB0",
                                    "[fine]",
                                    kFineLista,
                                    "never written"};
  EXPECT_EQ(righe_prima_del_marcatore(lista), 5u);
  EXPECT_EQ(testo_lista(lista),
            "\r\nriferimento fine del file \r\nRiferimento fine del file\r\n90\xB0\r\n[fine]\r\n");
}

TEST(LineList, AListWithoutMarkerStopsAfterItsRoomOf1001Entries) {
  std::vector<std::string_view> lista(1500, "x");
  EXPECT_EQ(righe_prima_del_marcatore(lista), kVociLista);
  EXPECT_EQ(testo_lista(lista).size(), kVociLista * 3);
  EXPECT_EQ(testo_lista(std::vector<std::string_view>{kFineLista}), "");
}

TEST(LineList, ReplacesAnEarlierLongerFileOrLeavesItWhole) {
  MemoryFileSystem memory;
  memory.files()["f"] = std::string(5000, 'z');
  const std::string_view lista[] = {"a", kFineLista};
  ASSERT_TRUE(scrivi_lista(memory, "f", lista).ok());
  EXPECT_EQ(memory.files()["f"], "a\r\n");

  memory.FailWritesTo("f");
  const std::string_view altra[] = {"b", kFineLista};
  EXPECT_FALSE(scrivi_lista(memory, "f", altra).ok());
  EXPECT_EQ(memory.files()["f"], "a\r\n");
}

}  // namespace
}  // namespace scenario
