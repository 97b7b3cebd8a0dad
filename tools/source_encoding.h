// The encoding of an author's source text. The reader takes every byte for a
// Windows-1252 character; a text an editor saved in another encoding is
// read as something else: UTF-16 as nothing it knows (every other byte 0),
// UTF-8 as two or three characters in place of each accented letter ("°"
// becomes "Â°" in a board's lettering). These functions tell such a text
// apart, say where its first foreign character stands, and turn UTF-8 into
// the code page when the author asks for it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reader/field_input.h"

namespace scenario {

enum class CodificaTesto : uint8_t {
  kWindows1252,  // what the reader expects (plain ASCII is both)
  kUtf8,         // every byte above 0x7F belongs to a well-formed UTF-8 character
  kUtf16,        // a UTF-16 byte-order mark, or NUL bytes in every other place
};

// A character of a text, with its place (line and column from 1, columns
// counting characters of the text's own encoding, as an editor shows them).
struct CarattereTesto {
  PosizioneTesto posizione;
  std::string byte;  // the character's bytes as they stand in the text
};

struct EsameCodifica {
  CodificaTesto codifica = CodificaTesto::kWindows1252;
  bool bom_utf8 = false;  // the text begins with the UTF-8 byte-order mark EF BB BF
  // The first character that is no Windows-1252 character as the text stands:
  // in a UTF-8 text its first character of two or more bytes (the mark left
  // out); otherwise its first byte the code page leaves undefined (0x81, 0x8D,
  // 0x8F, 0x90, 0x9D).
  std::optional<CarattereTesto> primo_estraneo;
};

EsameCodifica esamina_codifica(std::string_view testo);

// A UTF-8 text in Windows-1252: the byte-order mark dropped, every character
// the code page holds turned into its byte, and every other one (a character
// the page lacks, or a byte that starts no UTF-8 character) into "?" and
// listed with its place.
struct TestoConvertito {
  std::string testo;
  std::vector<CarattereTesto> rifiutati;
};

TestoConvertito converti_da_utf8(std::string_view testo);

// "C2 B0": the bytes in hexadecimal, for a message.
std::string byte_esadecimali(std::string_view byte);

}  // namespace scenario
