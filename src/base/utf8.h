// UTF-8, read one character at a time and written from code points. The
// package holds its texts as UTF-8; they become Windows-1252 bytes in the
// files the simulator reads, and stay UTF-8 in what the authors' tool prints.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scenario {

// One character read from UTF-8 text.
struct CarattereUtf8 {
  char32_t punto = 0;    // the code point, when `valido`
  size_t lunghezza = 1;  // the bytes it takes; 1 for a byte that starts no character
  bool valido = false;
};

// The character that starts at byte `posizione` of `testo` (which must lie
// inside it). Only a well-formed character is valid: the shortest sequence
// of 1 to 4 bytes for a code point up to U+10FFFF that is no surrogate. A
// byte that starts none (a stray continuation byte, a truncated or overlong
// sequence, a surrogate, a value past U+10FFFF) is one invalid byte, so that
// each such byte can be replaced on its own.
CarattereUtf8 leggi_utf8(std::string_view testo, size_t posizione);

// Appends the UTF-8 bytes of `punto` (a code point up to U+10FFFF).
void aggiungi_utf8(char32_t punto, std::string& out);

}  // namespace scenario
