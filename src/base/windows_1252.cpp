#include "base/windows_1252.h"

#include <array>
#include <cstdint>

#include "base/utf8.h"

namespace scenario {
namespace {

// Code points of bytes 0x80 to 0x9F; the rest of the page is Latin-1.
constexpr std::array<char32_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char32_t code_point_of(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControlRange[byte - 0x80];
  return byte;
}

// Returns the byte for a code point, or '?' when the page has none.
char byte_for(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (size_t i = 0; i < kHighControlRange.size(); ++i) {
    if (kHighControlRange[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

void aggiungi_windows_1252(std::string_view utf8, std::string& out) {
  size_t i = 0;
  while (i < utf8.size()) {
    // Plain ASCII, nearly all of every text, is the same in both: it goes
    // over a run at a time.
    size_t ascii = i;
    while (ascii < utf8.size() && static_cast<unsigned char>(utf8[ascii]) < 0x80) ++ascii;
    out.append(utf8.substr(i, ascii - i));
    i = ascii;
    if (i == utf8.size()) break;
    const CarattereUtf8 c = leggi_utf8(utf8, i);
    out += c.valido ? byte_for(c.punto) : '?';
    i += c.lunghezza;
  }
}

std::string utf8_a_windows_1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  aggiungi_windows_1252(utf8, out);
  return out;
}

std::string windows_1252_a_utf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) aggiungi_utf8(code_point_of(static_cast<unsigned char>(c)), out);
  return out;
}

std::optional<char32_t> leggi_utf8(std::string_view testo, size_t* i) {
  const auto lead = static_cast<unsigned char>(testo[*i]);
  const size_t length = lead < 0x80           ? 1
                        : (lead >> 5) == 0x6  ? 2
                        : (lead >> 4) == 0xE  ? 3
                        : (lead >> 3) == 0x1E ? 4
                                              : 0;
  if (length == 0 || *i + length > testo.size()) {
    ++*i;
    return std::nullopt;
  }
  char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(testo[*i + k]);
    if ((next & 0xC0) != 0x80) {
      ++*i;
      return std::nullopt;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  constexpr char32_t kMinimo[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMinimo[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++*i;
    return std::nullopt;
  }
  *i += length;
  return cp;
}

bool in_windows_1252(char32_t cp) { return cp == '?' || byte_for(cp) != '?'; }

}  // namespace scenario
