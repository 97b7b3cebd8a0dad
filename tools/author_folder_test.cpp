#include "author_folder.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"

namespace scenario {
namespace {

TEST(CartellaAutore, ReadsTheTextsFromTheAuthorKeepsThemAndWritesEverythingElseToTheOutput) {
  MemoryFileSystem autore;
  MemoryFileSystem uscita;
  autore.files()["src/L_linea.txt"] = "linea";
  autore.files()["src/L_1-.txt"] = "treno";
  autore.files()["out/L_1.sim"] = "not this one";
  uscita.files()["out/L_linea.txt"] = "a stale text in the output folder";
  CartellaAutore cartella(
      autore, uscita, {{"out/L_linea.txt", "src/L_linea.txt"}, {"out/L_1-.txt", "src/L_1-.txt"}});

  std::string letto;
  ASSERT_TRUE(cartella.ReadFile("out/L_linea.txt", &letto).ok());
  EXPECT_EQ(letto, "linea");
  EXPECT_TRUE(cartella.Exists("out/L_1-.txt"));
  EXPECT_TRUE(cartella.RemoveFile("out/L_linea.txt").ok());
  EXPECT_TRUE(cartella.RemoveFile("out/L_1-.txt").ok());
  EXPECT_EQ(autore.files().at("src/L_linea.txt"), "linea");
  EXPECT_EQ(autore.files().at("src/L_1-.txt"), "treno");
  EXPECT_EQ(uscita.files().at("out/L_linea.txt"), "a stale text in the output folder");

  const Status sovrascritto = cartella.ReplaceFile("out/L_1-.txt", "x");
  EXPECT_FALSE(sovrascritto.ok());
  EXPECT_NE(sovrascritto.message().find("src/L_1-.txt"), std::string::npos);
  EXPECT_EQ(autore.files().at("src/L_1-.txt"), "treno");

  EXPECT_FALSE(cartella.Exists("out/L_1.sim"));
  ASSERT_TRUE(cartella.ReplaceFile("out/L_1.sim", "compiled").ok());
  EXPECT_EQ(uscita.files().at("out/L_1.sim"), "compiled");
  EXPECT_EQ(autore.files().at("out/L_1.sim"), "not this one");
  ASSERT_TRUE(cartella.RemoveFile("out/L_1.sim").ok());
  EXPECT_EQ(uscita.files().count("out/L_1.sim"), 0u);
}

TEST(CartellaAutore, AMissingTextIsMissing) {
  MemoryFileSystem autore;
  MemoryFileSystem uscita;
  CartellaAutore cartella(autore, uscita, {{"out/L_linea.txt", "src/L_linea.txt"}});
  EXPECT_FALSE(cartella.Exists("out/L_linea.txt"));
  std::string letto;
  EXPECT_FALSE(cartella.ReadFile("out/L_linea.txt", &letto).ok());
}

}  // namespace
}  // namespace scenario
