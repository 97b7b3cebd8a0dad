#include "svg_writer.h"

#include <charconv>
#include <cmath>

#include "base/utf8.h"

namespace scenario {

std::string num(double valore) {
  if (!std::isfinite(valore)) return "0";
  char testo[48];
  const auto fine = std::to_chars(testo, testo + sizeof testo, valore, std::chars_format::fixed, 1);
  std::string s(testo, fine.ptr);
  if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
  if (s == "-0") s = "0";
  return s;
}

std::string testo_xml(std::string_view utf8) {
  std::string s;
  s.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const CarattereUtf8 c = leggi_utf8(utf8, i);
    if (!c.valido || c.punto == 0xFFFE || c.punto == 0xFFFF) {
      s += '?';
      ++i;
      continue;
    }
    i += c.lunghezza;
    switch (c.punto) {
      case '&':
        s += "&amp;";
        break;
      case '<':
        s += "&lt;";
        break;
      case '>':
        s += "&gt;";
        break;
      case '"':
        s += "&quot;";
        break;
      case '\'':
        s += "&apos;";
        break;
      case '\t':
      case '\n':
      case '\r':
        s += static_cast<char>(c.punto);
        break;
      default:
        if (c.punto < 0x20) {
          s += '?';
        } else {
          s.append(utf8.substr(i - c.lunghezza, c.lunghezza));
        }
    }
  }
  return s;
}

Elemento::Elemento(std::string_view nome) : nome_(nome), testo_("<" + nome_) {}

Elemento& Elemento::operator()(std::string_view attributo, std::string_view valore) {
  testo_ += " ";
  testo_ += attributo;
  testo_ += "=\"";
  testo_ += testo_xml(valore);
  testo_ += "\"";
  return *this;
}

std::string Elemento::chiuso() const { return testo_ + "/>"; }

std::string Elemento::aperto() const { return testo_ + ">"; }

std::string Elemento::con(std::string_view contenuto) const {
  return testo_ + ">" + std::string(contenuto) + "</" + nome_ + ">";
}

}  // namespace scenario
