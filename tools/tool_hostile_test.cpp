// The tool's commands on a real disk set up against them: things planted at
// the temporary names they write under (before the run, and right after its
// sweep), a FIFO where a source text should be, folders that are not ones.
// Nothing outside the folder may change and nothing may wait.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "base/file_names.h"
#include "content/builtin_content.h"
#include "exit_codes.h"
#include "tool_cli.h"
#include "util/trap_disk_test_util.h"

namespace scenario {
namespace {

// The package's own names, as an author would give them.
const std::string kNomeLinea(contenuto_incorporato().nome_linea());
const std::string kNumeroTreno(contenuto_incorporato().numero_treno());

using test::DiscoConTrappole;
using test::Esca;
using test::kEsche;

namespace fs = std::filesystem;

constexpr uint64_t kIdCorsa = 0x00c0ffee00000000ull;

using test::voci;

std::string leggi(const fs::path& file) { return test::leggi_tutto(file); }

struct Uscite {
  int esito;
  std::string out;
  std::string err;
};

Uscite esegui(FileSystem& disco, std::vector<std::string> argomenti) {
  argomenti.insert(argomenti.begin(), "scenario-tool");
  std::ostringstream out, err;
  const int esito = esegui_strumento(argomenti, disco, out, err);
  return {esito, out.str(), err.str()};
}

class StrumentoOstile : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = fs::temp_directory_path() /
            ("bm_tool_hostile_" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
             std::to_string(getpid()));
    fs::remove_all(base_);
    fs::create_directories(base_);
    esterno_ = base_ / "esterno";
    std::ofstream(esterno_, std::ios::binary) << "the author's own file";
  }
  void TearDown() override { fs::remove_all(base_); }

  // A folder holding the package's texts (and documents), as export leaves it.
  fs::path esportata(const std::string& nome) {
    const fs::path cartella = base_ / nome;
    fs::create_directory(cartella);
    EXPECT_EQ(esegui(disk_file_system(), {"export", cartella.string()}).esito, kEsitoRiuscito);
    return cartella;
  }

  fs::path base_;
  fs::path esterno_;
};

struct Comando {
  const char* nome;
  // The command's arguments for the folder; the files it writes there.
  std::vector<std::string> (*argomenti)(const fs::path&);
  std::vector<std::string> (*scritti)(const fs::path&);
};

std::vector<std::string> compilati(const fs::path& c) {
  const NomiFile n{c.string(), kNomeLinea, kNumeroTreno};
  return {n.linea_compilata(), n.scenario_compilato(), n.percorso_compilato()};
}
std::vector<std::string> esportati(const fs::path& c) {
  const NomiFile n{c.string(), kNomeLinea, kNumeroTreno};
  return {n.testo_linea(), n.testo_treno(), n.note(), n.rallentamenti(), n.scheda_treno()};
}

const Comando kComandi[] = {
    {"compile",
     [](const fs::path& c) {
       return std::vector<std::string>{"compile",  c.string(),       "--line-name",
                                       kNomeLinea, "--train-number", kNumeroTreno};
     },
     compilati},
    {"export",
     [](const fs::path& c) {
       // Over the texts already there: export replaces nothing without it.
       return std::vector<std::string>{"export", c.string(), "--force"};
     },
     esportati},
    {"plot",
     [](const fs::path& c) {
       return std::vector<std::string>{
           "plot",           c.string(),   "--line-name", kNomeLinea,
           "--train-number", kNumeroTreno, "--svg",       (c / "route.svg").string()};
     },
     [](const fs::path& c) { return std::vector<std::string>{(c / "route.svg").string()}; }},
};

TEST_F(StrumentoOstile, EveryCommandPassesByWhatIsPlantedAtItsTemporaryNames) {
  for (const Comando& comando : kComandi) {
    SCOPED_TRACE(comando.nome);
    // What the command leaves in a folder nobody set up.
    const fs::path pulita = esportata(std::string(comando.nome) + "_pulita");
    ASSERT_EQ(esegui(disk_file_system(), comando.argomenti(pulita)).esito, kEsitoRiuscito);
    std::map<std::string, std::string> atteso = voci(pulita);

    // Before the run, at the fixed names of earlier versions and at the
    // run's own names; and again at the run's own names right after its
    // sweep (plot sweeps nothing: for it the first planting is the one).
    const fs::path ostile = esportata(std::string(comando.nome) + "_ostile");
    int i = 0;
    auto pianta_tutto = [&](bool anche_vecchi) {
      for (const std::string& nome : comando.scritti(ostile)) {
        std::vector<fs::path> trappole = {temporary_name_for(nome, kIdCorsa)};
        if (anche_vecchi) trappole.push_back(nome + ".part");
        for (const fs::path& trappola : trappole) {
          if (fs::exists(fs::symlink_status(trappola))) continue;
          const std::string resta =
              test::pianta(kEsche[i++ % std::size(kEsche)], trappola, esterno_);
          atteso[trappola.filename().string()] = resta.empty() ? leggi(esterno_) : resta;
        }
      }
    };
    pianta_tutto(true);
    DiscoConTrappole disco(kIdCorsa, [&] {
      // The sweep removed the hard links it found: plain files of its pattern.
      for (auto it = atteso.begin(); it != atteso.end();) {
        const bool spazzato =
            it->second == leggi(esterno_) && !fs::exists(fs::symlink_status(ostile / it->first));
        it = spazzato ? atteso.erase(it) : std::next(it);
      }
      pianta_tutto(false);
    });
    const auto inizio = std::chrono::steady_clock::now();
    const Uscite u = esegui(disco, comando.argomenti(ostile));
    EXPECT_LT(std::chrono::steady_clock::now() - inizio, std::chrono::seconds(10));
    EXPECT_EQ(u.esito, kEsitoRiuscito) << u.err;
    // The run's files are what it writes in a clean folder; every planted
    // thing is still what it was; the file outside is untouched.
    const auto trovate = voci(ostile);
    for (const auto& [nome, descrizione] : atteso) {
      ASSERT_EQ(trovate.count(nome), 1u) << nome;
      EXPECT_TRUE(trovate.at(nome) == descrizione) << nome;
    }
    for (const auto& [nome, descrizione] : trovate) {
      EXPECT_EQ(atteso.count(nome), 1u) << nome << " was not expected";
    }
    EXPECT_EQ(leggi(esterno_), "the author's own file");
    EXPECT_FALSE(fs::exists(esterno_.string() + "-assente"));
  }
}

TEST_F(StrumentoOstile, AFifoAsASourceTextIsRefusedAtOnce) {
  const fs::path cartella = esportata("fifo");
  const NomiFile nomi{cartella.string(), kNomeLinea, kNumeroTreno};
  fs::remove(nomi.testo_treno());
  test::pianta(Esca::kFifo, nomi.testo_treno(), esterno_);
  const auto inizio = std::chrono::steady_clock::now();
  const Uscite u = esegui(disk_file_system(), kComandi[0].argomenti(cartella));
  EXPECT_LT(std::chrono::steady_clock::now() - inizio, std::chrono::seconds(5));
  EXPECT_EQ(u.esito, kEsitoErroreCodice) << u.err;
  EXPECT_NE(u.err.find("error 25: a source text could not be read: opening \"" +
                       nomi.testo_treno() + "\": is a FIFO (named pipe), not a file"),
            std::string::npos)
      << u.err;
}

// A folder where the train text should be is no train text: compile and
// plot say why and write nothing.
TEST_F(StrumentoOstile, AFolderAsTheTrainTextIsRefusedAndNothingWritten) {
  const fs::path cartella = esportata("folder_text");
  const NomiFile nomi{cartella.string(), kNomeLinea, kNumeroTreno};
  fs::remove(nomi.testo_treno());
  fs::create_directory(nomi.testo_treno());
  const auto prima = voci(cartella);
  for (const char* comando : {"compile", "plot"}) {
    const Uscite u = esegui(disk_file_system(), comando == std::string("compile")
                                                    ? kComandi[0].argomenti(cartella)
                                                    : kComandi[2].argomenti(cartella));
    EXPECT_EQ(u.esito, kEsitoFallito) << u.err;
    EXPECT_NE(u.err.find("the train text \"" + nomi.testo_treno() +
                         "\" cannot be read (is a folder, not a file); nothing written"),
              std::string::npos)
        << u.err;
    EXPECT_TRUE(voci(cartella) == prima) << comando;
  }
}

TEST_F(StrumentoOstile, AFolderThatIsNoneIsSaidAsSuchWithStatus2) {
  std::ofstream(base_ / "file") << "x";
  const struct {
    fs::path cartella;
    const char* messaggio;
  } casi[] = {
      {base_ / "absent", "does not exist"},
      {base_ / "file", "is not a folder"},
      {base_ / std::string(300, 'x'), "has a name too long for the system"},
  };
  for (const auto& caso : casi) {
    for (const Comando& comando : kComandi) {
      if (caso.cartella == base_ / "absent" && std::string(comando.nome) == "export") {
        // Export makes the folder it writes into; taken away again for plot.
        const Uscite u = esegui(disk_file_system(), comando.argomenti(caso.cartella));
        EXPECT_EQ(u.esito, kEsitoRiuscito) << u.err;
        EXPECT_EQ(u.err,
                  "scenario-tool export: made the folder \"" + caso.cartella.string() + "\"\n");
        EXPECT_EQ(voci(caso.cartella).size(), 5u);
        fs::remove_all(caso.cartella);
        continue;
      }
      const Uscite u = esegui(disk_file_system(), comando.argomenti(caso.cartella));
      EXPECT_EQ(u.esito, kEsitoFallito) << comando.nome;
      EXPECT_EQ(u.err, "scenario-tool " + std::string(comando.nome) + ": the folder \"" +
                           caso.cartella.string() + "\" " + caso.messaggio + "\n");
      EXPECT_EQ(u.out, "");
    }
  }
  EXPECT_EQ(voci(base_).size(), 2u);  // the file outside and "file"
}

}  // namespace
}  // namespace scenario
