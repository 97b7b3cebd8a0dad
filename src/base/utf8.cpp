#include "base/utf8.h"

namespace scenario {

CarattereUtf8 leggi_utf8(std::string_view testo, size_t posizione) {
  const auto primo = static_cast<unsigned char>(testo[posizione]);
  if (primo < 0x80) return {primo, 1, true};
  const size_t lunghezza = primo >= 0xF8   ? 0
                           : primo >= 0xF0 ? 4
                           : primo >= 0xE0 ? 3
                           : primo >= 0xC0 ? 2
                                           : 0;
  if (lunghezza == 0 || posizione + lunghezza > testo.size()) return {};
  char32_t punto = primo & (0x7F >> lunghezza);
  for (size_t k = 1; k < lunghezza; ++k) {
    const auto seguito = static_cast<unsigned char>(testo[posizione + k]);
    if ((seguito & 0xC0) != 0x80) return {};
    punto = (punto << 6) | (seguito & 0x3F);
  }
  // The shortest form only, and only code points Unicode has.
  static constexpr char32_t kMinimo[] = {0, 0, 0x80, 0x800, 0x10000};
  if (punto < kMinimo[lunghezza] || punto > 0x10FFFF || (punto >= 0xD800 && punto <= 0xDFFF)) {
    return {};
  }
  return {punto, lunghezza, true};
}

void aggiungi_utf8(char32_t punto, std::string& out) {
  if (punto < 0x80) {
    out += static_cast<char>(punto);
  } else if (punto < 0x800) {
    out += static_cast<char>(0xC0 | (punto >> 6));
    out += static_cast<char>(0x80 | (punto & 0x3F));
  } else if (punto < 0x10000) {
    out += static_cast<char>(0xE0 | (punto >> 12));
    out += static_cast<char>(0x80 | ((punto >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (punto & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (punto >> 18));
    out += static_cast<char>(0x80 | ((punto >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((punto >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (punto & 0x3F));
  }
}

}  // namespace scenario
