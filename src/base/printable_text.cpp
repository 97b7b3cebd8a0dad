#include "base/printable_text.h"

#include "base/windows_1252.h"

namespace scenario {
namespace {

void append_hex(unsigned char byte, std::string& out) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0xF];
}

}  // namespace

std::string testo_stampabile(std::string_view utf8, size_t massimo) {
  std::string out;
  size_t caratteri = 0;
  size_t i = 0;
  while (i < utf8.size()) {
    if (caratteri == massimo) {
      out += "\xE2\x80\xA6";  // …
      break;
    }
    const size_t inizio = i;
    const std::optional<char32_t> cp = leggi_utf8(utf8, &i);
    ++caratteri;
    if (!cp) {
      append_hex(static_cast<unsigned char>(utf8[inizio]), out);
      continue;
    }
    switch (*cp) {
      case '\r':
        out += "\\r";
        continue;
      case '\n':
        out += "\\n";
        continue;
      case '\t':
        out += "\\t";
        continue;
      case 0x1B:
        out += "\\e";
        continue;
      case 0x07:
        out += "\\a";
        continue;
      default:
        break;
    }
    if (*cp < 0x20 || *cp == 0x7F || (*cp >= 0x80 && *cp <= 0x9F)) {
      for (size_t k = inizio; k < i; ++k) append_hex(static_cast<unsigned char>(utf8[k]), out);
      continue;
    }
    out.append(utf8.substr(inizio, i - inizio));
  }
  return out;
}

}  // namespace scenario
