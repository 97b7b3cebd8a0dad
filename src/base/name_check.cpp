#include "base/name_check.h"

#include <string>

#include "base/printable_text.h"
#include "base/windows_1252.h"

namespace scenario {
namespace {

std::string carattere(char32_t cp, std::string_view testo) {
  std::string descrizione = "\"" + testo_stampabile(testo) + "\"";
  if (cp >= 0x80) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string codice;
    for (char32_t v = cp; v != 0 || codice.size() < 4; v >>= 4) codice.insert(0, 1, kHex[v & 0xF]);
    descrizione += " (U+" + codice + ")";
  }
  return descrizione;
}

bool dispositivo_windows(std::string_view nome) {
  // Windows takes the part before the first dot, blanks at its end dropped,
  // as the device whatever follows: "CON.txt" is the console too.
  std::string base(nome.substr(0, nome.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  for (const char* riservato : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (base == riservato) return true;
  }
  return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
         base[3] >= '1' && base[3] <= '9';
}

Status controlla(std::string_view cosa, std::string_view utf8, size_t massimo) {
  const std::string nome = std::string(cosa) + " \"" + testo_stampabile(utf8) + "\"";
  if (utf8.empty()) return Status::Error(std::string(cosa) + " is empty");

  size_t caratteri = 0;
  size_t i = 0;
  bool punto_prima = false;
  char32_t ultimo = 0;
  while (i < utf8.size()) {
    const size_t inizio = i;
    const std::optional<char32_t> cp = leggi_utf8(utf8, &i);
    ++caratteri;
    const std::string posto = " at character " + std::to_string(caratteri);
    if (!cp) {
      return Status::Error(nome + " has a byte that is not UTF-8 (" +
                           testo_stampabile(utf8.substr(inizio, 1)) + ")" + posto);
    }
    const std::string_view testo = utf8.substr(inizio, i - inizio);
    if (*cp < 0x20 || *cp == 0x7F || (*cp >= 0x80 && *cp <= 0x9F)) {
      return Status::Error(nome + " has the control character " + testo_stampabile(testo) + posto);
    }
    if (*cp == '/' || *cp == '\\') {
      return Status::Error(nome + " has " + carattere(*cp, testo) + posto +
                           ", which separates folders in a path");
    }
    if (*cp == '.' && punto_prima) {
      return Status::Error(nome + " has \"..\"" + " at character " + std::to_string(caratteri - 1) +
                           ", which names the folder above");
    }
    if (std::u32string_view(U"<>:\"|?*").find(*cp) != std::u32string_view::npos) {
      return Status::Error(nome + " has " + carattere(*cp, testo) + posto +
                           ", which Windows does not allow in a file name");
    }
    if (!in_windows_1252(*cp)) {
      return Status::Error(nome + " has " + carattere(*cp, testo) + posto +
                           ", which the simulator's code page (Windows-1252) cannot hold");
    }
    punto_prima = *cp == '.';
    ultimo = *cp;
  }
  if (caratteri > massimo) {
    return Status::Error(nome + " is " + std::to_string(caratteri) + " characters long; at most " +
                         std::to_string(massimo) + " fit a file name");
  }
  if (ultimo == ' ' || ultimo == '.') {
    return Status::Error(nome + " ends in " + (ultimo == ' ' ? "a blank" : "a dot") +
                         " at character " + std::to_string(caratteri) +
                         ", which Windows drops from file names");
  }
  if (dispositivo_windows(utf8)) {
    return Status::Error(nome + " is the name of a device on Windows");
  }
  return Status::OK();
}

}  // namespace

Status controlla_nome_linea(std::string_view utf8) {
  return controlla("the line name", utf8, kLunghezzaMassimaNomeLinea);
}

Status controlla_numero_treno(std::string_view utf8) {
  return controlla("the train number", utf8, kLunghezzaMassimaNumeroTreno);
}

}  // namespace scenario
