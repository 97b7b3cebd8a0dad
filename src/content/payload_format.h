// The scenario a package program carries: appended after the program's own
// bytes, so that one bare program can install any author's scenario. The
// authors' tool writes it, the package program reads it back from its own
// file; both walk the same list of fields (payload_format.cpp).
//
// Layout, little-endian, from the first byte after the program:
//
//   header   "SCNPACCO" (8 bytes), format version (2), the line name
//            (2-byte length, UTF-8), the train number (likewise), the
//            number of files (1)
//   files    each: its kind, a Documento value (1), its length (4), its
//            bytes exactly as the author's file holds them; in the order
//            of a run, each kind at most once
//   checksum SHA-256 over the header and the files (32)
//   trailer  "SCNCODA1" (8), the payload's length from the header's first
//            byte to the trailer's last (8), at the very end of the file
//
// The trailer is found from the end, so the program needs to know nothing
// of its own length.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "content/package_content.h"

namespace scenario {

inline constexpr uint16_t kVersioneCarico = 1;

// The largest source text or crew document a payload carries. The largest
// route the formats allow (1 000 000 m with a curve, a gradient and a
// signal every kilometre, as many stations as the record table holds) has a
// line text of about 100 KB, and a crew document is at most 1001 lines; a
// megabyte is ten times the one and more than enough for the other, and
// keeps a damaged length from making the program read or write without end.
inline constexpr size_t kMassimoFileCarico = size_t{1} << 20;

// The longest name the header holds, in bytes: the name check allows 60
// characters, and a Windows-1252 character takes at most 3 bytes in UTF-8.
inline constexpr size_t kMassimoNomeCarico = 255;

// What a payload holds: the names, and each file of a run by its kind.
struct Carico {
  std::string nome_linea;    // UTF-8
  std::string numero_treno;  // UTF-8
  std::array<std::optional<std::string>, kDocumentiDellaCorsa.size()> file;

  std::optional<std::string>& operator[](Documento documento) {
    return file[static_cast<size_t>(documento)];
  }
  const std::optional<std::string>& operator[](Documento documento) const {
    return file[static_cast<size_t>(documento)];
  }
};

// Why a payload was refused, from what a player can do about it: none at
// all, a copy cut short, bytes changed on the way, or a payload this
// program cannot or must not install.
enum class DifettoCarico : uint8_t {
  kNessuno,
  kAssente,         // no trailer at the end: a bare program, or no package at all
  kTroncato,        // the payload claims more bytes than the file holds
  kImprontaErrata,  // the checksum does not match the bytes
  kVersione,        // a format version this program does not know
  kMalformato,      // kinds, lengths or counts that do not fit the format
  kTestoMancante,   // a source text is missing
  kNomeNonValido,   // a name that cannot name the files of a run
};

struct LetturaCarico {
  DifettoCarico difetto = DifettoCarico::kNessuno;
  std::string dettaglio;  // in English, for authors and tests
  bool ok() const { return difetto == DifettoCarico::kNessuno; }
};

// The bytes to append to a bare program, or, when `carico` breaks a rule
// the reader checks (a name, a missing source text, a file too large), the
// reason as an error.
LetturaCarico componi_carico(const Carico& carico, std::string* byte);

// Reads the payload at the end of `programma`, a program file's bytes.
// Everything is checked before anything is handed back: the trailer, every
// length against the file and its bound, the checksum, the files' kinds in
// the order of a run and each at most once, both source texts, the names,
// and no byte left over. What is accepted writes back to the same bytes.
LetturaCarico leggi_carico(std::string_view programma, Carico* carico);

}  // namespace scenario
