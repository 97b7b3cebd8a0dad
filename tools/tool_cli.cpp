#include "tool_cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <optional>

#include "base/version.h"
#include "check_command.h"
#include "command_guards.h"
#include "compile_command.h"
#include "dump_command.h"
#include "exit_codes.h"
#include "export_command.h"
#include "nearest_word.h"
#include "package_command.h"
#include "plot_command.h"

namespace scenario {
namespace {

// --input-encoding: the source texts are Windows-1252 (the reader's own), or
// UTF-8 to be turned into it.
void aggiungi_codifica(CLI::App* comando, bool& utf8) {
  comando
      ->add_option_function<std::string>(
          "--input-encoding", [&utf8](const std::string& valore) { utf8 = valore == "utf-8"; },
          "the texts' encoding: windows-1252 (the default) or utf-8, turned into "
          "windows-1252 before reading")
      ->check(CLI::IsMember({"windows-1252", "utf-8"}))
      ->type_name("ENCODING");
}

constexpr const char* kPiuInformazioni =
    "Run \"scenario-tool --help\" or \"scenario-tool help COMMAND\" for more information.\n";

// The long names of a command's options, "--name", --help included.
std::vector<std::string> opzioni_di(const CLI::App& comando) {
  std::vector<std::string> nomi;
  for (const CLI::Option* opzione : comando.get_options()) {
    for (const std::string& nome : opzione->get_lnames()) nomi.push_back("--" + nome);
  }
  return nomi;
}

// "; did you mean "X"?" for the nearest of `candidati`, or nothing.
std::string forse(std::string_view parola, const std::vector<std::string>& candidati) {
  const std::optional<std::string> vicina = parola_vicina(parola, candidati);
  return vicina ? "; did you mean \"" + *vicina + "\"?" : "";
}

// After a wrong command line: the first option `comando` does not know, with
// the one it was probably meant to be; `chi` names the tool or the command.
std::string opzione_sconosciuta(const std::string& chi, const CLI::App& comando,
                                const std::vector<std::string>& parole) {
  const std::vector<std::string> note = opzioni_di(comando);
  for (const std::string& parola : parole) {
    if (parola == "--") break;
    if (!parola.starts_with("--")) continue;
    const std::string nome = parola.substr(0, parola.find('='));
    if (std::find(note.begin(), note.end(), nome) != note.end()) continue;
    return chi + ": unknown option \"" + nome + "\"" + forse(nome, note);
  }
  return "";
}

// --line-name and --train-number of a command that can take them from the
// folder's source texts instead: a name counts as given only when it is on
// the command line.
template <typename Opzioni>
void aggiungi_nomi(CLI::App* comando, Opzioni& opzioni) {
  opzioni.nome_linea_dato = false;
  opzioni.numero_treno_dato = false;
  comando->add_option_function<std::string>(
      "--line-name",
      [&opzioni](const std::string& nome) {
        opzioni.nome_linea = nome;
        opzioni.nome_linea_dato = true;
      },
      "the line name NAME (default: from DIR's one NAME_linea.txt)");
  comando->add_option_function<std::string>(
      "--train-number",
      [&opzioni](const std::string& numero) {
        opzioni.numero_treno = numero;
        opzioni.numero_treno_dato = true;
      },
      "the train number NUM (default: from DIR's one NAME_NUM-.txt)");
}

}  // namespace

int esegui_strumento(const std::vector<std::string>& argomenti, FileSystem& file_system,
                     std::ostream& out, std::ostream& err) {
  CLI::App app{
      "scenario-tool " + std::string(kVersione) +
          ": compile, inspect and plot scenarios of the train-driving simulator.\n"
          "Exit status: 0 done; 1 done, but the scenario recorded an error code; 2 stopped, "
          "nothing (more) written; 64 wrong command line.",
      "scenario-tool"};
  app.require_subcommand(1);
  app.fallthrough(false);
  app.set_version_flag("--version", "scenario-tool " + std::string(kVersione),
                       "print the tool's version and exit");
  app.footer(
      "Run \"scenario-tool help COMMAND\" for a command's options.\n"
      "Example: start from the package's own scenario, edit it, then compile, inspect and draw "
      "it:\n"
      "  scenario-tool export myline\n"
      "  scenario-tool compile myline --out build-out\n"
      "  scenario-tool dump \"build-out/BELFORTE SELVEN - MELAR_8312.sim\"\n"
      "  scenario-tool plot myline --svg route.svg");

  OpzioniDump dump;
  std::string tipo_dump;
  CLI::App* c_dump = app.add_subcommand(
      "dump",
      "Show a compiled file (NAME_linea.dat, NAME_NUM.sim or NAME_NUM.dat) field by field.");
  c_dump->add_option("FILE", dump.file, "the compiled file")->required();
  c_dump->add_flag("--json", dump.json, "print one line of JSON");
  c_dump->add_option("--kind", tipo_dump, "the file's kind when its name does not tell")
      ->check(CLI::IsMember({"line", "scenario", "grid"}));
  c_dump->add_option("--points", dump.passo_punti, "compiled line: also list every STEP-th point")
      ->check(CLI::Range(1, 1000000))
      ->type_name("STEP");
  c_dump->add_option("--from", dump.da, "show only the cells, points and stations from M metres")
      ->type_name("M");
  c_dump->add_option("--to", dump.a, "show only the cells, points and stations up to M metres")
      ->type_name("M");
  c_dump->footer(
      "Example:\n"
      "  scenario-tool dump \"myline/BELFORTE SELVEN - MELAR_8312.dat\" --from 4000 --to 6000");

  OpzioniExport esporta;
  CLI::App* c_export = app.add_subcommand(
      "export",
      "Write the package's own two source texts and three crew documents into DIR, "
      "as a model for a scenario of your own.");
  c_export->add_option("DIR", esporta.cartella, "the folder; made when missing")->required();
  c_export->add_flag("--force", esporta.sovrascrivi,
                     "replace texts and documents already in DIR (without it nothing is "
                     "written over them)");
  c_export->footer("Example:\n  scenario-tool export myline");

  // The names are optional: left out, they are taken from the folder.

  OpzioniCompila compila;
  CLI::App* c_compile =
      app.add_subcommand("compile",
                         "Compile DIR/NAME_linea.txt and DIR/NAME_NUM-.txt as the installer does, "
                         "keeping the texts, and explain every error code.");
  c_compile->add_option("DIR", compila.cartella, "the folder holding the two source texts")
      ->required();
  aggiungi_nomi(c_compile, compila);
  c_compile->add_flag("--no-plan", compila.senza_tracciato,
                      "build no plan view and write no compiled line (NAME_linea.dat)");
  c_compile
      ->add_option("--out", compila.uscita,
                   "write the compiled files into OUTDIR, made when missing (default: DIR)")
      ->type_name("OUTDIR");
  c_compile->add_flag("--json", compila.json, "print one line of JSON describing the outcome");
  c_compile->add_flag("--no-warnings", compila.senza_avvisi,
                      "print only what the compile records, not the warnings check gives");
  aggiungi_codifica(c_compile, compila.utf8);

  OpzioniControllo controllo;
  CLI::App* c_check = app.add_subcommand(
      "check",
      "Report every problem of DIR/NAME_linea.txt and DIR/NAME_NUM-.txt in one run, errors and "
      "warnings, with file, line and column; writes nothing.");
  c_check->add_option("DIR", controllo.cartella, "the folder holding the two source texts")
      ->required();
  aggiungi_nomi(c_check, controllo);
  c_check->add_flag("--json", controllo.json, "print one JSON object with every diagnostic");
  c_check->add_flag("--werror", controllo.werror, "fail (exit status 1) on warnings too");
  aggiungi_codifica(c_check, controllo.utf8);
  c_check->footer(
      "Example:\n"
      "  scenario-tool check myline");
  c_compile->footer(
      "Example:\n"
      "  scenario-tool compile myline --line-name \"BELFORTE SELVEN - MELAR\" --train-number 8312 "
      "--out build-out");

  OpzioniPlot plot;
  CLI::App* c_plot = app.add_subcommand(
      "plot",
      "Compile DIR's texts in memory and draw the plan view with its curves and kilometre "
      "posts, the gradient profile, the speed limits beside the line's speed boards, the "
      "slowdowns and the signals into one SVG file.");
  c_plot->add_option("DIR", plot.cartella, "the folder holding the two source texts")->required();
  aggiungi_nomi(c_plot, plot);
  c_plot->add_option("--svg", plot.svg, "the picture to write; its folder is made when missing")
      ->required()
      ->type_name("FILE");
  c_plot->footer("Example:\n  scenario-tool plot myline --svg pictures/route.svg");

  OpzioniPacchetto pacchetto;
  std::string bersaglio(nome_bersaglio(bersaglio_di_sistema()));
  CLI::App* c_package = app.add_subcommand(
      "package",
      "Make one program of DIR's scenario that a player starts in the simulator's folder: it "
      "writes the texts and crew documents there and compiles them, as the package's own "
      "installer does. The texts are compiled first; texts with an error are not packed.");
  c_package
      ->add_option("DIR", pacchetto.cartella,
                   "the folder holding the two source texts and the crew documents")
      ->required();
  aggiungi_nomi(c_package, pacchetto);
  c_package->add_option("--out", pacchetto.uscita, "the program to write")
      ->required()
      ->type_name("FILE");
  c_package
      ->add_option("--target", bersaglio,
                   "the system the program runs on (default: the one the tool runs on)")
      ->check(CLI::IsMember({"linux", "windows"}));
  c_package->add_flag("--force", pacchetto.forza, "replace FILE when it exists");
  c_package->footer(
      "Example:\n"
      "  scenario-tool package myline --out dist/belforte-melar-8312");

  // The words after the program's name.
  const std::vector<std::string> parole(
      argomenti.empty() ? argomenti.begin() : argomenti.begin() + 1, argomenti.end());
  std::vector<std::string> comandi;
  for (const CLI::App* c : app.get_subcommands({})) comandi.push_back(c->get_name());
  auto trova = [&](const std::string& nome) -> CLI::App* {
    for (CLI::App* c : app.get_subcommands({})) {
      if (c->get_name() == nome) return c;
    }
    return nullptr;
  };
  auto sconosciuto = [&](const std::string& nome) {
    err << "scenario-tool: unknown command \"" << riga_stampabile(nome) << "\""
        << forse(nome, comandi) << "\n"
        << kPiuInformazioni;
    return kEsitoUso;
  };

  // "help" and "help COMMAND" print what "--help" prints.
  if (!parole.empty() && parole[0] == "help") {
    if (parole.size() == 1 || parole[1] == "--help" || parole[1] == "-h") {
      out << app.help();
      return kEsitoRiuscito;
    }
    CLI::App* comando = parole.size() == 2 ? trova(parole[1]) : nullptr;
    if (comando == nullptr && parole.size() == 2) return sconosciuto(parole[1]);
    if (comando == nullptr) {
      err << "scenario-tool: help takes one COMMAND at most\n" << kPiuInformazioni;
      return kEsitoUso;
    }
    out << comando->help("scenario-tool");
    return kEsitoRiuscito;
  }
  if (!parole.empty() && !parole[0].starts_with("-") && trova(parole[0]) == nullptr) {
    return sconosciuto(parole[0]);
  }

  try {
    // CLI11 takes the arguments last first, without the program name.
    std::vector<std::string> rovesciati(parole.rbegin(), parole.rend());
    app.parse(rovesciati);
  } catch (const CLI::Success& e) {
    return app.exit(e, out, err);
  } catch (const CLI::ParseError& e) {
    err << "scenario-tool: " << riga_stampabile(e.what()) << "\n";
    const CLI::App* comando = parole.empty() ? nullptr : trova(parole[0]);
    const std::string sconosciuta =
        comando != nullptr
            ? opzione_sconosciuta("scenario-tool " + comando->get_name(), *comando, parole)
            : opzione_sconosciuta("scenario-tool", app, parole);
    if (!sconosciuta.empty()) err << riga_stampabile(sconosciuta) << "\n";
    err << kPiuInformazioni;
    return kEsitoUso;
  }

  if (c_dump->parsed()) {
    if (tipo_dump == "line") dump.tipo = TipoFileCompilato::kLinea;
    if (tipo_dump == "scenario") dump.tipo = TipoFileCompilato::kScenario;
    if (tipo_dump == "grid") dump.tipo = TipoFileCompilato::kPercorso;
    return comando_dump(file_system, dump, out, err);
  }
  if (c_export->parsed()) return comando_export(file_system, esporta, out, err);
  if (c_compile->parsed()) return comando_compile(file_system, compila, out, err);
  if (c_plot->parsed()) return comando_plot(file_system, plot, out, err);
  if (c_check->parsed()) return comando_check(file_system, controllo, out, err);
  if (c_package->parsed()) {
    pacchetto.bersaglio = *bersaglio_di_nome(bersaglio);
    return comando_package(file_system, pacchetto, out, err);
  }
  return kEsitoUso;
}

}  // namespace scenario
