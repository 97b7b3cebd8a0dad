// scenario-tool: the scenario authors' companion to the installer.
#include <iostream>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "tool_cli.h"

#ifdef _WIN32
#include <windows.h>
// clang-format off
#include <shellapi.h>
// clang-format on

// The arguments as UTF-8, whatever the console's code page: the file system
// layer takes UTF-8 names.
static std::vector<std::string> argomenti_utf8() {
  std::vector<std::string> argomenti;
  int numero = 0;
  wchar_t** larghi = CommandLineToArgvW(GetCommandLineW(), &numero);
  for (int i = 0; larghi != nullptr && i < numero; ++i) {
    const int lunghezza =
        WideCharToMultiByte(CP_UTF8, 0, larghi[i], -1, nullptr, 0, nullptr, nullptr);
    std::string testo(static_cast<size_t>(lunghezza > 0 ? lunghezza - 1 : 0), '\0');
    if (lunghezza > 1) {
      WideCharToMultiByte(CP_UTF8, 0, larghi[i], -1, testo.data(), lunghezza, nullptr, nullptr);
    }
    argomenti.push_back(testo);
  }
  LocalFree(larghi);
  return argomenti;
}
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  const std::vector<std::string> argomenti = argomenti_utf8();
  SetConsoleOutputCP(CP_UTF8);  // names and board texts print as UTF-8
#else
  const std::vector<std::string> argomenti(argv, argv + argc);
#endif
  return scenario::esegui_strumento(argomenti, scenario::disk_file_system(), std::cout, std::cerr);
}
