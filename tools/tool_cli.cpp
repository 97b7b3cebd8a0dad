#include "tool_cli.h"

#include <CLI/CLI.hpp>

#include "check_command.h"
#include "command_guards.h"
#include "compile_command.h"
#include "dump_command.h"
#include "exit_codes.h"
#include "export_command.h"
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

}  // namespace

int esegui_strumento(const std::vector<std::string>& argomenti, FileSystem& file_system,
                     std::ostream& out, std::ostream& err) {
  CLI::App app{
      "scenario-tool: compile, inspect and plot scenarios of the train-driving simulator.\n"
      "Exit status: 0 done; 1 done, but the scenario recorded an error code; 2 stopped, nothing "
      "(more) written; 64 wrong command line.",
      "scenario-tool"};
  app.require_subcommand(1);
  app.fallthrough(false);

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

  std::string cartella_export;
  CLI::App* c_export = app.add_subcommand(
      "export",
      "Write the package's own two source texts and three crew documents into DIR, "
      "as a model for a scenario of your own.");
  c_export->add_option("DIR", cartella_export, "an existing folder")->required();

  OpzioniCompila compila;
  CLI::App* c_compile =
      app.add_subcommand("compile",
                         "Compile DIR/NAME_linea.txt and DIR/NAME_NUM-.txt as the installer does, "
                         "keeping the texts, and explain every error code.");
  c_compile->add_option("DIR", compila.cartella, "the folder holding the two source texts")
      ->required();
  c_compile->add_option("--line-name", compila.nome_linea, "the line name NAME")->required();
  c_compile->add_option("--train-number", compila.numero_treno, "the train number NUM")->required();
  c_compile->add_flag("--no-plan", compila.senza_tracciato,
                      "build no plan view and write no compiled line (NAME_linea.dat)");
  c_compile
      ->add_option("--out", compila.uscita, "write the compiled files into OUTDIR (default: DIR)")
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
  c_check->add_option("--line-name", controllo.nome_linea, "the line name NAME")->required();
  c_check->add_option("--train-number", controllo.numero_treno, "the train number NUM")->required();
  c_check->add_flag("--json", controllo.json, "print one JSON object with every diagnostic");
  c_check->add_flag("--werror", controllo.werror, "fail (exit status 1) on warnings too");
  aggiungi_codifica(c_check, controllo.utf8);

  OpzioniPlot plot;
  CLI::App* c_plot = app.add_subcommand(
      "plot",
      "Compile DIR's texts in memory and draw the plan view, the gradient profile, the "
      "speed limits and the slowdowns into one SVG file.");
  c_plot->add_option("DIR", plot.cartella, "the folder holding the two source texts")->required();
  c_plot->add_option("--line-name", plot.nome_linea, "the line name NAME")->required();
  c_plot->add_option("--train-number", plot.numero_treno, "the train number NUM")->required();
  c_plot->add_option("--svg", plot.svg, "the picture to write")->required()->type_name("FILE");

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
  c_package->add_option("--line-name", pacchetto.nome_linea, "the line name NAME")->required();
  c_package->add_option("--train-number", pacchetto.numero_treno, "the train number NUM")
      ->required();
  c_package->add_option("--out", pacchetto.uscita, "the program to write")
      ->required()
      ->type_name("FILE");
  c_package
      ->add_option("--target", bersaglio,
                   "the system the program runs on (default: the one the tool runs on)")
      ->check(CLI::IsMember({"linux", "windows"}));
  c_package->add_flag("--force", pacchetto.forza, "replace FILE when it exists");

  try {
    // CLI11 takes the arguments last first, without the program name.
    std::vector<std::string> rovesciati(argomenti.rbegin(), argomenti.rend());
    if (!rovesciati.empty()) rovesciati.pop_back();
    app.parse(rovesciati);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::ParseError& e) {
    err << "scenario-tool: " << riga_stampabile(e.what()) << "\n";
    err << "Run \"scenario-tool --help\" or \"scenario-tool COMMAND --help\" for more information.\n";
    return kEsitoUso;
  }

  if (c_dump->parsed()) {
    if (tipo_dump == "line") dump.tipo = TipoFileCompilato::kLinea;
    if (tipo_dump == "scenario") dump.tipo = TipoFileCompilato::kScenario;
    if (tipo_dump == "grid") dump.tipo = TipoFileCompilato::kPercorso;
    return comando_dump(file_system, dump, out, err);
  }
  if (c_export->parsed()) return comando_export(file_system, cartella_export, out, err);
  if (c_compile->parsed()) return comando_compile(file_system, compila, out, err);
  if (c_check->parsed()) return comando_check(file_system, controllo, out, err);
  if (c_plot->parsed()) return comando_plot(file_system, plot, out, err);
  if (c_package->parsed()) {
    pacchetto.bersaglio = *bersaglio_di_nome(bersaglio);
    return comando_package(file_system, pacchetto, out, err);
  }
  return kEsitoUso;
}

}  // namespace scenario
