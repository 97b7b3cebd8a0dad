#include "source_encoding.h"

#include <algorithm>
#include <cstdio>

#include "base/windows_1252.h"

namespace scenario {
namespace {

constexpr std::string_view kBomUtf8 = "\xEF\xBB\xBF";

// The length of the well-formed UTF-8 character that starts at `i`, or 0
// when none does: the shortest form of a code point up to U+10FFFF that is
// no surrogate.
size_t lunghezza_utf8(std::string_view testo, size_t i) {
  const auto primo = static_cast<unsigned char>(testo[i]);
  if (primo < 0x80) return 1;
  const size_t lunghezza = primo >= 0xF8   ? 0
                           : primo >= 0xF0 ? 4
                           : primo >= 0xE0 ? 3
                           : primo >= 0xC0 ? 2
                                           : 0;
  if (lunghezza == 0 || i + lunghezza > testo.size()) return 0;
  char32_t punto = primo & (0x7F >> lunghezza);
  for (size_t k = 1; k < lunghezza; ++k) {
    const auto seguito = static_cast<unsigned char>(testo[i + k]);
    if ((seguito & 0xC0) != 0x80) return 0;
    punto = (punto << 6) | (seguito & 0x3F);
  }
  static constexpr char32_t kMinimo[] = {0, 0, 0x80, 0x800, 0x10000};
  if (punto < kMinimo[lunghezza] || punto > 0x10FFFF || (punto >= 0xD800 && punto <= 0xDFFF)) {
    return 0;
  }
  return lunghezza;
}

bool non_definito(unsigned char byte) {
  return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

// Walks a text character by character, keeping the place: a line ends at CR
// LF, a lone CR or a lone LF, as the reader's field input has it.
class Cursore {
 public:
  explicit Cursore(std::string_view testo) : testo_(testo) {}
  PosizioneTesto posizione() const { return {riga_, colonna_}; }
  // Moves past the character that starts at byte `i`.
  void passa(size_t i) {
    const char c = testo_[i];
    if (c == '\n' && i > 0 && testo_[i - 1] == '\r') return;  // CR LF is one line end
    if (c == '\r' || c == '\n') {
      ++riga_;
      colonna_ = 1;
    } else {
      ++colonna_;
    }
  }

 private:
  std::string_view testo_;
  int32_t riga_ = 1;
  int32_t colonna_ = 1;
};

bool utf16(std::string_view testo) {
  if (testo.starts_with("\xFF\xFE") || testo.starts_with("\xFE\xFF")) return true;
  // Latin text in UTF-16 has a NUL in every other byte; a text in a
  // single-byte code page has none.
  const size_t coppie = std::min<size_t>(testo.size(), 1024) / 2;
  size_t pari = 0;
  size_t dispari = 0;
  for (size_t k = 0; k < coppie; ++k) {
    if (testo[2 * k] == '\0') ++pari;
    if (testo[2 * k + 1] == '\0') ++dispari;
  }
  return coppie > 0 && std::max(pari, dispari) * 2 >= coppie;
}

}  // namespace

EsameCodifica esamina_codifica(std::string_view testo) {
  EsameCodifica esame;
  if (utf16(testo)) {
    esame.codifica = CodificaTesto::kUtf16;
    return esame;
  }
  esame.bom_utf8 = testo.starts_with(kBomUtf8);
  const size_t inizio = esame.bom_utf8 ? kBomUtf8.size() : 0;

  // UTF-8 when every byte above 0x7F belongs to a well-formed character.
  bool tutto_utf8 = true;
  bool multibyte = esame.bom_utf8;
  std::optional<CarattereTesto> primo_utf8;
  std::optional<CarattereTesto> primo_non_definito;
  Cursore cursore(testo);
  for (size_t i = inizio; i < testo.size();) {
    const size_t lunghezza = lunghezza_utf8(testo, i);
    const auto byte = static_cast<unsigned char>(testo[i]);
    if (lunghezza == 0) tutto_utf8 = false;
    if (lunghezza > 1) {
      multibyte = true;
      if (!primo_utf8)
        primo_utf8 = CarattereTesto{cursore.posizione(), std::string(testo.substr(i, lunghezza))};
    }
    if (!primo_non_definito && non_definito(byte)) {
      primo_non_definito = CarattereTesto{cursore.posizione(), std::string(1, testo[i])};
    }
    const size_t passo = std::max<size_t>(lunghezza, 1);
    cursore.passa(i);
    i += passo;
  }
  if (tutto_utf8 && multibyte) {
    esame.codifica = CodificaTesto::kUtf8;
    esame.primo_estraneo = primo_utf8;
  } else {
    esame.primo_estraneo = primo_non_definito;
  }
  return esame;
}

TestoConvertito converti_da_utf8(std::string_view testo) {
  TestoConvertito convertito;
  if (testo.starts_with(kBomUtf8)) testo.remove_prefix(kBomUtf8.size());
  convertito.testo.reserve(testo.size());
  Cursore cursore(testo);
  for (size_t i = 0; i < testo.size();) {
    const size_t lunghezza = lunghezza_utf8(testo, i);
    const size_t passo = std::max<size_t>(lunghezza, 1);
    const std::string_view carattere = testo.substr(i, passo);
    // The code page's own conversion gives "?" for a character it lacks.
    const std::string byte = lunghezza == 0 ? "?" : utf8_a_windows_1252(carattere);
    if (byte == "?" && carattere != "?") {
      convertito.rifiutati.push_back({cursore.posizione(), std::string(carattere)});
    }
    convertito.testo += byte;
    cursore.passa(i);
    i += passo;
  }
  return convertito;
}

std::string byte_esadecimali(std::string_view byte) {
  std::string testo;
  for (const char c : byte) {
    char cifre[4];
    std::snprintf(cifre, sizeof cifre, "%02X", static_cast<unsigned char>(c));
    if (!testo.empty()) testo += ' ';
    testo += cifre;
  }
  return testo;
}

}  // namespace scenario
